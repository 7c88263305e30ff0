// Linearised rational fit: y (1 + D) = P is fitted as y = P - y D by
// weighted least squares in the p numerator and q - 1 denominator
// coefficients.
#include <cmath>

#include "arrays/normal_equations.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/fit/linear_fits.h"

VELTRIA_API Dword RationalFit(Qword p, Qword q, double* coef, Qword n, const double* x,
                              const double* y, const double* w, FitBasisFunction basis) {
  if (!x || !y || !w || !basis) return kErrMissingInputData;
  if (!coef) return kErrMissingOutputBuffer;
  if (p == 0 || q == 0) return kErrIllegalArgument;
  const Qword N = p + q - 1;
  const Qword kmax = p > q ? p : q;  // basis indexes used
  if (n != 0 && kmax > MaxArrCount<double>() / n) return kErrAlloc;
  Dword error;
  double* M = NewRealArrFill(&error, N * N);
  if (!M) return error;
  double* F = n ? NewRealArrFill(&error, kmax * n) : nullptr;  // f_i(x_t) at t + n i
  if (n && !F) {
    KillPtr(&M);
    return error;
  }
  for (Qword i = 0; i < kmax; ++i)
    for (Qword t = 0; t < n; ++t) F[t + n * i] = basis(x[t], i);
  // Variable v: numerator a_v for v < p, denominator b_{v - p + 1} after.
  // The denominator rows are negated so that the system is symmetric with
  // a positive diagonal, as the scaled solver needs.
  auto f = [&](Qword v) { return F + n * (v < p ? v : v - p + 1); };
  for (Qword r = 0; r < N; ++r) {
    const double* fr = f(r);
    const bool den_r = r >= p;
    double b = 0;
    for (Qword t = 0; t < n; ++t) b += w[t] * y[t] * fr[t] * (den_r ? -y[t] : 1.0);
    coef[r] = b;
    for (Qword c = 0; c < N; ++c) {
      const double* fc = f(c);
      const int powers = (den_r ? 1 : 0) + (c >= p ? 1 : 0);
      const double sign = (den_r != (c >= p)) ? -1.0 : 1.0;
      double s = 0;
      for (Qword t = 0; t < n; ++t) {
        const double yy = powers == 0 ? 1.0 : powers == 1 ? y[t] : y[t] * y[t];
        s += w[t] * yy * fr[t] * fc[t];
      }
      M[r + N * c] = sign * s;
    }
  }
  KillPtr(&F);
  error = SolveScaledNormalEquations(M, N, coef, 1);
  KillPtr(&M);
  if (error == kErrNone)
    for (Qword i = 0; i < N; ++i)
      if (!std::isfinite(coef[i])) return kErrIllegalArgument;
  return error;
}
