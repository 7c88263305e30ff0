// The one conversion of a double to an integer. Out-of-range values and NaN
// give the smallest signed value, as the processor's own conversion does;
// in range the value is truncated toward zero.
#pragma once
#include "base/types.h"

inline Qlong DoubleToQlong(double x) {
  // The comparisons are false for NaN.
  if (x >= -9223372036854775808.0 && x < 9223372036854775808.0) return static_cast<Qlong>(x);
  return INT64_MIN;
}

inline Long DoubleToLong(double x) {
  if (x > -2147483649.0 && x < 2147483648.0) return static_cast<Long>(x);
  return INT32_MIN;
}

// Unsigned 64-bit: [0, 2^64) truncated; anything else gives 2^63, the bits
// of the smallest signed value.
inline Qword DoubleToQword(double x) {
  if (x >= 0.0 && x < 18446744073709551616.0) return static_cast<Qword>(x);
  if (x > -1.0 && x < 0.0) return 0;
  return Qword{1} << 63;
}
