// Singular value decomposition by Householder bidiagonalisation and the
// implicitly shifted QR iteration on the bidiagonal matrix, statement for
// statement the classic column-oriented scheme (indices below run from 1 as
// in its published form). The vector kernels keep the summation order of
// the library's own dot products and norms, so results are reproducible to
// the last bit; four independent dot products run at once for speed.
#include <cmath>

#include "arrays/array_templates.h"
#include "arrays/rarr.h"
#include "arrays/rarr_reduce.h"
#include "arrays/rmat_kernels.h"
#include "arrays/rmat_linalg.h"
#include "arrays/svd_job.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "scalar/numerical_tools.h"
#include "scalar/real_helpers.h"

namespace {

using rmat::Axpy;
using rmat::Dot4;
using rmat::PlaneRotation;

constexpr Qword kMaxIt = 100;

// A column-major matrix with 1-based access.
struct Mat {
  double* a;
  Qword ld;
  double& operator()(Qword i, Qword j) const { return a[(i - 1) + ld * (j - 1)]; }
  double* col(Qword i, Qword j) const { return a + (i - 1) + ld * (j - 1); }
};

// Applies the reflection stored in column q (rows r..last, pivot at r) to
// the columns j0..j1 of the same matrix: t = -(h.c)/h(r); c += t h.
void ApplyReflection(const Mat& M, Qword q, Qword r, Qword last, Qword j0, Qword j1) {
  const Qword len = last - r + 1;
  const double* h = M.col(r, q);
  const double pivot = h[0];
  Qword j = j0;
  double d[4];
  for (; j + 3 <= j1; j += 4) {
    Dot4(len, h, M.col(r, j), M.col(r, j + 1), M.col(r, j + 2), M.col(r, j + 3), d);
    for (Qword k = 0; k < 4; ++k) Axpy(len, -d[k] / pivot, h, M.col(r, j + k));
  }
  for (; j <= j1; ++j) Axpy(len, -rmat::Dot(len, h, M.col(r, j)) / pivot, h, M.col(r, j));
}

// w[i] += f0*x0[i] + ... in that order, four columns per pass.
void Accumulate4(Qword n, const double* f, const double* x0, const double* x1, const double* x2,
                 const double* x3, double* __restrict w) {
  using rmat::Load2;
  using rmat::Splat2;
  using rmat::Store2;
  const rmat::V2 f0 = Splat2(f[0]), f1 = Splat2(f[1]), f2 = Splat2(f[2]), f3 = Splat2(f[3]);
  Qword i = 0;
  for (; i + 2 <= n; i += 2) {
    rmat::V2 v = Load2(w + i);
    v += f0 * Load2(x0 + i);
    v += f1 * Load2(x1 + i);
    v += f2 * Load2(x2 + i);
    v += f3 * Load2(x3 + i);
    Store2(w + i, v);
  }
  for (; i < n; ++i) {
    double v = w[i];
    v += f[0] * x0[i];
    v += f[1] * x1[i];
    v += f[2] * x2[i];
    v += f[3] * x3[i];
    w[i] = v;
  }
}

bool AllFinite(Qword count, const double* x) {
  for (Qword i = 0; i < count; ++i)
    if (!std::isfinite(x[i])) return false;
  return true;
}

}  // namespace

VELTRIA_API Dword RMatSVD(double* A, Qword rows, Qword cols, double* U, double* sv, double* V,
                          Dword job) {
  if (!A || rows == 0 || cols == 0) return kErrMissingArguments;
  if (!sv) return kErrMissingOutputBuffer;
  const SvdJob jb = SvdJobDecode(job);
  const bool wantu = jb.wantu, wantv = jb.wantv;
  if (wantu && !U) return kErrMissingOutputBuffer;
  if (wantv && !V) return kErrMissingOutputBuffer;
  const Qword n = rows, p = cols;
  const Qword m0 = p < n + 1 ? p : n + 1;

  // A NaN or an infinity has no decomposition: the iteration could only
  // stall on it, so it ends at once as an iteration that never converged.
  Qword count;
  if (!MatCount(n, p, &count)) return kErrIllegalArgument;
  if (!AllFinite(count, A)) {
    for (Qword i = 0; i < m0; ++i) sv[i] = ___NAN;
    return kErrTooManyIterations;
  }
  if (p > ~Qword{0} - n) return kErrAlloc;
  Dword error;
  double* ework = RArrNew(&error, n + p);
  if (!ework) return error;
  double* work = RArrNew(&error, n);
  if (!work) {
    KillPtr(&ework);
    return error;
  }

  const Mat x{A, n}, u{U, n}, v{V, p};
  auto s = [sv](Qword i) -> double& { return sv[i - 1]; };
  auto e = [ework](Qword i) -> double& { return ework[i - 1]; };
  const Qword ncu = jb.thin_u ? (n < p ? n : p) : n;

  // Householder bidiagonalisation.
  const Qword nct = n - 1 < p ? n - 1 : p;
  const Qword nrt = p >= 2 ? (p - 2 < n ? p - 2 : n) : 0;
  const Qword lu = nct > nrt ? nct : nrt;
  for (Qword l = 1; l <= lu; ++l) {
    const Qword lp1 = l + 1;
    if (l <= nct) {
      const Qword len = n - l + 1;
      double sl = RArrNormL2(len, x.col(l, l));
      if (sl != 0.0) {
        if (x(l, l) != 0.0) sl = std::copysign(sl, x(l, l));
        rmat::Scale(len, 1.0 / sl, x.col(l, l));
        x(l, l) = 1.0 + x(l, l);
      }
      s(l) = -sl;
    }
    if (p >= lp1) {
      if (l <= nct && s(l) != 0.0) ApplyReflection(x, l, l, n, lp1, p);
      for (Qword j = lp1; j <= p; ++j) e(j) = x(l, j);
    }
    if (wantu && l <= nct)
      for (Qword i = l; i <= n; ++i) u(i, l) = x(i, l);
    if (l <= nrt) {
      const Qword len = p - l;
      double el = RArrNormL2(len, &e(lp1));
      if (el != 0.0) {
        if (e(lp1) != 0.0) el = std::copysign(el, e(lp1));
        rmat::Scale(len, 1.0 / el, &e(lp1));
        e(lp1) = 1.0 + e(lp1);
      }
      e(l) = -el;
      if (lp1 <= n && e(l) != 0.0) {
        const Qword rn = n - l;
        double* w = work + l;  // work(l+1..n)
        for (Qword i = 0; i < rn; ++i) w[i] = 0.0;
        Qword j = lp1;
        for (; j + 3 <= p; j += 4)
          Accumulate4(rn, &e(j), x.col(lp1, j), x.col(lp1, j + 1), x.col(lp1, j + 2),
                      x.col(lp1, j + 3), w);
        for (; j <= p; ++j) Axpy(rn, e(j), x.col(lp1, j), w);
        for (j = lp1; j <= p; ++j) Axpy(rn, -e(j) / e(lp1), w, x.col(lp1, j));
      }
      if (wantv)
        for (Qword i = lp1; i <= p; ++i) v(i, l) = e(i);
    }
  }

  // The bidiagonal matrix of order m.
  Qword m = m0;
  const Qword nctp1 = nct + 1, nrtp1 = nrt + 1;
  if (nct < p) s(nctp1) = x(nctp1, nctp1);
  if (n < m) s(m) = 0.0;
  if (nrtp1 < m) e(nrtp1) = x(nrtp1, m);
  e(m) = 0.0;

  if (wantu) {
    for (Qword j = nctp1; j <= ncu; ++j) {
      for (Qword i = 1; i <= n; ++i) u(i, j) = 0.0;
      u(j, j) = 1.0;
    }
    for (Qword l = nct; l >= 1; --l) {
      if (s(l) != 0.0) {
        if (ncu >= l + 1) ApplyReflection(u, l, l, n, l + 1, ncu);
        rmat::Scale(n - l + 1, -1.0, u.col(l, l));
        u(l, l) = 1.0 + u(l, l);
        for (Qword i = 1; i < l; ++i) u(i, l) = 0.0;
      } else {
        for (Qword i = 1; i <= n; ++i) u(i, l) = 0.0;
        u(l, l) = 1.0;
      }
    }
  }
  if (wantv) {
    for (Qword l = p; l >= 1; --l) {
      if (l <= nrt && e(l) != 0.0) ApplyReflection(v, l, l + 1, p, l + 1, p);
      for (Qword i = 1; i <= p; ++i) v(i, l) = 0.0;
      v(l, l) = 1.0;
    }
  }

  // QR iteration. Besides the step limit, the passes that split or deflate
  // without a QR step are counted: on finite data at most mm + 1 of them can
  // follow one another, so more means values that no longer compare (NaN).
  const Qword mm = m;
  Qword iter = 0, quiet = 0;
  Dword status = kErrNone;
  while (m > 0) {
    if (iter > kMaxIt || quiet > mm + 1) {
      status = kErrTooManyIterations;
      break;
    }
    Qword l = m - 1;
    for (; l >= 1; --l) {
      const double test = std::fabs(s(l)) + std::fabs(s(l + 1));
      if (test + std::fabs(e(l)) == test) {
        e(l) = 0.0;
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
        if (ls != m) test += std::fabs(e(ls));
        if (ls != l + 1) test += std::fabs(e(ls - 1));
        if (test + std::fabs(s(ls)) == test) {
          s(ls) = 0.0;
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
        double f = e(m - 1);
        e(m - 1) = 0.0;
        for (Qword k = m - 1; k >= l; --k) {
          rGivensRotation(&s(k), &f, &cs, &sn);
          if (k > l) {
            f = -sn * e(k - 1);
            e(k - 1) = cs * e(k - 1);
          }
          if (wantv) PlaneRotation(p, v.col(1, k), v.col(1, m), cs, sn);
        }
        ++quiet;
        break;
      }
      case 2: {  // split at a negligible s(l-1)
        double f = e(l - 1);
        e(l - 1) = 0.0;
        for (Qword k = l; k <= m; ++k) {
          rGivensRotation(&s(k), &f, &cs, &sn);
          f = -sn * e(k);
          e(k) = cs * e(k);
          // U has no column n+1: on finite data this split never reaches it.
          if (wantu && k <= n) PlaneRotation(n, u.col(1, k), u.col(1, l - 1), cs, sn);
        }
        ++quiet;
        break;
      }
      case 3: {  // one QR step
        double scale = std::fabs(s(m));
        scale = std::fmax(scale, std::fabs(s(m - 1)));
        scale = std::fmax(scale, std::fabs(e(m - 1)));
        scale = std::fmax(scale, std::fabs(s(l)));
        scale = std::fmax(scale, std::fabs(e(l)));
        const double sm = s(m) / scale, smm1 = s(m - 1) / scale, emm1 = e(m - 1) / scale;
        const double sl = s(l) / scale, el = e(l) / scale;
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
          rGivensRotation(&f, &g, &cs, &sn);
          if (k != l) e(k - 1) = f;
          f = cs * s(k) + sn * e(k);
          e(k) = cs * e(k) - sn * s(k);
          g = sn * s(k + 1);
          s(k + 1) = cs * s(k + 1);
          if (wantv) PlaneRotation(p, v.col(1, k), v.col(1, k + 1), cs, sn);
          rGivensRotation(&f, &g, &cs, &sn);
          s(k) = f;
          f = cs * e(k) + sn * s(k + 1);
          s(k + 1) = -sn * e(k) + cs * s(k + 1);
          g = sn * e(k + 1);
          e(k + 1) = cs * e(k + 1);
          if (wantu && k < n) PlaneRotation(n, u.col(1, k), u.col(1, k + 1), cs, sn);
        }
        e(m - 1) = f;
        ++iter;
        break;
      }
      default: {  // convergence of s(l)
        if (s(l) < 0.0) {
          s(l) = -s(l);
          if (wantv) rmat::Scale(p, -1.0, v.col(1, l));
        }
        while (l < mm && s(l) < s(l + 1)) {
          const double t = s(l);
          s(l) = s(l + 1);
          s(l + 1) = t;
          if (wantv && l < p) rmat::SwapColumns(p, v.col(1, l), v.col(1, l + 1));
          if (wantu && l < n) rmat::SwapColumns(n, u.col(1, l), u.col(1, l + 1));
          ++l;
        }
        iter = 0;
        quiet = 0;
        --m;
      }
    }
  }
  // Values that overflowed on the way have no decomposition either.
  if (status == kErrNone && !AllFinite(mm, sv)) status = kErrTooManyIterations;
  KillPtr(&work);
  KillPtr(&ework);
  return status;
}

VELTRIA_API Dword RMatThinSVD(double* A, Qword rows, Qword cols, double* U, double* s, double* V) {
  return RMatSVD(A, rows, cols, U, s, V, kSvdJobThin);
}
