// The operation-code evaluator on the columns (C) or rows (R) of a
// column-major matrix.
#pragma once
#include "base/types.h"

// RArrEval down each column in turn; the first failing status ends it.
VELTRIA_API Dword RMatEvalC(Dword rows, Dword cols, const double* src, double* dst, Dword code,
                            double p);
// Element-wise codes as by columns; 9 and 16 along the rows; others 9.
VELTRIA_API Dword RMatEvalR(Dword rows, Dword cols, const double* src, double* dst, Dword code,
                            double p);
// *out receives a new zero-filled matrix (what it held is not released) on
// which the evaluator runs; released again when it fails.
VELTRIA_API Dword NewRMatEvalC(Dword rows, Dword cols, const double* src, double** out, Dword code,
                               double p);
VELTRIA_API Dword NewRMatEvalR(Dword rows, Dword cols, const double* src, double** out, Dword code,
                               double p);
