// The extended spline: consecutive segments of `step` intervals, each a
// polynomial about the segment's centre that passes through a window of
// table points around the segment and continues the first nd derivatives of
// the previous segment at its start.
//
// Placement: with f = (deg - 1 - step)/2 (deg first made odd against step),
// each window holds up to f points before its segment, the segment's own
// points and up to f points after it, cut at the ends of the table. When
// n - 1 is not a multiple of step, a last, shorter segment ends at the last
// point with the same rule (its window holds f points before it). Data from
// a polynomial of degree below h + nd, h the smallest window, is therefore
// reproduced exactly when d0 holds its derivatives at x[0].
#include <cmath>

#include "arrays/interp.h"
#include "arrays/rmat_linalg.h"
#include "base/error_codes.h"
#include "scalar/combinatorics.h"
#include "scalar/real_helpers.h"

namespace {

// Exact integer factorials stop at 20!, so a polynomial has at most 21
// coefficients.
constexpr Qword kMaxCoefficients = 21;

// l!/(l - q)!, the factor of the q-th derivative of t^l.
double FallingFactor(Qword l, Qword q) {
  return static_cast<double>(uFactorial(l, nullptr) / uFactorial(l - q, nullptr));
}

double Evaluate(const double* c, Qword count, double d) {
  double v = 0;
  for (Qword l = count; l-- > 0;) v = v * d + c[l];
  return v;
}

// Derivative of order q of the polynomial about its centre, at offset d.
double Derivative(const double* c, Qword count, Qword q, double d) {
  double v = 0;
  for (Qword l = count; l-- > q;) v = v * d + c[l] * FallingFactor(l, q);
  return v;
}

}  // namespace

VELTRIA_INTERNAL void RArrSplineExMatrix(double* A, Qword k, const double* s, Qword h, Qword m0,
                                         Qword step) {
  const Qword size = k + 1;
  const double t = (s[m0] + s[m0 + step]) / 2;
  for (Qword r = 0; r < h; ++r) {
    const double d = s[r] - t;
    double power = 1;
    for (Qword l = 0; l < size; ++l, power *= d) A[r + size * l] = power;
  }
  const double d = s[m0] - t;
  for (Qword r = h; r < size; ++r) {
    const Qword q = r - h + 1;
    for (Qword l = 0; l < q; ++l) A[r + size * l] = 0;
    double power = 1;
    for (Qword l = q; l < size; ++l, power *= d) A[r + size * l] = FallingFactor(l, q) * power;
  }
}

VELTRIA_API Dword RArrSplineEx(const double* X, const double* Y, Qword n, const double* d0,
                               const void* p, Qword nd, const double* xs, double* out, Qword m,
                               Qword deg, Qword step) {
  if (!X || !Y || !xs || (nd > 0 && (!d0 || !p))) return kErrMissingArguments;
  if (!out || m == 0) return kErrMissingOutputBuffer;
  if (step == 0 || n < 2 || step >= deg) return kErrIllegalParameters;
  if (deg > kMaxCoefficients || nd > kMaxCoefficients - deg) return kErrIllegalParameters;
  for (Qword j = 0; j < m; ++j) out[j] = ___NAN;
  if ((deg - step) % 2 == 0) --deg;
  const Qword f = (deg - 1 - step) / 2;

  double A[kMaxCoefficients * kMaxCoefficients];
  double c[kMaxCoefficients];  // right-hand side, then the coefficients
  double D[kMaxCoefficients];  // derivatives 1 .. nd carried to the next segment
  for (Qword q = 0; q < nd; ++q) D[q] = d0[q];

  Qword j = 0;
  for (Qword k = 0; k < n - 1;) {
    const Qword end = k + step < n - 1 ? k + step : n - 1;
    const Qword lo = k - (k < f ? k : f);
    const Qword hi = end + f < n - 1 ? end + f : n - 1;
    const Qword h = hi - lo + 1;
    const Qword size = h + nd;
    RArrSplineExMatrix(A, size - 1, X + lo, h, k - lo, end - k);
    for (Qword r = 0; r < h; ++r) c[r] = Y[lo + r];
    for (Qword q = 0; q < nd; ++q) c[h + q] = D[q];
    const Dword status = RMatInvert(A, size, c, 1);
    if (status != kErrNone) return status;

    const double t = (X[k] + X[end]) / 2;
    for (; j < m && xs[j] >= X[k] && xs[j] <= X[end]; ++j) out[j] = Evaluate(c, size, xs[j] - t);
    for (Qword q = 0; q < nd; ++q) D[q] = Derivative(c, size, q + 1, X[end] - t);
    k = end;
  }
  return kErrNone;
}
