// Complex singular value decomposition: the classic column-oriented scheme
// (Householder bidiagonalisation, a diagonal unitary scaling to a real
// bidiagonal matrix, implicitly shifted QR with plane rotations), indices
// from 1 as in its published form. Norms and quotients that could overflow
// or underflow on the way are scaled, so matrices with entries near the
// ends of the double range decompose as well as ordinary ones.
#include "complexvec/cmat_svd.h"

#include <cfloat>
#include <cmath>

#include "arrays/svd_job.h"
#include "base/console_out.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "complexvec/carr.h"
#include "complexvec/carr_ops.h"
#include "complexvec/complex_scalar.h"

namespace {

constexpr Qword kMaxIt = 100;

// A column-major complex matrix with 1-based access.
struct Mat {
  COMPLEX* a;
  Qword ld;
  COMPLEX& operator()(Qword i, Qword j) const { return a[(i - 1) + ld * (j - 1)]; }
  COMPLEX* col(Qword i, Qword j) const { return a + (i - 1) + ld * (j - 1); }
};

double Cabs1(COMPLEX z) { return std::fabs(z.re) + std::fabs(z.im); }

// |a| with the phase of b; (0, 0) when b is 0.
COMPLEX Csign(COMPLEX a, COMPLEX b) {
  const double mb = cAbs(b);
  if (mb == 0.0) return ZeroComplex;
  return cAbs(a) * (b / mb);
}

// a/b by the textbook formula while |b|^2 stays in the normal range, else
// with b scaled to modulus near 1 first.
COMPLEX Quot(COMPLEX a, COMPLEX b) {
  const double q = b.re * b.re + b.im * b.im;
  if (q >= DBL_MIN && q <= DBL_MAX) return a / b;
  const double m = std::fmax(std::fabs(b.re), std::fabs(b.im));
  if (!(m > 0.0) || std::isinf(m)) return a / b;
  const COMPLEX bs(b.re / m, b.im / m);
  return (a / bs) / m;
}

// Euclidean norm: the plain sum of squares when it cannot have lost
// anything to overflow or underflow (then the same bits as CArrNorm), else
// the sum of squares of the elements scaled by the largest part.
double Norm(Qword n, const COMPLEX* x) {
  const double sum = carr::SumSquares(n, x);
  // Terms lost below the normal range are then below 2^-53 of the sum.
  static const double kSafeSum = std::ldexp(1.0, -969);
  if (sum >= kSafeSum && sum <= DBL_MAX) return std::sqrt(sum);
  double big = 0.0;
  for (Qword i = 0; i < n; ++i)
    big = std::fmax(big, std::fmax(std::fabs(x[i].re), std::fabs(x[i].im)));
  if (big == 0.0 || std::isinf(big) || std::isnan(sum)) return big == 0.0 ? 0.0 : sum;
  double scaled = 0.0;
  for (Qword i = 0; i < n; ++i) {
    const double r = x[i].re / big, m = x[i].im / big;
    scaled += r * r + m * m;
  }
  return big * std::sqrt(scaled);
}

// y += a*x, skipped for a factor of modulus 0 as in CArrAdd.
void Axpy(Qword n, COMPLEX a, const COMPLEX* x, COMPLEX* y) {
  if (cAbs(a) != 0.0) carr::Axpy(n, a, x, y);
}

// Applies the reflection stored in column q (rows r..last, pivot at r) to
// columns j0..j1: t = -(h^H c)/h(r); c += t h. Four dot products per pass.
void ApplyReflection(const Mat& M, Qword q, Qword r, Qword last, Qword j0, Qword j1) {
  const Qword len = last - r + 1;
  const COMPLEX* h = M.col(r, q);
  const COMPLEX pivot = h[0];
  Qword j = j0;
  COMPLEX d[4];
  for (; j + 3 <= j1; j += 4) {
    carr::DotC4(len, h, M.col(r, j), M.col(r, j + 1), M.col(r, j + 2), M.col(r, j + 3), d);
    for (Qword k = 0; k < 4; ++k) Axpy(len, -d[k] / pivot, h, M.col(r, j + k));
  }
  for (; j <= j1; ++j) Axpy(len, -carr::DotC(len, h, M.col(r, j)) / pivot, h, M.col(r, j));
}

void SetUnitColumn(const Mat& M, Qword rows, Qword l) {
  for (Qword i = 1; i <= rows; ++i) M(i, l) = ZeroComplex;
  M(l, l) = OneComplex;
}

bool AllFinite(Qword count, const COMPLEX* x) {
  for (Qword i = 0; i < count; ++i)
    if (!std::isfinite(x[i].re) || !std::isfinite(x[i].im)) return false;
  return true;
}

Dword Failure() {
  Cout(u"\n");
  Cout(u" Full SVD - Failure!\n");
  Cout(u"  The SVD could not be calculated.\n");
  return kErrSolutionNotFound;
}

}  // namespace

VELTRIA_API Dword CMatSVD(const COMPLEX* A, Dword n32, Dword p32, COMPLEX* U, COMPLEX* sv,
                          COMPLEX* V, Dword job) {
  if (!A) return kErrMissingArguments;
  if (n32 == 0 || p32 == 0) return kErrMissingArguments;
  if (!U || !sv || !V) return kErrMissingOutputBuffer;
  const Qword n = n32, p = p32;
  const SvdJob jb = SvdJobDecode(job);
  const bool wantu = jb.wantu, wantv = jb.wantv;
  const Qword ncu = jb.thin_u ? (n < p ? n : p) : n;
  const Qword m0 = p < n + 1 ? p : n + 1;

  Dword error;
  COMPLEX* xa = CMatNewCopy(&error, A, n, p);
  if (!xa) return error;
  COMPLEX* ework = CArrNew(&error, n + 1 > p ? n + 1 : p);
  COMPLEX* work = ework ? CArrNew(&error, n) : nullptr;
  if (!work) {
    KillPtr(&ework);
    KillPtr(&xa);
    return error;
  }
  // A NaN or an infinity has no decomposition; the iteration could only
  // stall on it, so it ends at once as one that did not converge.
  if (!AllFinite(n * p, xa)) {
    for (Qword i = 0; i < m0; ++i) sv[i] = NanComplex;
    KillPtr(&work);
    KillPtr(&ework);
    KillPtr(&xa);
    return Failure();
  }

  const Mat x{xa, n}, u{U, n}, v{V, p};
  auto s = [sv](Qword i) -> COMPLEX& { return sv[i - 1]; };
  auto e = [ework](Qword i) -> COMPLEX& { return ework[i - 1]; };

  // Householder bidiagonalisation.
  const Qword nct = n - 1 < p ? n - 1 : p;
  const Qword nrt = p >= 2 ? (p - 2 < n ? p - 2 : n) : 0;
  const Qword lu = nct > nrt ? nct : nrt;
  for (Qword l = 1; l <= lu; ++l) {
    const Qword lp1 = l + 1;
    if (l <= nct) {
      const Qword len = n - l + 1;
      s(l) = COMPLEX(Norm(len, x.col(l, l)), 0.0);
      if (Cabs1(s(l)) != 0.0) {
        if (Cabs1(x(l, l)) != 0.0) s(l) = Csign(s(l), x(l, l));
        carr::Scale(len, Quot(OneComplex, s(l)), x.col(l, l), x.col(l, l));
        x(l, l) = OneComplex + x(l, l);
      }
      s(l) = -s(l);
    }
    if (p >= lp1) {
      if (l <= nct && Cabs1(s(l)) != 0.0) ApplyReflection(x, l, l, n, lp1, p);
      for (Qword j = lp1; j <= p; ++j) e(j) = COMPLEX(x(l, j).re, -x(l, j).im);
    }
    if (wantu && l <= nct)
      for (Qword i = l; i <= n; ++i) u(i, l) = x(i, l);
    if (l <= nrt) {
      const Qword len = p - l;
      e(l) = COMPLEX(Norm(len, &e(lp1)), 0.0);
      if (Cabs1(e(l)) != 0.0) {
        if (Cabs1(e(lp1)) != 0.0) e(l) = Csign(e(l), e(lp1));
        carr::Scale(len, Quot(OneComplex, e(l)), &e(lp1), &e(lp1));
        e(lp1) = OneComplex + e(lp1);
      }
      e(l) = COMPLEX(-e(l).re, e(l).im);  // -conj(e(l))
      if (lp1 <= n && Cabs1(e(l)) != 0.0) {
        const Qword rn = n - l;
        COMPLEX* w = work + l;  // work(l+1..n)
        for (Qword i = 0; i < rn; ++i) w[i] = ZeroComplex;
        for (Qword j = lp1; j <= p; ++j) Axpy(rn, e(j), x.col(lp1, j), w);
        for (Qword j = lp1; j <= p; ++j) {
          const COMPLEX t = -e(j) / e(lp1);
          Axpy(rn, COMPLEX(t.re, -t.im), w, x.col(lp1, j));
        }
      }
      if (wantv)
        for (Qword i = lp1; i <= p; ++i) v(i, l) = e(i);
    }
  }

  // The bidiagonal matrix of order m.
  Qword m = m0;
  const Qword nctp1 = nct + 1, nrtp1 = nrt + 1;
  if (nct < p) s(nctp1) = x(nctp1, nctp1);
  if (n < m) s(m) = ZeroComplex;
  if (nrtp1 < m) e(nrtp1) = x(nrtp1, m);
  e(m) = ZeroComplex;

  if (wantu) {
    for (Qword j = nctp1; j <= ncu; ++j) SetUnitColumn(u, n, j);
    for (Qword l = nct; l >= 1; --l) {
      if (Cabs1(s(l)) != 0.0) {
        if (ncu >= l + 1) ApplyReflection(u, l, l, n, l + 1, ncu);
        carr::Scale(n - l + 1, MnsOneComplex, u.col(l, l), u.col(l, l));
        u(l, l) = OneComplex + u(l, l);
        for (Qword i = 1; i < l; ++i) u(i, l) = ZeroComplex;
      } else {
        SetUnitColumn(u, n, l);
      }
    }
  }
  if (wantv) {
    for (Qword l = p; l >= 1; --l) {
      if (l <= nrt && Cabs1(e(l)) != 0.0) ApplyReflection(v, l, l + 1, p, l + 1, p);
      SetUnitColumn(v, p, l);
    }
  }

  // A diagonal unitary scaling on each side makes the bidiagonal real.
  for (Qword i = 1; i <= m; ++i) {
    if (Cabs1(s(i)) != 0.0) {
      const double t = cAbs(s(i));
      const COMPLEX r = s(i) / t;
      s(i) = COMPLEX(t, 0.0);
      if (i < m) e(i) = e(i) / r;
      if (wantu && i <= ncu) carr::Scale(n, r, u.col(1, i), u.col(1, i));
    }
    if (i == m) break;
    if (Cabs1(e(i)) != 0.0) {
      const double t = cAbs(e(i));
      const COMPLEX r = Quot(COMPLEX(t, 0.0), e(i));
      e(i) = COMPLEX(t, 0.0);
      s(i + 1) = s(i + 1) * r;
      if (wantv) carr::Scale(p, r, v.col(1, i + 1), v.col(1, i + 1));
    }
  }

  // QR iteration. Besides the step limit, the passes that split or deflate
  // without a QR step are counted: on finite data at most mm + 1 of them can
  // follow one another, so more means values that no longer compare.
  const Qword mm = m;
  Qword iter = 0, quiet = 0;
  bool failed = false;
  while (m > 0) {
    if (iter >= kMaxIt || quiet > mm + 1) {
      failed = true;
      break;
    }
    Qword l = m - 1;
    for (; l >= 1; --l) {
      const double test = cAbs(s(l)) + cAbs(s(l + 1));
      if (test + cAbs(e(l)) == test) {
        e(l) = ZeroComplex;
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
        if (ls != m) test += cAbs(e(ls));
        if (ls != l + 1) test += cAbs(e(ls - 1));
        if (test + cAbs(s(ls)) == test) {
          s(ls) = ZeroComplex;
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
        double f = e(m - 1).re;
        e(m - 1) = ZeroComplex;
        for (Qword k = m - 1; k >= l; --k) {
          double t1 = s(k).re;
          CMatSVDRotation(&t1, &f, &cs, &sn);
          s(k) = COMPLEX(t1, 0.0);
          if (k != l) {
            f = -sn * e(k - 1).re;
            e(k - 1) = cs * e(k - 1);
          }
          if (wantv) carr::Rot(p, v.col(1, k), v.col(1, m), cs, sn);
        }
        ++quiet;
        break;
      }
      case 2: {  // split at a negligible s(l - 1)
        double f = e(l - 1).re;
        e(l - 1) = ZeroComplex;
        for (Qword k = l; k <= m; ++k) {
          double t1 = s(k).re;
          CMatSVDRotation(&t1, &f, &cs, &sn);
          s(k) = COMPLEX(t1, 0.0);
          f = -sn * e(k).re;
          e(k) = cs * e(k);
          // U has no column beyond ncu: on finite data this split never reaches it.
          if (wantu && k <= ncu) carr::Rot(n, u.col(1, k), u.col(1, l - 1), cs, sn);
        }
        ++quiet;
        break;
      }
      case 3: {  // one QR step
        double scale = cAbs(s(m));
        scale = std::fmax(scale, cAbs(s(m - 1)));
        scale = std::fmax(scale, cAbs(e(m - 1)));
        scale = std::fmax(scale, cAbs(s(l)));
        scale = std::fmax(scale, cAbs(e(l)));
        const double sm = s(m).re / scale, smm1 = s(m - 1).re / scale;
        const double emm1 = e(m - 1).re / scale, sl = s(l).re / scale, el = e(l).re / scale;
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
          CMatSVDRotation(&f, &g, &cs, &sn);
          if (k != l) e(k - 1) = COMPLEX(f, 0.0);
          f = cs * s(k).re + sn * e(k).re;
          e(k) = cs * e(k) - sn * s(k);
          g = sn * s(k + 1).re;
          s(k + 1) = cs * s(k + 1);
          if (wantv) carr::Rot(p, v.col(1, k), v.col(1, k + 1), cs, sn);
          CMatSVDRotation(&f, &g, &cs, &sn);
          s(k) = COMPLEX(f, 0.0);
          f = cs * e(k).re + sn * s(k + 1).re;
          s(k + 1) = -sn * e(k) + cs * s(k + 1);
          g = sn * e(k + 1).re;
          e(k + 1) = cs * e(k + 1);
          if (wantu && k < n) carr::Rot(n, u.col(1, k), u.col(1, k + 1), cs, sn);
        }
        e(m - 1) = COMPLEX(f, 0.0);
        ++iter;
        break;
      }
      default: {  // convergence of s(l)
        if (s(l).re < 0.0) {
          s(l) = -s(l);
          if (wantv) carr::Scale(p, MnsOneComplex, v.col(1, l), v.col(1, l));
        }
        while (l != mm && s(l).re < s(l + 1).re) {
          const COMPLEX t = s(l);
          s(l) = s(l + 1);
          s(l + 1) = t;
          if (wantv && l < p) carr::Swap(p, v.col(1, l), v.col(1, l + 1));
          if (wantu && l < n) carr::Swap(n, u.col(1, l), u.col(1, l + 1));
          ++l;
        }
        iter = 0;
        quiet = 0;
        --m;
      }
    }
  }
  // Values that overflowed on the way have no decomposition either.
  if (!failed && !AllFinite(mm, sv)) failed = true;
  KillPtr(&work);
  KillPtr(&ework);
  KillPtr(&xa);
  return failed ? Failure() : kErrNone;
}
