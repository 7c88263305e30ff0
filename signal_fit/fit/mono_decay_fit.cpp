// One-rate decays: the rate is searched by relative steps, amplitude (and
// offset) follow in closed form for each candidate. The search runs on a
// scaled copy of the window's abscissa, so the caller's values never pass
// through a divide-and-multiply round trip.
#include <cmath>

#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/fit/decay_fits.h"
#include "signal_fit/prob/probability.h"

namespace {

struct Core {
  const double* x;  // scaled window
  const double* y;
  Qword n;
  bool offset;
  bool gauss;
  double A = 0, B = 0;
  Qword signChanges = 0;

  double Model(double R, double xi) const { return std::exp(-R * (gauss ? xi * xi : xi)); }

  // Residual sum of squares at R; sets A, B and the sign changes.
  double Ssr(double R) {
    double sf = 0, sff = 0, sfy = 0, sy = 0;
    for (Qword i = 0; i < n; ++i) {
      const double f = Model(R, x[i]);
      sf += f;
      sff += f * f;
      sfy += f * y[i];
      sy += y[i];
    }
    const double nd = static_cast<double>(n);
    if (offset) {
      A = (nd * sfy - sf * sy) / (nd * sff - sf * sf);
      B = (sy - A * sf) / nd;
    } else {
      A = sfy / sff;
      B = 0;
    }
    double ssr = 0;
    bool prevNeg = false;
    signChanges = 0;
    for (Qword i = 0; i < n; ++i) {
      const double r = y[i] - A * Model(R, x[i]) - B;
      ssr += r * r;
      const bool neg = r < 0;
      if (i > 0 && neg != prevNeg) ++signChanges;
      prevNeg = neg;
    }
    return ssr;
  }
};

// The shared core of the four fits; writes R and dR in units of the scaled
// abscissa.
Dword MonoDecayFitCore(Core& c, double* R, double* dR, double* prob) {
  if (c.n < (c.offset ? 3u : 2u)) {
    *R = 1e-6;
    *dR = 1e-6;
    c.A = c.B = 0;
    return c.offset ? kErrIllegalArgument : kErrAllocationFailure;
  }
  double r = 5, step = 0.1;
  double value = c.Ssr(r);
  do {
    for (double v; (v = c.Ssr(r + step * r)) < value;) {
      r += step * r;
      value = v;
    }
    for (double v; (v = c.Ssr(r - step * r)) < value;) {
      r -= step * r;
      value = v;
    }
    step /= 4;
  } while (step > 1e-5);
  const double nd = static_cast<double>(c.n);
  const double up = c.Ssr(1.1 * r), down = c.Ssr(0.9 * r);
  const double ssr = c.Ssr(r);  // last, so that A, B and the sign changes belong to r
  *prob = 1 - pCfNormal(static_cast<double>(c.signChanges), nd / 2, std::sqrt(nd) / 2);
  const double d = up + down - 2 * ssr;
  const double g = ssr / (nd - 1);
  const double rel = d < 1e-4 * g ? 10.0 : 0.1 * std::sqrt(g) / std::sqrt(d);
  *R = r;
  *dR = r * rel;
  return kErrNone;
}

Dword MonoFit(bool offset, bool gauss, const double* x, const double* y, Qword first, Qword last,
              double* R, double* dR, double* A, double* B, double* prob) {
  if (!x || !y) return kErrMissingInputData;
  if (!R || !dR || !A || (offset && !B) || !prob) return kErrMissingOutputBuffer;
  if (first > last) return kErrIllegalArgument;
  const Qword n = last - first + 1;
  if (n == 0) return kErrIllegalArgument;  // the whole 64-bit range
  double s = 0;
  for (Qword i = first; i <= last; ++i)
    if (std::fabs(x[i]) > s) s = std::fabs(x[i]);
  if (s == 0) return kErrCannotStartApplication;
  Dword error;
  double* xs = NewRealArrFill(&error, n);
  if (!xs) return error;
  for (Qword i = 0; i < n; ++i) xs[i] = x[first + i] / s;
  Core c{xs, y + first, n, offset, gauss};
  double prob_local = 0;
  const Dword status = MonoDecayFitCore(c, R, dR, &prob_local);
  KillPtr(&xs);
  if (status == kErrNone) *prob = prob_local;
  const double unit = gauss ? s * s : s;
  *R /= unit;
  *dR /= unit;
  *A = c.A;
  if (offset) *B = c.B;
  return status;
}

}  // namespace

VELTRIA_API Dword MonoExp2ParFit(const double* x, const double* y, Qword first, Qword last,
                                 double* R, double* dR, double* A, double* prob) {
  return MonoFit(false, false, x, y, first, last, R, dR, A, nullptr, prob);
}
VELTRIA_API Dword MonoGaus2ParFit(const double* x, const double* y, Qword first, Qword last,
                                  double* R, double* dR, double* A, double* prob) {
  return MonoFit(false, true, x, y, first, last, R, dR, A, nullptr, prob);
}
VELTRIA_API Dword MonoExp3ParFit(const double* x, const double* y, Qword first, Qword last,
                                 double* R, double* dR, double* A, double* B, double* prob) {
  return MonoFit(true, false, x, y, first, last, R, dR, A, B, prob);
}
VELTRIA_API Dword MonoGaus3ParFit(const double* x, const double* y, Qword first, Qword last,
                                  double* R, double* dR, double* A, double* B, double* prob) {
  return MonoFit(true, true, x, y, first, last, R, dR, A, B, prob);
}
