// The real array (count doubles, no header) and its life cycle, the float
// and pointer arrays, and conversions between them and integer arrays.
#pragma once
#include "base/types.h"

VELTRIA_API double* RArrNew(Dword* error, Qword count);
VELTRIA_API double* RArrNew0(Dword* error, Qword count);
VELTRIA_API double* RArrNewCopy(Dword* error, Qword count, const double* src);
VELTRIA_API Dword RArrCopy(Qword count, const double* src, double* dst);
VELTRIA_API Dword RArrFill(Qword count, double* dst, double value);
VELTRIA_API Dword RArrZero(Qword count, double* dst);
// The value travels as the fifth, variadic argument.
VELTRIA_API Dword RArrSkipFill(Qword count, double* array, Qword start, Qword step, ...);

VELTRIA_API Dword RArrFillFromFArr(Qword count, const float* src, double* dst);
VELTRIA_API Dword FArrFillFromRArr(Qword count, const double* src, float* dst);
VELTRIA_API Dword RArrFillFromIQArr(Qword count, const Qlong* src, double* dst);
VELTRIA_API Dword RArrFillFromUQArr(Qword count, const Qword* src, double* dst);
VELTRIA_API double* RArrNewFromFArr(Dword* error, Qword count, const float* src);
VELTRIA_API float* FArrNewFromRArr(Dword* error, Qword count, const double* src);
VELTRIA_API double* RArrNewFromIQArr(Dword* error, Qword count, const Qlong* src);
VELTRIA_API double* RArrNewFromUQArr(Dword* error, Qword count, const Qword* src);

VELTRIA_API Dword RPArrCopy(Qword count, double* const* src, double** dst);
VELTRIA_API double** RPArrNewCopy(Dword* error, Qword count, double* const* src);
// *count 0: take pointers up to the first null; else exactly *count of them.
VELTRIA_API double** RPArrNewVa(Dword* error, Qword* count, ...);
