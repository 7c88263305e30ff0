// Lorentzian peaks, soft steps, soft-edged rectangles, bumps and smooth
// thresholds, each with Lorentzian (L) and Gaussian (G) flanks.
#include "scalar/shapes.h"

#include "scalar/elementary.h"
#include "scalar/real_helpers.h"

namespace {
constexpr double kLn2 = 0.6931471805599453;
constexpr double kDefaultCut = 0.01;

// The L value y = 1/(1 + f²) becomes 2^(-f²) = exp(ln 2·(y - 1)/y).
double GaussianEdge(double y, double cut) {
  if (y < cut) return 0;
  return rExp(kLn2 * (y - 1) / y);
}
}  // namespace

VELTRIA_API double rLorentzianPeak0(double u) {
  const double h = 0.5 * u;
  return 1 / (1 + h * h);
}

VELTRIA_API double rLorentzianPeak(double x, double x0, double w, double A) {
  return A * rLorentzianPeak0((x - x0) / w);
}

VELTRIA_API double rLorentzianPeakArea(double w, double A) { return 1.5707963267948966 * w * A; }

VELTRIA_API double rBiLorentzianPeak(double x, double lo, double c, double hi) {
  const double f = x < c ? (x - c) / (c - lo) : (x - c) / (hi - c);
  return 1 / (1 + f * f);
}

// NaN stays NaN (the hard-step test alone would turn it into 0 or 1).
VELTRIA_API double rSoftStepUpL(double x, double w) {
  if (x != x) return x;
  if (w != w) return w;
  w = rAbs(w);
  if (!(x + w > x)) return x >= 0 ? 1 : 0;
  const double q = (x / w) * (x / w);
  const double r = q / (1 + q);
  return x < 0 ? 0.5 * (1 - r) : 0.5 * (1 + r);
}

VELTRIA_API double rSoftStepUpG(double x, double w, double cut) {
  return GaussianEdge(rSoftStepUpL(x, w), cut);
}

VELTRIA_API double rSoftStepDownL(double x, double w) { return 1 - rSoftStepUpL(x, w); }

VELTRIA_API double rSoftStepDownG(double x, double w) {
  return 1 - rSoftStepUpG(x, w, kDefaultCut);
}

VELTRIA_API double rSoftEdgedRectL(double x, double lo, double hi, double wlo, double whi) {
  double f = 0;
  if (x >= hi && whi != 0) {
    f = (x - hi) / whi;
  } else if (x <= lo && wlo != 0) {
    f = (lo - x) / wlo;
  }
  return 1 / (1 + f * f);
}

VELTRIA_API double rSoftEdgedRectG(double x, double lo, double hi, double wlo, double whi,
                                   double cut) {
  return GaussianEdge(rSoftEdgedRectL(x, lo, hi, wlo, whi), cut);
}

VELTRIA_API double rBumpL(double x, double w, double e) {
  return rSoftEdgedRectL(x, -w / 2, w / 2, e, e);
}

VELTRIA_API double rBumpG(double x, double w, double e, double cut) {
  return GaussianEdge(rBumpL(x, w, e), cut);
}

VELTRIA_API double rBumpReledgeL(double x, double c, double r) {
  if (r < 0) r = 0;
  if (r > 1) r = 1;
  return rBiLorentzianPeak(x, c / (1 + r), c, (1 + r) * c);
}

VELTRIA_API double rBumpReledgeG(double x, double c, double r, double cut) {
  return GaussianEdge(rBumpReledgeL(x, c, r), cut);
}

VELTRIA_API double rThresholdL(double x, double lo, double mid, double hi, double s) {
  lo = rAbs(lo);
  mid = rAbs(mid);
  hi = rAbs(hi);
  if (lo > hi) {
    const double t = lo;
    lo = hi;
    hi = t;
  }
  if (mid < lo) mid = lo;
  if (mid > hi) mid = hi;
  const double base = 1;
  const double d = rAbs(x - mid);
  if (hi - lo >= 1000 * d) return 0.5 * base;
  if (x < mid) {
    // In the reciprocal variable: beyond 1000 times the lower half-range
    // (every x <= 0 included) the value is 0.
    if (mid * lo > x * (1000 * (mid - lo) + lo)) return 0;
    const double a = s * (1 / x - 1 / mid) / (1 / lo - 1 / mid);
    return 0.5 * base * (1 - a * a / (1 + a * a));
  }
  if (x > mid) {
    if (x > mid + 1000 * (hi - mid)) return base;
    const double a = s * (x - mid) / (hi - mid);
    return 0.5 * base * (1 + a * a / (1 + a * a));
  }
  return ___NAN;  // only NaN arguments reach here
}

VELTRIA_API double rThresholdG(double x, double lo, double mid, double hi, double s, double cut) {
  return GaussianEdge(rThresholdL(x, lo, mid, hi, s), cut);
}

VELTRIA_API double rThresholdRelL(double x, double c, double r) {
  return rThresholdL(x, c / (1 + r), c, (1 + r) * c, 3);
}

VELTRIA_API double rThresholdRelG(double x, double c, double r, double cut) {
  return GaussianEdge(rThresholdRelL(x, c, r), cut);
}
