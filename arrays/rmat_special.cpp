// Identity and Vandermonde matrices and the Vandermonde determinant.
#include <cmath>

#include "arrays/rmat.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "scalar/real_helpers.h"

VELTRIA_API Dword RMatFillIdentity(double* M, Qword rows, Qword cols) {
  if (rows == 0) return kErrMissingInputData;
  if (!M) return kErrMissingOutputBuffer;
  if (cols == 0) cols = rows;
  for (Qword j = 0; j < cols; ++j) {
    double* column = M + rows * j;
    for (Qword i = 0; i < rows; ++i) column[i] = 0.0;
    if (j < rows) column[j] = 1.0;
  }
  return kErrNone;
}

VELTRIA_API double* RMatNewIdentity(Dword* error, Qword rows, Qword cols) {
  if (rows == 0) return nullptr;
  if (cols == 0) cols = rows;
  double* M = RMatNew(error, rows, cols);
  if (!M) return nullptr;
  *error = RMatFillIdentity(M, rows, cols);
  if (*error != kErrNone) KillPtr(&M);
  return M;
}

// Powers by repeated multiplication, column by column (each column a
// contiguous run): column j is column j-1 times x.
VELTRIA_API Dword RMatFillVandermonde(double* M, const double* x, Qword n, Qword cols) {
  if (n == 0 || !x) return kErrMissingInputData;
  if (!M) return kErrMissingOutputBuffer;
  if (cols == 0) cols = n;
  for (Qword i = 0; i < n; ++i) M[i] = 1.0;
  if (cols > 1)
    for (Qword i = 0; i < n; ++i) M[n + i] = x[i];
  for (Qword j = 2; j < cols; ++j) {
    const double* prev = M + n * (j - 1);
    double* column = M + n * j;
    for (Qword i = 0; i < n; ++i) column[i] = prev[i] * x[i];
  }
  return kErrNone;
}

VELTRIA_API double* RMatNewVandermonde(Dword* error, const double* x, Qword n, Qword cols) {
  if (n == 0) return nullptr;
  if (cols == 0) cols = n;
  double* M = RMatNew(error, n, cols);
  if (!M) return nullptr;
  *error = RMatFillVandermonde(M, x, n, cols);
  if (*error != kErrNone) KillPtr(&M);
  return M;
}

VELTRIA_API double RMatVandermondeDeterminant(Qword n, const double* x) {
  if (n == 0 || !x) return ___NAN;
  double result = 1.0;
  for (Qword i = 0; i < n; ++i)
    for (Qword j = i + 1; j < n; ++j) {
      const double d = x[i] - x[j];
      if (std::fabs(d) <= ___EpsReal) return 0.0;
      result *= d;
    }
  return result;
}
