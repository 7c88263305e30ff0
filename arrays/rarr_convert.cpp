// Conversions between real arrays and float, signed and unsigned 64-bit
// arrays, element by element from index 0.
#include "arrays/array_templates.h"
#include "arrays/rarr.h"

namespace {

// Count 0 returns 0; then the source (14), then the destination (18).
template <class From, class To>
Dword FillConverted(Qword count, const From* src, To* dst) {
  if (count == 0) return kErrNone;
  if (!src) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  for (Qword i = 0; i < count; ++i) dst[i] = static_cast<To>(src[i]);
  return kErrNone;
}

template <class From, class To>
To* NewConverted(Dword* error, Qword count, const From* src) {
  *error = kErrNone;
  if (count == 0 || !src) return nullptr;
  To* dst = NewArrFill<To>(error, count);
  if (dst) FillConverted(count, src, dst);
  return dst;
}

}  // namespace

Dword RArrFillFromFArrWorker(Qword n, const float* s, double* d) { return FillConverted(n, s, d); }
Dword FArrFillFromRArrWorker(Qword n, const double* s, float* d) { return FillConverted(n, s, d); }
Dword RArrFillFromIQArrWorker(Qword n, const Qlong* s, double* d) { return FillConverted(n, s, d); }
Dword RArrFillFromUQArrWorker(Qword n, const Qword* s, double* d) { return FillConverted(n, s, d); }

VELTRIA_API Dword RArrFillFromFArr(Qword count, const float* src, double* dst) {
  return RArrFillFromFArrWorker(count, src, dst);
}
VELTRIA_API Dword FArrFillFromRArr(Qword count, const double* src, float* dst) {
  return FArrFillFromRArrWorker(count, src, dst);
}
VELTRIA_API Dword RArrFillFromIQArr(Qword count, const Qlong* src, double* dst) {
  return RArrFillFromIQArrWorker(count, src, dst);
}
VELTRIA_API Dword RArrFillFromUQArr(Qword count, const Qword* src, double* dst) {
  return RArrFillFromUQArrWorker(count, src, dst);
}

VELTRIA_API double* RArrNewFromFArr(Dword* error, Qword count, const float* src) {
  return NewConverted<float, double>(error, count, src);
}
VELTRIA_API float* FArrNewFromRArr(Dword* error, Qword count, const double* src) {
  return NewConverted<double, float>(error, count, src);
}
VELTRIA_API double* RArrNewFromIQArr(Dword* error, Qword count, const Qlong* src) {
  return NewConverted<Qlong, double>(error, count, src);
}
VELTRIA_API double* RArrNewFromUQArr(Dword* error, Qword count, const Qword* src) {
  return NewConverted<Qword, double>(error, count, src);
}
