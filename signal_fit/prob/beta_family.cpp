// Beta, Fisher-Snedecor and Student families. The densities are evaluated
// in logarithms: the direct products of powers and beta functions overflow
// or cancel once a shape parameter reaches a few hundred.
#include <cmath>

#include "scalar/double_double.h"
#include "scalar/elementary.h"
#include "scalar/gamma.h"
#include "scalar/real_helpers.h"
#include "signal_fit/prob/log_beta.h"
#include "signal_fit/prob/probability.h"

namespace {
// Below this, products and quotients of the arguments split exactly into
// double-double parts (Dekker's split overflows near the top of the range).
constexpr double kDdLimit = 1e290;
}  // namespace

double pDfBeta(double x, double a, double b) {
  if (!(a > 0.0 && b > 0.0 && x >= 0.0 && x <= 1.0)) return ___NAN;
  if ((x == 0.0 && a < 1.0) || (x == 1.0 && b < 1.0)) return ___PlsINF;
  if (x == 0.0 && a == 1.0) return b;
  if (x == 1.0 && b == 1.0) return a;
  if (x == 0.0 || x == 1.0) return 0.0;
  return std::exp((a - 1.0) * std::log(x) + (b - 1.0) * std::log1p(-x) - ProbBetaLn(a, b));
}

double pCfBeta(double x, double a, double b) { return rBetaIncReg(x, a, b); }

double pQfBeta(double p, double a, double b) {
  if (!(p >= 0.0 && p <= 1.0)) return ___NAN;
  return rBetaIncRegInv(p, a, b);
}

double pDfFisherSnedecor(double x, double d1, double d2) {
  if (!(d1 > 0.0 && d2 > 0.0)) return ___NAN;
  if (x < ___5EpsReal) {
    if (std::fabs(d1 - 2.0) <= ___5EpsReal * 2.0) return 1.0;
    return d1 > 2.0 ? 0.0 : ___PlsINF;
  }
  // ln f = (d1/2) ln(d1 x/(d1 x + d2)) - (d2/2) ln(1 + d1 x/d2) - ln x - ln B.
  const double u = d1 * x;
  const double ln_f = 0.5 * d1 * (std::log(u) - std::log(u + d2)) - 0.5 * d2 * std::log1p(u / d2) -
                      std::log(x) - ProbBetaLn(0.5 * d1, 0.5 * d2);
  return std::exp(ln_f);
}

double pCfFisherSnedecor(double x, double d1, double d2) {
  // I_y(d1/2, d2/2) at y = u/(u + d2), u = d1 x. At large shapes I moves by
  // about the shapes times y's relative rounding (1e-11 at d1 = d2 = 1e8),
  // so y and its complement d2/(u + d2) are formed in double-double, each
  // from its own quotient; past 1/2 the value is the complement's upper
  // tail, which 1 minus the other side would lose.
  const double a = 0.5 * d1;
  const double b = 0.5 * d2;
  const double u = d1 * x;
  if (d1 < kDdLimit && d2 < kDdLimit && x < kDdLimit && u < kDdLimit) {
    const dd::DD uu = x >= 0 ? dd::TwoProd(d1, x) : dd::DD{u, 0.0};
    const dd::DD den = dd::Add(uu, {d2, 0.0});
    const dd::DD y = dd::Div(uu, den);
    if (!(y.hi > 0.5)) return rBetaIncRegTail(y.hi, y.lo, a, b, false);
    const dd::DD w = dd::Div({d2, 0.0}, den);
    return rBetaIncRegTail(w.hi, w.lo, b, a, true);
  }
  const double y = u / (u + d2);
  if (!(y > 0.5) && !std::isnan(y)) return rBetaIncReg(y, a, b);
  return rBetaIncRegTail(d2 / (u + d2), 0.0, b, a, true);
}

double pQfFisherSnedecor(double p, double d1, double d2) {
  if (p == 1.0) return ___PlsINF;
  if (!(p >= 0.0 && p <= 1.0)) return ___NAN;
  if (p < 0.5) {
    // The lower tail directly (u = d1 x/(d1 x + d2)): through 1 - p the
    // small p would round away and x with it.
    const double u = rBetaIncRegInv(p, 0.5 * d1, 0.5 * d2);
    return (d2 / d1) * (u / (1.0 - u));
  }
  const double y = rBetaIncRegInv(1.0 - p, 0.5 * d2, 0.5 * d1);
  return (d2 / d1) * (1.0 / y - 1.0);
}

namespace {

// ln of the normalising constant Gamma((nu+1)/2)/(sqrt(nu pi) Gamma(nu/2)),
// through the beta function so that the two large log-gammas do not cancel.
double StudentLnNorm(double nu) { return -0.5 * std::log(nu) - ProbBetaLn(0.5 * nu, 0.5); }

// The tail beyond |z| = t, 0.5 I_y(nu/2, 1/2) at y = nu/(nu + t^2). At large
// nu y lies next to 1, where its rounding, times the shape nu/2, swamps the
// tail (1e-9 at nu = 1500, all of it further out): there the tail is the
// upper tail of I_w(1/2, nu/2) at w = t^2/(nu + t^2). Both quotients are
// formed in double-double, each on its own.
double StudentTail(double t, double nu) {
  const double a = 0.5 * nu;
  dd::DD y, w;
  if (t < 1e100 && nu < kDdLimit) {
    const dd::DD t2 = dd::TwoProd(t, t);
    const dd::DD den = dd::Add(t2, {nu, 0.0});
    y = dd::Div({nu, 0.0}, den);
    w = dd::Div(t2, den);
  } else if (t * t > nu) {
    // Far out (or nu beyond the double-double range), without overflow.
    const double r = nu / t / t;
    if (r < 1e-280) {
      // y underflows, or nearly: the series' first term is all of it,
      // I_y(a, 1/2) = y^a / (a B(a, 1/2)) (1 + O(y)), taken in logarithms.
      const double ln_y = std::log(nu) - 2.0 * std::log(t);
      return 0.5 * std::exp(a * ln_y - std::log(a) - ProbBetaLn(a, 0.5));
    }
    y = {r / (1.0 + r), 0.0};
    w = {1.0 / (1.0 + r), 0.0};
  } else {
    const double q = t / nu * t;
    y = {1.0 / (1.0 + q), 0.0};
    w = {q / (1.0 + q), 0.0};
  }
  if (y.hi < 0.5) return 0.5 * rBetaIncRegTail(y.hi, y.lo, a, 0.5, false);
  return 0.5 * rBetaIncRegTail(w.hi, w.lo, 0.5, a, true);
}

}  // namespace

double pDfStudent(double x, double nu, double mu, double sigma) {
  if (!(nu > 0.0 && sigma > 0.0)) return ___NAN;
  const double z = (x - mu) / sigma;
  return std::exp(StudentLnNorm(nu) - 0.5 * (nu + 1.0) * std::log1p(z * z / nu)) / sigma;
}

double pDfStudent0(double x, double nu) { return pDfStudent(x, nu, 0.0, 1.0); }

double pCfStudent(double x, double nu, double mu, double sigma) {
  if (!(nu > 0.0 && sigma > 0.0)) return ___NAN;
  const double z = (x - mu) / sigma;
  if (std::isnan(z)) return ___NAN;
  const double tail = StudentTail(std::fabs(z), nu);
  return x <= mu ? tail : 1.0 - tail;
}

double pCfStudent0(double x, double nu) { return pCfStudent(x, nu, 0.0, 1.0); }

double pQfStudent(double p, double nu, double mu, double sigma) {
  if (p == 0.0) return ___MnsINF;
  if (p == 1.0) return ___PlsINF;
  if (!(p > 0.0 && p < 1.0)) return ___NAN;
  if (p == 0.5) return mu;
  const double tail = p < 0.5 ? 2.0 * p : 2.0 - 2.0 * p;
  double t;
  if (tail < 0.5) {
    const double y = rBetaIncRegInv(tail, 0.5 * nu, 0.5);
    t = sigma * std::sqrt(nu * (1.0 / y - 1.0));
  } else {
    // Near the centre y is close to 1 and 1/y - 1 cancels: invert the
    // complement w = 1 - y, with I_w(1/2, nu/2) = 1 - tail = |2p - 1|.
    const double w = rBetaIncRegInv(std::fabs(2.0 * p - 1.0), 0.5, 0.5 * nu);
    t = sigma * std::sqrt(nu * w / (1.0 - w));
  }
  return p < 0.5 ? mu - t : mu + t;
}

double pQfStudent0(double p, double nu) { return pQfStudent(p, nu, 0.0, 1.0); }
