// Whole-array quadrature at unit spacing (trapezoid, Simpson 1/3 and 3/8)
// and the mean m-th difference.
#include <cmath>

#include "arrays/rarr_integrate.h"
#include "arrays/rarr_reduce.h"
#include "scalar/real_helpers.h"

VELTRIA_API double RArrTrapez2(const double* y) { return 0.5 * (y[0] + y[1]); }

VELTRIA_API double RArrSimpson3(const double* y) { return (y[0] + 4 * y[1] + y[2]) / 3; }

VELTRIA_API double RArrSimpson38(const double* y) {
  if (!y) return ___NAN;
  return 0.375 * (y[0] + 3 * y[1] + 3 * y[2] + y[3]);
}

VELTRIA_API double RArrTrapez2Ex(Qword n, const double* y) {
  if (!y || n == 0) return ___NAN;
  if (n == 1) return 0.0;
  return RArrSum(n, y, true) - 0.5 * (y[0] + y[n - 1]);
}

VELTRIA_API double RArrSimpson3Ex(Qword n, const double* y) {
  if (!y || n == 0) return ___NAN;
  if (n == 1) return 0.0;
  if (n == 2) return RArrTrapez2(y);
  const Qword k = (n & 1) ? n : n - 1;
  const double even = RArrSkipSum(k, y, 2);
  const double odd = RArrSkipSum(k - 1, y + 1, 2);
  if (std::isnan(even)) return even;
  if (std::isnan(odd)) return odd;
  double s = (2 * even + 4 * odd - y[0] - y[k - 1]) / 3;
  if (k < n) s += 0.5 * (y[n - 2] + y[n - 1]);
  return s;
}

VELTRIA_API double RArrSimpson38Ex(Qword n, const double* y) {
  if (!y || n == 0) return ___NAN;
  if (n == 1) return 0.0;
  if (n == 2) return RArrTrapez2(y);
  if (n == 3) return RArrSimpson3(y);
  const Qword m = n - (n - 1) % 3;
  const double s0 = RArrSkipSum(m, y, 3);
  const double s1 = RArrSkipSum(m - 1, y + 1, 3);
  const double s2 = RArrSkipSum(m - 2, y + 2, 3);
  if (std::isnan(s0)) return s0;
  if (std::isnan(s1)) return s1;
  if (std::isnan(s2)) return s2;
  double s = 0.375 * (2 * s0 + 3 * s1 + 3 * s2 - y[0] - y[m - 1]);
  // The remainder: one interval by the trapezoid, two by a Simpson panel.
  if (n - m == 1) s += RArrTrapez2(y + m - 1);
  if (n - m == 2) s += RArrSimpson3(y + m - 1);
  return s;
}

VELTRIA_API double RArrMthCurvature(Qword n, double* y, Dword m) {
  if (!y) return 14.0;
  if (m > n) return 0.0;  // no m-th difference exists: the empty sum
  // Pass i leaves in y[j] (j > i) the (i+1)-th difference ending at j.
  for (Qword i = 0; i < m; ++i)
    for (Qword j = n - 1; j > i; --j) y[j] -= y[j - 1];
  double s = 0;
  for (Qword j = m; j < n; ++j) s += y[j];
  double factorial = 1;
  for (Dword k = 2; k <= m; ++k) factorial *= k;
  return s / static_cast<double>(n - m) / factorial;
}
