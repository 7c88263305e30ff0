// Weighted linear least squares over a basis: the basis is tabulated once
// (k n calls) and the normal equations are solved after diagonal scaling,
// which keeps wide power bases from looking singular to the inverter.
#include <cmath>
#include <cstdarg>

#include "arrays/normal_equations.h"
#include "base/console_out.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "base/platform/c_number.h"
#include "scalar/orthogonal_polys.h"
#include "signal_fit/fit/linear_fits.h"

namespace {

void Warn(const char* format, ...) {
  char text[160];
  va_list args;
  va_start(args, format);
  PlatformFormatC(text, sizeof text, format, args);
  va_end(args);
  CoutA(text);
}

}  // namespace

VELTRIA_API Dword MultiLinearFit(Qword k, double* coef, Qword n, const double* x, const double* y,
                                 const double* w, FitBasisFunction basis) {
  if (k == 0 || !x || !y || !w || !basis) return kErrMissingInputData;
  if (!coef) return kErrMissingOutputBuffer;
  if (n != 0 && k > MaxArrCount<double>() / n) return kErrAlloc;
  Dword error;
  double* M = NewRealArrFill(&error, k * k);
  if (!M) return error;
  double* F = n ? NewRealArrFill(&error, k * n) : nullptr;  // f_i(x_p) at p + n i
  if (n && !F) {
    KillPtr(&M);
    return error;
  }
  for (Qword p = 0; p < n; ++p)
    for (Qword i = 0; i < k; ++i) F[p + n * i] = basis(x[p], i);
  for (Qword i = 0; i < k; ++i) {
    const double* fi = F + n * i;
    double b = 0;
    for (Qword p = 0; p < n; ++p) b += y[p] * fi[p] * w[p];
    coef[i] = b;
    for (Qword j = 0; j <= i; ++j) {
      const double* fj = F + n * j;
      double s = 0;
      for (Qword p = 0; p < n; ++p) s += fj[p] * fi[p] * w[p];
      M[i + k * j] = s;
      M[j + k * i] = s;
    }
  }
  KillPtr(&F);
  error = SolveScaledNormalEquations(M, k, coef, 1);
  KillPtr(&M);
  if (error == kErrNone)
    for (Qword i = 0; i < k; ++i)
      if (!std::isfinite(coef[i])) return kErrIllegalArgument;
  return error;
}

VELTRIA_API Dword MultiLinearFitChebyshev(Qword k, double* coef, Qword n, const double* x,
                                          const double* y, const double* w) {
  return MultiLinearFit(k, coef, n, x, y, w, rChebyshevT);
}

VELTRIA_API Dword ExponentialMultiLinearFit(Qword k, double* coef, Qword n, const double* x,
                                            const double* y, double* w, FitBasisFunction basis) {
  if (k == 0 || !x || !y || !w || !basis) return kErrMissingInputData;
  Dword error;
  double* logs = NewRealArrFill(&error, n);
  if (n && !logs) return error;
  for (Qword i = 0; i < n; ++i) {
    if (y[i] > 0) {
      logs[i] = std::log(y[i]);
    } else {
      // Defined value for a point that takes no part in the fit.
      logs[i] = 0;
      w[i] = 0;
      Warn("\n Warning: point (x,y) = (%.5g,%.5g) is pathological in an exponential fit.", x[i],
           y[i]);
    }
  }
  error = MultiLinearFit(k, coef, n, x, logs, w, basis);
  KillPtr(&logs);
  return error;
}
