// The operation-code evaluator: one table row per code.
#include "arrays/rarr.h"
#include "arrays/rarr_integrate.h"
#include "arrays/rarr_ops.h"
#include "arrays/rarr_sort.h"
#include "arrays/smoothing.h"
#include "base/memory.h"
#include "scalar/int_helpers.h"

namespace {

// The parameter as a shift or lag: rounded, limited to +-(2^31 - 1).
Qlong Steps(double p) {
  Long k = 0;
  iRealToLongInterval(p, &k, -2147483647, 2147483647);
  return k;
}

}  // namespace

VELTRIA_API Dword RArrEval(Qword n, const double* src, double* dst, Dword code, double p) {
  if (code >= kEvalClipFirst && code <= kEvalClipLast)
    return RArrClip(code - kEvalClipFirst, n, src, dst, p);
  switch (code) {
    case kEvalCopy:
      return RArrCopy(n, src, dst);
    case kEvalFill:
      return RArrFill(n, dst, p);
    case kEvalAddConst:
      return RArrAddConst(n, src, dst, p);
    case kEvalMulConst:
      return RArrMulConst(n, src, dst, p);
    case kEvalAbs:
      return RArrAbs(n, src, dst);
    case kEvalInvertSign:
      return RArrInvertSign(n, src, dst);
    case kEvalSquare:
      return RArrSquare(n, src, dst);
    case kEvalSignedSquare:
      return RArrSignedSquare(n, src, dst);
    case kEvalRunningSum:
      return RArrRunningSum(n, src, dst);
    case kEvalReverse:
      return RArrReverse(n, src, dst);
    case kEvalZeroUpperHalf:
      return RArrZeroUpperHalf(n, src, dst);
    case kEvalSwapHalfs:
      return RArrSwapHalfs(n, src, dst);
    case kEvalRotate:
      return RArrRotate(n, src, dst, Steps(p));
    case kEvalShiftZ:
      return RArrShiftZ(n, src, dst, Steps(p));
    case kEvalShiftR:
      return RArrShiftR(n, src, dst, Steps(p));
    case kEvalSelfDiff:
      return RArrSelfDiff(n, src, dst, Steps(p));
    case kEvalAddScaled:
      return RArrAdd2(n, src, dst, p);
    case kEvalMul2:
      return RArrMul2(n, src, dst);
    case kEvalSortAscending:
      return RArrHeapSortCopy(n, src, dst, 1);
    case kEvalGaussSmooth:
      return RArrGaussSmooth(n, src, dst, p);
    case kEvalAddNoise:
      return RArrAddNoise(n, src, dst, p);
    case kEvalSubScaled:
      return RArrAdd2(n, src, dst, -p);
    case kEvalDiv2:
      return RArrDiv2(n, src, dst);
    default:
      return kErrNotYetImplemented;
  }
}

// The new array starts from zeros: the combining codes read the destination.
VELTRIA_API Dword NewRArrEval(Qword n, const double* src, double** out, Dword code, double p) {
  if (!out) return kErrMissingOutputBuffer;
  RArrKill(out);
  Dword error = kErrNone;
  *out = RArrNew0(&error, n);
  if (error) return error;
  error = RArrEval(n, src, *out, code, p);
  if (error) RArrKill(out);
  return error;
}
