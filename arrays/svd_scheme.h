// The one body of the real and the complex singular value decompositions:
// Householder bidiagonalisation, the accumulation of U and V, and the
// implicitly shifted QR iteration on the bidiagonal matrix, statement for
// statement the classic column-oriented scheme (indices run from 1 as in its
// published form). RMatSVD (arrays/svd.cpp) and CMatSVD
// (complexvec/cmat_svd.cpp) differ only in their element type and in the
// traits below; argument checks, work storage and failure reports stay with
// them. The values alone of a tall matrix may instead go through its
// triangular factor (DecomposeValuesThroughTriangle, at the end).
//
// A traits class Tr provides, with T its element type:
//   T Zero(), One(), MinusOne(), FromReal(double)   constants and (x, 0)
//   double Re(T), Abs(T)          real part; modulus for the tests and scale
//   bool NonZero(T)               the scheme's "is not 0" on an element
//   bool Finite(T)
//   T Conj(T)                     identity for reals
//   T Sign(T a, T b)              |a| with the sign (phase) of b
//   T Recip(T)                    1/a for the scaling of a reflection
//   double Norm(Qword, const T*)  Euclidean norm
//   void DotGroup(Qword, const T* h, const T* y, Qword ld, Qword count, T* out)
//                                 conj(h).y in index order for the count
//                                 (<= kGroup) columns of y
//   void AxpyGroup(Qword, const T* a, const T* x, T* y, Qword ld, Qword count)
//                                 y(:, k) += a[k] x for k < count
//   void Scale(Qword, T a, T* x)                    x *= a
//   void Accumulate(Qword n, Qword count, const T* f, const T* x, Qword ld,
//                   T* w)         w += f[j] x(:, j) for j < count, in order
//   void Rot(Qword, T* x, T* y, double c, double s)  plane rotation
//   void Swap(Qword, T* x, T* y)
//   void Givens(double* a, double* b, double* c, double* s)  rotation
//                                 generator: a := r, c and s of (a, b)
//   void ToRealBidiagonal(...)    the unitary diagonal scaling that makes
//                                 the bidiagonal real (nothing for reals)
//   Qword kMaxSteps               QR steps allowed between two convergences
//   Qword kGroup                  most columns per DotGroup and AxpyGroup
#pragma once
#include <cmath>

#include "arrays/svd_job.h"
#include "base/types.h"
#include "scalar/hypot_givens_inline.h"

namespace svd {

// A column-major matrix with 1-based access.
template <class T>
struct Mat {
  T* a;
  Qword ld;
  T& operator()(Qword i, Qword j) const { return a[(i - 1) + ld * (j - 1)]; }
  T* col(Qword i, Qword j) const { return a + (i - 1) + ld * (j - 1); }
};

// Applies the reflection stored in column q (rows r..last, pivot at r) to
// the columns j0..j1 of the same matrix: t = -(h^H c)/h(r); c += t h. The
// columns go in groups of up to Tr::kGroup whose dot products run at once.
template <class Tr, class T>
void ApplyReflection(const Mat<T>& M, Qword q, Qword r, Qword last, Qword j0, Qword j1) {
  constexpr Qword kGroup = Tr::kGroup;
  const Qword len = last - r + 1;
  const T* h = M.col(r, q);
  const T pivot = h[0];
  T d[kGroup];
  for (Qword j = j0; j <= j1; j += kGroup) {
    const Qword count = j1 - j + 1 < kGroup ? j1 - j + 1 : kGroup;
    Tr::DotGroup(len, h, M.col(r, j), M.ld, count, d);
    for (Qword k = 0; k < count; ++k) d[k] = -d[k] / pivot;
    Tr::AxpyGroup(len, d, h, M.col(r, j), M.ld, count);
  }
}

template <class Tr, class T>
void SetUnitColumn(const Mat<T>& M, Qword rows, Qword l) {
  for (Qword i = 1; i <= rows; ++i) M(i, l) = Tr::Zero();
  M(l, l) = Tr::One();
}

// Decomposes the n x p matrix x (leading dimension ldx, overwritten) into U
// (n rows, leading dimension n; ncu columns), the singular values sv (m =
// min(n + 1, p) of them) and V (p x p), as the job asks. ework holds at
// least max(n + 1, p) elements, work n. Returns false when the iteration
// did not converge or a singular value is not finite; U, s and V then hold
// the values reached.
template <class Tr, class T>
bool Decompose(T* xa, Qword ldx, Qword n, Qword p, T* U, T* sv, T* V, T* ework, T* work,
               SvdJob jb) {
  const bool wantu = jb.wantu, wantv = jb.wantv;
  const Mat<T> x{xa, ldx}, u{U, n}, v{V, p};
  auto s = [sv](Qword i) -> T& { return sv[i - 1]; };
  auto e = [ework](Qword i) -> T& { return ework[i - 1]; };
  const Qword ncu = jb.thin_u ? (n < p ? n : p) : n;

  // Householder bidiagonalisation.
  const Qword nct = n - 1 < p ? n - 1 : p;
  const Qword nrt = p >= 2 ? (p - 2 < n ? p - 2 : n) : 0;
  const Qword lu = nct > nrt ? nct : nrt;
  for (Qword l = 1; l <= lu; ++l) {
    const Qword lp1 = l + 1;
    if (l <= nct) {
      const Qword len = n - l + 1;
      T sl = Tr::FromReal(Tr::Norm(len, x.col(l, l)));
      if (Tr::NonZero(sl)) {
        if (Tr::NonZero(x(l, l))) sl = Tr::Sign(sl, x(l, l));
        Tr::Scale(len, Tr::Recip(sl), x.col(l, l));
        x(l, l) = Tr::One() + x(l, l);
      }
      s(l) = -sl;
    }
    if (p >= lp1) {
      if (l <= nct && Tr::NonZero(s(l))) ApplyReflection<Tr>(x, l, l, n, lp1, p);
      for (Qword j = lp1; j <= p; ++j) e(j) = Tr::Conj(x(l, j));
    }
    if (wantu && l <= nct)
      for (Qword i = l; i <= n; ++i) u(i, l) = x(i, l);
    if (l <= nrt) {
      const Qword len = p - l;
      T el = Tr::FromReal(Tr::Norm(len, &e(lp1)));
      if (Tr::NonZero(el)) {
        if (Tr::NonZero(e(lp1))) el = Tr::Sign(el, e(lp1));
        Tr::Scale(len, Tr::Recip(el), &e(lp1));
        e(lp1) = Tr::One() + e(lp1);
      }
      e(l) = -Tr::Conj(el);
      if (lp1 <= n && Tr::NonZero(e(l))) {
        const Qword rn = n - l;
        T* w = work + l;  // work(l+1..n)
        for (Qword i = 0; i < rn; ++i) w[i] = Tr::Zero();
        Tr::Accumulate(rn, p - l, &e(lp1), x.col(lp1, lp1), x.ld, w);
        T f[Tr::kGroup];
        for (Qword j = lp1; j <= p; j += Tr::kGroup) {
          const Qword count = p - j + 1 < Tr::kGroup ? p - j + 1 : Tr::kGroup;
          for (Qword k = 0; k < count; ++k) f[k] = Tr::Conj(-e(j + k) / e(lp1));
          Tr::AxpyGroup(rn, f, w, x.col(lp1, j), x.ld, count);
        }
      }
      if (wantv)
        for (Qword i = lp1; i <= p; ++i) v(i, l) = e(i);
    }
  }

  // The bidiagonal matrix of order m.
  Qword m = p < n + 1 ? p : n + 1;
  const Qword nctp1 = nct + 1, nrtp1 = nrt + 1;
  if (nct < p) s(nctp1) = x(nctp1, nctp1);
  if (n < m) s(m) = Tr::Zero();
  if (nrtp1 < m) e(nrtp1) = x(nrtp1, m);
  e(m) = Tr::Zero();

  if (wantu) {
    for (Qword j = nctp1; j <= ncu; ++j) SetUnitColumn<Tr>(u, n, j);
    for (Qword l = nct; l >= 1; --l) {
      if (Tr::NonZero(s(l))) {
        if (ncu >= l + 1) ApplyReflection<Tr>(u, l, l, n, l + 1, ncu);
        Tr::Scale(n - l + 1, Tr::MinusOne(), u.col(l, l));
        u(l, l) = Tr::One() + u(l, l);
        for (Qword i = 1; i < l; ++i) u(i, l) = Tr::Zero();
      } else {
        SetUnitColumn<Tr>(u, n, l);
      }
    }
  }
  if (wantv) {
    for (Qword l = p; l >= 1; --l) {
      if (l <= nrt && Tr::NonZero(e(l))) ApplyReflection<Tr>(v, l, l + 1, p, l + 1, p);
      SetUnitColumn<Tr>(v, p, l);
    }
  }

  Tr::ToRealBidiagonal(m, sv, ework, n, p, ncu, wantu ? U : nullptr, wantv ? V : nullptr);

  // QR iteration. Besides the step limit, the passes that split or deflate
  // without a QR step are counted: on finite data at most mm + 1 of them can
  // follow one another, so more means values that no longer compare (NaN).
  const Qword mm = m;
  Qword iter = 0, quiet = 0;
  bool failed = false;
  while (m > 0) {
    if (iter >= Tr::kMaxSteps || quiet > mm + 1) {
      failed = true;
      break;
    }
    Qword l = m - 1;
    for (; l >= 1; --l) {
      const double test = Tr::Abs(s(l)) + Tr::Abs(s(l + 1));
      if (test + Tr::Abs(e(l)) == test) {
        e(l) = Tr::Zero();
        break;
      }
    }
    int kase;
    if (l == m - 1) {
      kase = 4;
    } else {
      Qword ls = m;
      for (; ls > l; --ls) {
        double test = 0.0;
        if (ls != m) test += Tr::Abs(e(ls));
        if (ls != l + 1) test += Tr::Abs(e(ls - 1));
        if (test + Tr::Abs(s(ls)) == test) {
          s(ls) = Tr::Zero();
          break;
        }
      }
      if (ls == l) {
        kase = 3;
      } else if (ls == m) {
        kase = 1;
      } else {
        kase = 2;
        l = ls;
      }
    }
    ++l;
    double cs, sn;
    switch (kase) {
      case 1: {  // deflate a negligible s(m)
        double f = Tr::Re(e(m - 1));
        e(m - 1) = Tr::Zero();
        for (Qword k = m - 1; k >= l; --k) {
          double t1 = Tr::Re(s(k));
          Tr::Givens(&t1, &f, &cs, &sn);
          s(k) = Tr::FromReal(t1);
          if (k > l) {
            f = -sn * Tr::Re(e(k - 1));
            e(k - 1) = cs * e(k - 1);
          }
          if (wantv) Tr::Rot(p, v.col(1, k), v.col(1, m), cs, sn);
        }
        ++quiet;
        break;
      }
      case 2: {  // split at a negligible s(l-1)
        double f = Tr::Re(e(l - 1));
        e(l - 1) = Tr::Zero();
        for (Qword k = l; k <= m; ++k) {
          double t1 = Tr::Re(s(k));
          Tr::Givens(&t1, &f, &cs, &sn);
          s(k) = Tr::FromReal(t1);
          f = -sn * Tr::Re(e(k));
          e(k) = cs * e(k);
          // U has no column n+1 (nor one beyond ncu, the same bound here):
          // on finite data this split never reaches it.
          if (wantu && k <= n) Tr::Rot(n, u.col(1, k), u.col(1, l - 1), cs, sn);
        }
        ++quiet;
        break;
      }
      case 3: {  // one QR step
        double scale = Tr::Abs(s(m));
        scale = scalar::MaxIgnoringNaN(scale, Tr::Abs(s(m - 1)));
        scale = scalar::MaxIgnoringNaN(scale, Tr::Abs(e(m - 1)));
        scale = scalar::MaxIgnoringNaN(scale, Tr::Abs(s(l)));
        scale = scalar::MaxIgnoringNaN(scale, Tr::Abs(e(l)));
        const double sm = Tr::Re(s(m)) / scale, smm1 = Tr::Re(s(m - 1)) / scale;
        const double emm1 = Tr::Re(e(m - 1)) / scale;
        const double sl = Tr::Re(s(l)) / scale, el = Tr::Re(e(l)) / scale;
        const double b = ((smm1 + sm) * (smm1 - sm) + emm1 * emm1) / 2.0;
        const double c = (sm * emm1) * (sm * emm1);
        double shift = 0.0;
        if (b != 0.0 || c != 0.0) {
          shift = std::sqrt(b * b + c);
          if (b < 0.0) shift = -shift;
          shift = c / (b + shift);
        }
        double f = (sl + sm) * (sl - sm) + shift;
        double g = sl * el;
        for (Qword k = l; k <= m - 1; ++k) {
          Tr::Givens(&f, &g, &cs, &sn);
          if (k != l) e(k - 1) = Tr::FromReal(f);
          f = cs * Tr::Re(s(k)) + sn * Tr::Re(e(k));
          e(k) = cs * e(k) - sn * s(k);
          g = sn * Tr::Re(s(k + 1));
          s(k + 1) = cs * s(k + 1);
          if (wantv) Tr::Rot(p, v.col(1, k), v.col(1, k + 1), cs, sn);
          Tr::Givens(&f, &g, &cs, &sn);
          s(k) = Tr::FromReal(f);
          f = cs * Tr::Re(e(k)) + sn * Tr::Re(s(k + 1));
          s(k + 1) = -sn * e(k) + cs * s(k + 1);
          g = sn * Tr::Re(e(k + 1));
          e(k + 1) = cs * e(k + 1);
          if (wantu && k < n) Tr::Rot(n, u.col(1, k), u.col(1, k + 1), cs, sn);
        }
        e(m - 1) = Tr::FromReal(f);
        ++iter;
        break;
      }
      default: {  // convergence of s(l)
        if (Tr::Re(s(l)) < 0.0) {
          s(l) = -s(l);
          if (wantv) Tr::Scale(p, Tr::MinusOne(), v.col(1, l));
        }
        while (l < mm && Tr::Re(s(l)) < Tr::Re(s(l + 1))) {
          const T t = s(l);
          s(l) = s(l + 1);
          s(l + 1) = t;
          if (wantv && l < p) Tr::Swap(p, v.col(1, l), v.col(1, l + 1));
          if (wantu && l < n) Tr::Swap(n, u.col(1, l), u.col(1, l + 1));
          ++l;
        }
        iter = 0;
        quiet = 0;
        --m;
      }
    }
  }
  // Values that overflowed on the way have no decomposition either.
  for (Qword i = 0; !failed && i < mm; ++i)
    if (!Tr::Finite(sv[i])) failed = true;
  return !failed;
}

// The singular values alone of a tall matrix (rows at least 1.6 times cols)
// are found faster through its triangular factor: A = QR has the singular
// values of the cols x cols matrix R, Householder QR costs about half the
// bidiagonalisation of A, and the scheme then works on R alone. The paths
// with vectors never come here: their signs follow the scheme's rotations.
inline bool ValuesThroughTriangle(Qword n, Qword p) {
  return static_cast<double>(n) >= 1.6 * static_cast<double>(p);
}

// Overwrites the n x p matrix x (leading dimension ldx, n > p) with R in its
// top p rows and writes its p singular values to sv (work storage as for
// Decompose). The failure rule is that of Decompose.
template <class Tr, class T>
bool DecomposeValuesThroughTriangle(T* xa, Qword ldx, Qword n, Qword p, T* sv, T* ework, T* work) {
  const Mat<T> x{xa, ldx};
  for (Qword l = 1; l <= p; ++l) {
    const Qword len = n - l + 1;
    T rl = Tr::FromReal(Tr::Norm(len, x.col(l, l)));
    if (Tr::NonZero(rl)) {
      if (Tr::NonZero(x(l, l))) rl = Tr::Sign(rl, x(l, l));
      Tr::Scale(len, Tr::Recip(rl), x.col(l, l));
      x(l, l) = Tr::One() + x(l, l);
      if (l < p) ApplyReflection<Tr>(x, l, l, n, l + 1, p);
    }
    // The reflection is spent: column l of R is what lies above it.
    x(l, l) = -rl;
    for (Qword i = l + 1; i <= p; ++i) x(i, l) = Tr::Zero();
  }
  return Decompose<Tr>(xa, ldx, p, p, static_cast<T*>(nullptr), sv, static_cast<T*>(nullptr), ework,
                       work, SvdJob{false, false, false});
}

}  // namespace svd
