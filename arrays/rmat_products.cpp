// Matrix products: A*B, A*B^T, matrix times vector, diagonal and square
// factors applied in place.
#include "arrays/rmat.h"
#include "arrays/rmat_kernels.h"
#include "base/error_codes.h"
#include "base/memory.h"

namespace rmat {

namespace {

// One column j of C over rows [i0, m), element by element.
inline void ScalarColumn(const double* A, const double* Bj, Qword bk, Qword i0, Qword m, Qword n,
                         double* Cj) {
  for (Qword i = i0; i < m; ++i) {
    double s = 0;
    for (Qword k = 0; k < n; ++k) s += A[i + m * k] * Bj[bk * k];
    Cj[i] = s;
  }
}

}  // namespace

void MatMul(const double* A, const double* B, Qword bk, Qword bj, Qword m, Qword n, Qword p,
            double* C) {
  const Qword m4 = m & ~Qword{3};
  Qword j = 0;
  for (; j + 4 <= p; j += 4) {
    const double* b0 = B + bj * j;
    const double* b1 = b0 + bj;
    const double* b2 = b1 + bj;
    const double* b3 = b2 + bj;
    for (Qword i = 0; i < m4; i += 4) {
      V2 c00 = Splat2(0), c01 = c00, c10 = c00, c11 = c00, c20 = c00, c21 = c00, c30 = c00,
         c31 = c00;
      const double* a = A + i;
      for (Qword k = 0; k < n; ++k, a += m) {
        const V2 a0 = Load2(a), a1 = Load2(a + 2);
        const Qword o = bk * k;
        const V2 v0 = Splat2(b0[o]), v1 = Splat2(b1[o]), v2 = Splat2(b2[o]), v3 = Splat2(b3[o]);
        c00 += a0 * v0;
        c01 += a1 * v0;
        c10 += a0 * v1;
        c11 += a1 * v1;
        c20 += a0 * v2;
        c21 += a1 * v2;
        c30 += a0 * v3;
        c31 += a1 * v3;
      }
      double* c = C + i + m * j;
      Store2(c, c00);
      Store2(c + 2, c01);
      Store2(c + m, c10);
      Store2(c + m + 2, c11);
      Store2(c + 2 * m, c20);
      Store2(c + 2 * m + 2, c21);
      Store2(c + 3 * m, c30);
      Store2(c + 3 * m + 2, c31);
    }
    for (Qword jj = 0; jj < 4; ++jj)
      ScalarColumn(A, B + bj * (j + jj), bk, m4, m, n, C + m * (j + jj));
  }
  for (; j < p; ++j) {
    const double* bcol = B + bj * j;
    double* c = C + m * j;
    for (Qword i = 0; i < m4; i += 4) {
      V2 s0 = Splat2(0), s1 = s0;
      const double* a = A + i;
      for (Qword k = 0; k < n; ++k, a += m) {
        const V2 v = Splat2(bcol[bk * k]);
        s0 += Load2(a) * v;
        s1 += Load2(a + 2) * v;
      }
      Store2(c + i, s0);
      Store2(c + i + 2, s1);
    }
    ScalarColumn(A, bcol, bk, m4, m, n, c);
  }
}

}  // namespace rmat

VELTRIA_API Dword RMatByMat(const double* A, const double* B, Dword m, Dword n, Dword p,
                            double* C) {
  if (m == 0 || p == 0 || n == 0 || !A || !B) return kErrMissingInputData;
  if (!C) return kErrMissingOutputBuffer;
  rmat::MatMul(A, B, 1, n, m, n, p, C);
  return kErrNone;
}

VELTRIA_API Dword RMatByMatT(const double* A, const double* B, Dword m, Dword n, Dword p,
                             double* C) {
  if (m == 0 || p == 0 || n == 0 || !A || !B) return kErrMissingInputData;
  if (!C) return kErrMissingOutputBuffer;
  rmat::MatMul(A, B, p, 1, m, n, p, C);
  return kErrNone;
}

VELTRIA_ALIAS(Dword, RMatTByMat, (const double*, const double*, Dword, Dword, Dword, double*),
              RMatByMatT);

// Column by column, so each y[i] is summed from 0.0 in increasing j; rows
// in blocks that stay in the first-level cache.
VELTRIA_API Dword RMatByRArr(const double* A, Qword rows, Qword cols, const double* x, double* y) {
  if (rows == 0 || cols == 0 || !A || !x) return kErrMissingInputData;
  if (!y) return kErrMissingOutputBuffer;
  constexpr Qword kBlock = 1024;
  for (Qword i0 = 0; i0 < rows; i0 += kBlock) {
    const Qword len = rows - i0 < kBlock ? rows - i0 : kBlock;
    double block[kBlock];
    for (Qword i = 0; i < len; ++i) block[i] = 0.0;
    for (Qword j = 0; j < cols; ++j) rmat::Axpy(len, x[j], A + i0 + rows * j, block);
    for (Qword i = 0; i < len; ++i) y[i0 + i] = block[i];
  }
  return kErrNone;
}

VELTRIA_API Dword RMatByDiagL(double* A, Dword n, const double* d) {
  if (!A) return kErrMissingInputData;
  if (!d) return kErrMissingOutputBuffer;
  for (Qword j = 0; j < n; ++j) {
    double* column = A + Qword{n} * j;
    for (Qword i = 0; i < n; ++i) column[i] *= d[i];
  }
  return kErrNone;
}

VELTRIA_API Dword RMatByDiagR(double* A, Dword n, const double* d) {
  if (!A) return kErrMissingInputData;
  if (!d) return kErrMissingOutputBuffer;
  for (Qword j = 0; j < n; ++j) rmat::Scale(n, d[j], A + Qword{n} * j);
  return kErrNone;
}

namespace {

// A := the product formed in a temporary from A as it was on entry.
Dword SquareProduct(double* A, Dword rows, Dword cols, const double* S, bool left) {
  if (!A) return kErrMissingInputData;
  if (!S) return kErrMissingOutputBuffer;
  if (rows == 0 || cols == 0) return kErrNone;
  Dword error;
  double* T = RMatNew(&error, rows, cols);
  if (!T) return error;
  if (left)
    rmat::MatMul(S, A, 1, rows, rows, rows, cols, T);
  else
    rmat::MatMul(A, S, 1, cols, rows, cols, cols, T);
  RMatCopy(rows, cols, T, A);
  KillPtr(&T);
  return kErrNone;
}

}  // namespace

VELTRIA_API Dword RMatBySquareMatL(double* A, Dword rows, Dword cols, const double* S) {
  return SquareProduct(A, rows, cols, S, true);
}

VELTRIA_API Dword RMatBySquareMatR(double* A, Dword rows, Dword cols, const double* S) {
  return SquareProduct(A, rows, cols, S, false);
}
