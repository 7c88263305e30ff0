// Signal arrays: n complex samples held as 2n doubles, the n real parts
// first and then the n imaginary parts, so that every real-array operation
// works on each half. CFArr is the single-precision interleaved form, SMat
// m signal columns one after another. Life cycle, conversions, element-wise
// complex arithmetic, reductions, the operation-code evaluators and the
// text listing.
#pragma once
#include "base/types.h"

// Life cycle and conversion.
VELTRIA_API double* SArrNew(Dword* error, Qword n);
VELTRIA_API double* SArrNew0(Dword* error, Qword n);
VELTRIA_API double* SArrNewCopy(Dword* error, Qword n, const double* src);
VELTRIA_API double* SArrNewFromTwoRArrs(Dword* error, Qword n, const double* re, const double* im);
VELTRIA_API double* NewSArrFromFArr(Dword* error, Qword n, const float* re);
VELTRIA_API double* NewSArrFromCFArr(Dword* error, Qword n, const float* src);
VELTRIA_API float* NewCFArrFromSArr(Dword* error, Qword n, const double* src);
VELTRIA_API float* CFArrNew(Dword* error, Qword n);
VELTRIA_API void SArrKill(void* address_of_pointer);
VELTRIA_API Dword SArrCopy(Qword n, const double* src, double* dst);
VELTRIA_API Dword SArrFill(Qword n, double* s, double v);
VELTRIA_API Dword SArrZero(Qword n, double* s);
VELTRIA_API Dword SArrSkipFill(Qword n, double* s, Qword start, Qword step, double re, double im);
VELTRIA_API Dword SArrFillFromTwoRArrs(Qword n, double* dst, const double* re, const double* im);
VELTRIA_API Dword SArrCopyRealIntoImag(Qword n, const double* src, double* dst);
VELTRIA_API Dword SArrCopyImagIntoReal(Qword n, const double* src, double* dst);
VELTRIA_API Dword SArrSwapRealAndImaginary(Qword n, const double* src, double* dst);
VELTRIA_API Dword SArrSwapHalfs(Qword n, double* s);
VELTRIA_API Dword CFArrToSArrCopy(Qword n, const float* src, double* dst);
VELTRIA_API Dword SArrToCFArrCopy(Qword n, const double* src, float* dst);
VELTRIA_API Dword CFArrCopyToRArr(Qword n, const float* src, double* dst);

// Element-wise complex arithmetic.
VELTRIA_API Dword SArrAddConst(Qword n, const double* src, double* dst, double a, double b);
VELTRIA_API Dword SArrIpAddConst(Qword n, double* s, double a, double b);
VELTRIA_API Dword SArrMulByReal(Qword n, const double* src, double* dst, double a, double b);
VELTRIA_API Dword SArrIpMulByReal(Qword n, double* s, double a, double b);
VELTRIA_API Dword SArrMulByComplex(Qword n, const double* src, double* dst, double a, double b);
VELTRIA_API Dword SArrIpMulByComplex(Qword n, double* s, double a, double b);
VELTRIA_API Dword SArrMulBySArr(Qword n, const double* a, double* b);
VELTRIA_API Dword SArrIpMulBySArr(Qword n, double* s);
VELTRIA_API Dword SArrInvertSign(Qword n, const double* src, double* dst);
VELTRIA_API Dword SArrIpInvertSign(Qword n, double* s);
VELTRIA_API Dword SArrReplaceRealByMagnitude(Qword n, const double* src, double* dst);
VELTRIA_API Dword SArrIpReplaceRealByMagnitude(Qword n, double* s);
VELTRIA_API Dword SArrReplaceRealByPower(Qword n, const double* src, double* dst);
VELTRIA_API Dword SArrIpReplaceRealByPower(Qword n, double* s);
VELTRIA_API Dword SArrConvertToMagnitudeAndPhase(Qword n, const double* src, double* dst);
VELTRIA_API Dword SArrConvertToPowerAndPhase(Qword n, const double* src, double* dst);
VELTRIA_API Dword SArrConvolute(Qword n, const double* src, double* dst, Qword m,
                                const double* kernel);
VELTRIA_API Dword SArrHistogram(Qword n, const double* s, double* bins, Qlong nbins, double width,
                                Qword skip);

// Reductions: NaN for a null array or n = 0.
VELTRIA_API double SArrMaxPower(Qword n, const double* s, Qword* index);
VELTRIA_API double SArrMaxMagnitude(Qword n, const double* s, Qword* index);
VELTRIA_API double SArrMeanPower(Qword n, const double* s);
VELTRIA_API double SArrMeanMagnitude(Qword n, const double* s);
// dst := src scaled so that its largest magnitude is *level; *level := the
// old largest magnitude. Level 0 zeroes dst.
VELTRIA_API Dword SArrNormalizeMagnitude(Qword n, const double* src, double* dst, double* level);

// Evaluators.
VELTRIA_API Dword SArrEval(Qword n, const double* src, double* dst, Dword op, double p1, double p2);
VELTRIA_API double* NewSArrEval(Dword* error, Qword n, const double* src, Dword op, double p1,
                                double p2);
VELTRIA_API double* NewSArrFromCFArrEval(Dword* error, Qword n, const float* src, Dword op,
                                         double p1, double p2);
VELTRIA_API Dword CFArrEval(Qword n, const float* src, float* dst, Dword op, double p1, double p2);
VELTRIA_API float* NewCFArrFromSArrEval(Dword* error, Qword n, const double* src, Dword op,
                                        double p1, double p2);
VELTRIA_API Dword SMatEvalC(Qword n, Qword m, const double* src, double* dst, Dword op, double p1,
                            double p2);
VELTRIA_API Dword NewSMatEvalC(Qword n, Qword m, const double* src, double** out, Dword op,
                               double p1, double p2);

// Listing: one line per sample to the console (bit 0 of destination) and/or
// the file (bit 1).
VELTRIA_API void CoutSArr(Dword n, const double* s, Dword destination, Qlong handle);
VELTRIA_API void CoutSArrA(Dword n, const double* s, Dword destination, Qlong handle);
