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
  if (k > p || p >= m || !std::isfinite(x)) return nullptr;
  const Qword q = p + 1;
  Dword error = kErrNone;
  // G (q x q), then the right-hand side u (q), then the power sums (2p + 1).
  double* G = NewQwordArrFill(&error, q * q + q + 2 * p + 1);
  if (!G) return nullptr;
  double* u = G + q * q;
  double* sums = u + q;
  double* c = NewQwordArrFill(&error, m);
  if (!c) {
    KillPtr(&G);
    return nullptr;
  }
  const double centre = 0.5 * static_cast<double>(m - 1) + x;
  // G(a, b) = sum_i z_i^(a+b): the power sums once, then spread.
  for (Qword e = 0; e <= 2 * p; ++e) sums[e] = 0;
  for (Qword i = 0; i < m; ++i) {
    const double z = static_cast<double>(i) - centre;
    double ze = 1;
    for (Qword e = 0; e <= 2 * p; ++e) {
      sums[e] += ze;
      ze *= z;
    }
  }
  for (Qword a = 0; a < q; ++a)
    for (Qword b = 0; b < q; ++b) G[a + b * q] = sums[a + b];
  for (Qword j = 0; j < q; ++j) u[j] = j == k ? 1.0 : 0.0;
  if (SolveScaledNormalEquations(G, q, u, 1) != kErrNone) {
    KillPtr(&c);
    KillPtr(&G);
    return nullptr;
  }
  double factorial = 1;
  for (Qword j = 2; j <= k; ++j) factorial *= static_cast<double>(j);
  double sum2 = 0;
  for (Qword i = 0; i < m; ++i) {
    const double z = static_cast<double>(i) - centre;
    double v = u[p];
    for (Qword j = p; j-- > 0;) v = v * z + u[j];
    c[i] = factorial * v;
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
  const Qword add = std::isnan(extra) ? 1 : extra > 1e15 ? Qword{1000000000000000} : DoubleToQword(extra);
  return (k + 3 + add) | 1;
}
