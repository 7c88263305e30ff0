// Real factorials and double factorials, and x/n! and x n! kept finite by
// logarithms: exact integer tables where they reach, log-gamma beyond.
#include "scalar/combinatorics.h"
#include "scalar/elementary.h"
#include "scalar/gamma.h"
#include "scalar/gamma_internal.h"
#include "scalar/gamma_tables.h"
#include "scalar/real_helpers.h"

using namespace gamma_detail;

namespace {
double ExactFactorial(Qword n) { return static_cast<double>(uFactorial(n, nullptr)); }
double ExactDoubleFactorial(Qword n) { return static_cast<double>(uDoubleFactorial(n, nullptr)); }
double LnFactorialAbove20(Qword n) { return rGammaLn(static_cast<double>(n) + 1.0); }
}  // namespace

VELTRIA_API double rFactorial(Qlong n) {
  if (n < 0) return 0.0;
  // Correctly rounded from a table: exp(lnGamma(n + 1)) was 1000 ulp off.
  if (n <= 170) return kFactorials[n];
  return ___PlsINF;
}

VELTRIA_API double rFactorialLn(Qlong n) {
  if (n < 0) return ___NAN;
  if (n <= 20) return rLog(ExactFactorial(static_cast<Qword>(n)));
  return rGammaLn(static_cast<double>(n) + 1.0);
}

VELTRIA_API double rDoubleFactorial(Qlong n) {
  if (n < 0) return 0.0;
  if (n < 34) return ExactDoubleFactorial(static_cast<Qword>(n));
  if (n > 300) return ___PlsINF;
  const double dn = static_cast<double>(n);
  if (n & 1) return rGamma(1.0 + 0.5 * dn) * rSqrt(ruPower(2.0, static_cast<Qword>(n + 1)) / kPi);
  return rFactorial(n / 2) * ruPower(2.0, static_cast<Qword>(n / 2));
}

VELTRIA_API double rDoubleFactorialLn(Qlong n) {
  if (n < 0) return ___NAN;
  if (n < 34) return rLog(ExactDoubleFactorial(static_cast<Qword>(n)));
  const double dn = static_cast<double>(n);
  if (n & 1) return rGammaLn(1.0 + 0.5 * dn) + 0.5 * ((dn + 1.0) * kLn2 - kLnPi);
  return rFactorialLn(n / 2) + 0.5 * dn * kLn2;
}

VELTRIA_API double rDivByFact(double x, Qword n) {
  if (x == 0) return x;
  if (n <= 20) return x / ExactFactorial(n);
  const double m = rExp(rLog(rAbs(x)) - LnFactorialAbove20(n));
  return x < 0 ? -m : m;
}

VELTRIA_API double rDivByFactLn(double x, Qword n) {
  if (x == 0) return ___NAN;
  if (n <= 20) return rLog(rAbs(x)) - rFactorialLn(static_cast<Qlong>(n));
  return rLog(rAbs(x)) - LnFactorialAbove20(n);
}

VELTRIA_API double rMulByFact(double x, Qword n) {
  if (x == 0) return x;
  if (n <= 20) return x * ExactFactorial(n);
  const double m = rExp(rLog(rAbs(x)) + LnFactorialAbove20(n));
  return x < 0 ? -m : m;
}

VELTRIA_API double rMulByFactLn(double x, Qword n) {
  if (x == 0) return ___NAN;
  if (n <= 20) return rLog(rAbs(x)) + rFactorialLn(static_cast<Qlong>(n));
  return rLog(rAbs(x)) + LnFactorialAbove20(n);
}
