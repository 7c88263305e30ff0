// Entry points of filters that are not built yet: they mark the first
// sample so that a caller sees no result was produced.
#include <limits>

#include "base/error_codes.h"
#include "signal_fit/signal/filters.h"

VELTRIA_API Dword RArrArtifactRemoval(double* data, Dword n, Dword, const void* params) {
  (void)n;
  if (!data) return kErrNone;
  if (!params) return kErrMissingParameters;
  data[0] = std::numeric_limits<double>::quiet_NaN();
  return kErrNone;
}

VELTRIA_API Dword SArrArtifactRemoval(double* data, Dword n, Dword, const void* params) {
  if (!data) return kErrNone;
  if (!params) return kErrMissingParameters;
  data[0] = std::numeric_limits<double>::quiet_NaN();
  data[n] = std::numeric_limits<double>::quiet_NaN();
  return kErrNone;
}

VELTRIA_API Dword RArrMonotoneFilter(Qword, const double*, double*, const void*) {
  return kErrNone;
}
