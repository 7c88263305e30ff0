// Creation, copy and fill of complex arrays and matrices.
#include <cstring>

#include "arrays/array_templates.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "complexvec/carr.h"
#include "complexvec/carr_storage.h"

COMPLEX* CArrAllocate(Dword* error, Qword count, const COMPLEX* fill) {
  // NewArrFill refuses counts from 2^60 on: their byte size needs 65 bits.
  return NewArrFill<COMPLEX>(error, count, fill ? fill : &ZeroComplex);
}

COMPLEX* CArrNewCopyExtend(Dword* error, const COMPLEX* src, Qword count, Qword extra) {
  *error = kErrNone;
  if (!src) return nullptr;
  // Checked before the total is formed, so a wrapped total is no empty block.
  if (extra > MaxArrCount<COMPLEX>() || count > MaxArrCount<COMPLEX>() - extra) {
    *error = kErrAlloc;
    return nullptr;
  }
  if (count + extra == 0) return nullptr;
  COMPLEX* block = NewArrFill<COMPLEX>(error, count + extra);
  if (!block) return nullptr;
  if (count) std::memcpy(block, src, count * sizeof(COMPLEX));
  for (Qword i = count; i < count + extra; ++i) block[i] = ZeroComplex;
  return block;
}

VELTRIA_API COMPLEX* CArrNew(Dword* error, Qword n) { return CArrAllocate(error, n, nullptr); }

VELTRIA_API COMPLEX* CArrNew0(Dword* error, Qword n) { return ArrNew0<COMPLEX>(error, n); }

VELTRIA_API COMPLEX* CArrNewCopy(Dword* error, Qword n, const COMPLEX* src) {
  return CArrNewCopyExtend(error, src, n, 0);
}

VELTRIA_API Dword CArrCopy(Qword n, const COMPLEX* src, COMPLEX* dst) {
  return ArrCopy<COMPLEX>(n, src, dst);
}

VELTRIA_API Dword CArrFill(Qword n, COMPLEX* array, const COMPLEX* value) {
  if (n && array && !value) return kErrMissingInputData;
  return ArrFill<COMPLEX>(n, array, value ? *value : ZeroComplex);
}

VELTRIA_API Dword CArrZero(Qword n, COMPLEX* array) { return CArrFill(n, array, &ZeroComplex); }

VELTRIA_API Dword CArrSkipFill(Qword n, COMPLEX* array, Qword start, Qword step,
                               const COMPLEX* value) {
  if (n && array && !value) return kErrMissingInputData;
  return ArrSkipFill<COMPLEX>(n, array, start, step, value ? *value : ZeroComplex);
}

// A rows*cols that does not fit 64 bits can never be allocated.
VELTRIA_API COMPLEX* CMatNew(Dword* error, Qword rows, Qword cols) {
  Qword count;
  if (!MatCount(rows, cols, &count)) {
    *error = kErrAlloc;
    return nullptr;
  }
  return CArrAllocate(error, count, nullptr);
}

VELTRIA_API COMPLEX* CMatNew0(Dword* error, Qword rows, Qword cols) {
  Qword count;
  if (!MatCount(rows, cols, &count)) {
    *error = kErrAlloc;
    return nullptr;
  }
  return ArrNew0<COMPLEX>(error, count);
}

VELTRIA_API COMPLEX* CMatNewCopy(Dword* error, const COMPLEX* src, Qword rows, Qword cols) {
  Qword count;
  if (!MatCount(rows, cols, &count)) {
    *error = kErrAlloc;
    return nullptr;
  }
  return CArrNewCopyExtend(error, src, count, 0);
}

// As RMatCopy: a size beyond 64 bits is no matrix at all.
VELTRIA_API Dword CMatCopy(const COMPLEX* src, Qword rows, Qword cols, COMPLEX* dst) {
  Qword count;
  if (!MatCount(rows, cols, &count)) return kErrIllegalArgument;
  return ArrCopy<COMPLEX>(count, src, dst);
}
