// Mean decay time of a signal (in points and in abscissa units) and the
// line width it implies.
#include <cmath>
#include <limits>
#include <numbers>

#include "base/double_to_int.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/signal/fourier.h"
#include "signal_fit/signal/sarr.h"

VELTRIA_API Dword SArrMeanDecayInPoints(Qword n, const double* s, bool spectrum, double* T,
                                        bool* truncated) {
  if (!T) return kErrMissingOutputBuffer;
  *T = 0;
  if (truncated) *truncated = false;
  if (!s) return kErrMissingInputData;
  if (n < 2) return kErrIllegalArgument;
  double* decay = nullptr;
  const double* z = s;
  Qword L = n;
  if (spectrum) {
    Dword error = kErrNone;
    decay = NewSArrEval(&error, n, s, 34, 1, 0);
    if (!decay) return error;
    z = decay;
    L = n / 2;
  }
  Dword status = kErrNone;
  for (bool first = true;; first = false) {
    double s1 = 0, s1t = 0, s2 = 0, s2t = 0;
    for (Qword t = 0; t < L; ++t) {
      const double p = z[t] * z[t] + z[n + t] * z[n + t];
      const double a = std::sqrt(p);
      const double td = static_cast<double>(t);
      s1 += a;
      s1t += td * a;
      s2 += p;
      s2t += td * p;
    }
    if (s2 == 0) {
      status = kErrMissingInputData;
      break;
    }
    const double tau = std::sqrt((s1t / s1) * (2 * s2t / s2));
    // A NaN or infinite sample leaves no decay time to measure, and the
    // window length derived from it would be meaningless.
    if (!std::isfinite(tau)) {
      *T = 0;
      status = kErrIllegalArgument;
      break;
    }
    *T = tau;
    const double Ld = static_cast<double>(L);
    if (first && truncated && 2 * tau >= Ld) *truncated = true;
    if (5 * tau >= Ld) break;
    L = DoubleToQword(4.5 * tau);
  }
  KillPtr(&decay);
  return status;
}

VELTRIA_API double SArrMeanDecayInPhysicalUnits(Qword n, const double* s, double x_first,
                                                double x_last, bool* truncated) {
  double T = 0;
  if (SArrMeanDecayInPoints(n, s, false, &T, truncated) != kErrNone)
    return std::numeric_limits<double>::quiet_NaN();
  return T * (x_last - x_first) / static_cast<double>(n - 1) + x_first;
}

VELTRIA_API double SArrMeanLineWidthInPoints(Qword n, const double* s, bool spectrum) {
  double T = 0;
  if (SArrMeanDecayInPoints(n, s, spectrum, &T, nullptr) != kErrNone)
    return std::numeric_limits<double>::quiet_NaN();
  return static_cast<double>(n) / (std::numbers::pi * T);
}
