#pragma once

// The core's results must not depend on the floating-point modes its caller left behind: an x87
// precision control of 24 or 53 bits (how programs built with MSVC for 32-bit Windows start),
// a directed rounding on the x87, in the SSE unit or through fesetround, flush-to-zero. Each
// public entry of the core holds a DefaultFloatingPointModes for the length of the call.
//
// Checking costs a control-register read per unit; only a caller with other modes pays for saving
// its whole environment (exception flags included) and putting it back at the end. Nested
// guards find the defaults in place and do nothing.

#include <cfenv>
#include <cstdint>

namespace calc {

// The units whose modes a computation depends on. A value of the native 80-bit type is computed
// on the x87 alone, since compilers have no other unit for long double, so an entry whose every
// floating-point value has that type need not look at the SSE unit.
enum class FloatingPointUnits { kAll, kX87Only };

template <class Real>
inline constexpr FloatingPointUnits kUnitsComputedOn = FloatingPointUnits::kAll;
template <>
inline constexpr FloatingPointUnits kUnitsComputedOn<long double> = FloatingPointUnits::kX87Only;

class DefaultFloatingPointModes {
 public:
  explicit DefaultFloatingPointModes(FloatingPointUnits units = FloatingPointUnits::kAll) {
    if (!InDefaultModes(units)) {
      SaveAndSetDefaults();
      changed_ = true;
    }
  }
  ~DefaultFloatingPointModes() {
    if (changed_) {
      Restore();
    }
  }
  DefaultFloatingPointModes(const DefaultFloatingPointModes&) = delete;
  DefaultFloatingPointModes& operator=(const DefaultFloatingPointModes&) = delete;

  // The compiler knows nothing of the modes and may compute a value in registers before the
  // guard sets them or after it restores the caller's; passing an argument here after the
  // guard, and a result before it ends, ties each to its place, since statements that touch
  // the machine's state keep their order.
  template <class T>
  static void Pin(T& value) {
    __asm__ volatile("" : "+m"(value) : : "memory");
  }
#if defined(__i386__) || defined(__x86_64__)
  // An x87 value is tied where it is, on top of the register stack: a round trip through
  // memory would cost a slow 80-bit store and load.
  static void Pin(long double& value) {
    __asm__ volatile("" : "+t"(value) : : "memory");
  }
#endif

 private:
#if defined(__i386__) || defined(__x86_64__)
  // The registers are handled directly: the C library's fenv_t does not cover the SSE unit
  // everywhere (mingw-w64's fesetenv leaves it alone).
  // 64-bit precision, round to nearest, every exception masked.
  static constexpr std::uint16_t kX87Defaults = 0x037F;
  // Round to nearest, every exception masked, no flush-to-zero or denormals-are-zero; the six
  // low bits are the exception flags, which are no mode.
  static constexpr std::uint32_t kSseDefaults = 0x1F80;
  static constexpr std::uint32_t kSseFlags = 0x003F;

  static constexpr std::uint32_t kX87Flags = 0x003F;

  // The whole x87 environment, status flags included, so that restoring a control word that
  // unmasks an exception cannot raise one the core's own work flagged.
  struct X87Environment {
    std::uint32_t words[7];
  };

  static std::uint16_t X87ControlWord() {
    std::uint16_t word;
    __asm__ volatile("fnstcw %0" : "=m"(word));
    return word;
  }
  void SaveAndSetX87() {
    constexpr std::uint16_t defaults = kX87Defaults;
    __asm__ volatile("fnstenv %0\n\tfldcw %1" : "=m"(savedX87_) : "m"(defaults) : "memory");
  }
  // Only the control word and the exception flags go back: the stack top and the register
  // tags are those of now, since a result may be in flight on the register stack.
  void RestoreX87() {
    X87Environment current;
    __asm__ volatile("fnstenv %0" : "=m"(current) : : "memory");
    current.words[0] = savedX87_.words[0];
    current.words[1] = (current.words[1] & ~kX87Flags) | (savedX87_.words[1] & kX87Flags);
    __asm__ volatile("fldenv %0" : : "m"(current) : "memory");
  }
#if defined(__SSE__)
  static std::uint32_t SseControl() {
    std::uint32_t word;
    __asm__ volatile("stmxcsr %0" : "=m"(word));
    return word;
  }
  static void SetSseControl(std::uint32_t word) {
    __asm__ volatile("ldmxcsr %0" : : "m"(word) : "memory");
  }
  static bool SseInDefaultModes() {
    return (SseControl() & ~kSseFlags) == kSseDefaults;
  }
  void SaveAndSetSse() {
    savedSse_ = SseControl();
    SetSseControl((savedSse_ & kSseFlags) | kSseDefaults);
  }
  void RestoreSse() {
    SetSseControl(savedSse_);
  }
#else
  // Without SSE in this build the core computes on the x87 alone.
  static bool SseInDefaultModes() {
    return true;
  }
  void SaveAndSetSse() {}
  void RestoreSse() {}
#endif
  static bool InDefaultModes(FloatingPointUnits units) {
    return X87ControlWord() == kX87Defaults &&
           (units == FloatingPointUnits::kX87Only || SseInDefaultModes());
  }
  void SaveAndSetDefaults() {
    SaveAndSetX87();
    SaveAndSetSse();
  }
  void Restore() {
    RestoreSse();
    RestoreX87();
  }

  X87Environment savedX87_{};
  std::uint32_t savedSse_ = 0;
#else
  static bool InDefaultModes(FloatingPointUnits) {
    return std::fegetround() == FE_TONEAREST;
  }
  void SaveAndSetDefaults() {
    std::fegetenv(&saved_);
    std::fesetround(FE_TONEAREST);
  }
  void Restore() {
    std::fesetenv(&saved_);
  }

  std::fenv_t saved_{};
#endif
  bool changed_ = false;
};

}  // namespace calc
