// The symmetric eigenproblem: Householder reduction to tridiagonal form
// with the transformation accumulated, then the QL iteration with implicit
// shifts. Indices below run from 1: A(r, c) is element (r-1) + n*(c-1).
#include <cmath>

#include "arrays/rarr.h"
#include "arrays/rmat_kernels.h"
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

// The reduction reads only the lower triangle, never the upper one as the
// caller gave it. So the upper triangle of the block still to be reduced
// holds a mirror of the lower one, kept up to date by every update: row j
// of the lower triangle is column j of the mirror, and every sum and update
// runs down contiguous columns with the operands and the order of the
// row-wise description. The mirror column of a row is overwritten by the
// reflection's column when that row is reduced, where the result wants it.
// Null arrays are refused rather than dereferenced; n 0 has nothing to do.
VELTRIA_API Dword RMatTriDiagonalize(double* Am, Dword nn, double* dv, double* ev) {
  if (!Am) return kErrMissingInputData;
  if (!dv || !ev) return kErrMissingOutputBuffer;
  if (nn == 0) return kErrIllegalArgument;
  const Qword n = nn;
  Dword error;
  double* row = NewRealArrFill(&error, n + 1);  // row[k] = A(i, k)
  if (!row) return error;
  const Sym A{Am, n};
  auto d = [dv](Qword i) -> double& { return dv[i - 1]; };
  auto e = [ev](Qword i) -> double& { return ev[i - 1]; };
  auto col = [Am, n](Qword j) { return Am + n * (j - 1); };  // col(j)[k - 1] is A(k, j)
  for (Qword j = 2; j <= n; ++j)
    for (Qword k = 1; k < j; ++k) A(k, j) = A(j, k);
  for (Qword i = n; i >= 2; --i) {
    const Qword l = i - 1;
    double h = 0.0;
    double* r = col(i) - 1;  // r[k] = A(i, k) for k <= l, through the mirror
    if (l > 1) {
      double scale = 0.0;
      for (Qword k = 1; k <= l; ++k) scale += std::fabs(r[k]);
      if (scale == 0.0) {
        e(i) = r[l];
      } else {
        for (Qword k = 1; k <= l; ++k) {
          r[k] /= scale;
          h += r[k] * r[k];
        }
        double f = r[l];
        double g = f >= 0.0 ? -std::sqrt(h) : std::sqrt(h);
        e(i) = scale * g;
        h -= f * g;
        r[l] = f - g;
        for (Qword k = 1; k <= l; ++k) A(i, k) = r[k];
        f = 0.0;
        Qword j = 1;
        double dots[4];
        for (; j + 3 <= l; j += 4) {
          rmat::Dot4(l, r + 1, col(j), col(j + 1), col(j + 2), col(j + 3), dots);
          for (Qword t = 0; t < 4; ++t) e(j + t) = dots[t] / h;
        }
        for (; j <= l; ++j) e(j) = rmat::Dot(l, col(j), r + 1) / h;
        for (j = 1; j <= l; ++j) f += e(j) * r[j];
        const double hh = f / (h + h);
        for (j = 1; j <= l; ++j) e(j) = e(j) - hh * r[j];
        for (Qword k = 1; k <= l; ++k) {
          double* c = col(k);
          const double ek = e(k), rk = r[k];
          for (j = k; j <= l; ++j) c[j - 1] -= (r[j] * ek + e(j) * rk);
        }
        for (j = 2; j <= l; ++j) {
          double* c = col(j);
          const double rj = r[j], ej = e(j);
          for (Qword k = 1; k < j; ++k) c[k - 1] -= (rj * e(k) + ej * r[k]);
        }
        for (j = 1; j <= l; ++j) r[j] = r[j] / h;
      }
    } else {
      e(i) = r[l];
    }
    d(i) = h;
  }
  d(1) = 0.0;
  e(1) = 0.0;
  for (Qword i = 1; i <= n; ++i) {
    const Qword l = i - 1;
    if (d(i) != 0.0) {
      // Every sum of this row reads columns the updates below leave alone.
      for (Qword k = 1; k <= l; ++k) row[k] = A(i, k);
      Qword j = 1;
      double g[4];
      for (; j + 3 <= l; j += 4) {
        rmat::Dot4(l, row + 1, col(j), col(j + 1), col(j + 2), col(j + 3), g);
        for (Qword t = 0; t < 4; ++t) rmat::Axpy(l, -g[t], col(i), col(j + t));
      }
      for (; j <= l; ++j) rmat::Axpy(l, -rmat::Dot(l, row + 1, col(j)), col(i), col(j));
    }
    d(i) = A(i, i);
    A(i, i) = 1.0;
    for (Qword j = 1; j <= l; ++j) A(j, i) = A(i, j) = 0.0;
  }
  KillPtr(&row);
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
  Dword status = RMatTriDiagonalize(A, n, eigenvalues, e);
  if (status == kErrNone) status = RMatTriDiQL(A, n, eigenvalues, e);
  KillPtr(&e);
  return status;
}
