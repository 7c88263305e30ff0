// Integer powers of a magnitude with or without the sign, and the
// derivatives and antiderivatives of x^m for unsigned m.
#include "scalar/elementary.h"
#include "scalar/gamma.h"
#include "scalar/real_helpers.h"
#include "scalar/special_numbers.h"

namespace {
// x^e times exp(log_factor), through logarithms: used when the factorial
// ratio alone overflows although the product may not.
double PowerTimesExp(double x, Qword e, double log_factor) {
  if (x == 0) return e == 0 ? rExp(log_factor) : 0.0;
  const double m = rExp(static_cast<double>(e) * rLog(rAbs(x)) + log_factor);
  return (x < 0 && (e & 1)) ? -m : m;
}
}  // namespace

VELTRIA_API double riAbsPower(double x, Qlong n) { return riPower(rAbs(x), n); }

VELTRIA_API double riSignedPower(double x, Qlong n) {
  const double v = riPower(rAbs(x), n);
  return x < 0 ? -v : v;
}

VELTRIA_API double ruPowerAD(double x, Qword m, Qlong n) {
  if (n == 0) return ruPower(x, m);
  const double dm = static_cast<double>(m);
  if (n < 0) {
    // |n|-fold antiderivative: x^(m+|n|) / ((m+1)(m+2)...(m+|n|)).
    const Qword k = Qword{0} - static_cast<Qword>(n);
    const Qword e = m + k < m ? ~Qword{0} : m + k;
    double d = 1.0;
    for (Qword i = 1; i <= k; ++i) {
      d *= dm + static_cast<double>(i);
      if (rIsNAN(d))
        return PowerTimesExp(x, e, rGammaLn(dm + 1.0) - rGammaLn(static_cast<double>(e) + 1.0));
    }
    return ruPower(x, e) / d;
  }
  const Qword k = static_cast<Qword>(n);
  if (m < k) return 0.0;
  // m (m-1) ... (m-k+1) x^(m-k)
  double c = 1.0;
  for (Qword i = 0; i < k; ++i) {
    c *= dm - static_cast<double>(i);
    if (rIsNAN(c))
      return PowerTimesExp(x, m - k,
                           rGammaLn(dm + 1.0) - rGammaLn(static_cast<double>(m - k) + 1.0));
  }
  return c * ruPower(x, m - k);
}
