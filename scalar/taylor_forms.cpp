// Difference quotients against the Taylor polynomial. Below the switch
// points the short series; above them forms without cancellation, so the
// quotient keeps full precision on both sides of every switch.
#include <array>
#include <cmath>

#include "scalar/elementary.h"
#include "scalar/real_helpers.h"

namespace {
constexpr double kHalfPi = 1.5707963267948966;

constexpr double Factorial(int n) {
  double f = 1;
  for (int k = 2; k <= n; ++k) f *= k;
  return f;
}

// 1/(k+2)!: (e^x - 1 - x)/x^2 for |x| < 1 to below half an ulp.
constexpr std::array<double, 18> kExpT2Series = [] {
  std::array<double, 18> c{};
  for (int k = 0; k < 18; ++k) c[k] = 1.0 / Factorial(k + 2);
  return c;
}();

// (sin m - m cos m)/m^3 = sum over k >= 1 of (-1)^(k+1) 2k/(2k+1)! m^(2k-2):
// tan m - m without cancellation for m < 1.
constexpr std::array<double, 10> kSinMinusMCos = [] {
  std::array<double, 10> c{};
  for (int k = 1; k <= 10; ++k) c[k - 1] = (k % 2 ? 1.0 : -1.0) * (2.0 * k) / Factorial(2 * k + 1);
  return c;
}();

template <std::size_t N>
double Horner(const std::array<double, N>& c, double x) {
  double s = c[N - 1];
  for (std::size_t i = N - 1; i-- > 0;) s = c[i] + x * s;
  return s;
}
}  // namespace

VELTRIA_API double rExpM1(double x) {
  const double a = std::fabs(x);
  if (a < ___EpsReal) return x;
  if (a < ___SqrtEpsReal) return x * (1 + x * (0.5 + x / 6));
  if (a < ___Root4EpsReal) return x * (1 + x * (0.5 + x * (1.0 / 6 + x * (1.0 / 24 + x / 120))));
  // rExp's guards; expm1 itself instead of e^x - 1, which cancels.
  if (x > ___LnMaxReal) return ___NAN;
  if (x < ___LnMinReal) return -1.0;
  return std::expm1(x);
}

VELTRIA_API double rExpT1(double x) {
  const double a = std::fabs(x);
  if (a < ___EpsReal) return 1.0;
  if (a < ___SqrtEpsReal) return 1 + x * (0.5 + x / 6);
  if (a < ___Root4EpsReal) return 1 + x * (0.5 + x * (1.0 / 6 + x * (1.0 / 24 + x / 120)));
  return rExpM1(x) / x;
}

VELTRIA_API double rExpT2(double x) {
  const double a = std::fabs(x);
  if (a < ___EpsReal) return 0.5;
  if (a < ___SqrtEpsReal) return 0.5 + x / 6;
  if (a < ___Root4EpsReal) return 0.5 + x * (1.0 / 6 + x * (1.0 / 24 + x / 120));
  if (a < 1) return Horner(kExpT2Series, x);
  // Divided twice so that x^2 cannot overflow.
  return (rExpM1(x) - x) / x / x;
}

VELTRIA_API double rLogT1(double x) {
  const double a = std::fabs(x);
  if (a < ___Root4EpsReal) return 1 + x * (-0.5 + x * (1.0 / 3 - x / 4));
  if (a < 1e-3) {
    return 1 + x * (-0.5 + x * (1.0 / 3 + x * (-0.25 + x * (0.2 + x * (-1.0 / 6 + x / 7)))));
  }
  if (!(1 + x > ___MinReal)) return ___NAN;  // the logarithm's guard on 1 + x
  return std::log1p(x) / x;
}

VELTRIA_API double rSqrtT1(double x) {
  const double a = std::fabs(x);
  if (a < 1e-6) return 0.5 + x * (-0.125 + x * (0.0625 - x * (5.0 / 128)));
  if (a < 1e-3) {
    return 0.5 +
           x * (-0.125 +
                x * (0.0625 +
                     x * (-5.0 / 128 + x * (7.0 / 256 + x * (-21.0 / 1024 + x * (33.0 / 2048))))));
  }
  // (sqrt(1 + x) - 1)/x rewritten without the cancelling difference.
  return 1 / (std::sqrt(1 + x) + 1);
}

VELTRIA_API double rCbrtT1(double x) {
  const double a = std::fabs(x);
  if (a < 1e-6) return 1.0 / 3 + x * (-1.0 / 9 + x * (5.0 / 81 - x * (10.0 / 243)));
  if (a < 1e-3) {
    return 1.0 / 3 +
           x * (-1.0 / 9 +
                x * (5.0 / 81 + x * (-10.0 / 243 + x * (22.0 / 729 + x * (-154.0 / 6561 +
                                                                          x * (374.0 / 19683))))));
  }
  // c^3 - 1 = (c - 1)(c^2 + c + 1), and c^2 + c + 1 >= 3/4 never cancels.
  const double c = std::cbrt(1 + x);
  return 1 / (c * c + c + 1);
}

VELTRIA_API double rCosT2(double x) {
  const double m = std::fabs(x);
  if (m < 1e-3) {
    const double m2 = m * m;
    return 0.5 + m2 * (-1.0 / 24 + m2 / 720);
  }
  // 1 - cos m = 2 sin^2(m/2) keeps the digits that 1 - cos m loses.
  const double h = 0.5 * m;
  const double s = std::sin(h) / h;
  return 0.5 * s * s;
}

VELTRIA_API double rCosT1(double x) { return x * rCosT2(x); }
VELTRIA_API double rHsinc(double x) { return -rCosT1(x); }

VELTRIA_API double rTanT3(double x) {
  const double m = std::fabs(x);
  if (m >= kHalfPi) return ___NAN;
  const double m2 = m * m;
  if (m < 1e-3) return 1.0 / 3 + m2 * (2.0 / 15 + m2 * (17.0 / 315));
  // tan m - m = (sin m - m cos m)/cos m, the numerator by its series.
  if (m < 1) return Horner(kSinMinusMCos, m2) / std::cos(m);
  return (std::tan(m) - m) / (m2 * m);
}
