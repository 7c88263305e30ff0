// Derivatives and antiderivatives of x^m for a signed power m; a logarithm
// enters the antiderivatives once the power reaches -1.
#include "scalar/log_derivatives.h"
#include "scalar/real_helpers.h"
#include "scalar/special_numbers.h"

VELTRIA_API double riPowerAD(double x, Qlong m, Qlong n) {
  if (m >= 0) return ruPowerAD(x, static_cast<Qword>(m), n);
  if (n == 0) return riPower(x, m);
  const double dm = static_cast<double>(m);
  if (n < 0 && m < n) {
    // x^(m-n) / ((m+1)(m+2)...(m+|n|)), every factor negative and non-zero.
    double d = 1.0;
    for (Qlong i = 1; i <= -n && !rIsNAN(d); ++i) d *= dm + static_cast<double>(i);
    return riPower(x, m - n) / d;  // m < n < 0: no wrap
  }
  if (n < 0) {
    // The antiderivative of x^-1 is ln|x|: divide by (m+1)(m+2)...(-1).
    double d = 1.0;
    for (Qlong i = 1; i < -m && !rIsNAN(d); ++i) d *= dm + static_cast<double>(i);
    return rLogAD(rAbs(x), n - m) / d;
  }
  // m (m-1) ... (m-n+1) x^(m-n); the exponent saturates rather than wraps.
  double c = 1.0;
  for (Qlong i = 0; i < n && !rIsNAN(c); ++i) c *= dm - static_cast<double>(i);
  Qlong e;
  if (__builtin_sub_overflow(m, n, &e)) e = INT64_MIN;
  return c * riPower(x, e);
}
