// Allocating row operations behind the growing and shrinking value matrices,
// and the reserved text-file entry.
#include "arrays/rmat.h"
#include "base/error_codes.h"

VELTRIA_API double* NewRMatAppendRows0(const double* A, Qword rows, Qword cols, Qword extra) {
  if (!A) return nullptr;
  const Qword total = rows + extra;
  if (total < rows) return nullptr;  // the row count wrapped
  Dword error;
  double* M = RMatNew0(&error, total, cols);
  if (!M) return nullptr;
  for (Qword j = 0; j < cols; ++j)
    for (Qword i = 0; i < rows; ++i) M[i + total * j] = A[i + rows * j];
  return M;
}

VELTRIA_API double* NewRMatRemoveRows(const double* A, Qword rows, Qword cols, Qword k) {
  if (!A || rows == 0 || cols == 0 || k >= rows) return nullptr;
  const Qword kept = rows - k;
  Dword error;
  double* M = RMatNew(&error, kept, cols);
  if (!M) return nullptr;
  for (Qword j = 0; j < cols; ++j)
    for (Qword i = 0; i < kept; ++i) M[i + kept * j] = A[i + rows * j];
  return M;
}

VELTRIA_API Dword NewRMatFromAsciFile(void*, Dword, Dword, void*) { return kErrNotYetImplemented; }
