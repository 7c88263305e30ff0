// Singular value decomposition of a real matrix: the checks, the work
// storage and the element traits of the scheme shared with the complex
// decomposition (arrays/svd_scheme.h). The vector kernels keep the summation
// order of the library's own dot products and norms, so results are
// reproducible to the last bit; four independent dot products run at once
// for speed.
#include <cmath>

#include "arrays/array_templates.h"
#include "arrays/rarr.h"
#include "arrays/rarr_reduce.h"
#include "arrays/rmat_kernels.h"
#include "arrays/rmat_linalg.h"
#include "arrays/svd_job.h"
#include "arrays/svd_scheme.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "scalar/hypot_givens_inline.h"
#include "scalar/real_helpers.h"

namespace {

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

// The real elements of the scheme: signs by copysign, rotations whose r is
// never negative (rGivensRotation's body, inline), up to 101 QR steps between convergences.
struct RealTraits {
  static constexpr Qword kMaxSteps = 101;
  static constexpr Qword kGroup = 4;
  static double Zero() { return 0.0; }
  static double One() { return 1.0; }
  static double MinusOne() { return -1.0; }
  static double FromReal(double x) { return x; }
  static double Re(double x) { return x; }
  static double Abs(double x) { return std::fabs(x); }
  static bool NonZero(double x) { return x != 0.0; }
  static bool Finite(double x) { return std::isfinite(x); }
  static double Conj(double x) { return x; }
  static double Sign(double a, double b) { return std::copysign(a, b); }
  static double Recip(double a) { return 1.0 / a; }
  static double Norm(Qword n, const double* x) { return RArrNormL2(n, x); }
  static double Dot(Qword n, const double* h, const double* y) { return rmat::Dot(n, h, y); }
  static void DotGroup(Qword n, const double* h, const double* y, Qword ld, double* out) {
    rmat::Dot4(n, h, y, y + ld, y + 2 * ld, y + 3 * ld, out);
  }
  static void Axpy(Qword n, double a, const double* x, double* y) { rmat::Axpy(n, a, x, y); }
  static void AxpyGroup(Qword n, const double* a, const double* x, double* y, Qword ld) {
    for (Qword k = 0; k < kGroup; ++k) rmat::Axpy(n, a[k], x, y + ld * k);
  }
  static void Scale(Qword n, double a, double* x) { rmat::Scale(n, a, x); }
  static void Accumulate(Qword n, Qword count, const double* f, const double* x, Qword ld,
                         double* w) {
    Qword j = 0;
    for (; j + 4 <= count; j += 4)
      Accumulate4(n, f + j, x + ld * j, x + ld * (j + 1), x + ld * (j + 2), x + ld * (j + 3), w);
    for (; j < count; ++j) rmat::Axpy(n, f[j], x + ld * j, w);
  }
  static void Rot(Qword n, double* x, double* y, double c, double s) {
    rmat::PlaneRotation(n, x, y, c, s);
  }
  static void Swap(Qword n, double* x, double* y) { rmat::SwapColumns(n, x, y); }
  static void Givens(double* a, double* b, double* c, double* s) {
    scalar::GivensRotationInline(a, b, c, s);
  }
  static void ToRealBidiagonal(Qword, double*, double*, Qword, Qword, Qword, double*, double*) {}
};

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
  if (jb.wantu && !U) return kErrMissingOutputBuffer;
  if (jb.wantv && !V) return kErrMissingOutputBuffer;
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
  const bool ok = !jb.wantu && !jb.wantv && svd::ValuesThroughTriangle(n, p)
                      ? svd::DecomposeValuesThroughTriangle<RealTraits>(A, n, n, p, sv, ework, work)
                      : svd::Decompose<RealTraits>(A, n, n, p, U, sv, V, ework, work, jb);
  KillPtr(&work);
  KillPtr(&ework);
  return ok ? kErrNone : kErrTooManyIterations;
}

VELTRIA_API Dword RMatThinSVD(double* A, Qword rows, Qword cols, double* U, double* s, double* V) {
  return RMatSVD(A, rows, cols, U, s, V, kSvdJobThin);
}
