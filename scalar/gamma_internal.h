// Kernels and cores of the gamma family, shared by its files; not exported.
#pragma once
#include "base/types.h"
#include "scalar/double_double.h"

namespace gamma_detail {
inline constexpr double kPi = 3.141592653589793;
inline constexpr double kLnPi = 1.1447298858494002;
inline constexpr double kHalfLn2Pi = 0.9189385332046728;
inline constexpr double kLn2 = 0.6931471805599453;
inline constexpr double kHalfLn2PiMinusHalf = 0.41893853320467274;
// From here on Stirling's series with Binet's remainder; below it the
// argument is shifted to [1.5, 2.5).
inline constexpr double kStirlingFrom = 12.0;

// sin(pi x) and cos(pi x) with the argument reduced exactly, so that large
// or nearly integer x keeps full accuracy; exact zeros at the zeros.
double SinPi(double x);
double CosPi(double x);
// ln x for every positive double: rLog is NaN at and below ___MinReal,
// while x^a for a small shape is far from 0 there.
double LogOfPositive(double x);
// The Stieltjes continued fraction of Binet's remainder
// lnGamma(s) - ((s - 0.5) ln s - s + ln sqrt(2 pi)), for s >= 8.5.
double BinetRemainder(double s);
// lnGamma(2 + z) for |z| <= 1/2 from its Taylor series.
double LnGamma2(double z);
// x = 2 + z + n with |z| <= 1/2 for 2.5 <= x < kStirlingFrom, and the
// product (x - 1)(x - 2)...(x - n) = Gamma(x)/Gamma(2 + z) in double-double.
struct ShiftedProduct {
  double z;
  dd::DD p;
};
ShiftedProduct ShiftDown(double x);
// lambda = a - (a + b) x without rounding error beyond the last step (zero
// at the peak of x^a (1 - x)^b).
dd::DD BetaIncLambda(double x, double a, double b);
// x^a (1 - x)^b / B(a, b) for 0 < x < 1 and positive shapes, accurate also
// at large shapes (the prefactor of the regularised incomplete beta). The
// argument is x + x_lo, x_lo a correction below half an ulp of x (lambda
// already includes it).
double BetaIncPrefactor(double x, double a, double b, dd::DD lambda, double x_lo = 0.0);
// ln(num/den) in double-double (relative error about 2^-104) for positive,
// finite num and den.
dd::DD LogRatio(dd::DD num, dd::DD den);
// ln B(a, b) for max(a, b) >= kStirlingFrom, both positive and a + b finite,
// as e + mu (+ lnGamma(min(a, b)) when with_gamma_q): e in double-double,
// free of cancellation, mu the small sum of Binet's remainders.
struct BetaLnParts {
  dd::DD e;
  double mu;
  bool with_gamma_q;
};
BetaLnParts BetaLnLarge(double a, double b);
// B(a, b) from those parts: a few ulp, 0 where it underflows, for positive
// shapes with max(a, b) >= kStirlingFrom.
double BetaLarge(double a, double b);
}  // namespace gamma_detail

VELTRIA_INTERNAL double rGammaLnStieltjes(double x);
VELTRIA_INTERNAL LibErrorCode rGammaIncSeries(double* sum, double a, double x);
VELTRIA_INTERNAL LibErrorCode rGammaIncContFrac(double* fraction, double a, double x);
VELTRIA_INTERNAL double rBetaIncCore(double x, double a, double b, bool regularized);
// I at x + x_lo, or 1 - I when upper (declared with the public functions).
VELTRIA_INTERNAL double rBetaIncRegTail(double x, double x_lo, double a, double b, bool upper);
// The incomplete-beta continued fraction at x for shapes a, b, with
// lambda = a - (a + b) x from BetaIncLambda.
VELTRIA_INTERNAL double rBetaIncContFrac(double x, double a, double b, double lambda);

VELTRIA_INTERNAL double rBetaCore(double a, double b);
VELTRIA_INTERNAL double rBetaLnCore(double a, double b);
VELTRIA_INTERNAL double rBeta3LnCore(double a, double b, double c);
VELTRIA_INTERNAL double rBetaMultiLnCore(Dword n, const double* values);
VELTRIA_INTERNAL double rBinomialLnCore(double x, Qlong k);
VELTRIA_INTERNAL double rBinomialCore(double x, Qlong k);
VELTRIA_INTERNAL double rGammaIncLowerCore(double a, double x);
VELTRIA_INTERNAL double rGammaIncPCore(double a, double x);
VELTRIA_INTERNAL double rGammaIncQCore(double a, double x);
VELTRIA_INTERNAL double rGammaIncUpperCore(double a, double x);
VELTRIA_INTERNAL double rPochhammerLnCore(double x, Qlong n);
VELTRIA_INTERNAL double rPsi0Core(double x);
VELTRIA_INTERNAL double rPsi1Core(double x);
