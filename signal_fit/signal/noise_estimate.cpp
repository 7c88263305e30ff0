// White-noise level of a real array: from the residual of a Savitzky-Golay
// smoothing, or from the spread of sorted neighbour differences.
#include <algorithm>
#include <cmath>
#include <limits>

#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/signal/savgol.h"

namespace {
// Standard deviation of zero-centred noise, clipped: each pass keeps the
// values within |threshold s| of zero.
double ClippedStd(Qword n, const double* x, double threshold, Qword passes) {
  double mean = 0;
  for (Qword i = 0; i < n; ++i) mean += x[i];
  mean /= static_cast<double>(n);
  double q = 0;
  for (Qword i = 0; i < n; ++i) q += (x[i] - mean) * (x[i] - mean);
  double s = std::sqrt(q / static_cast<double>(n - 1));
  if (!std::isfinite(s)) return s;
  for (Qword pass = 0; pass < passes; ++pass) {
    const double limit = std::fabs(s * threshold);
    double m = 0, S = 0, Q = 0;
    for (Qword i = 0; i < n; ++i) {
      if (std::fabs(x[i]) < limit) {
        m += 1;
        S += x[i];
        Q += x[i] * x[i];
      }
    }
    s = std::sqrt((Q - S * S / m) / (m - 1));
  }
  return s;
}
}  // namespace

VELTRIA_API Dword RArrNoiseEstimateBySavitskyGolay(Qword n, const double* data, double* noise,
                                                   double* smoothed, Qword order, Qword window,
                                                   Qword passes, double threshold) {
  if (!data || n == 0) return kErrMissingInputData;
  if (!noise) return kErrMissingOutputBuffer;
  Dword error = kErrNone;
  double* work = NewRealArrFill(&error, 2 * n);
  if (!work) return error;
  double* sm = work;
  double* residual = work + n;
  double g = 0, c0 = 0;
  Dword status = RArrSavitskyGolayEx(n, data, sm, &g, 0, 0, order, window, 0, &c0);
  if (status == kErrNone) {
    for (Qword i = 0; i < n; ++i) residual[i] = data[i] - sm[i];
    const double sigma = n < 2 ? std::numeric_limits<double>::quiet_NaN()
                               : ClippedStd(n, residual, threshold, passes);
    // 1 + g^2 - 2 c0 is the variance ratio of the residual; a filter that
    // reproduces every sample (window of one) leaves no residual to scale.
    const double ratio = 1 + g * g - 2 * c0;
    if (!(ratio > 0) || !std::isfinite(sigma)) {
      status = kErrIllegalArgument;
    } else {
      *noise = sigma / std::sqrt(ratio);
      if (smoothed) std::copy(sm, sm + n, smoothed);
    }
  }
  KillPtr(&work);
  return status;
}

VELTRIA_API Dword RArrNoiseEstimateBySorting(Qword n, const double* data, double* noise,
                                             Dword flag) {
  if (!data || n < 16) return kErrMissingInputData;
  if (!noise) return kErrMissingOutputBuffer;
  Dword error = kErrNone;
  double* d1 = NewRealArrFill(&error, 2 * n);
  if (!d1) return error;
  double* d8 = d1 + n;
  // The entries past the differences are 0: they sit at the centre of the
  // distribution and barely move its quantiles.
  for (Qword i = 0; i < n; ++i) {
    d1[i] = i + 1 < n ? data[i] - data[i + 1] : 0.0;
    d8[i] = i + 8 < n ? data[i] - data[i + 8] : 0.0;
  }
  std::sort(d1, d1 + n);
  std::sort(d8, d8 + n);
  Qword t = n / 20;
  if (t < 8) t = 8;
  Qword ipos = 0, jneg = 0;
  for (Qword i = 0; i < n; ++i)
    if (d1[i] > 0) {
      ipos = i;
      break;
    }
  for (Qword i = n; i-- > 0;)
    if (d1[i] < 0) {
      jneg = i;
      break;
    }
  const Qword hi = std::min(ipos + t, n - 1);
  const Qword lo = jneg < t ? 0 : jneg - t;
  const double f = static_cast<double>(hi) - static_cast<double>(lo) -
                   (static_cast<double>(ipos) - static_cast<double>(jneg)) + 1;
  const double scale = static_cast<double>(n - 1) / f;
  const double s1 = scale * (d1[hi] - d1[lo]);
  const double s8 = scale * (d8[hi] - d8[lo]);
  const double rho = 10 * s1 <= s8 ? 10.0 : s8 / s1;
  constexpr double kTwoSqrtPi = 3.544907701811032;
  double v = (flag != 0 && rho > 1) ? (s8 + 0.25 * rho * (s8 - s1)) / kTwoSqrtPi : s8 / kTwoSqrtPi;
  const double floor = 1e-10 * (d8[n - 1] - d8[0]);
  if (!(v > floor)) v = floor;
  *noise = v;
  KillPtr(&d1);
  return kErrNone;
}
