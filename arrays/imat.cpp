// Integer matrices: the array bodies applied to rows x cols elements, with
// the product checked before it is used, and the transposition.
#include "arrays/array_templates.h"
#include "arrays/iarr.h"
#include "arrays/twin_alias.h"

namespace {

template <class T>
T* MatNew(Dword* error, Qword rows, Qword cols, bool zero) {
  Qword n;
  if (!MatCount(rows, cols, &n)) {
    *error = kErrAlloc;
    return nullptr;
  }
  return zero ? ArrNew0<T>(error, n) : NewArrFill<T>(error, n);
}

template <class T>
T* MatNewCopy(Dword* error, const T* src, Qword rows, Qword cols) {
  Qword n;
  if (!MatCount(rows, cols, &n)) {
    *error = kErrAlloc;
    return nullptr;
  }
  return ArrNewCopy<T>(error, src, n, 0);
}

template <class T>
Dword MatCopy(Qword rows, Qword cols, const T* src, T* dst) {
  Qword n;
  if (!MatCount(rows, cols, &n)) return kErrIllegalArgument;
  return ArrCopy<T>(n, src, dst);
}

template <class T>
Dword MatFill(Qword rows, Qword cols, T* array, T value) {
  Qword n;
  if (!MatCount(rows, cols, &n)) return kErrIllegalArgument;
  return ArrFill<T>(n, array, value);
}

// dst[i + cols*j] = src[j + rows*i]; in place through a temporary copy.
template <class T>
Dword MatTranspose(const T* src, Qword rows, Qword cols, T* dst) {
  Qword n;
  if (!MatCount(rows, cols, &n)) return kErrIllegalArgument;
  if (n == 0) return kErrNone;
  if (!src) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  T* copy = nullptr;
  if (src == dst) {
    Dword error;
    copy = ArrNewCopy<T>(&error, src, n, 0);
    if (!copy) return error;
    src = copy;
  }
  for (Qword i = 0; i < cols; ++i)
    for (Qword j = 0; j < rows; ++j) dst[i + cols * j] = src[j + rows * i];
  KillPtr(&copy);
  return kErrNone;
}

}  // namespace

VELTRIA_API Long* IMatNew(Dword* e, Qword rows, Qword cols) {
  return MatNew<Long>(e, rows, cols, false);
}
VELTRIA_TWIN(Dword*, UMatNew, (Dword*, Qword, Qword), IMatNew)
VELTRIA_API Qlong* IQMatNew(Dword* e, Qword rows, Qword cols) {
  return MatNew<Qlong>(e, rows, cols, false);
}
VELTRIA_TWIN(Qword*, UQMatNew, (Dword*, Qword, Qword), IQMatNew)

VELTRIA_API Long* IMatNew0(Dword* e, Qword rows, Qword cols) {
  return MatNew<Long>(e, rows, cols, true);
}
VELTRIA_TWIN(Dword*, UMatNew0, (Dword*, Qword, Qword), IMatNew0)
VELTRIA_API Qlong* IQMatNew0(Dword* e, Qword rows, Qword cols) {
  return MatNew<Qlong>(e, rows, cols, true);
}
VELTRIA_TWIN(Qword*, UQMatNew0, (Dword*, Qword, Qword), IQMatNew0)

VELTRIA_API Long* IMatNewCopy(Dword* e, const Long* src, Qword rows, Qword cols) {
  return MatNewCopy<Long>(e, src, rows, cols);
}
VELTRIA_TWIN(Dword*, UMatNewCopy, (Dword*, const Dword*, Qword, Qword), IMatNewCopy)
VELTRIA_API Qlong* IQMatNewCopy(Dword* e, const Qlong* src, Qword rows, Qword cols) {
  return MatNewCopy<Qlong>(e, src, rows, cols);
}
VELTRIA_TWIN(Qword*, UQMatNewCopy, (Dword*, const Qword*, Qword, Qword), IQMatNewCopy)

VELTRIA_API Dword IMatCopy(Qword rows, Qword cols, const Long* src, Long* dst) {
  return MatCopy<Long>(rows, cols, src, dst);
}
VELTRIA_TWIN(Dword, UMatCopy, (Qword, Qword, const Dword*, Dword*), IMatCopy)
VELTRIA_API Dword IQMatCopy(Qword rows, Qword cols, const Qlong* src, Qlong* dst) {
  return MatCopy<Qlong>(rows, cols, src, dst);
}
VELTRIA_TWIN(Dword, UQMatCopy, (Qword, Qword, const Qword*, Qword*), IQMatCopy)

VELTRIA_API Dword IMatFill(Qword rows, Qword cols, Long* array, Long value) {
  return MatFill<Long>(rows, cols, array, value);
}
VELTRIA_TWIN(Dword, UMatFill, (Qword, Qword, Dword*, Dword), IMatFill)
VELTRIA_API Dword IQMatFill(Qword rows, Qword cols, Qlong* array, Qlong value) {
  return MatFill<Qlong>(rows, cols, array, value);
}
VELTRIA_TWIN(Dword, UQMatFill, (Qword, Qword, Qword*, Qword), IQMatFill)

VELTRIA_API Dword IMatZero(Qword rows, Qword cols, Long* array) {
  return MatFill<Long>(rows, cols, array, 0);
}
VELTRIA_TWIN(Dword, UMatZero, (Qword, Qword, Dword*), IMatZero)
VELTRIA_API Dword IQMatZero(Qword rows, Qword cols, Qlong* array) {
  return MatFill<Qlong>(rows, cols, array, 0);
}
VELTRIA_TWIN(Dword, UQMatZero, (Qword, Qword, Qword*), IQMatZero)

VELTRIA_API Dword IMatTranspose(const Long* src, Qword rows, Qword cols, Long* dst) {
  return MatTranspose<Long>(src, rows, cols, dst);
}
VELTRIA_TWIN(Dword, UMatTranspose, (const Dword*, Qword, Qword, Dword*), IMatTranspose)
VELTRIA_API Dword IQMatTranspose(const Qlong* src, Qword rows, Qword cols, Qlong* dst) {
  return MatTranspose<Qlong>(src, rows, cols, dst);
}
VELTRIA_TWIN(Dword, UQMatTranspose, (const Qword*, Qword, Qword, Qword*), IQMatTranspose)
