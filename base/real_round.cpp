// Real-to-integer rounders with a NumStatus report: half away from zero,
// saturating with the overflow bits, the invalid marker for NaN.
#include "base/real_round.h"

#include <cmath>

#include "base/num_status.h"

using namespace realround;

namespace {

constexpr double k2p52Half = 4503599627370495.5;  // 2^52 - 0.5

inline void Put(NumStatus* status, NumStatus value) {
  if (status) *status = value;
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
