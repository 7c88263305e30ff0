// Real-to-integer rounders with a NumStatus report, clamping conversions
// into an interval, and the floor/ceiling/rounding conversions.
#include <cmath>

#include "base/num_status.h"
#include "scalar/int_helpers.h"
#include "scalar/real_helpers.h"

namespace {

constexpr double k2p52Half = 4503599627370495.5;  // 2^52 - 0.5
constexpr double k2p63 = 9223372036854775808.0;
constexpr double k2p64 = 18446744073709551616.0;
constexpr Qlong kQlongMin = INT64_MIN;

inline void Put(NumStatus* status, NumStatus value) {
  if (status) *status = value;
}

// A rounded double in [2^63, 2^64) converted without overflow.
inline Qword HighToQword(double r) {
  return static_cast<Qword>(static_cast<Qlong>(r - k2p63)) + (Qword{1} << 63);
}

// Rounded value and the fraction bit.
inline double RoundWithStatus(double x, NumStatus* status) {
  const double r = std::round(x);
  Put(status, r == x ? 0 : NUM_FRACTIONAL);
  return r;
}

}  // namespace

VELTRIA_API Long iRealRoundToLong(double x, NumStatus* status) {
  if (std::isnan(x)) {
    Put(status, NUM_FRACTIONAL);
    return INT32_MIN;
  }
  if (x >= 2147483647.5) {
    Put(status, NUM_I32OVERFLOW_ABOVE | NUM_OVERFLOW);
    return 0x7FFFFFFF;
  }
  if (x <= -2147483647.5) {
    Put(status, NUM_I32OVERFLOW_BELOW | NUM_UNDERFLOW);
    return -0x7FFFFFFF;
  }
  return static_cast<Long>(RoundWithStatus(x, status));
}

VELTRIA_API Qlong iRealRoundToQlong(double x, NumStatus* status) {
  if (std::isnan(x)) {
    Put(status, NUM_FRACTIONAL);
    return kQlongMin;
  }
  if (x >= k2p63) {
    Put(status, NUM_I64OVERFLOW_ABOVE | NUM_OVERFLOW);
    return INT64_MAX;
  }
  if (x <= -k2p63) {
    Put(status, NUM_I64OVERFLOW_BELOW | NUM_UNDERFLOW);
    return -INT64_MAX;
  }
  if (std::fabs(x) >= k2p52Half) {
    Put(status, NUM_PRECISIONLIM);
    return static_cast<Qlong>(x);  // truncates toward zero
  }
  return static_cast<Qlong>(RoundWithStatus(x, status));
}

VELTRIA_API Dword uRealRoundToDword(double x, NumStatus* status) {
  if (!(x >= 0)) {  // negative or NaN
    Put(status, NUM_U32OVERFLOW_BELOW | NUM_UNDERFLOW);
    return 0;
  }
  if (x >= 4294967294.5) {
    Put(status, NUM_U32OVERFLOW_ABOVE | NUM_OVERFLOW);
    return 0xFFFFFFFE;
  }
  return static_cast<Dword>(RoundWithStatus(x, status));
}

VELTRIA_API Qword uRealRoundToQword(double x, NumStatus* status) {
  if (!(x >= 0)) {
    Put(status, NUM_U64OVERFLOW_BELOW | NUM_UNDERFLOW);
    return 0;
  }
  if (x >= k2p64) {
    Put(status, NUM_U64OVERFLOW_ABOVE | NUM_OVERFLOW);
    return 0xFFFFFFFFFFFFFFFE;
  }
  if (x >= k2p52Half) {
    Put(status, NUM_PRECISIONLIM);
    const double t = std::trunc(x);
    return t >= k2p63 ? HighToQword(t) : static_cast<Qword>(t);
  }
  return static_cast<Qword>(RoundWithStatus(x, status));
}

// The clamping conversions. A NaN has no place in any interval: it stores
// the type's invalid marker and reports "outside" (0).
VELTRIA_API Long iRealToLongInterval(double x, Long* result, Long minimum, Long maximum) {
  if (std::isnan(x)) {
    *result = INT32_MIN;
    return 0;
  }
  const double r = std::copysign(std::round(std::fabs(x)), x);
  if (r > maximum) {
    *result = maximum;
    return 0;
  }
  if (r < minimum) {
    *result = minimum;
    return 0;
  }
  *result = static_cast<Long>(r);
  return 1;
}

VELTRIA_API Long iRealToQlongInterval(double x, Qlong* result, Qlong minimum, Qlong maximum) {
  if (std::isnan(x)) {
    *result = kQlongMin;
    return 0;
  }
  const double r = std::copysign(std::round(std::fabs(x)), x);
  if (r >= k2p63) {
    *result = maximum;
    return 0;
  }
  if (r < -k2p63) {
    *result = minimum;
    return 0;
  }
  const Qlong v = static_cast<Qlong>(r);
  if (v > maximum) {
    *result = maximum;
    return 0;
  }
  if (v < minimum) {
    *result = minimum;
    return 0;
  }
  *result = v;
  return 1;
}

namespace {
// x >= 0 rounded to an unsigned 64-bit value; false when it passes 2^64.
bool RoundToQword(double x, Qword* v) {
  const double r = std::round(x);
  if (r >= k2p64) return false;
  *v = r >= k2p63 ? HighToQword(r) : static_cast<Qword>(r);
  return true;
}
}  // namespace

namespace {
// The unsigned clamping conversions; T is Dword or Qword.
template <class T>
Long UnsignedInterval(double x, T* result, T minimum, T maximum) {
  if (std::isnan(x)) {
    *result = 0;
    return 0;
  }
  if (x < 0) {
    *result = minimum;
    return 0;
  }
  Qword v;
  if (!RoundToQword(x, &v) || v > maximum) {
    *result = maximum;
    return 0;
  }
  if (v < minimum) {
    *result = minimum;
    return 0;
  }
  *result = static_cast<T>(v);
  return 1;
}
}  // namespace

VELTRIA_API Long uRealToDwordInterval(double x, Dword* result, Dword minimum, Dword maximum) {
  return UnsignedInterval(x, result, minimum, maximum);
}

VELTRIA_API Long uRealToQwordInterval(double x, Qword* result, Qword minimum, Qword maximum) {
  return UnsignedInterval(x, result, minimum, maximum);
}

namespace {
inline bool InQlongRange(double x) { return std::fabs(x) < k2p63; }  // false for NaN
}  // namespace

VELTRIA_API Qlong iRound(double x) {
  return InQlongRange(x) ? static_cast<Qlong>(std::round(x)) : kQlongMin;
}
VELTRIA_API Qlong iRoundFrac(double x, double* fraction) {
  *fraction = 0;
  if (!InQlongRange(x)) return kQlongMin;
  const double r = std::round(x);
  *fraction = x - r;
  return static_cast<Qlong>(r);
}

VELTRIA_API Qlong iFloor(double x) {
  double f;
  return iFloorFrac(x, &f);
}
VELTRIA_API Qlong iFloorFrac(double x, double* fraction) {
  *fraction = 0;
  if (!InQlongRange(x)) return kQlongMin;
  const double fl = std::floor(x);
  Qlong v = static_cast<Qlong>(fl);
  const double d = x - fl;
  if (d >= 1) {
    ++v;
  } else if (d > 0) {
    *fraction = d;
  }
  return v;
}

VELTRIA_API Qlong iCeil(double x) {
  double f;
  return iCeilFrac(x, &f);
}
VELTRIA_API Qlong iCeilFrac(double x, double* fraction) {
  *fraction = 0;
  if (!InQlongRange(x)) return kQlongMin;
  const double c = std::ceil(x);
  Qlong v = static_cast<Qlong>(c);
  const double d = x - c;
  if (d <= -1) {
    --v;
  } else if (d < 0) {
    *fraction = d;
  }
  return v;
}

VELTRIA_API Qlong iSymFloor(double x) {
  double f;
  return iSymFloorFrac(x, &f);
}
VELTRIA_API Qlong iSymFloorFrac(double x, double* fraction) {
  *fraction = 0;
  if (!InQlongRange(x)) return kQlongMin;
  const double t = std::trunc(x);
  *fraction = x - t;
  return static_cast<Qlong>(t);
}

VELTRIA_API Qlong iSymRound(double x) {
  double f;
  return iSymRoundFrac(x, &f);
}
VELTRIA_API Qlong iSymRoundFrac(double x, double* fraction) {
  *fraction = 0;
  if (!InQlongRange(x)) return kQlongMin;
  const double r = std::copysign(std::round(std::fabs(x)), x);
  *fraction = x - r;
  return static_cast<Qlong>(r);
}
