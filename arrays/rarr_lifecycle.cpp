// Creation, copy and fill of real arrays.
#include <cstdarg>

#include "arrays/array_templates.h"
#include "arrays/rarr.h"

VELTRIA_API double* RArrNew(Dword* error, Qword count) { return NewRealArrFill(error, count); }

VELTRIA_API double* RArrNew0(Dword* error, Qword count) { return ArrNew0<double>(error, count); }

VELTRIA_API double* RArrNewCopy(Dword* error, Qword count, const double* src) {
  return NewArrCopyExtend(error, src, count, 0);
}

VELTRIA_API Dword RArrCopy(Qword count, const double* src, double* dst) {
  return ArrCopy<double>(count, src, dst);
}

VELTRIA_API Dword RArrFill(Qword count, double* dst, double value) {
  return ArrFill<double>(count, dst, value);
}

VELTRIA_API Dword RArrZero(Qword count, double* dst) { return ArrFill<double>(count, dst, 0.0); }

VELTRIA_API Dword RArrSkipFill(Qword count, double* array, Qword start, Qword step, ...) {
  va_list args;
  va_start(args, step);
  const double value = va_arg(args, double);
  va_end(args);
  return ArrSkipFill<double>(count, array, start, step, value);
}
