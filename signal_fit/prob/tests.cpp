// The chi-square goodness-of-fit test and the analysis-of-variance bound.
#include <cmath>

#include "base/error_codes.h"
#include "scalar/gamma.h"
#include "scalar/real_helpers.h"
#include "signal_fit/prob/statistics.h"

LibErrorCode pTestChiSquare(Qword dof, Qword n, const double* observed, const double* expected,
                            double variance, double* p, double* reduced) {
  if (dof == 0 || n == 0) return kErrIllegalParameters;
  if (observed == nullptr || expected == nullptr || variance == 0.0) return kErrMissingInputData;
  if (p == nullptr) return kErrMissingOutputBuffer;
  double chi2 = 0.0;
  for (Qword i = 0; i < n; ++i) {
    const double d = observed[i] - expected[i];
    chi2 += d * d;
  }
  chi2 /= variance;
  // The upper tail directly: 1 - P(a, x) would lose small p entirely.
  *p = rGammaIncQ(0.5 * static_cast<double>(dof), 0.5 * chi2);
  if (reduced != nullptr) *reduced = chi2 / static_cast<double>(dof);
  return kErrNone;
}

LibErrorCode pAnovaTest(Qword k, double alpha, const double* a, double c, const double* m, Qword d,
                        double* out) {
  if (k <= 1 || !rIsBetweenAtoB(alpha, 0.0, 1.0) || !(c >= 0.0) || a == nullptr || m == nullptr ||
      d == 0) {
    return kErrIllegalParameters;
  }
  if (out == nullptr) return kErrMissingOutputBuffer;
  // Upper-alpha normal quantile by the rational approximation in t.
  const double t = std::sqrt(-2.0 * std::log1p(-alpha));
  const double z = std::isinf(t)
                       ? t
                       : t - (2.515517 + 0.802853 * t + 0.010328 * t * t) /
                                 (1.0 + 1.432788 * t + 0.189269 * t * t + 0.001308 * t * t * t);
  const double km1 = static_cast<double>(k - 1);
  double g = std::exp(2.0 * z * std::sqrt(km1 + (z * z - 3.0) / 6.0) / km1);
  if (!(g >= 1.0)) g = 1.0;
  for (Qword i = 0; i < d; ++i) out[i] = std::sqrt((g - 1.0) * a[i] * c * m[i + d * i]);
  return kErrNone;
}
