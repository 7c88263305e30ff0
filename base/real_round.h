// Real-to-integer rounding with a status word: the number readers of base
// and the scalar helpers share these.
#pragma once
#include <cstdint>

#include "base/types.h"

namespace realround {
inline constexpr double k2p63 = 9223372036854775808.0;
inline constexpr double k2p64 = 18446744073709551616.0;
inline constexpr Qlong kQlongMin = INT64_MIN;
// A rounded double in [2^63, 2^64) converted without overflow.
inline Qword HighToQword(double r) {
  return static_cast<Qword>(static_cast<Qlong>(r - k2p63)) + (Qword{1} << 63);
}
}  // namespace realround

// Rounders (half away from zero); status overwritten when given.

VELTRIA_API Long iRealRoundToLong(double x, NumStatus* status);
VELTRIA_API Qlong iRealRoundToQlong(double x, NumStatus* status);
VELTRIA_API Dword uRealRoundToDword(double x, NumStatus* status);
VELTRIA_API Qword uRealRoundToQword(double x, NumStatus* status);
