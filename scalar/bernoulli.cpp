// Bernoulli numbers, their generating function and the Bernoulli
// polynomials.
#include "base/error_codes.h"
#include "base/memory.h"
#include "scalar/elementary.h"
#include "scalar/gamma.h"
#include "scalar/real_helpers.h"
#include "scalar/special_number_tables.h"
#include "scalar/special_numbers.h"

namespace {
constexpr double kTwoPi = 6.283185307179586;

// zeta(n) for the even n beyond the table; 1 from 53 on.
double ZetaForBernoulli(Qword n) { return n < 53 ? 1.0 + ruRiemannZetaM1(n) : 1.0; }

double SignForEven(Qword n, double magnitude) { return (n & 2) ? magnitude : -magnitude; }
}  // namespace

VELTRIA_API double rBernoulliNum(Qword n) {
  if (n == 1) return -0.5;
  if (n & 1) return 0.0;
  if (n <= 40) return BernoulliTable[n / 2];
  const double z = ZetaForBernoulli(n);
  double m;
  if (n > 149) {
    // 2 n!/(2 pi)^n in logarithms
    m = rExp(rFactorialLn(static_cast<Qlong>(n)) - 1.8378770664093456 * static_cast<double>(n) +
             0.6931471805599453);
  } else {
    m = rFactorial(static_cast<Qlong>(n)) * z * 2.0 / ruPower(kTwoPi, n);
  }
  return SignForEven(n, m);
}

VELTRIA_API double rBernoulliPlusNum(Qword n) { return n == 1 ? 0.5 : rBernoulliNum(n); }

VELTRIA_API double rBernoulliNumDivFact(Qword n) {
  if (n == 1) return -0.5;
  if (n & 1) return 0.0;
  if (n <= 40) return BernoulliDivFactTable[n / 2];
  return SignForEven(n, 2.0 * ZetaForBernoulli(n) / ruPower(kTwoPi, n));
}

VELTRIA_API double rBernoulliNumEgf(double x) {
  const double m = rAbs(x);
  if (m < ___EpsReal) return 1.0;
  if (m < ___SqrtEpsReal) return 1.0 - x / 2 + x * x / 12;
  if (m < ___Root5EpsReal) return 1.0 - x / 2 + x * x / 12 - x * x * x * x / 720;
  return x / (rExp(x) - 1.0);
}

VELTRIA_API double rBernoulliPolynomial(double x, Qlong n) {
  if (n == 0) return 1.0;
  if (n < 0) return ___NAN;  // no polynomial of negative degree
  if (x == 0) return rBernoulliNum(static_cast<Qword>(n));
  const double dn = static_cast<double>(n);
  double value = 1.0;
  double binom = 1.0;
  for (Qlong i = 1; i <= n; ++i) {
    const double di = static_cast<double>(i);
    binom = binom * (dn - di + 1.0) / di;
    value = x * value;
    if (i == 1 || !(i & 1)) value += binom * rBernoulliNum(static_cast<Qword>(i));
  }
  return value;
}

VELTRIA_API LibErrorCode rBernoulliFillPoly(Qword n, double* coefficients) {
  if (!coefficients) return kErrMissingOutputBuffer;
  const double dn = static_cast<double>(n);
  coefficients[n] = 1.0;
  double binom = 1.0;
  for (Qword i = 1; i <= n; ++i) {
    const double di = static_cast<double>(i);
    binom = binom * (dn - di + 1.0) / di;
    coefficients[n - i] = binom * rBernoulliNum(i);
  }
  return 0;
}

VELTRIA_API double* rBernoulliNewPoly(Dword* error, Qword n) {
  Dword err = 0;
  if (n == ~Qword{0}) {
    // n + 1 values do not fit a count.
    if (error) *error = kErrAlloc;
    return nullptr;
  }
  double* poly = NewRealArrFill(&err, n + 1);
  if (!poly) {
    if (error) *error = err;
    return nullptr;
  }
  err = rBernoulliFillPoly(n, poly);
  if (err != 0) KillPtr(&poly);
  if (error) *error = err;
  return poly;
}
