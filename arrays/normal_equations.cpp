#include "arrays/normal_equations.h"

#include <cmath>

#include "arrays/rmat_linalg.h"
#include "base/error_codes.h"
#include "base/memory.h"

Dword SolveScaledNormalEquations(double* G, Qword k, double* B, Dword m) {
  if (!G || k == 0) return kErrMissingInputData;
  Dword error;
  double* d = NewRealArrFill(&error, k);
  if (!d) return error;
  for (Qword i = 0; i < k; ++i) {
    const double g = G[i + k * i];
    d[i] = (g > 0.0 && std::isfinite(g)) ? 1.0 / std::sqrt(g) : 1.0;
  }
  for (Qword j = 0; j < k; ++j)
    for (Qword i = 0; i < k; ++i) G[i + k * j] *= d[i] * d[j];
  const Qword nb = B ? m : 0;
  for (Qword j = 0; j < nb; ++j)
    for (Qword i = 0; i < k; ++i) B[i + k * j] *= d[i];
  error = RMatInvert(G, k, B, static_cast<Dword>(nb));
  if (error == kErrNone) {
    // (D G D)^-1 = D^-1 G^-1 D^-1, so G^-1 = D (D G D)^-1 D and x = D y.
    for (Qword j = 0; j < k; ++j)
      for (Qword i = 0; i < k; ++i) G[i + k * j] *= d[i] * d[j];
    for (Qword j = 0; j < nb; ++j)
      for (Qword i = 0; i < k; ++i) B[i + k * j] *= d[i];
  }
  KillPtr(&d);
  return error;
}
