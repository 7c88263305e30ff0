// The cubic spline: second derivatives at the knots from the tridiagonal
// system (natural or clamped ends), and its evaluation at single points.
#include "arrays/interp.h"
#include "arrays/interp_table.h"
#include "arrays/rarr.h"
#include "base/error_codes.h"
#include "base/memory.h"

namespace {
// An end slope above this makes that end natural.
constexpr double kNaturalSlope = 9.9e29;
}  // namespace

VELTRIA_INTERNAL Dword RArrSpline3Worker(const double* X, const double* Y, Qword n, double* y2,
                                         double yp1, double ypn) {
  if (!X || !Y || n < 2) return kErrMissingArguments;
  if (!y2) return kErrMissingOutputBuffer;
  // A repeated (or descending) knot would divide by zero and spread NaN
  // over every second derivative.
  for (Qword i = 0; i + 1 < n; ++i)
    if (!(X[i + 1] > X[i])) return kErrIllegalArgument;
  Dword error;
  double* u = RArrNew(&error, n - 1);
  if (!u) return error;
  if (yp1 > kNaturalSlope) {
    y2[0] = 0;
    u[0] = 0;
  } else {
    const double h = X[1] - X[0];
    y2[0] = -0.5;
    u[0] = (3 / h) * ((Y[1] - Y[0]) / h - yp1);
  }
  for (Qword i = 1; i + 1 < n; ++i) {
    const double sig = (X[i] - X[i - 1]) / (X[i + 1] - X[i - 1]);
    const double p = sig * y2[i - 1] + 2;
    y2[i] = (sig - 1) / p;
    const double d = (Y[i + 1] - Y[i]) / (X[i + 1] - X[i]) - (Y[i] - Y[i - 1]) / (X[i] - X[i - 1]);
    u[i] = (6 * d / (X[i + 1] - X[i - 1]) - sig * u[i - 1]) / p;
  }
  double qn = 0, un = 0;
  if (!(ypn > kNaturalSlope)) {
    const double h = X[n - 1] - X[n - 2];
    qn = 0.5;
    un = (3 / h) * (ypn - (Y[n - 1] - Y[n - 2]) / h);
  }
  y2[n - 1] = (un - qn * u[n - 2]) / (qn * y2[n - 2] + 1);
  for (Qword k = n - 1; k-- > 0;) y2[k] = y2[k] * y2[k + 1] + u[k];
  RArrKill(&u);
  return kErrNone;
}

VELTRIA_INTERNAL Dword RArrSpline3Eval(const double* X, const double* Y, Qword n, const double* y2,
                                       double x, double* out) {
  if (!X || !Y || !y2 || n <= 1) return kErrMissingArguments;
  if (!out) return kErrMissingOutputBuffer;
  const Qword lo = interp::Bracket(interp::Separate(X, Y, n), x), hi = lo + 1;
  const double h = X[hi] - X[lo];
  if (h == 0) return kErrIllegalArgument;
  const double a = (X[hi] - x) / h;
  const double b = 1 - a;
  *out =
      a * Y[lo] + b * Y[hi] + ((a * a * a - a) * y2[lo] + (b * b * b - b) * y2[hi]) * (h * h) / 6;
  return kErrNone;
}

VELTRIA_API Dword RArrSpline3XarrYarr(const double* X, const double* Y, Qword n, const double* xs,
                                      double* out, Qword m) {
  if (!X || !Y || !xs) return kErrMissingArguments;
  if (!out) return kErrMissingOutputBuffer;
  if (n <= 1) return kErrMissingArguments;
  Dword status;
  double* y2 = RArrNew(&status, n);
  if (!y2) return status;
  status = RArrSpline3Worker(X, Y, n, y2, 1e30, 1e30);
  for (Qword j = 0; j < m && status == kErrNone; ++j)
    status = RArrSpline3Eval(X, Y, n, y2, xs[j], out + j);
  RArrKill(&y2);
  return status;
}
