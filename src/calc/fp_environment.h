#pragma once

// The core's results must not depend on the floating-point modes its caller left behind: an x87
// precision control of 24 or 53 bits (how programs built with MSVC for 32-bit Windows start),
// a directed rounding on the x87, in the SSE unit or through fesetround, flush-to-zero. Each
// public entry of the core holds a DefaultFloatingPointModes for the length of the call.
//
// Checking costs two control-register reads; only a caller with other modes pays for saving
// its whole environment (exception flags included) and putting it back at the end. Nested
// guards find the defaults in place and do nothing.

#include <cfenv>
#include <cstdint>

namespace calc {

class DefaultFloatingPointModes {
 public:
  DefaultFloatingPointModes() {
    if (!InDefaultModes()) {
      std::fegetenv(&saved_);
      SetDefaultModes();
      changed_ = true;
    }
  }
  ~DefaultFloatingPointModes() {
    if (changed_) {
      std::fesetenv(&saved_);
    }
  }
  DefaultFloatingPointModes(const DefaultFloatingPointModes&) = delete;
  DefaultFloatingPointModes& operator=(const DefaultFloatingPointModes&) = delete;

 private:
#if defined(__i386__) || defined(__x86_64__)
  // 64-bit precision, round to nearest, every exception masked.
  static constexpr std::uint16_t kX87Defaults = 0x037F;
  // Round to nearest, every exception masked, no flush-to-zero or denormals-are-zero; the six
  // low bits are the exception flags, which are no mode.
  static constexpr std::uint32_t kSseDefaults = 0x1F80;
  static constexpr std::uint32_t kSseFlags = 0x003F;

  static std::uint16_t X87ControlWord() {
    std::uint16_t word;
    __asm__ volatile("fnstcw %0" : "=m"(word));
    return word;
  }
  static void SetX87ControlWord(std::uint16_t word) {
    __asm__ volatile("fldcw %0" : : "m"(word));
  }
#if defined(__SSE__)
  static std::uint32_t SseControl() {
    std::uint32_t word;
    __asm__ volatile("stmxcsr %0" : "=m"(word));
    return word;
  }
  static void SetSseControl(std::uint32_t word) {
    __asm__ volatile("ldmxcsr %0" : : "m"(word));
  }
  static bool SseInDefaultModes() {
    return (SseControl() & ~kSseFlags) == kSseDefaults;
  }
  static void SetSseDefaultModes() {
    SetSseControl((SseControl() & kSseFlags) | kSseDefaults);
  }
#else
  // Without SSE in this build the core computes on the x87 alone.
  static bool SseInDefaultModes() {
    return true;
  }
  static void SetSseDefaultModes() {}
#endif
  static bool InDefaultModes() {
    return X87ControlWord() == kX87Defaults && SseInDefaultModes();
  }
  static void SetDefaultModes() {
    SetX87ControlWord(kX87Defaults);
    SetSseDefaultModes();
  }
#else
  static bool InDefaultModes() {
    return std::fegetround() == FE_TONEAREST;
  }
  static void SetDefaultModes() {
    std::fesetround(FE_TONEAREST);
  }
#endif

  std::fenv_t saved_{};
  bool changed_ = false;
};

}  // namespace calc
