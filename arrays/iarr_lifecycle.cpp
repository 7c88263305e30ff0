// Creation, copy, fill and strided fill of the integer and pointer arrays:
// one body per element width, exported under every name of that width.
#include "arrays/array_templates.h"
#include "arrays/iarr.h"
#include "arrays/twin_alias.h"

VELTRIA_API Long* IArrNew(Dword* error, Qword count) { return NewArrFill<Long>(error, count); }
VELTRIA_TWIN(Dword*, UArrNew, (Dword*, Qword), IArrNew)
VELTRIA_API Qlong* IQArrNew(Dword* error, Qword count) { return NewArrFill<Qlong>(error, count); }
VELTRIA_TWIN(Qword*, UQArrNew, (Dword*, Qword), IQArrNew)
VELTRIA_TWIN(double**, RPArrNew, (Dword*, Qword), IQArrNew)

VELTRIA_API Long* IArrNew0(Dword* error, Qword count) { return ArrNew0<Long>(error, count); }
VELTRIA_TWIN(Dword*, UArrNew0, (Dword*, Qword), IArrNew0)
VELTRIA_API Qlong* IQArrNew0(Dword* error, Qword count) { return ArrNew0<Qlong>(error, count); }
VELTRIA_TWIN(Qword*, UQArrNew0, (Dword*, Qword), IQArrNew0)
VELTRIA_TWIN(double**, RPArrNew0, (Dword*, Qword), IQArrNew0)

VELTRIA_API Long* IArrNewCopy(Dword* error, const Long* src, Qword count) {
  return ArrNewCopy<Long>(error, src, count, 0);
}
VELTRIA_TWIN(Dword*, UArrNewCopy, (Dword*, const Dword*, Qword), IArrNewCopy)
VELTRIA_API Qlong* IQArrNewCopy(Dword* error, const Qlong* src, Qword count) {
  return ArrNewCopy<Qlong>(error, src, count, 0);
}
VELTRIA_TWIN(Qword*, UQArrNewCopy, (Dword*, const Qword*, Qword), IQArrNewCopy)

VELTRIA_API Dword IArrCopy(const Long* src, Qword count, Long* dst) {
  return ArrCopy<Long>(count, src, dst);
}
VELTRIA_TWIN(Dword, UArrCopy, (const Dword*, Qword, Dword*), IArrCopy)
VELTRIA_API Dword IQArrCopy(const Qlong* src, Qword count, Qlong* dst) {
  return ArrCopy<Qlong>(count, src, dst);
}
VELTRIA_TWIN(Dword, UQArrCopy, (const Qword*, Qword, Qword*), IQArrCopy)

VELTRIA_API Dword IArrFill(Qword count, Long* array, Long value) {
  return ArrFill<Long>(count, array, value);
}
VELTRIA_TWIN(Dword, UArrFill, (Qword, Dword*, Dword), IArrFill)
VELTRIA_API Dword IQArrFill(Qword count, Qlong* array, Qlong value) {
  return ArrFill<Qlong>(count, array, value);
}
VELTRIA_TWIN(Dword, UQArrFill, (Qword, Qword*, Qword), IQArrFill)
VELTRIA_TWIN(Dword, RPArrFill, (Qword, double**, double*), IQArrFill)

VELTRIA_API Dword IArrZero(Qword count, Long* array) { return ArrFill<Long>(count, array, 0); }
VELTRIA_TWIN(Dword, UArrZero, (Qword, Dword*), IArrZero)
VELTRIA_API Dword IQArrZero(Qword count, Qlong* array) { return ArrFill<Qlong>(count, array, 0); }
VELTRIA_TWIN(Dword, UQArrZero, (Qword, Qword*), IQArrZero)
VELTRIA_TWIN(Dword, RPArrNull, (Qword, double**), IQArrZero)

VELTRIA_API Dword IArrSkipFill(Qword count, Long* array, Qword start, Qword step, Long value) {
  return ArrSkipFill<Long>(count, array, start, step, value);
}
VELTRIA_TWIN(Dword, UArrSkipFill, (Qword, Dword*, Qword, Qword, Dword), IArrSkipFill)
VELTRIA_API Dword IQArrSkipFill(Qword count, Qlong* array, Qword start, Qword step, Qlong value) {
  return ArrSkipFill<Qlong>(count, array, start, step, value);
}
VELTRIA_TWIN(Dword, UQArrSkipFill, (Qword, Qword*, Qword, Qword, Qword), IQArrSkipFill)
