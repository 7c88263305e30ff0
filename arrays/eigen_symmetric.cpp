// The symmetric eigenproblem: Householder reduction to tridiagonal form,
// then the QL iteration with implicit shifts. Each stage is one body with a
// switch for the eigenvectors: without them the reduction keeps no
// transformation and the iteration updates no vectors, which takes the work
// from O(n^3) for the vectors down to the reduction alone, while d and e
// follow exactly the same operations, so the eigenvalues have the same bits
// with or without vectors. Indices below run from 1: A(r, c) is element
// (r-1) + n*(c-1).
#include <cmath>
#include <utility>

#include "arrays/rarr.h"
#include "arrays/rmat_kernels.h"
#include "arrays/rmat_linalg.h"
#include "arrays/wide_kernels.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "scalar/hypot_givens_inline.h"

namespace {

struct Sym {
  double* a;
  Qword n;
  double& operator()(Qword r, Qword c) const { return a[(r - 1) + n * (c - 1)]; }
};

// The reduction reads and updates only the lower triangle. The update each
// reflection leaves on the block still to be reduced is held back and done
// in the same pass over the block as the next reflection's product, so the
// block crosses the caches once per row instead of three times; every element
// still gets the operations of the row-wise description in their order (see
// ReduceColumns). With vectors, row i keeps the reflection u and column i
// above the diagonal u/h, which the accumulation then multiplies out.
template <bool kVectors>
Dword Tridiagonalize(double* Am, Qword n, double* dv, double* ev) {
  Dword error;
  double* work = NewRealArrFill(&error, 4 * (n + 1));
  if (!work) return error;
  // 1-based vectors: the reflection and the product / e of this row, and the
  // same two of the row before, whose update is still due.
  double* u = work;
  double* p = work + (n + 1);
  double* pu = work + 2 * (n + 1);
  double* pe = work + 3 * (n + 1);
  bool pending = false;
  const Sym A{Am, n};
  const wide::Kernels& kernels = wide::Active();
  auto d = [dv](Qword i) -> double& { return dv[i - 1]; };
  auto e = [ev](Qword i) -> double& { return ev[i - 1]; };
  for (Qword i = n; i >= 2; --i) {
    const Qword l = i - 1;
    // Row i, diagonal included, gets its share of the held-back update now.
    if (pending)
      for (Qword k = 1; k <= i; ++k) A(i, k) -= (pu[i] * pe[k] + pe[i] * pu[k]);
    double h = 0.0;
    bool reflect = false;
    if (l > 1) {
      double scale = 0.0;
      for (Qword k = 1; k <= l; ++k) {
        u[k] = A(i, k);
        scale += std::fabs(u[k]);
      }
      if (scale == 0.0) {
        e(i) = u[l];
      } else {
        for (Qword k = 1; k <= l; ++k) {
          u[k] /= scale;
          h += u[k] * u[k];
        }
        const double f = u[l];
        const double g = f >= 0.0 ? -std::sqrt(h) : std::sqrt(h);
        e(i) = scale * g;
        h -= f * g;
        u[l] = f - g;
        reflect = true;
        if (kVectors)
          for (Qword k = 1; k <= l; ++k) {
            A(i, k) = u[k];
            A(k, i) = u[k] / h;
          }
      }
    } else {
      e(i) = A(i, l);
    }
    d(i) = h;
    if (reflect) {
      for (Qword k = 1; k <= l; ++k) p[k] = 0.0;
      if (pending)
        kernels.reduce_columns[1][1](Am, n, l, pu + 1, pe + 1, u + 1, p + 1);
      else
        kernels.reduce_columns[0][1](Am, n, l, nullptr, nullptr, u + 1, p + 1);
      double f = 0.0;
      for (Qword j = 1; j <= l; ++j) {
        p[j] = p[j] / h;
        f += p[j] * u[j];
      }
      const double hh = f / (h + h);
      for (Qword j = 1; j <= l; ++j) p[j] = p[j] - hh * u[j];
      std::swap(u, pu);
      std::swap(p, pe);
      pending = true;
    } else {
      if (pending) kernels.reduce_columns[1][0](Am, n, l, pu + 1, pe + 1, nullptr, nullptr);
      pending = false;
    }
  }
  d(1) = 0.0;
  e(1) = 0.0;
  if (!kVectors) {
    KillPtr(&work);
    for (Qword i = 1; i <= n; ++i) d(i) = A(i, i);
    return kErrNone;
  }
  double* row = work;                                        // row[k] = A(i, k)
  auto col = [Am, n](Qword j) { return Am + n * (j - 1); };  // col(j)[k - 1] is A(k, j)
  for (Qword i = 1; i <= n; ++i) {
    const Qword l = i - 1;
    if (d(i) != 0.0) {
      // Row i holds u and column i holds u/h; the block 1..l holds the
      // transformation so far. Each column takes its dot product with u and
      // then its update while it is in cache.
      for (Qword k = 1; k <= l; ++k) row[k] = A(i, k);
      double g[16];
      for (Qword j = 1; j <= l; j += 16) {
        const Qword count = l - j + 1 < 16 ? l - j + 1 : 16;
        kernels.dot_columns(l, row + 1, col(j), n, count, g);
        for (Qword t = 0; t < count; ++t) kernels.axpy(l, -g[t], col(i), col(j + t));
      }
    }
    d(i) = A(i, i);
    A(i, i) = 1.0;
    for (Qword j = 1; j <= l; ++j) A(j, i) = A(i, j) = 0.0;
  }
  KillPtr(&work);
  return kErrNone;
}

// The QL iteration. Each rotation goes to the vectors as soon as it is made:
// the two columns are adjacent and the next rotation shares one of them, so
// they are still in cache; holding rotations back to apply them to blocks
// of rows was measured no faster, the multiplications being the limit.
template <bool kVectors>
Dword TriDiQL(double* Am, Qword n, double* dv, double* ev) {
  auto d = [dv](Qword i) -> double& { return dv[i - 1]; };
  auto e = [ev](Qword i) -> double& { return ev[i - 1]; };
  for (Qword i = 2; i <= n; ++i) e(i - 1) = e(i);
  e(n) = 0.0;
  const auto rotation = wide::Active().rotation;
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
      double r = scalar::HypotInline(g, 1.0);
      g = d(m) - d(l) + e(l) / (g + (g >= 0.0 ? std::fabs(r) : -std::fabs(r)));
      double s = 1.0, c = 1.0, p = 0.0;
      bool early = false;
      for (Qword i = m - 1; i >= l; --i) {
        const double f = s * e(i);
        const double b = c * e(i);
        r = scalar::HypotInline(f, g);
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
        // A(k, i + 1) := s*A(k, i) + c*A(k, i + 1), A(k, i) := c*A(k, i) - s*A(k, i + 1)
        if (kVectors) rotation(n, Am + n * i, Am + n * (i - 1), c, s);
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

template <bool kVectors>
Dword Diagonalize(double* A, Dword n, double* eigenvalues) {
  if (n == 0) return kErrIllegalArgument;
  if (!A) return kErrMissingInputData;
  if (!eigenvalues) return kErrMissingOutputBuffer;
  if (n == 1) {
    eigenvalues[0] = A[0];
    if (kVectors) A[0] = 1.0;
    return kErrNone;
  }
  Dword error;
  double* e = RArrNew0(&error, n);
  if (!e) return error;
  Dword status = Tridiagonalize<kVectors>(A, n, eigenvalues, e);
  if (status == kErrNone) status = TriDiQL<kVectors>(A, n, eigenvalues, e);
  KillPtr(&e);
  return status;
}

}  // namespace

// Null arrays are refused rather than dereferenced; n 0 has nothing to do.
VELTRIA_API Dword RMatTriDiagonalize(double* Am, Dword nn, double* dv, double* ev) {
  if (!Am) return kErrMissingInputData;
  if (!dv || !ev) return kErrMissingOutputBuffer;
  if (nn == 0) return kErrIllegalArgument;
  return Tridiagonalize<true>(Am, nn, dv, ev);
}

VELTRIA_API Dword RMatTriDiQL(double* Am, Dword nn, double* dv, double* ev) {
  if (!Am) return kErrMissingInputData;
  if (!dv || !ev) return kErrMissingOutputBuffer;
  if (nn == 0) return kErrIllegalArgument;
  return TriDiQL<true>(Am, nn, dv, ev);
}

VELTRIA_API Dword RMatDiagonalize(double* A, Dword n, double* eigenvalues) {
  return Diagonalize<true>(A, n, eigenvalues);
}

// The eigenvalues alone, for callers that would throw the vectors away: the
// same reduction and iteration as RMatDiagonalize without the O(n^3) work on
// the vectors, giving the same values, in the same order, to the bit.
VELTRIA_API Dword RMatEigenvalues(double* A, Dword n, double* eigenvalues) {
  return Diagonalize<false>(A, n, eigenvalues);
}
