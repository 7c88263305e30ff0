// Complex singular value decomposition: the checks, the working copy and the
// element traits of the scheme shared with the real decomposition
// (arrays/svd_scheme.h), with the diagonal unitary scaling that makes the
// bidiagonal matrix real. Norms and quotients that could overflow or
// underflow on the way are scaled, so matrices with entries near the ends
// of the double range decompose as well as ordinary ones.
#include "complexvec/cmat_svd.h"

#include <cfloat>
#include <cmath>

#include "arrays/svd_job.h"
#include "arrays/svd_scheme.h"
#include "arrays/wide_kernels.h"
#include "base/console_out.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "complexvec/carr.h"
#include "complexvec/carr_ops.h"
#include "complexvec/complex_scalar.h"

namespace {

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

// The real and imaginary parts of consecutive elements as one run of
// doubles (the layout complex.h asserts), for the vector kernels.
double* Parts(COMPLEX* x) { return &x->re; }
const double* Parts(const COMPLEX* x) { return &x->re; }

// y += a*x (carr::Axpy's operations), skipped for a factor of modulus 0 as
// in CArrAdd.
void Axpy(Qword n, COMPLEX a, const COMPLEX* x, COMPLEX* y) {
  if (cAbs(a) != 0.0) wide::Active().complex_axpy(n, a.re, a.im, Parts(x), Parts(y));
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

// The unitary diagonal scaling of step 5: s(i) and e(i) become their
// moduli, the phases move into the columns of U and V.
void ToRealBidiagonal(Qword m, COMPLEX* sv, COMPLEX* ework, Qword n, Qword p, Qword ncu, COMPLEX* U,
                      COMPLEX* V) {
  const svd::Mat<COMPLEX> u{U, n}, v{V, p};
  auto s = [sv](Qword i) -> COMPLEX& { return sv[i - 1]; };
  auto e = [ework](Qword i) -> COMPLEX& { return ework[i - 1]; };
  for (Qword i = 1; i <= m; ++i) {
    if (Cabs1(s(i)) != 0.0) {
      const double t = cAbs(s(i));
      const COMPLEX r = s(i) / t;
      s(i) = COMPLEX(t, 0.0);
      if (i < m) e(i) = e(i) / r;
      if (U && i <= ncu) carr::Scale(n, r, u.col(1, i), u.col(1, i));
    }
    if (i == m) break;
    if (Cabs1(e(i)) != 0.0) {
      const double t = cAbs(e(i));
      const COMPLEX r = Quot(COMPLEX(t, 0.0), e(i));
      e(i) = COMPLEX(t, 0.0);
      s(i + 1) = s(i + 1) * r;
      if (V) carr::Scale(p, r, v.col(1, i + 1), v.col(1, i + 1));
    }
  }
}

// The complex elements of the scheme: phases by csign, conjugated dot
// products, the real bidiagonal scaling, rotations whose r takes the sign
// of the larger input (CMatSVDRotation), 100 QR steps between convergences.
struct ComplexTraits {
  static constexpr Qword kMaxSteps = 100;
  static constexpr Qword kGroup = 8;
  static COMPLEX Zero() { return ZeroComplex; }
  static COMPLEX One() { return OneComplex; }
  static COMPLEX MinusOne() { return MnsOneComplex; }
  static COMPLEX FromReal(double x) { return COMPLEX(x, 0.0); }
  static double Re(COMPLEX z) { return z.re; }
  static double Abs(COMPLEX z) { return cAbs(z); }
  static bool NonZero(COMPLEX z) { return Cabs1(z) != 0.0; }
  static bool Finite(COMPLEX z) { return std::isfinite(z.re) && std::isfinite(z.im); }
  static COMPLEX Conj(COMPLEX z) { return COMPLEX(z.re, -z.im); }
  static COMPLEX Sign(COMPLEX a, COMPLEX b) { return Csign(a, b); }
  static COMPLEX Recip(COMPLEX a) { return Quot(OneComplex, a); }
  static double Norm(Qword n, const COMPLEX* x) { return ::Norm(n, x); }
  static void DotGroup(Qword n, const COMPLEX* h, const COMPLEX* y, Qword ld, Qword count,
                       COMPLEX* out) {
    wide::Active().complex_dot_columns(n, Parts(h), Parts(y), ld, count, Parts(out));
  }
  static void AxpyGroup(Qword n, const COMPLEX* a, const COMPLEX* x, COMPLEX* y, Qword ld,
                        Qword count) {
    for (Qword k = 0; k < count; ++k) ::Axpy(n, a[k], x, y + ld * k);
  }
  static void Scale(Qword n, COMPLEX a, COMPLEX* x) { carr::Scale(n, a, x, x); }
  static void Accumulate(Qword n, Qword count, const COMPLEX* f, const COMPLEX* x, Qword ld,
                         COMPLEX* w) {
    for (Qword j = 0; j < count; ++j) ::Axpy(n, f[j], x + ld * j, w);
  }
  // A rotation with real c and s acts on the real and imaginary parts alike
  // (carr::Rot), so it runs as the real kernel on twice as many doubles.
  static void Rot(Qword n, COMPLEX* x, COMPLEX* y, double c, double s) {
    wide::Active().rotation(2 * n, Parts(x), Parts(y), c, s);
  }
  static void Swap(Qword n, COMPLEX* x, COMPLEX* y) { carr::Swap(n, x, y); }
  static void Givens(double* a, double* b, double* c, double* s) { CMatSVDRotation(a, b, c, s); }
  static void ToRealBidiagonal(Qword m, COMPLEX* sv, COMPLEX* e, Qword n, Qword p, Qword ncu,
                               COMPLEX* U, COMPLEX* V) {
    ::ToRealBidiagonal(m, sv, e, n, p, ncu, U, V);
  }
};

}  // namespace

VELTRIA_API Dword CMatSVD(const COMPLEX* A, Dword n32, Dword p32, COMPLEX* U, COMPLEX* sv,
                          COMPLEX* V, Dword job) {
  if (!A) return kErrMissingArguments;
  if (n32 == 0 || p32 == 0) return kErrMissingArguments;
  if (!U || !sv || !V) return kErrMissingOutputBuffer;
  const Qword n = n32, p = p32;
  const SvdJob jb = SvdJobDecode(job);
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
  bool ok = AllFinite(n * p, xa);
  if (ok && !jb.wantu && !jb.wantv && svd::ValuesThroughTriangle(n, p))
    ok = svd::DecomposeValuesThroughTriangle<ComplexTraits>(xa, n, n, p, sv, ework, work);
  else if (ok)
    ok = svd::Decompose<ComplexTraits>(xa, n, n, p, U, sv, V, ework, work, jb);
  else
    for (Qword i = 0; i < m0; ++i) sv[i] = NanComplex;
  KillPtr(&work);
  KillPtr(&ework);
  KillPtr(&xa);
  return ok ? kErrNone : Failure();
}
