#pragma once

#include <stdexcept>
#include <string>

namespace calc {

// Every failure the calculation core raises is an Exception carrying its message; the
// recalculation catches Exception and turns it into its "ERROR" state.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// A text that cannot be read as a number or a time.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// Failures signalled by the floating-point unit.
class EExternal : public Exception {
 public:
  using Exception::Exception;
};

class EMathError : public EExternal {
 public:
  using EExternal::EExternal;
};

// No input reaches it: an invalid operation needs an infinite or not-a-number operand, which
// the renderings write out as text before any arithmetic and which no parse returns; a finite
// result beyond the range fails as EOverflow instead.
class EInvalidOp : public EMathError {
 public:
  using EMathError::EMathError;
};

// No input reaches it: the core divides only by powers of ten and by the milliseconds of a day.
class EZeroDivide : public EMathError {
 public:
  using EMathError::EMathError;
};

class EOverflow : public EMathError {
 public:
  using EMathError::EMathError;
};

}  // namespace calc
