// Real-to-integer rounders with a NumStatus report, clamping conversions
// into an interval, and the floor/ceiling/rounding conversions.
#include <cmath>

#include "base/num_status.h"
#include "scalar/int_helpers.h"
#include "scalar/real_helpers.h"

using namespace realround;

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
