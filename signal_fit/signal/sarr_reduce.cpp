// Magnitude and power reductions of signal arrays and the normalisation to
// a given largest magnitude.
#include <cfloat>
#include <cmath>
#include <limits>

#include "base/error_codes.h"
#include "scalar/safe_arith.h"
#include "signal_fit/signal/sarr.h"

VELTRIA_API double SArrMaxPower(Qword n, const double* s, Qword* index) {
  if (index) *index = kNoIndex;
  if (!s || n == 0) return std::numeric_limits<double>::quiet_NaN();
  // Strictly larger only: the first of equal maxima wins, NaN never does.
  double best = -DBL_MAX;
  Qword at = 0;
  for (Qword i = 0; i < n; ++i) {
    const double p = s[i] * s[i] + s[n + i] * s[n + i];
    if (p > best) {
      best = p;
      at = i;
    }
  }
  if (index) *index = at;
  return best;
}

VELTRIA_API double SArrMaxMagnitude(Qword n, const double* s, Qword* index) {
  const double p = SArrMaxPower(n, s, index);
  if (!std::isfinite(p)) return p;
  return std::sqrt(p);
}

VELTRIA_API double SArrMeanPower(Qword n, const double* s) {
  if (!s || n == 0) return std::numeric_limits<double>::quiet_NaN();
  double sum = 0;
  for (Qword i = 0; i < n; ++i) sum += s[i] * s[i] + s[n + i] * s[n + i];
  return sum / static_cast<double>(n);
}

VELTRIA_API double SArrMeanMagnitude(Qword n, const double* s) {
  return std::sqrt(SArrMeanPower(n, s));
}

VELTRIA_API Dword SArrNormalizeMagnitude(Qword n, const double* src, double* dst, double* level) {
  if (!src) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  if (!level) return kErrMissingParameters;
  if (*level == 0) return SArrZero(n, dst);
  const double m = SArrMaxMagnitude(n, src, nullptr);
  const double factor = rSafeDiv(*level, m);
  *level = m;
  if (!std::isfinite(factor)) return kErrOverflow;
  return SArrMulByReal(n, src, dst, factor, factor);
}
