#pragma once

// The operations of SoftExtended that the algorithms use, and the MPFR range it computes in.

#include <cstdint>

#include "calc/extended.h"

namespace calc {

// Every SoftExtended operation that goes through MPFR needs its exponent range at the x87 one.
// Inside this scope the first such operation narrows it and the rest find it so, instead of each
// setting it up and putting it back; each public call of the core holds one for the whole call. The
// range and MPFR flags the rest of the process set come back at the end. Scopes nest; each thread
// has its own.
class X87RangeScope {
 public:
  X87RangeScope();
  ~X87RangeScope();
  X87RangeScope(const X87RangeScope&) = delete;
  X87RangeScope& operator=(const X87RangeScope&) = delete;

 private:
  bool outermost_;
};

SoftExtended RoundToInteger(SoftExtended x);
int BinaryExponent(SoftExtended x);
bool IsNaN(SoftExtended x);
bool IsInf(SoftExtended x);
bool SignBit(SoftExtended x);
double RoundToDouble(SoftExtended x);
std::uint64_t ToUint64(SoftExtended x);
X87Bits ToX87Bits(SoftExtended x);

}  // namespace calc
