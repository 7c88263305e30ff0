// Pointer arrays of real arrays: copies and the variadic constructor. The
// pointer array never owns the arrays it points to.
#include <cstdarg>

#include "arrays/array_templates.h"
#include "arrays/rarr.h"

VELTRIA_API Dword RPArrCopy(Qword count, double* const* src, double** dst) {
  return ArrCopy<double*>(count, src, dst);
}

VELTRIA_API double** RPArrNewCopy(Dword* error, Qword count, double* const* src) {
  *error = kErrNone;
  if (!src || count == 0) return nullptr;
  double** block = NewArrFill<double*>(error, count);
  if (block) ArrCopy<double*>(count, src, block);
  return block;
}

VELTRIA_API double** RPArrNewVa(Dword* error, Qword* count, ...) {
  *error = kErrNone;
  if (!count) {
    *error = kErrMissingInputData;
    return nullptr;
  }
  va_list args;
  if (*count == 0) {
    va_start(args, count);
    while (va_arg(args, double*) != nullptr) ++*count;
    va_end(args);
  }
  if (*count == 0) return nullptr;
  double** block = NewArrFill<double*>(error, *count);
  if (!block) return nullptr;
  va_start(args, count);
  for (Qword i = 0; i < *count; ++i) block[i] = va_arg(args, double*);
  va_end(args);
  return block;
}
