// The symmetric eigenproblem: Householder reduction to tridiagonal form
// with the transformation accumulated, then the QL iteration with implicit
// shifts. Indices below run from 1: A(r, c) is element (r-1) + n*(c-1).
#include <cmath>

#include "arrays/rarr.h"
#include "arrays/rmat_linalg.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "scalar/elementary.h"

namespace {

struct Sym {
  double* a;
  Qword n;
  double& operator()(Qword r, Qword c) const { return a[(r - 1) + n * (c - 1)]; }
};

}  // namespace

// Null arrays are refused rather than dereferenced; n 0 has nothing to do.
VELTRIA_API Dword RMatTriDiagonalize(double* Am, Dword nn, double* dv, double* ev) {
  if (!Am) return kErrMissingInputData;
  if (!dv || !ev) return kErrMissingOutputBuffer;
  if (nn == 0) return kErrIllegalArgument;
  const Qword n = nn;
  const Sym A{Am, n};
  auto d = [dv](Qword i) -> double& { return dv[i - 1]; };
  auto e = [ev](Qword i) -> double& { return ev[i - 1]; };
  for (Qword i = n; i >= 2; --i) {
    const Qword l = i - 1;
    double h = 0.0;
    if (l > 1) {
      double scale = 0.0;
      for (Qword k = 1; k <= l; ++k) scale += std::fabs(A(i, k));
      if (scale == 0.0) {
        e(i) = A(i, l);
      } else {
        for (Qword k = 1; k <= l; ++k) {
          A(i, k) /= scale;
          h += A(i, k) * A(i, k);
        }
        double f = A(i, l);
        double g = f >= 0.0 ? -std::sqrt(h) : std::sqrt(h);
        e(i) = scale * g;
        h -= f * g;
        A(i, l) = f - g;
        f = 0.0;
        for (Qword j = 1; j <= l; ++j) {
          A(j, i) = A(i, j) / h;
          g = 0.0;
          for (Qword k = 1; k <= j; ++k) g += A(j, k) * A(i, k);
          for (Qword k = j + 1; k <= l; ++k) g += A(k, j) * A(i, k);
          e(j) = g / h;
          f += e(j) * A(i, j);
        }
        const double hh = f / (h + h);
        for (Qword j = 1; j <= l; ++j) {
          f = A(i, j);
          e(j) = g = e(j) - hh * f;
          for (Qword k = 1; k <= j; ++k) A(j, k) -= (f * e(k) + g * A(i, k));
        }
      }
    } else {
      e(i) = A(i, l);
    }
    d(i) = h;
  }
  d(1) = 0.0;
  e(1) = 0.0;
  for (Qword i = 1; i <= n; ++i) {
    const Qword l = i - 1;
    if (d(i) != 0.0) {
      for (Qword j = 1; j <= l; ++j) {
        double g = 0.0;
        for (Qword k = 1; k <= l; ++k) g += A(i, k) * A(k, j);
        for (Qword k = 1; k <= l; ++k) A(k, j) -= g * A(k, i);
      }
    }
    d(i) = A(i, i);
    A(i, i) = 1.0;
    for (Qword j = 1; j <= l; ++j) A(j, i) = A(i, j) = 0.0;
  }
  return kErrNone;
}

VELTRIA_API Dword RMatTriDiQL(double* Am, Dword nn, double* dv, double* ev) {
  if (!Am) return kErrMissingInputData;
  if (!dv || !ev) return kErrMissingOutputBuffer;
  if (nn == 0) return kErrIllegalArgument;
  const Qword n = nn;
  auto d = [dv](Qword i) -> double& { return dv[i - 1]; };
  auto e = [ev](Qword i) -> double& { return ev[i - 1]; };
  for (Qword i = 2; i <= n; ++i) e(i - 1) = e(i);
  e(n) = 0.0;
  const Qword limit = 4 * n + 10;
  for (Qword l = 1; l <= n; ++l) {
    Qword count = 0;
    for (;;) {
      Qword m = l;
      for (; m <= n - 1; ++m) {
        const double dd = std::fabs(d(m)) + std::fabs(d(m + 1));
        if (std::fabs(e(m)) + dd == dd) break;
      }
      if (m == l) break;
      if (++count > limit) return kErrInternalSystem;
      double g = (d(l + 1) - d(l)) / (2.0 * e(l));
      double r = rHypot(g, 1.0);
      g = d(m) - d(l) + e(l) / (g + (g >= 0.0 ? std::fabs(r) : -std::fabs(r)));
      double s = 1.0, c = 1.0, p = 0.0;
      bool early = false;
      for (Qword i = m - 1; i >= l; --i) {
        const double f = s * e(i);
        const double b = c * e(i);
        r = rHypot(f, g);
        e(i + 1) = r;
        if (r == 0.0) {
          d(i + 1) -= p;
          e(m) = 0.0;
          early = true;
          break;
        }
        s = f / r;
        c = g / r;
        g = d(i + 1) - p;
        r = (d(i) - g) * s + 2.0 * c * b;
        p = s * r;
        d(i + 1) = g + p;
        g = c * r - b;
        double* x = Am + n * (i - 1);
        double* y = Am + n * i;
        for (Qword k = 0; k < n; ++k) {
          const double fk = y[k];
          y[k] = s * x[k] + c * fk;
          x[k] = c * x[k] - s * fk;
        }
      }
      if (!early) {
        d(l) -= p;
        e(l) = g;
        e(m) = 0.0;
      }
    }
  }
  return kErrNone;
}

VELTRIA_API Dword RMatDiagonalize(double* A, Dword n, double* eigenvalues) {
  if (n == 0) return kErrIllegalArgument;
  if (!A) return kErrMissingInputData;
  if (!eigenvalues) return kErrMissingOutputBuffer;
  if (n == 1) {
    eigenvalues[0] = A[0];
    A[0] = 1.0;
    return kErrNone;
  }
  Dword error;
  double* e = RArrNew0(&error, n);
  if (!e) return error;
  RMatTriDiagonalize(A, n, eigenvalues, e);
  const Dword status = RMatTriDiQL(A, n, eigenvalues, e);
  KillPtr(&e);
  return status == kErrNone ? kErrNone : kErrInternalSystem;
}
