// The three-value convergence test, Aitken's extrapolation and the
// exponential factor x^n / n!.
#include <cmath>

#include "scalar/numerical_tools.h"
#include "scalar/real_helpers.h"

VELTRIA_API bool rConvergenceTest3(double x, double* h0, double* h1, double* h2, double tol) {
  const double c = tol < 0 ? std::fabs(tol) : std::fabs(tol * x);
  // !(d > c): a comparison with NaN counts as a pass.
  const bool pass =
      !(std::fabs(x - *h2) > c) && !(std::fabs(x - *h1) > c) && !(std::fabs(x - *h0) > c);
  *h2 = *h1;
  *h1 = *h0;
  *h0 = x;
  return pass;
}

VELTRIA_API double rEgfFactor(double x, Qword n) {
  double term = 1;
  for (Qword i = 1; i <= n; ++i) term *= x / static_cast<double>(i);
  return term;
}

VELTRIA_API double rAitkenDelta2(double s0, double s1, double s2, uint8_t* flag) {
  if (flag) *flag = 0;
  const double d1 = s1 - s0;
  const double d2 = s2 - s1;
  if ((d1 < 0) != (d2 < 0)) return s2 - 0.5 * d2;
  if (std::fabs(d2) < std::fabs(d1) * (1 + ___5EpsReal)) return s2 - d2 * (d2 / (d2 - d1));
  if (flag) *flag = 1;
  return s2;
}

VELTRIA_API double rDerivative(double x, RealFunc f) {
  const double h = ___SqrtEpsReal;
  const double m3 = f(x - 3 * h), m2 = f(x - 2 * h), m1 = f(x - h);
  const double p1 = f(x + h), p2 = f(x + 2 * h), p3 = f(x + 3 * h);
  return (-0.1071428571428571 * m3 - 0.0714285714285714 * m2 - 0.0357142857142857 * m1 +
          0.0357142857142857 * p1 + 0.0714285714285714 * p2 + 0.1071428571428571 * p3) /
         h;
}
