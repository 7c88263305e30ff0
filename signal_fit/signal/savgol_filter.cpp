// Savitzky-Golay filters of real arrays: one centred coefficient set with
// clamped ends, or off-centre sets for the end points.
#include <cmath>
#include <cstring>

#include "arrays/rarr_ops.h"
#include "arrays/smoothing.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/signal/savgol.h"

namespace {
double InverseFactorial(Qword k) {
  double f = 1;
  for (Qword j = 2; j <= k; ++j) f *= static_cast<double>(j);
  return 1.0 / f;
}
}  // namespace

VELTRIA_API Dword RArrSavitskyGolay(Qword n, const double* in, double* out, double width, Qword k,
                                    Qword* order, Qword* points, double* gain, Dword flags,
                                    double position) {
  if (!order || !points || !gain) return kErrMissingParameters;
  if (!(width > 0.5)) width = 0.5;
  if (!(flags & 1)) *points = RArrSGpoints(k, width, order);
  if (k > *order) return kErrIllegalArgument;
  double* c = RArrNewSGcoeff(k, *points, *order, position, gain);
  if (!c) return kErrAlloc;
  const Dword status = RArrConvolute(n, in, out, *points, c);
  KillPtr(&c);
  if (status != kErrNone || (flags & 2) || k == 0) return status;
  const double f = InverseFactorial(k);
  *gain *= f;
  return RArrIpMulConst(n, out, f);
}

VELTRIA_API Dword RArrSavitskyGolayEx(Qword n, const double* in, double* out, double* gain,
                                      double position, Qword k, Qword p, Qword m, Dword flags,
                                      double* centre) {
  if (centre) *centre = 0;
  if (!in || n == 0) return kErrMissingInputData;
  if (!out) return kErrMissingOutputBuffer;
  if (!gain) return kErrMissingParameters;
  if (m < 3) m = 3;
  m |= 1;
  if (m > n) m = (n - 1) | 1;
  if (m > n) m = n;  // n = 1
  // The fit needs fewer coefficients than samples.
  if (p >= m) p = m - 1;
  if (k > p) return kErrIllegalArgument;
  Dword error = kErrNone;
  double* copy = nullptr;
  if (in == out) {
    copy = NewRealArrFill(&error, n);
    if (!copy) return error;
    std::memcpy(copy, in, n * sizeof(double));
    in = copy;
  }
  const Qword h = (m - 1) / 2;
  Dword status = kErrNone;
  auto apply = [&](double x, const double* window, Qword j, double* g) {
    double local = 0;
    double* c = RArrNewSGcoeff(k, m, p, x, g ? g : &local);
    if (!c) return false;
    double s = 0;
    for (Qword i = 0; i < m; ++i) s += c[i] * window[i];
    out[j] = s;
    KillPtr(&c);
    return true;
  };
  for (Qword j = 0; j < h && status == kErrNone; ++j)
    if (!apply(position - static_cast<double>(h - j), in, j, nullptr)) status = kErrAlloc;
  if (status == kErrNone) {
    double* c = RArrNewSGcoeff(k, m, p, position, gain);
    if (!c) {
      status = kErrAlloc;
    } else {
      for (Qword j = h; j + h < n; ++j) {
        double s = 0;
        const double* w = in + (j - h);
        for (Qword i = 0; i < m; ++i) s += c[i] * w[i];
        out[j] = s;
      }
      if (centre) *centre = c[h];
      KillPtr(&c);
    }
  }
  for (Qword j = n - h; j < n && status == kErrNone; ++j)
    if (!apply(position + static_cast<double>(j - (n - h) + 1), in + (n - m), j, nullptr))
      status = kErrAlloc;
  KillPtr(&copy);
  if (status != kErrNone) return status;
  if (!(flags & 2) && k > 1) {
    const double f = InverseFactorial(k);
    *gain *= f;
    RArrIpMulConst(n, out, f);
  }
  return kErrNone;
}
