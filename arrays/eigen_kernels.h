// The inner kernel of the symmetric tridiagonal reduction. It keeps the
// exact operations and order of the plain loops it replaces, element by
// element, so the reduction comes out with the same bits; what it changes is
// how often the matrix travels through the caches.
#pragma once
#include "arrays/rmat_kernels.h"
#include "base/types.h"

namespace eigen {

using rmat::Load2;
using rmat::Splat2;
using rmat::Store2;
using rmat::V2;

// One pass over the lower triangle of the L x L block at a (leading
// dimension n), column by column, doing two jobs while each column is in
// cache:
//  - kUpdate: the rank-two update left by the previous reflection,
//    a(k, j) -= pu[k]*pe[j] + pe[k]*pu[j] for k >= j;
//  - kProduct: p += block*u, the symmetric product from the lower triangle
//    alone. Row k's sum must run over k' = 0..L-1 in order: the terms left of
//    the diagonal arrive from earlier columns in column order, and column k
//    then continues the same sum down its own rows, one chain per column.
// p must be zero on entry when kProduct. Four columns at a time give four
// independent chains.
template <bool kUpdate, bool kProduct>
void ReduceColumns(double* a, Qword n, Qword L, const double* pu, const double* pe, const double* u,
                   double* p) {
  Qword j0 = 0;
  for (; j0 + 4 <= L; j0 += 4) {
    double* c[4];
    double s[4] = {0, 0, 0, 0}, puj[4], pej[4], uj[4];
    for (int t = 0; t < 4; ++t) {
      const Qword j = j0 + t;
      c[t] = a + n * j;
      puj[t] = pu ? pu[j] : 0.0;
      pej[t] = pe ? pe[j] : 0.0;
      uj[t] = u ? u[j] : 0.0;
    }
    // The triangle where the four columns meet, one column after another.
    for (int t = 0; t < 4; ++t) {
      const Qword j = j0 + t;
      double* ct = c[t];
      if (kUpdate)
        for (Qword k = j; k < j0 + 4; ++k) ct[k] -= (pu[k] * pej[t] + pe[k] * puj[t]);
      if (kProduct) {
        s[t] = p[j] + ct[j] * uj[t];
        for (Qword k = j + 1; k < j0 + 4; ++k) {
          s[t] += ct[k] * u[k];
          p[k] += ct[k] * uj[t];
        }
      }
    }
    // The rows below, two at a time; the chains stay scalar.
    Qword k = j0 + 4;
    for (; k + 2 <= L; k += 2) {
      V2 pk = kProduct ? Load2(p + k) : Splat2(0.0), uk = kProduct ? Load2(u + k) : Splat2(0.0);
      V2 puk = kUpdate ? Load2(pu + k) : Splat2(0.0), pek = kUpdate ? Load2(pe + k) : Splat2(0.0);
      for (int t = 0; t < 4; ++t) {
        V2 ct = Load2(c[t] + k);
        if (kUpdate) {
          ct = ct - (puk * Splat2(pej[t]) + pek * Splat2(puj[t]));
          Store2(c[t] + k, ct);
        }
        if (kProduct) {
          const V2 prod = ct * uk;
          s[t] += prod[0];
          s[t] += prod[1];
          pk = pk + ct * Splat2(uj[t]);
        }
      }
      if (kProduct) Store2(p + k, pk);
    }
    for (; k < L; ++k) {
      for (int t = 0; t < 4; ++t) {
        double* ct = c[t];
        if (kUpdate) ct[k] -= (pu[k] * pej[t] + pe[k] * puj[t]);
        if (kProduct) {
          s[t] += ct[k] * u[k];
          p[k] += ct[k] * uj[t];
        }
      }
    }
    if (kProduct)
      for (int t = 0; t < 4; ++t) p[j0 + t] = s[t];
  }
  for (; j0 < L; ++j0) {
    double* ct = a + n * j0;
    if (kUpdate) {
      const double puj = pu[j0], pej = pe[j0];
      for (Qword k = j0; k < L; ++k) ct[k] -= (pu[k] * pej + pe[k] * puj);
    }
    if (kProduct) {
      const double uj = u[j0];
      double s = p[j0] + ct[j0] * uj;
      for (Qword k = j0 + 1; k < L; ++k) {
        s += ct[k] * u[k];
        p[k] += ct[k] * uj;
      }
      p[j0] = s;
    }
  }
}

}  // namespace eigen
