// The exported vector kernels of complex arrays: scaled sum, scaling,
// conjugation, conjugated dot product, norm, plane rotation and exchange.
#include "base/error_codes.h"
#include "complexvec/carr.h"
#include "complexvec/carr_ops.h"
#include "complexvec/complex_scalar.h"
#include "scalar/elementary.h"

VELTRIA_API Dword CArrAdd(Dword n, const COMPLEX* x, COMPLEX* y, const COMPLEX* a) {
  if (n == 0 || !x || !y || !a) return kErrMissingArguments;
  if (cAbs(*a) == 0.0) return kErrNone;
  carr::Axpy(n, *a, x, y);
  return kErrNone;
}

VELTRIA_API Dword CArrMulConst(Dword n, const COMPLEX* src, COMPLEX* dst, const COMPLEX* a) {
  if (n == 0 || !src || !dst || !a) return kErrMissingArguments;
  carr::Scale(n, *a, src, dst);
  return kErrNone;
}

VELTRIA_API Dword CArrConjugate(Dword n, const COMPLEX* src, COMPLEX* dst) {
  if (n == 0 || !src) return kErrMissingArguments;
  if (!dst) dst = const_cast<COMPLEX*>(src);
  for (Dword i = 0; i < n; ++i) dst[i] = COMPLEX(src[i].re, -src[i].im);
  return kErrNone;
}

VELTRIA_API Dword CArrDotProduct(Dword n, const COMPLEX* x, const COMPLEX* y, COMPLEX* result) {
  if (!result) return kErrMissingOutputBuffer;
  *result = ZeroComplex;
  if (n == 0 || !x || !y) return kErrMissingInputData;
  *result = carr::DotC(n, x, y);
  return kErrNone;
}

VELTRIA_API double CArrNorm(Dword n, const COMPLEX* x) {
  if (n == 0 || !x) return 0.0;
  return rSqrt(carr::SumSquares(n, x));
}

VELTRIA_API Dword CArrRot(Dword n, COMPLEX* x, COMPLEX* y, double c, double s) {
  if (n == 0 || !x || !y) return kErrMissingArguments;
  carr::Rot(n, x, y, c, s);
  return kErrNone;
}

VELTRIA_API Dword CArrSwap(Dword n, COMPLEX* x, COMPLEX* y) {
  if (n == 0 || !x || !y) return kErrMissingArguments;
  carr::Swap(n, x, y);
  return kErrNone;
}
