// Singular value decomposition of a real matrix: the checks, the work
// storage and the element traits of the scheme shared with the complex
// decomposition (arrays/svd_scheme.h). The vector kernels keep the summation
// order of the library's own dot products and norms, so results are
// reproducible to the last bit; up to eight independent dot products run at
// once, in the vector kernels of this processor (arrays/wide_kernels.h).
#include <cmath>

#include "arrays/array_templates.h"
#include "arrays/rarr.h"
#include "arrays/rarr_reduce.h"
#include "arrays/rmat_kernels.h"
#include "arrays/rmat_linalg.h"
#include "arrays/svd_job.h"
#include "arrays/svd_scheme.h"
#include "arrays/wide_kernels.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "scalar/hypot_givens_inline.h"
#include "scalar/real_helpers.h"

namespace {

// The real elements of the scheme: signs by copysign, rotations whose r is
// never negative (rGivensRotation's body, inline), up to 101 QR steps between convergences.
struct RealTraits {
  static constexpr Qword kMaxSteps = 101;
  static constexpr Qword kGroup = 8;
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
  static void DotGroup(Qword n, const double* h, const double* y, Qword ld, Qword count,
                       double* out) {
    wide::Active().dot_columns(n, h, y, ld, count, out);
  }
  static void AxpyGroup(Qword n, const double* a, const double* x, double* y, Qword ld,
                        Qword count) {
    wide::Active().axpy_columns(n, a, x, y, ld, count);
  }
  static void Scale(Qword n, double a, double* x) { rmat::Scale(n, a, x); }
  static void Accumulate(Qword n, Qword count, const double* f, const double* x, Qword ld,
                         double* w) {
    wide::Active().accumulate(n, count, f, x, ld, w);
  }
  static void Rot(Qword n, double* x, double* y, double c, double s) {
    wide::Active().rotation(n, x, y, c, s);
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
