// DOSY transform: for every spectral point and trial diffusion coefficient
// the least-squares single-exponential amplitude over the gradient series,
// its residual, and a sharpened likelihood-like weight of each coefficient.
#include <cmath>

#include "base/memory.h"
#include "signal_fit/fit/laplace.h"

VELTRIA_API void RArrBayesianDosyTransform(Qword np, Qword ng, const double* data, Dword spacing,
                                           const double* g, Qword nD, double* result,
                                           const double* D, double sharpness, Dword /*ignored*/) {
  if (!data || !g || !result || !D || np == 0 || ng == 0 || nD == 0) return;
  Dword error;
  const UniqueArr<double> work(NewRealArrFill(&error, 2 * ng));
  if (!work) return;
  double* grad = work.get();
  double* f = grad + ng;
  // Types 1 and 2 rebuild the gradient grid from its ends.
  const bool rebuilt = (spacing == 1 || spacing == 2) && ng >= 2;
  for (Qword k = 0; k < ng; ++k) {
    const double u = static_cast<double>(k) / static_cast<double>(ng - 1);
    if (rebuilt && spacing == 1) {
      grad[k] = g[0] + u * (g[ng - 1] - g[0]);
    } else if (rebuilt) {
      const double s = std::sqrt(g[0]) + u * (std::sqrt(g[ng - 1]) - std::sqrt(g[0]));
      grad[k] = s * s;
    } else {
      grad[k] = g[k];
    }
  }
  for (Qword i = 0; i < nD; ++i) {
    double ff = 0;
    for (Qword k = 0; k < ng; ++k) {
      f[k] = std::exp(-D[i] * grad[k]);
      ff += f[k] * f[k];
    }
    for (Qword j = 0; j < np; ++j) {
      double fy = 0;
      for (Qword k = 0; k < ng; ++k) fy += f[k] * data[j + np * k];
      // Every decay value underflowed: no amplitude fits, rather than 0/0.
      const double A = ff > 0 ? fy / ff : 0;
      double s = 0;
      for (Qword k = 0; k < ng; ++k) {
        const double r = A * f[k] - data[j + np * k];
        s += r * r;
      }
      result[j + np * i] = s;
    }
  }
  for (Qword j = 0; j < np; ++j) {
    double smin = result[j], smax = result[j];
    for (Qword i = 1; i < nD; ++i) {
      smin = std::fmin(smin, result[j + np * i]);
      smax = std::fmax(smax, result[j + np * i]);
    }
    const double norm = smax != smin ? 1 / (smax - smin) : 1;
    for (Qword i = 0; i < nD; ++i) {
      const double z = 1000 * sharpness * norm * (smin - result[j + np * i]);
      double v = z < -5 ? 0 : data[j] * std::exp(z);
      if (!(v >= 0)) v = 0;
      result[j + np * i] = v;
    }
  }
}
