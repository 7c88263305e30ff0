// Truncated singular-value inversion, the kernel builder and the forward
// model of the Laplace transform.
#include <cmath>

#include "arrays/rmat_linalg.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/fit/laplace.h"

VELTRIA_API Dword LaplaceInverseBySVD(const double* times, const double* y, Qword nt,
                                      const double* rates, Qword nr, double* amplitudes,
                                      double threshold, double* fitted) {
  if (!times || !y || !rates || nt == 0 || nr == 0) return kErrMissingInputData;
  if (!amplitudes) return kErrMissingOutputBuffer;
  if (nr > MaxArrCount<double>() / nt) return kErrAlloc;
  Dword error;
  const UniqueArr<double> block(NewRealArrFill(&error, nt * nr));
  if (!block) return error;
  double* const K = block.get();  // time index fastest
  for (Qword j = 0; j < nr; ++j)
    for (Qword i = 0; i < nt; ++i) K[i + nt * j] = std::exp(-rates[j] * times[i]);
  error = SolveLinearSystemBySVD(K, amplitudes, y, nt, nr, threshold);
  if (error == kErrNone && fitted) {
    for (Qword i = 0; i < nt; ++i) fitted[i] = 0;
    for (Qword j = 0; j < nr; ++j)
      for (Qword i = 0; i < nt; ++i) fitted[i] += K[i + nt * j] * amplitudes[j];
  }
  return error;
}

namespace {

// Point i of n from lo to hi, evenly in the value or in its logarithm.
double GridPoint(Qword i, Qword n, double lo, double hi, bool logarithmic) {
  if (i == 0) return lo;
  const double f = static_cast<double>(i) / static_cast<double>(n - 1);
  return logarithmic ? std::exp(std::log(lo) + (std::log(hi) - std::log(lo)) * f)
                     : lo + (hi - lo) * f;
}

}  // namespace

VELTRIA_API double* NewLaplaceKernel(double* rates, Dword nr, double rmin, double rmax,
                                     double* times, Dword nt, double tmin, double tmax,
                                     Dword gridFlags) {
  if (!rates || !times || nr == 0 || nt == 0 || !(tmin <= tmax) || !(rmin <= rmax)) return nullptr;
  const bool logT = gridFlags % 10 != 0, logR = (gridFlags / 10) % 10 != 0;
  if ((logT && !(tmin > 0)) || (logR && !(rmin > 0))) return nullptr;
  Dword error;
  double* K = NewRealArrFill(&error, Qword{nr} * nt);
  if (!K) return nullptr;
  for (Qword i = 0; i < nt; ++i) times[i] = GridPoint(i, nt, tmin, tmax, logT);
  for (Qword j = 0; j < nr; ++j) rates[j] = GridPoint(j, nr, rmin, rmax, logR);
  for (Qword i = 0; i < nt; ++i)
    for (Qword j = 0; j < nr; ++j) K[j + Qword{nr} * i] = std::exp(-times[i] * rates[j]);
  return K;
}

VELTRIA_API Dword RArrLaplaceDecay(Qword n, double* y, const double* times, Dword k,
                                   const double* amplitudes, const double* rates, double offset) {
  if (n == 0) return kErrNone;
  if (!times || (k != 0 && (!amplitudes || !rates))) return kErrMissingArguments;
  if (!y) return kErrMissingOutputBuffer;
  for (Qword i = 0; i < n; ++i) {
    double v = 0;
    for (Dword j = 0; j < k; ++j) v += amplitudes[j] * std::exp(-rates[j] * times[i]);
    y[i] = v + offset;
  }
  return kErrNone;
}
