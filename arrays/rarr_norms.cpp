// Norms, distances, variances and variations of real arrays.
#include <algorithm>
#include <cmath>

#include "arrays/rarr_reduce.h"
#include "scalar/real_helpers.h"

namespace {

// Euclidean length by scaled summation: s the largest magnitude so far, q
// the sum of squares in units of s². Zero and NaN magnitudes are skipped.
template <class F>
double ScaledL2(Qword count, F magnitude) {
  double s = 0, q = 1;
  for (Qword i = 0; i < count; ++i) {
    const double v = magnitude(i);
    if (!(v > 0)) continue;
    if (v > s) {
      const double r = s / v;
      q = 1 + q * (r * r);
      s = v;
    } else {
      // v == s gives 1 exactly, also for two infinities (inf/inf is NaN).
      const double r = v == s ? 1.0 : v / s;
      q += r * r;
    }
  }
  return s * std::sqrt(q);
}

template <class F>
double LargestOf(Qword count, F magnitude) {
  double m = magnitude(0);
  for (Qword i = 1; i < count; ++i) {
    const double v = magnitude(i);
    if (v > m) m = v;
  }
  return m;
}

}  // namespace

VELTRIA_API double RArrNormL1(Qword count, const double* x) {
  if (!x || count == 0) return ___NAN;
  return LargestOf(count, [x](Qword i) { return std::fabs(x[i]); });
}

VELTRIA_API double RArrNormL2(Qword count, const double* x) {
  if (!x || count == 0) return ___NAN;
  return ScaledL2(count, [x](Qword i) { return std::fabs(x[i]); });
}

VELTRIA_API double RArrMetricL1(Qword count, const double* a, const double* b) {
  if (!a || !b || count == 0) return ___NAN;
  return LargestOf(count, [a, b](Qword i) { return std::fabs(a[i] - b[i]); });
}

VELTRIA_API double RArrMetricL2(Qword count, const double* a, const double* b) {
  if (!a || !b || count == 0) return ___NAN;
  return ScaledL2(count, [a, b](Qword i) { return std::fabs(a[i] - b[i]); });
}

VELTRIA_API double RArrMetricStans(Qword count, const double* a, const double* b) {
  if (!a || !b) return 14.0;
  if (count == 0) return ___NAN;
  const double sa = RArrSum(count, a, false), sb = RArrSum(count, b, false);
  double ca = 0, cb = 0, d = 0;
  for (Qword i = 0; i < count; ++i) {
    ca += a[i] / sa;
    cb += b[i] / sb;
    d += (ca - cb) * (ca - cb);
  }
  return std::sqrt(d / static_cast<double>(count));
}

VELTRIA_API double RArrMetricStansLoc(Qword count, const double* a, const double* b, double lo,
                                      double hi, double width) {
  if (!a || !b) return 14.0;
  if (count == 0) return ___NAN;
  if (lo > hi) std::swap(lo, hi);
  const double last = static_cast<double>(count - 1);
  const double L = std::max(lo, 0.0);
  const double H = hi >= static_cast<double>(count) ? last : hi;
  const double w = width > 0 ? width : 0.1;
  const double sa = RArrSum(count, a, false), sb = RArrSum(count, b, false);
  double ca = 0, cb = 0, W = 0, d = 0;
  for (Qword j = 0; j < count; ++j) {
    const double x = static_cast<double>(j);
    double weight = 1;
    if (x < L) {
      const double t = (L - x) / w;
      weight = std::exp(-t * t);
    } else if (x > H) {
      const double t = (x - H) / w;
      weight = std::exp(-t * t);
    }
    ca += weight * a[j] / sa;
    cb += weight * b[j] / sb;
    W += weight;
    d += (ca - cb) * (ca - cb);
  }
  return std::sqrt(d / W);
}

namespace {

template <class F>
double VarianceAbout(Qword count, const double* x, double m, F f) {
  double s = 0;
  for (Qword i = count; i-- > 0;) {
    const double d = f(x[i]) - m;
    s += d * d;
  }
  return s / static_cast<double>(count);
}

}  // namespace

VELTRIA_API double RArrVariance(Qword count, const double* x, double* mean) {
  const double m = RArrMeanA(count, x);
  if (mean) *mean = m;
  if (!x || count == 0) return ___NAN;
  return VarianceAbout(count, x, m, [](double v) { return v; });
}

VELTRIA_API double RArrStd(Qword count, const double* x, double* mean) {
  const double v = RArrVariance(count, x, mean);
  if (!x || count < 2) return ___NAN;
  return std::sqrt(v);
}

VELTRIA_API double RArrAbsVariance(Qword count, const double* x, double* mean) {
  const double m = RArrAbsMeanA(count, x);
  if (mean) *mean = m;
  if (!x || count == 0) return ___NAN;
  return VarianceAbout(count, x, m, [](double v) { return std::fabs(v); });
}

namespace {

template <class F>
double StepSum(Qword count, const double* x, F f) {
  if (!x || count == 0) return 0.0;
  double s = 0;
  for (Qword i = 1; i < count; ++i) s += f(x[i] - x[i - 1]);
  return s;
}

}  // namespace

VELTRIA_API double RArrVariation(Qword count, const double* x) {
  return StepSum(count, x, [](double d) { return std::fabs(d); });
}
VELTRIA_API double RArrVariationPls(Qword count, const double* x) {
  return StepSum(count, x, [](double d) { return d > 0 ? d : 0.0; });
}
VELTRIA_API double RArrVariationMns(Qword count, const double* x) {
  return StepSum(count, x, [](double d) { return d < 0 ? -d : 0.0; });
}
