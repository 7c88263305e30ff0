// Weibull family (shape k, scale lambda).
#include <cmath>

#include "scalar/gamma.h"
#include "scalar/real_helpers.h"
#include "signal_fit/prob/probability.h"

double pDfWeibull(double x, double k, double lambda) {
  if (k < 0.0 || lambda < 0.0) return ___NAN;
  if (x < 0.0) return 0.0;
  const double r = x / lambda;
  return (k / lambda) * rPow(r, k - 1.0) * std::exp(-rPow(r, k));
}

double pCfWeibull(double x, double k, double lambda) {
  if (k < 0.0 || lambda < 0.0) return ___NAN;
  if (x < 0.0) return 0.0;
  return -std::expm1(-rPow(x / lambda, k));
}

double pCfUWeibull(double x, double k, double lambda) {
  if (k < 0.0 || lambda < 0.0) return ___NAN;
  if (x < 0.0) return 1.0;
  return std::exp(-rPow(x / lambda, k));
}

namespace {

// M(s) = sum_n s^n Gamma(1 + n/k)/n!, s = t lambda. Each term is formed in
// logarithms: the power and n! alone overflow long before their ratio does
// (k = 1 gave inf/inf). Returns false when the sum cannot be trusted: the
// 1000 terms ran out, a positive tail left after the last term (by the ratio
// of the last two) exceeds a few eps of the sum, or the rounding of the
// terms (each carries that of its logarithm, which grows with n) adds up to
// more than 32 eps of the sum, as where the alternating terms of s near -1
// cancel over hundreds of terms. Just above k = 1 the terms fall like
// n^(-n (1 - 1/k)) and at s near 1 need millions of terms.
bool WeibullMgfSeries(double s, double k, double* out) {
  double sum = 1.0;
  double last = 1.0;
  double rounding = 0.0;  // sum of |term| times the size of its logarithm
  const double ls = std::log(std::fabs(s));
  for (int n = 1; n <= 1000; ++n) {
    const double nd = n;
    const double lg1 = rGammaLn(1.0 + nd / k);
    const double lg2 = rGammaLn(nd + 1.0);
    const double ln_term = nd * ls + lg1 - lg2;
    double term = std::exp(ln_term);
    rounding += term * (2.0 + std::fabs(nd * ls) + std::fabs(lg1) + lg2);
    if (s < 0.0 && (n & 1)) term = -term;
    const double before = sum;
    sum += term;
    if (std::fabs(sum - before) < ___EpsReal) {
      const double ratio = std::fabs(term / last);
      // An alternating tail is bounded by its first term, already below eps.
      const bool tail_ok =
          s < 0.0 || ratio < 0.5 || std::fabs(term) * ratio / (1.0 - ratio) <= 4 * ___EpsReal * sum;
      if (!tail_ok || rounding > 32.0 * std::fabs(sum)) return false;
      *out = sum;
      return true;
    }
    last = term;
  }
  return false;
}

// phi(w) = ln k + k w + s e^w - e^(k w): the logarithm of the integrand of
// M(s) = int k v^(k-1) exp(s v - v^k) dv in w = ln v.
double WeibullPhi(double w, double s, double k) {
  return std::log(k) + k * w + s * std::exp(w) - std::exp(k * w);
}

// phi' = k (1 + z - e^(k w)) with z = (s/k) e^w vanishes once, where
// h(w) = k w - ln(1 + z) does; h is nearly straight (slope between k - 1 and
// k for s > 0), so Newton's method converges in a few steps where on phi'
// itself, exponential in w, it would crawl by 1/k a step. Beyond z = -1
// (s < 0) phi' is negative: h is +inf there.
double PeakEquation(double w, double s, double k, double* slope) {
  const double z = s / k * std::exp(w);
  if (!(z > -1.0)) {
    *slope = ___PlsINF;
    return ___PlsINF;
  }
  *slope = k - z / (1.0 + z);
  return k * w - std::log1p(z);
}

// The integral in w = ln v by the trapezoidal rule after w = w* + A sinh tau,
// centred on the one peak w* of phi and scaled by its width A: the peak is
// resolved however narrow it is (s above 1 with k just above 1, or k of a
// million), and both tails (e^(k w) to the left, doubly exponential to the
// right) fall doubly exponentially in tau. Steps of 1/24 reach rounding level
// (about 1e-14; the rest is the condition of M in s).
double WeibullMgfIntegral(double s, double k) {
  double slope = 0;
  double lo = 0.0;
  double hi = 0.0;
  if (s > 0.0) {
    hi = 1.0;
    while (PeakEquation(hi, s, k, &slope) < 0.0) {
      lo = hi;
      hi *= 2.0;
      // The peak lies beyond v = e^512, where exp(s v - v^k) overflows.
      if (hi > 512.0) return ___PlsINF;
    }
  } else {
    lo = -1.0;
    while (PeakEquation(lo, s, k, &slope) > 0.0) {
      hi = lo;
      lo *= 2.0;
      if (lo < -2048.0) return 0.0;  // beyond any double s
    }
  }
  // Newton's steps inside the bracket, bisection when a step leaves it.
  double w = 0.5 * (lo + hi);
  for (int i = 0; i < 200; ++i) {
    const double h = PeakEquation(w, s, k, &slope);
    if (h < 0.0)
      lo = w;
    else
      hi = w;
    double next = w - h / slope;
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
    const bool done = std::fabs(next - w) <= 1e-15 * std::fmax(1.0, std::fabs(w));
    w = next;
    if (done) break;
  }
  // At the peak e^(k w) = 1 + z and s e^w = k z: phi and phi'' follow
  // without the large exponentials.
  const double z = s / k * std::exp(w);
  const double top = std::log(k) + k * w + (k - 1.0) * z - 1.0;
  if (top > 800.0) return ___PlsINF;  // ln M is top less a few
  const double width = 1.0 / std::sqrt(k * (k + (k - 1.0) * z));
  constexpr double kStep = 1.0 / 24.0;
  double sum = 0.0;
  for (int side = 0; side < 2; ++side) {
    for (int j = side; j < 4000; ++j) {
      const double tau = (side == 0 ? j : -j) * kStep;
      const double value =
          std::exp(WeibullPhi(w + width * std::sinh(tau), s, k) - top) * std::cosh(tau);
      if (!(value >= 0.0)) break;
      sum += value;
      if (j > 2 && value < 1e-18 * sum) break;
    }
  }
  return std::exp(top + std::log(sum * width * kStep));
}

}  // namespace

double pMGfWeibull(double t, double k, double lambda) {
  if (!(k >= 1.0) || lambda < 0.0) return ___NAN;
  const double s = t * lambda;
  if (std::isnan(s)) return ___NAN;
  if (s == 0.0) return 1.0;
  if (k == 1.0) return s < 1.0 ? 1.0 / (1.0 - s) : ___NAN;  // exponential law
  if (std::isinf(s)) return s > 0.0 ? ___PlsINF : 0.0;
  double sum = 0.0;
  if (s >= -1.0 && WeibullMgfSeries(s, k, &sum)) return sum;
  // For s < -1 the series alternates with huge terms; where it does not
  // settle the integral is taken instead.
  return WeibullMgfIntegral(s, k);
}

double pMeanWeibull(double k, double lambda) {
  if (k < 0.0 || lambda < 0.0) return ___NAN;
  return lambda * rGamma(1.0 + 1.0 / k);
}

double pMedianWeibull(double k, double lambda) {
  if (k < 0.0 || lambda < 0.0) return ___NAN;
  return lambda * rPow(0.6931471805599453, 1.0 / k);
}

double pModeWeibull(double k, double lambda) {
  if (lambda < 0.0) return ___NAN;
  if (k <= 1.0) return 0.0;
  return lambda * rPow((k - 1.0) / k, 1.0 / k);
}
