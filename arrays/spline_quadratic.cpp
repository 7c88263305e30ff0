// The quadratic spline: segments from the left, each starting with the slope
// the previous one ends with, evaluated while walking the ascending points.
#include "arrays/interp.h"
#include "base/error_codes.h"

VELTRIA_API Dword RArrSpline2XarrYarr(const double* X, const double* Y, Qword n, const double* xs,
                                      double* out, Qword m, Qword mode) {
  if (m == 0) return kErrNone;
  if (!out) return kErrMissingOutputBuffer;
  // One point makes no segment.
  if (n < 2 || !X || !Y || !xs) return kErrMissingInputData;
  // A repeated knot would divide by zero and turn every later point NaN.
  for (Qword i = 0; i + 1 < n; ++i)
    if (!(X[i + 1] > X[i])) return kErrIllegalArgument;
  const double s01 = (Y[1] - Y[0]) / (X[1] - X[0]);
  double b = s01;
  if (mode == 2 && n > 2) {
    const double s12 = (Y[2] - Y[1]) / (X[2] - X[1]);
    b = s01 - (s12 - s01) / (X[2] - X[0]) * (X[1] - X[0]);
  }
  Qword j = 0;
  for (Qword i = 1; i < n && j < m; ++i) {
    const double h = X[i] - X[i - 1];
    const double c = ((Y[i] - Y[i - 1]) / h - b) / h;
    // Points before x[0] take the first parabola, points beyond the last
    // knot the continuation of the last one (no kink at the end). A NaN
    // point is taken at once and gives NaN.
    const bool last = i == n - 1;
    for (; j < m && (last || !(xs[j] > X[i])); ++j) {
      const double t = xs[j] - X[i - 1];
      out[j] = Y[i - 1] + t * (b + c * t);
    }
    b += 2 * c * h;
  }
  return kErrNone;
}
