// Element-wise transforms of real arrays, their in-place variants, and the
// operation-code evaluator. All take (count, inputs, outputs, parameters);
// src may equal dst.
#pragma once
#include "base/types.h"

// Numbered operations of RArrEval (the codes without a row answer 9).
enum RArrEvalOp : Dword {
  kEvalCopy = 1,
  kEvalFill = 2,
  kEvalAddConst = 3,
  kEvalMulConst = 4,
  kEvalAbs = 5,
  kEvalInvertSign = 6,
  kEvalSquare = 7,
  kEvalSignedSquare = 8,
  kEvalRunningSum = 9,
  kEvalClipFirst = 10,  // 10 to 15: clip modes 0 to 5
  kEvalClipLast = 15,
  kEvalReverse = 16,
  kEvalZeroUpperHalf = 17,
  kEvalSwapHalfs = 18,
  kEvalRotate = 19,
  kEvalShiftZ = 20,
  kEvalShiftR = 21,
  kEvalSelfDiff = 22,
  kEvalAddScaled = 23,
  kEvalMul2 = 24,
  kEvalSortAscending = 39,
  kEvalGaussSmooth = 40,
  kEvalAddNoise = 41,
  kEvalSubScaled = 42,
  kEvalDiv2 = 43,
};

// Two inputs.
VELTRIA_API Dword RArrAdd(Qword count, const double* a, const double* b, double* dst);
VELTRIA_API Dword RArrSub(Qword count, const double* a, const double* b, double* dst);
VELTRIA_API Dword RArrMul(Qword count, const double* a, const double* b, double* dst);
VELTRIA_API Dword RArrDiv(Qword count, const double* a, const double* b, double* dst);
VELTRIA_API Dword RArrAdd2(Qword count, const double* src, double* dst, double f);
VELTRIA_API Dword RArrSub2(Qword count, const double* src, double* dst, double f);
VELTRIA_API Dword RArrMul2(Qword count, const double* src, double* dst);
VELTRIA_API Dword RArrDiv2(Qword count, const double* src, double* dst);
VELTRIA_API Dword RArrLinCombi(Qword count, const double* a, double ca, const double* b, double cb,
                               double* dst);
// One input.
VELTRIA_API Dword RArrAddConst(Qword count, const double* src, double* dst, double c);
VELTRIA_API Dword RArrMulConst(Qword count, const double* src, double* dst, double c);
VELTRIA_API Dword RArrAddNoise(Qword count, const double* src, double* dst, double sigma);
VELTRIA_API Dword RArrAbs(Qword count, const double* src, double* dst);
VELTRIA_API Dword RArrInvertSign(Qword count, const double* src, double* dst);
VELTRIA_API Dword RArrAbsPower(Qword count, const double* src, double* dst, double p);
VELTRIA_API Dword RArrAbsPowerI(Qword count, const double* src, double* dst, Long n);
VELTRIA_API Dword RArrPowerI(Qword count, const double* src, double* dst, Long n);
VELTRIA_API Dword RArrSquare(Qword count, const double* src, double* dst);
VELTRIA_API Dword RArrSignedPower(Qword count, const double* src, double* dst, double p);
VELTRIA_API Dword RArrSignedPowerI(Qword count, const double* src, double* dst, Long n);
VELTRIA_API Dword RArrSignedSquare(Qword count, const double* src, double* dst);
VELTRIA_API Dword RArrModf(Qword count, const double* src, double* dst, double a);
VELTRIA_API Dword RArrSignedModf(Qword count, const double* src, double* dst, double a);
VELTRIA_API Dword RArrInversSignedModf(Qword count, const double* src, double* dst, double a);
VELTRIA_API Dword RArrClip(Qword mode, Qword count, const double* src, double* dst, double a);
// Reordering.
VELTRIA_API Dword RArrReverse(Qword count, const double* src, double* dst);
VELTRIA_API Dword RArrRotate(Qword count, const double* src, double* dst, Qlong k);
VELTRIA_API Dword RArrShiftZ(Qword count, const double* src, double* dst, Qlong k);
VELTRIA_API Dword RArrShiftR(Qword count, const double* src, double* dst, Qlong k);
VELTRIA_API Dword RArrSelfDiff(Qword count, const double* src, double* dst, Qlong k);
VELTRIA_API Dword RArrSwap(Qword count, double* a, double* b);
VELTRIA_API Dword RArrSwapHalfs(Qword count, const double* src, double* dst);
VELTRIA_API Dword RArrZeroUpperHalf(Qword count, const double* src, double* dst);
VELTRIA_API Dword RArrZeroLowerHalf(Qword count, const double* src, double* dst);
VELTRIA_API void RArrPlaneRotation(Qword count, double* x, double* y, double c, double s);

// In place: the operation with dst = src.
VELTRIA_API Dword RArrIpAbs(Qword count, double* data);
VELTRIA_API Dword RArrIpAbsPower(Qword count, double* data, double p);
VELTRIA_API Dword RArrIpAbsPowerI(Qword count, double* data, Long n);
VELTRIA_API Dword RArrIpAddConst(Qword count, double* data, double c);
VELTRIA_API Dword RArrIpAddNoise(Qword count, double* data, double sigma);
VELTRIA_API Dword RArrIpClip(Qword mode, Qword count, double* data, double a);
VELTRIA_API Dword RArrIpInversSignedModf(Qword count, double* data, double a);
VELTRIA_API Dword RArrIpInvertSign(Qword count, double* data);
VELTRIA_API Dword RArrIpModf(Qword count, double* data, double a);
VELTRIA_API Dword RArrIpMulConst(Qword count, double* data, double c);
VELTRIA_API Dword RArrIpPowerI(Qword count, double* data, Long n);
VELTRIA_API Dword RArrIpSwapHalfs(Qword count, double* data);
VELTRIA_API Dword RArrIpReverse(Qword count, double* data);
VELTRIA_API Dword RArrIpRotate(Qword count, double* data, Qlong k);
VELTRIA_API Dword RArrIpShiftR(Qword count, double* data, Qlong k);
VELTRIA_API Dword RArrIpShiftZ(Qword count, double* data, Qlong k);
VELTRIA_API Dword RArrIpSignedModf(Qword count, double* data, double a);
VELTRIA_API Dword RArrIpSignedPower(Qword count, double* data, double p);
VELTRIA_API Dword RArrIpSignedPowerI(Qword count, double* data, Long n);
VELTRIA_API Dword RArrIpSignedSquare(Qword count, double* data);
VELTRIA_API Dword RArrIpSquare(Qword count, double* data);
VELTRIA_API Dword RArrIpRunningSum(Qword count, double* data);
VELTRIA_API Dword RArrIpRunningProduct(Qword count, double* data);
VELTRIA_API Dword RArrIpRunningTrapez2(Qword count, double* data);
VELTRIA_API Dword RArrIpRunningModTrapez(Qword count, double* data, double before, double after);
// Series coefficients between the ordinary and exponential readings.
VELTRIA_API Dword RArrIpOgfOfEgf(Qword count, double* data);
VELTRIA_API Dword RArrIpEgfOfOgf(Qword count, double* data);

// The evaluator.
VELTRIA_API Dword RArrEval(Qword count, const double* src, double* dst, Dword code, double p);
// *out (released first when held) receives a new array, zero-filled, on
// which the operation runs; released again when the operation fails.
VELTRIA_API Dword NewRArrEval(Qword count, const double* src, double** out, Dword code, double p);
