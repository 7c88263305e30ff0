// Decomposition of a data vector into given components by least squares,
// with per-component statistics from the rows of G^-1 C^T.
#include <cmath>

#include "arrays/normal_equations.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/fit/linear_fits.h"
#include "signal_fit/prob/probability.h"
#include "signal_fit/prob/statistics.h"
#include "signal_fit/signal/savgol.h"

namespace {

// Row j of G^-1 C^T into h (n values).
void HatRow(const double* Ginv, const double* C, Qword n, Qword m, Qword j, double* h) {
  for (Qword i = 0; i < n; ++i) h[i] = 0;
  for (Qword l = 0; l < m; ++l) {
    const double g = Ginv[j + m * l];
    const double* col = C + n * l;
    for (Qword i = 0; i < n; ++i) h[i] += g * col[i];
  }
}

}  // namespace

VELTRIA_API Dword OptimalLinearDecomposition(const double* y, Qword n, const double* C, Qword m,
                                             double* coef, double level, double* stats, Qword type,
                                             const double* variances) {
  if (!y || !C) return kErrMissingInputData;
  if (n == 0 || m == 0) return kErrMissingParameters;
  if (!coef || !stats) return kErrMissingOutputBuffer;
  if (m > MaxArrCount<double>() / m) return kErrAlloc;
  Dword error;
  double* G = NewRealArrFill(&error, m * m);
  if (!G) return error;
  for (Qword j = 0; j < m; ++j) {
    const double* cj = C + n * j;
    double b = 0;
    for (Qword i = 0; i < n; ++i) b += cj[i] * y[i];
    coef[j] = b;
    for (Qword l = 0; l <= j; ++l) {
      const double* cl = C + n * l;
      double s = 0;
      for (Qword i = 0; i < n; ++i) s += cj[i] * cl[i];
      G[j + m * l] = s;
      G[l + m * j] = s;
    }
  }
  error = SolveScaledNormalEquations(G, m, coef, 1);
  if (error != kErrNone) {
    KillPtr(&G);
    return error;
  }
  double ssr = 0;
  for (Qword i = 0; i < n; ++i) {
    double r = -y[i];
    for (Qword j = 0; j < m; ++j) r += coef[j] * C[i + n * j];
    ssr += r * r;
  }
  if (type == 1 || type == 2) {
    double* h = NewRealArrFill(&error, n);
    double* t = h ? NewRealArrFill(&error, m) : nullptr;  // type 1 ratios, type 2 sum h^2
    if (t) {
      for (Qword j = 0; j < m; ++j) {
        HatRow(G, C, n, m, j, h);
        double sa = 0, s2 = 0;
        for (Qword i = 0; i < n; ++i) {
          sa += std::fabs(h[i]);
          s2 += h[i] * h[i];
        }
        t[j] = type == 1 ? sa * sa / (static_cast<double>(n) * s2) : s2;
      }
      if (type == 1) {
        error = pAnovaTest(n - 1, level, t, ssr, G, m, stats);
      } else {
        double noise = 0;
        error = RArrNoiseEstimateBySavitskyGolay(n, y, &noise, nullptr, 3, 17, 3, 3.0);
        if (error == kErrNone) {
          double var = noise * noise;
          if (variances)
            for (Qword j = 0; j < m; ++j) var += coef[j] * coef[j] * variances[j];
          const double z = pQfNormal0(1 - (1 - level) / 2);
          for (Qword j = 0; j < m; ++j) stats[j] = std::sqrt(var * t[j]) * z;
        }
      }
    }
    KillPtr(&t);
    KillPtr(&h);
  }
  KillPtr(&G);
  return error;
}
