// Savitzky-Golay coefficient sets and the automatic window size.
#include <cmath>
#include <limits>

#include "arrays/normal_equations.h"
#include "base/double_to_int.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/signal/savgol.h"

VELTRIA_API double* RArrNewSGcoeff(Qword k, Qword m, Qword p, double x, double* gain) {
  if (!gain) return nullptr;
  *gain = std::numeric_limits<double>::quiet_NaN();
  // A derivative above the order has no coefficient in the fit, and a fit
  // of more coefficients than samples has no unique solution.
  // An order beyond a few thousand is refused before its matrix size
  // could overflow.
  if (k > p || p >= m || p > 4096 || !std::isfinite(x)) return nullptr;
  const Qword q = p + 1;
  Dword error = kErrNone;
  // G (q x q), then the right-hand side u (q), then the power sums (2p + 1).
  double* G = NewRealArrFill(&error, q * q + q + 2 * p + 1);
  if (!G) return nullptr;
  double* u = G + q * q;
  double* sums = u + q;
  double* c = NewRealArrFill(&error, m);
  if (!c) {
    KillPtr(&G);
    return nullptr;
  }
  // The fit runs in the window's own scaled abscissa w = (i - centre)/h,
  // which keeps the normal equations well conditioned even for wide
  // windows evaluated off centre; the k-th derivative by the sample index
  // at the evaluation point w0 = x/h then sets the right-hand side:
  // D_j = j!/(j-k)! w0^(j-k) / h^k.
  const double mid = 0.5 * static_cast<double>(m - 1);
  const double h = m > 1 ? mid : 1.0;
  const double w0 = x / h;
  for (Qword e = 0; e <= 2 * p; ++e) sums[e] = 0;
  for (Qword i = 0; i < m; ++i) {
    const double w = (static_cast<double>(i) - mid) / h;
    double we = 1;
    for (Qword e = 0; e <= 2 * p; ++e) {
      sums[e] += we;
      we *= w;
    }
  }
  for (Qword a = 0; a < q; ++a)
    for (Qword b = 0; b < q; ++b) G[a + b * q] = sums[a + b];
  for (Qword j = 0; j < q; ++j) {
    if (j < k) {
      u[j] = 0;
      continue;
    }
    double d = 1;
    for (Qword r = j - k + 1; r <= j; ++r) d *= static_cast<double>(r);
    for (Qword r = 0; r < j - k; ++r) d *= w0;
    for (Qword r = 0; r < k; ++r) d /= h;
    u[j] = d;
  }
  if (SolveScaledNormalEquations(G, q, u, 1) != kErrNone) {
    KillPtr(&c);
    KillPtr(&G);
    return nullptr;
  }
  double sum2 = 0;
  for (Qword i = 0; i < m; ++i) {
    const double w = (static_cast<double>(i) - mid) / h;
    double v = u[p];
    for (Qword j = p; j-- > 0;) v = v * w + u[j];
    c[i] = v;
    sum2 += c[i] * c[i];
  }
  *gain = std::sqrt(sum2);
  KillPtr(&G);
  return c;
}

VELTRIA_API Qword RArrSGpoints(Qword k, double width, Qword* order) {
  if (order) *order = k + 3;
  const double extra = std::floor(1 + std::fabs(width));
  // A NaN width counts as none; an absurd one is capped well below overflow.
  const Qword add = std::isnan(extra) ? 1
                    : extra > 1e15    ? Qword{1000000000000000}
                                      : DoubleToQword(extra);
  return (k + 3 + add) | 1;
}
