// Combination of independent normal estimates of one quantity, and the
// smallest common scale of their uncertainties that makes them consistent.
#include <cmath>

#include "base/error_codes.h"
#include "scalar/real_helpers.h"
#include "signal_fit/prob/statistics.h"

namespace {

constexpr double kSqrt2Pi = 2.5066282746310007;
// Doubling from 1 reaches the largest double after about 1024 steps; each
// halving round adds fewer. No consistent scale within this many steps
// means the threshold cannot be met.
constexpr int kMaxScaleSteps = 4096;

}  // namespace

double pDfNormalCombiMlp(double x, Dword n, const double* mu, const double* sigma) {
  double s = 0.0;
  for (Dword i = 0; i < n; ++i) {
    const double z = (x - mu[i]) / sigma[i];
    s += 0.5 * z * z + std::log(kSqrt2Pi * sigma[i]);
  }
  return s;
}

LibErrorCode pNormalBayCombi(Dword n, const double* x, const double* sigma, double* mean,
                             double* sd, double* mlp, double scale) {
  if (n == 0 || x == nullptr || sigma == nullptr) return kErrIllegalParameters;
  if (mean == nullptr || sd == nullptr || mlp == nullptr) return kErrMissingOutputBuffer;
  double w = 0.0;
  double m = 0.0;
  for (Dword i = 0; i < n; ++i) {
    const double b = sigma[i] * scale;
    const double wi = 1.0 / (b * b);
    w += wi;
    m += x[i] * wi;
  }
  *mean = m / w;
  *sd = std::sqrt(1.0 / w);
  const double nd = static_cast<double>(n);
  *mlp = pDfNormalCombiMlp(*mean, n, x, sigma) / nd - std::log(kSqrt2Pi * *sd) - 0.5 * std::log(nd);
  return kErrNone;
}

// The search doubles the scale until the combination is consistent, then
// halves the step (back one step each time) down to about 1 %. A NaN or -inf
// threshold can never be met, and a NaN likelihood never falls below it:
// both are rejected instead of looping for ever.
LibErrorCode pNormalBayCombiCor(Long n, const double* x, const double* sigma, double* mean,
                                double* sd, double* sd_out, double* mlp, double* mlp_out,
                                double* scale_out, double threshold) {
  if (n <= 0) return kErrIllegalParameters;
  if (sd_out == nullptr || mlp_out == nullptr || scale_out == nullptr) {
    return kErrMissingOutputBuffer;
  }
  *scale_out = 1.0;
  const Dword count = static_cast<Dword>(n);
  const LibErrorCode status = pNormalBayCombi(count, x, sigma, mean, sd, mlp, 1.0);
  if (status != kErrNone) return status;
  *sd_out = *sd;
  *mlp_out = *mlp;
  if (*mlp < threshold) return kErrNone;
  if (std::isnan(threshold) || threshold == ___MnsINF || std::isnan(*mlp)) {
    return kErrIllegalParameters;
  }
  double d = 2.0;
  int steps = 0;
  for (;;) {
    do {
      if (++steps > kMaxScaleSteps) return kErrNoConvergence;
      *scale_out *= d;
      pNormalBayCombi(count, x, sigma, mean, sd_out, mlp_out, *scale_out);
      if (std::isnan(*mlp_out)) return kErrNoConvergence;
    } while (!(*mlp_out < threshold));
    if (d < 1.01) break;
    *scale_out /= d;
    d = 1.0 + (d - 1.0) / 2.0;
  }
  return kErrNone;
}
