// Conversion between the ordinary and the exponential reading of a series:
// division or multiplication of coefficient i by i!.
#include "arrays/generating_functions.h"
#include "arrays/rarr_ops.h"
#include "base/error_codes.h"
#include "scalar/combinatorics.h"
#include "scalar/gamma.h"

namespace {
// 20! is the last factorial a 64-bit word holds exactly.
constexpr Qword kLastExactFactorial = 20;
}  // namespace

VELTRIA_API Dword RArrOgfOfEgf(Qword n, const double* a, double* dst) {
  if (!a || n == 0) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  for (Qword i = 0; i < n; ++i)
    dst[i] = i <= kLastExactFactorial ? a[i] / static_cast<double>(uFactorial(i, nullptr))
                                      : rDivByFact(a[i], i);
  return kErrNone;
}

VELTRIA_API Dword RArrEgfOfOgf(Qword n, const double* a, double* dst) {
  if (!a || n == 0) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  for (Qword i = 0; i < n; ++i) dst[i] = rMulByFact(a[i], i);
  return kErrNone;
}
