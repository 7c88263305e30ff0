// Zero- and first-order phasing of spectra, the phase of the strongest
// point, and the time-domain phase polynomial.
#include <cmath>
#include <limits>

#include "base/error_codes.h"
#include "scalar/elementary.h"
#include "scalar/int_helpers.h"
#include "scalar/real_helpers.h"
#include "signal_fit/fit/phase_estimate.h"
#include "signal_fit/signal/fourier.h"

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

inline void Rotate(double& re, double& im, double c, double s) {
  const double r = re * c - im * s;
  im = re * s + im * c;
  re = r;
}
}  // namespace

VELTRIA_API Dword SArrFdApplyPhases(Qword n, const double* src, double* dst, double phi0,
                                    double phi1) {
  if (!src || n == 0) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  if (!std::isfinite(phi0) || !std::isfinite(phi1)) return kErrIllegalArgument;
  const double nd = static_cast<double>(n);
  if (std::fabs(phi1) < nd * ___EpsReal) {
    const double c = std::cos(phi0), s = std::sin(phi0);
    for (Qword i = 0; i < n; ++i) {
      dst[i] = src[i];
      dst[n + i] = src[n + i];
      Rotate(dst[i], dst[n + i], c, s);
    }
    return kErrNone;
  }
  // The rotation advances by the step phi1/n without further trigonometry:
  // c' = c cos d - s sin d written as c - (c f + s sin d), f = 1 - cos d.
  const double start = phi0 - 0.5 * phi1;
  double c = std::cos(start), s = std::sin(start);
  const double step = phi1 / nd;
  const double sigma = std::sin(step);
  const double root = std::sqrt(1 - sigma * sigma);
  // f = 1 - cos d; for |d| beyond a quarter turn the cosine is negative and
  // 1 - cos d has no cancellation to avoid.
  const double f = std::cos(step) < 0 ? 1 + root : sigma * sigma / (1 + root);
  for (Qword i = 0; i < n; ++i) {
    dst[i] = src[i];
    dst[n + i] = src[n + i];
    Rotate(dst[i], dst[n + i], c, s);
    const double cn = c - (c * f + s * sigma);
    const double sn = s - (s * f - c * sigma);
    c = cn;
    s = sn;
  }
  return kErrNone;
}

VELTRIA_API double SArrFdLocalPhase(Qword n, const double* spectrum, Qword* index, Qword first,
                                    Qword last) {
  if (index) *index = kNoIndex;
  if (!spectrum || n == 0) return kNaN;
  uNormalizeIndexWindow(&first, &last, n - 1, 0);
  double best = -std::numeric_limits<double>::max();
  Qword at = first;
  for (Qword i = first; i <= last; ++i) {
    const double p = spectrum[i] * spectrum[i] + spectrum[n + i] * spectrum[n + i];
    if (p > best) {
      best = p;
      at = i;
    }
  }
  if (index) *index = at;
  return rAzimuth(spectrum[at], spectrum[n + at]);
}

VELTRIA_API Dword SArrFdCalcPhases(Qword n, const double* spectrum, Long mode, double* phi0,
                                   double* phi1) {
  if (!phi0 || !phi1) return kErrMissingOutputBuffer;
  *phi0 = kNaN;
  *phi1 = kNaN;
  if (!spectrum || n == 0) return kErrMissingInputData;
  switch (mode) {
    case 1:
      *phi1 = 0;
      *phi0 = SArrFdLocalPhase(n, spectrum, nullptr, kNoIndex, kNoIndex);
      return kErrNone;
    case 2:
      return SArrFdCalcPhasesBySimplex(n, spectrum, phi0, phi1);
    default:
      return kErrNone;
  }
}

VELTRIA_API Dword SArrTdPhasorApplyCoefs(Qword n, const double* src, double* dst, Qword k,
                                         const double* coef, Qword first, Qword last) {
  if (!coef || k == 0) return kErrMissingInputData;
  if (!src || n == 0) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  uNormalizeIndexWindow(&first, &last, n - 1, 0);
  const double x0 = static_cast<double>(first);
  for (Qword i = 0; i < n; ++i) {
    const double x = static_cast<double>(i) - x0;
    double p = coef[k - 1];
    for (Qword j = k - 1; j-- > 0;) p = p * x + coef[j];
    const double c = std::cos(p), s = std::sin(p);
    const double re = src[i], im = src[n + i];
    dst[i] = re * c + im * s;
    dst[n + i] = -re * s + im * c;
  }
  return kErrNone;
}
