// The optional status word of the combinatorics: null skips every store.
#pragma once
#include "base/num_status.h"
#include "base/types.h"

inline constexpr Qword kUnsignedMarker = ~Qword{0};
inline constexpr Qlong kSignedMarker = INT64_MIN;

inline void StatusClear(NumStatus* status) {
  if (status) *status = 0;
}

inline void StatusAdd(NumStatus* status, NumStatus bits) {
  if (status) *status |= bits;
}

inline Qword UnsignedOverflow(NumStatus* status) {
  StatusAdd(status, NUM_OVERFLOW);
  return kUnsignedMarker;
}

inline Qlong SignedOverflow(NumStatus* status) {
  StatusAdd(status, NUM_OVERFLOW);
  return kSignedMarker;
}

// A magnitude with a sign as a signed result: 2^63 or more (the unsigned
// marker included) is the signed marker with NUM_OVERFLOW.
inline Qlong SignedResult(Qword magnitude, bool negative, NumStatus* status) {
  if (magnitude >= (Qword{1} << 63)) return SignedOverflow(status);
  const Qlong v = static_cast<Qlong>(magnitude);
  return negative ? -v : v;
}
