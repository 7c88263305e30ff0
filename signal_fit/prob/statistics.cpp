// Array statistics and clipped noise level.
#include "signal_fit/prob/statistics.h"

#include <cmath>

#include "scalar/real_helpers.h"

namespace {

double Mean(Qword n, const double* x) {
  double s = 0.0;
  for (Qword i = 0; i < n; ++i) s += x[i];
  return s / static_cast<double>(n);
}

}  // namespace

// Two passes (means first): the one-pass sum of products cancels badly
// when the means are large against the spread.
double pRArrCovariance(Qword n, const double* x, const double* y) {
  if (n == 0 || x == nullptr || y == nullptr) return ___NAN;
  const double mx = Mean(n, x);
  const double my = Mean(n, y);
  double s = 0.0;
  for (Qword i = 0; i < n; ++i) s += (x[i] - mx) * (y[i] - my);
  return s / static_cast<double>(n);
}

double pRArrVarianceCorr(Qlong n, const double* x, double c, double* mean) {
  if (x == nullptr || n <= 0 || !(static_cast<double>(n) + c >= 0.001)) return ___NAN;
  const Qword count = static_cast<Qword>(n);
  const double m = Mean(count, x);
  double s = 0.0;
  for (Qword i = 0; i < count; ++i) {
    const double d = x[i] - m;
    s += d * d;
  }
  if (mean != nullptr) *mean = m;
  return s / (static_cast<double>(n) + c);
}

double pRArrStdCorr(Qword n, const double* x, double c, double* mean) {
  if (n <= 1 || x == nullptr) return ___NAN;
  return std::sqrt(pRArrVarianceCorr(static_cast<Qlong>(n), x, c, mean));
}

// Each pass keeps the values inside |k s| (absolute values: the data are
// zero-centred noise) and re-estimates s from them. A zero s is final (no
// value lies strictly inside 0), and a pass that keeps fewer than two
// values leaves s as it was, instead of dividing by zero.
double pRArrStdThreshold(Qword n, const double* x, double k, Qword passes) {
  double s = pRArrStdCorr(n, x, -1.0, nullptr);
  if (!std::isfinite(s)) return s;
  for (Qword pass = 0; pass < passes; ++pass) {
    if (s == 0.0) return 0.0;
    const double limit = std::fabs(s * k);
    Qword m = 0;
    double sum = 0.0;
    for (Qword j = 0; j < n; ++j) {
      if (std::fabs(x[j]) < limit) {
        ++m;
        sum += x[j];
      }
    }
    if (m < 2) break;
    const double mean = sum / static_cast<double>(m);
    double q = 0.0;
    for (Qword j = 0; j < n; ++j) {
      if (std::fabs(x[j]) < limit) {
        const double d = x[j] - mean;
        q += d * d;
      }
    }
    s = std::sqrt(q / static_cast<double>(m - 1));
  }
  return s;
}
