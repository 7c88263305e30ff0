// Element-wise sum and difference of matrices and the trace.
#include "arrays/array_templates.h"
#include "arrays/rmat.h"
#include "scalar/real_helpers.h"

VELTRIA_API Dword RMatSum(const double* A, const double* B, Qword rows, Qword cols, double* C) {
  if (!A || !B) return kErrMissingInputData;
  if (!C) return kErrMissingOutputBuffer;
  Qword n;
  if (!MatCount(rows, cols, &n)) return kErrIllegalArgument;
  for (Qword i = 0; i < n; ++i) C[i] = A[i] + B[i];
  return kErrNone;
}

VELTRIA_API Dword RMatDiff(const double* A, const double* B, Qword rows, Qword cols, double* C) {
  if (!A || !B || !C) return kErrMissingInputData;
  Qword n;
  if (!MatCount(rows, cols, &n)) return kErrIllegalArgument;
  for (Qword i = 0; i < n; ++i) C[i] = A[i] - B[i];
  return kErrNone;
}

VELTRIA_API double RMatTrace(Qword rows, Qword cols, const double* A) {
  if (rows == 0 || cols == 0 || !A) return ___NAN;
  const Qword k = rows < cols ? rows : cols;
  double s = A[0];
  for (Qword i = 1; i < k; ++i) s += A[i + rows * i];
  return s;
}
