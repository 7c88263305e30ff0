// The polynomial through every point of a table: Lagrange's form, and
// Newton's divided differences, which also give every derivative.
#include "arrays/interp.h"
#include "arrays/interp_table.h"
#include "scalar/real_helpers.h"

namespace {

using interp::Table;

double Lagrange(const Table& t, double x) {
  double sum = 0;
  for (Qword i = 0; i < t.n; ++i) {
    const double xi = t.X(i);
    double num = 1, den = 1;
    for (Qword j = 0; j < t.n; ++j) {
      if (j == i) continue;
      num *= x - t.X(j);
      den *= xi - t.X(j);
    }
    if (den == 0) return ___NAN;
    // The ratio first: at a knot it is exactly 1 or 0.
    sum += t.Y(i) * (num / den);
  }
  return sum;
}

// work[j] ends as the divided difference over x[j] .. x[n-1]; the value is
// the Newton form anchored at the last point. Mode 1 re-expands it about x
// by repeated synthetic division, giving the Taylor coefficients there, and
// scales them to derivatives.
double Newton(const Table& t, double x, double* w, Qword mode) {
  const Qword n = t.n;
  for (Qword i = 0; i < n; ++i) w[i] = t.Y(i);
  for (Qword k = 1; k < n; ++k)
    for (Qword j = 0; j + k < n; ++j) w[j] = (w[j + 1] - w[j]) / (t.X(j + k) - t.X(j));
  if (mode != 1) {
    double v = w[0];
    for (Qword i = 1; i < n; ++i) v = v * (x - t.X(i)) + w[i];
    return v;
  }
  for (Qword i = 0, j = n - 1; i < j; ++i, --j) {
    const double s = w[i];
    w[i] = w[j];
    w[j] = s;
  }
  // After the reversal w[i] multiplies the product of (x - x[n-1-m]), m < i.
  double factorial = 1;
  for (Qword j = 1; j < n; ++j) {
    for (Qword k = n - 1; k >= j; --k) w[k - 1] += w[k] * (x - t.X(n - k + j - 1));
    if (j > 1) factorial *= static_cast<double>(j - 1);
    w[j - 1] *= factorial;
  }
  factorial *= static_cast<double>(n - 1);
  w[n - 1] *= factorial;
  return w[0];
}

}  // namespace

VELTRIA_API double RArrIntExtLagrangeXarrYarr(double x, const double* X, const double* Y, Qword n) {
  if (!X || !Y || n < 2) return ___NAN;
  return Lagrange(interp::Separate(X, Y, n), x);
}

VELTRIA_API double RArrIntExtLagrangeXYarr(double x, const double* XY, Qword n) {
  if (!XY || n < 2) return 0;
  return Lagrange(interp::Interleaved(XY, n), x);
}

VELTRIA_API double RArrIntExtNewtonXarrYarr(double x, const double* X, const double* Y, Qword n,
                                            double* work, Qword mode) {
  if (!X || !Y || !work || n < 2) return ___NAN;
  return Newton(interp::Separate(X, Y, n), x, work, mode);
}

VELTRIA_API double RArrIntExtNewtonXYarr(double x, const double* XY, Qword n, double* work,
                                         Qword mode) {
  if (!XY || !work || n < 2) return ___NAN;
  return Newton(interp::Interleaved(XY, n), x, work, mode);
}
