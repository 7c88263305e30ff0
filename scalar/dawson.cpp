// Dawson's integral by its continued fraction, with its derivatives, a
// rational approximation, and the functions built on it.
#include "scalar/elementary.h"
#include "scalar/error_functions.h"
#include "scalar/error_functions_internal.h"
#include "scalar/real_helpers.h"

namespace {
constexpr double kTwoDivSqrtPi = 1.1283791670955126;
constexpr double kFourDivSqrtPi = 2.256758334191025;

// From here on the closed forms of the derivatives cancel (F''' at x = 300
// would lose ten digits); the asymptotic series of F, differentiated term by
// term, is accurate to the last digit there.
constexpr double kAsymptoticFrom = 8;

// The order-th derivative (1 to 3) of F(x) = Σ c_k x^-(2k+1),
// c_k = (2k-1)!!/2^(k+1), for |x| >= kAsymptoticFrom.
double DerivativeAsymptotic(double x, int order) {
  const double r = 1 / (x * x);
  double c = 0.5;                                            // c_k
  double p = order == 1 ? r : (order == 2 ? r / x : r * r);  // x^-(2k+1+order)
  double sum = 0;
  for (int k = 0; k < 60; ++k) {
    const double m = 2.0 * k + 1;
    double f = -m;  // the factor that differentiating x^-m order times brings
    if (order >= 2) f *= -(m + 1);
    if (order >= 3) f *= -(m + 2);
    const double term = f * c * p;
    sum += term;
    if (rAbs(term) <= ___EpsReal * 0.25 * rAbs(sum)) break;
    c *= 0.5 * (2.0 * k + 1);
    p *= r;
  }
  return sum;
}
}  // namespace

double rDawsonContFrac(double x) {
  const double t = 2 * x * x;
  // The convergents A/B of 1/(1 + t - 2t/(3 + t - 4t/(5 + t - ...))) by the
  // fundamental recurrences, until one repeats exactly: this finds the depth.
  double a = -2 * t;
  double b = 3 + t;
  double a_prev2 = 1, b_prev2 = 1 + t;
  double a_prev = b, b_prev = b * (1 + t) + a;
  double h = a_prev / b_prev;
  int k = 2;
  while (k < 100) {
    ++k;
    a -= 2 * t;
    b += 2;
    const double an = b * a_prev + a * a_prev2;
    const double bn = b * b_prev + a * b_prev2;
    a_prev2 = a_prev;
    b_prev2 = b_prev;
    a_prev = an;
    b_prev = bn;
    const double next = an / bn;
    if (next == h) break;
    h = next;
  }
  // The recurrences cancel (40 eps near x = 5); the same fraction evaluated
  // backwards from a few levels deeper holds to two ulps.
  double r = 0;
  for (int j = k + 10; j >= 1; --j) r = 2 * j * t / (2 * j + 1 + t - r);
  return 1 / (1 + t - r);
}

VELTRIA_API double rDawson(double x) {
  const double m = rAbs(x);
  if (m < ___Root4EpsReal) {
    const double x2 = x * x;
    return x * (1 - x2 * (0.6666666666666666 - x2 * 0.26666666666666666));
  }
  if (m > 1 / ___Root4EpsReal) {
    const double r = 1 / (x * x);
    return 0.5 * (1 + r * (0.5 + r * 0.75)) / x;
  }
  return x * rDawsonContFrac(x);
}

VELTRIA_API double rDawsonD(double x) {
  if (rAbs(x) >= kAsymptoticFrom) return DerivativeAsymptotic(x, 1);
  return 1 - 2 * x * rDawson(x);
}

VELTRIA_API double rDawsonD2(double x) {
  if (rAbs(x) >= kAsymptoticFrom) return DerivativeAsymptotic(x, 2);
  return 2 * ((2 * x * x - 1) * rDawson(x) - x);
}

VELTRIA_API double rDawsonD3(double x) {
  if (rAbs(x) >= kAsymptoticFrom) return DerivativeAsymptotic(x, 3);
  const double x2 = x * x;
  return 4 * (x2 - 1 + (3 - 2 * x2) * x * rDawson(x));
}

VELTRIA_API double rDawsonRa5(double x) {
  const double a = x * x;
  const double n =
      1 + a * (0.10499349466048 +
               a * (0.04240606039766 +
                    a * (0.00726441824394 + a * (0.00050640337857 + a * 0.0001789970704))));
  const double d =
      1 + a * (0.77154710187852 +
               a * (0.2909738638668 +
                    a * (0.06945557612124 +
                         a * (0.01400054416892 + a * (0.0008327944835 + a * 0.0003579941408)))));
  return x * n / d;
}

VELTRIA_API double rHilbertTransformOfGaussian(double x) { return kTwoDivSqrtPi * rDawson(x); }

// e^(x²) through the split square keeps erfi accurate up to its overflow
// (about x = 26.6, where rExp gives NaN).
VELTRIA_API double rErfi(double x) { return kTwoDivSqrtPi * rDawson(x) * ExpOfSignedSquare(x, 1); }
VELTRIA_API double rErfiD(double x) { return kTwoDivSqrtPi * ExpOfSignedSquare(x, 1); }
VELTRIA_API double rErfiD2(double x) { return kFourDivSqrtPi * x * ExpOfSignedSquare(x, 1); }
