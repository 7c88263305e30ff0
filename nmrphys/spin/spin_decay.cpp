// Decay synthesis from a binned spectrum: one phasor per non-zero bin,
// advanced by a fixed rotation from point to point.
#include <cmath>

#include "base/error_codes.h"
#include "base/memory.h"
#include "nmrphys/spin/spin.h"

// Bin b stands for from + b (to - from) / bin_count, the frequency that the
// binning rounds to bin b, so a decay transformed over as many points as
// there are bins puts every line back into its own bin. (Spacing the bins by
// (to - from) / (bin_count - 1) would shift every line but the first one.)
VELTRIA_API LibErrorCode ssSynthesizeFID(Dword bin_count, const double* bins, double from,
                                         double to, Dword n_points, double centre, double t0,
                                         double dwell, double phase, double linewidth, double* re,
                                         double* im) {
  if (bin_count == 0 || !bins) return kErrMissingInputData;
  if (n_points == 0 || !re || !im) return kErrMissingOutputBuffer;
  Dword used = 0;
  for (Dword b = 0; b < bin_count; ++b) used += bins[b] != 0.0;
  if (used == 0) return kErrNone;
  Dword error;
  double* block = NewArrFill<double>(&error, Qword{used} * 4);
  if (!block) return error;
  double* pr = block;      // phasor, real part
  double* pi = pr + used;  // phasor, imaginary part
  double* rc = pi + used;  // rotation per point, cosine
  double* rs = rc + used;  // rotation per point, sine
  const double spacing = (to - from) / bin_count;
  const double two_pi = 6.283185307179586476925286766559;
  Dword u = 0;
  for (Dword b = 0; b < bin_count; ++b) {
    if (bins[b] == 0.0) continue;
    const double w = two_pi * (from + b * spacing - centre);
    const double start = w * t0 + phase;
    pr[u] = bins[b] * std::cos(start);
    pi[u] = bins[b] * std::sin(start);
    rc[u] = std::cos(w * dwell);
    rs[u] = std::sin(w * dwell);
    ++u;
  }
  const double pi_lw = 3.14159265358979323846264338328 * linewidth;
  const double decay_step = std::exp(-pi_lw * dwell);
  double factor = std::exp(-pi_lw * t0);
  for (Dword l = 0; l < n_points; ++l) {
    double sr = 0.0, si = 0.0;
    for (Dword k = 0; k < used; ++k) {
      sr += pr[k];
      si += pi[k];
      const double xr = pr[k] * rc[k] - pi[k] * rs[k];
      pi[k] = pr[k] * rs[k] + pi[k] * rc[k];
      pr[k] = xr;
    }
    re[l] += factor * sr;
    im[l] += factor * si;
    factor *= decay_step;
  }
  KillPtr(&block);
  return kErrNone;
}
