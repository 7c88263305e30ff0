// Extrapolation to zero by a Chebyshev series, a Savitzky-Golay polynomial
// and exact polynomial interpolation.
#include <cmath>

#include "arrays/rmat_linalg.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "scalar/orthogonal_polys.h"
#include "signal_fit/fit/extrapolation.h"
#include "signal_fit/fit/linear_fits.h"
#include "signal_fit/signal/savgol.h"

VELTRIA_API Dword ExtrapToZeroByCheby(const double* x, const double* y, double* value, Qword n,
                                      Qword degree) {
  if (!x || !y) return kErrMissingInputData;
  if (n == 0) return kErrIllegalParameters;
  if (!value) return kErrMissingOutputBuffer;
  const double end = x[n - 1];
  if (end == 0 || !std::isfinite(end)) return kErrIllegalArgument;
  if (degree >= MaxArrCount<double>()) return kErrAlloc;
  Dword error;
  double* work = NewRealArrFill(&error, 2 * n + degree + 1);
  if (!work) return error;
  double* xs = work;  // the caller's abscissa stays as it is
  double* w = work + n;
  double* c = work + 2 * n;
  for (Qword i = 0; i < n; ++i) {
    xs[i] = x[i] / end;
    w[i] = 1;
  }
  error = MultiLinearFitChebyshev(degree + 1, c, n, xs, y, w);
  if (error == kErrNone) *value = rChebyshevTSeries(0, c, degree);
  KillPtr(&work);
  return error;
}

VELTRIA_API Dword ExtrapToZeroBySavGol(const double* y, double x0, double dx, double* value,
                                       double* gain, Qword k, Qword m, Qword p) {
  if (!y) return kErrMissingInputData;
  if (dx == 0) return kErrIllegalParameters;
  if (!value || !gain) return kErrMissingOutputBuffer;
  *value = 0;
  if (m % 2 == 0) --m;
  if (m == 0 || m == kNoIndex) return kErrIllegalArgument;
  const double position = -x0 / dx - 0.5 * static_cast<double>(m - 1);
  double* c = RArrNewSGcoeff(k, m, p, position, gain);
  if (!c) return kErrAlloc;
  double v = 0;
  for (Qword i = 0; i < m; ++i) v += c[i] * y[i];
  double factorial = 1;
  for (Qword i = 2; i <= k; ++i) factorial *= static_cast<double>(i);
  *value = v / factorial;
  KillPtr(&c);
  return kErrNone;
}

VELTRIA_API Dword ExtrapToZeroByInterpolation(double x0, double dx, const double* y, Qword c,
                                              Qword q, double* value) {
  if (!y || x0 == 0 || dx == 0 || c == 0) return kErrMissingArguments;
  if (!value) return kErrMissingOutputBuffer;
  if (q > c || !std::isfinite(x0) || !std::isfinite(dx)) return kErrIllegalArgument;
  if (c > MaxArrCount<double>() / (c + 1)) return kErrAlloc;
  // Powers of abscissas near zero underflow the pivot test of the inverter;
  // the polynomial is interpolated in u = x / s and its coefficient of u^q
  // divided by s^q.
  const double s = std::fmax(std::fabs(x0), std::fabs(x0 + static_cast<double>(c) * dx));
  Dword error;
  double* A = NewRealArrFill(&error, c * (c + 1));
  if (!A) return error;
  double* b = A + c * c;
  auto u = [&](Qword i) { return (x0 + static_cast<double>(i) * dx) / s; };
  auto exponent = [&](Qword j) { return j < q ? j : j + 1; };
  for (Qword j = 0; j < c; ++j) {
    const Qword e = exponent(j);
    b[j] = -std::pow(u(0), static_cast<double>(e));
    for (Qword i = 0; i < c; ++i) A[j + c * i] = std::pow(u(i + 1), static_cast<double>(e));
  }
  error = RMatInvert(A, c, b, 1);
  if (error == kErrNone) {
    const double dq = static_cast<double>(q);
    double num = y[0], den = std::pow(u(0), dq);
    for (Qword i = 0; i < c; ++i) {
      num += b[i] * y[i + 1];
      den += b[i] * std::pow(u(i + 1), dq);
    }
    *value = num / den / std::pow(s, dq);
    if (!std::isfinite(*value)) error = kErrIllegalArgument;
  }
  KillPtr(&A);
  return error;
}
