// Running sums, products and integrals at unit spacing. Each reads y[i]
// before it writes dst[i], so y may be dst.
#include "arrays/rarr_integrate.h"
#include "base/error_codes.h"

namespace {

inline Dword CheckA(const double* y, const double* dst) {
  if (!y) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  return kErrNone;
}

constexpr double k13Over24 = 13.0 / 24.0;  // 0.5416666666666666
constexpr double k1Over24 = 1.0 / 24.0;    // 0.041666666666666664

}  // namespace

VELTRIA_API Dword RArrRunningSum(Qword n, const double* y, double* dst) {
  if (const Dword e = CheckA(y, dst)) return e;
  if (n == 0) return kErrNone;
  dst[0] = y[0];
  for (Qword i = 1; i < n; ++i) dst[i] = dst[i - 1] + y[i];
  return kErrNone;
}

VELTRIA_API Dword RArrRunningProduct(Qword n, const double* y, double* dst) {
  if (const Dword e = CheckA(y, dst)) return e;
  if (n == 0) return kErrNone;
  dst[0] = y[0];
  for (Qword i = 1; i < n; ++i) dst[i] = dst[i - 1] * y[i];
  return kErrNone;
}

VELTRIA_API Dword RArrRunningTrapez2(Qword n, const double* y, double* dst) {
  if (const Dword e = CheckA(y, dst)) return e;
  if (n == 0) return kErrNone;
  const double last = y[n - 1];
  dst[0] = 0.5 * y[0];
  for (Qword i = 1; i < n; ++i) dst[i] = dst[i - 1] + y[i];
  dst[n - 1] -= 0.5 * last;
  return kErrNone;
}

VELTRIA_API Dword RArrRunningModTrapez(Qword n, const double* y, double* dst, double before,
                                       double after) {
  if (const Dword e = CheckA(y, dst)) return e;
  if (n == 0) return kErrNone;
  // y[i-2] and y[i-1] are kept aside before dst overwrites them.
  double p2 = before, p1 = y[0];
  dst[0] = 0;
  if (n == 1) return kErrNone;
  if (n == 2) {
    dst[1] = k13Over24 * (p1 + y[1]) - k1Over24 * (before + after);
    return kErrNone;
  }
  for (Qword i = 1; i < n; ++i) {
    const double cur = y[i];
    const double next = i + 1 < n ? y[i + 1] : after;
    dst[i] = dst[i - 1] + k13Over24 * (p1 + cur) - k1Over24 * (p2 + next);
    p2 = p1;
    p1 = cur;
  }
  return kErrNone;
}
