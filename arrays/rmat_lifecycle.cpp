// Creation, copy and fill of real matrices: the real array bodies applied to
// rows*cols elements, the product checked before it is used.
#include "arrays/array_templates.h"
#include "arrays/rmat.h"

namespace {

// rows*cols, or false (with 0x80001 in *error) when it does not fit 64 bits.
bool CountOrRefuse(Dword* error, Qword rows, Qword cols, Qword* count) {
  if (MatCount(rows, cols, count)) return true;
  *error = kErrAlloc;
  return false;
}

}  // namespace

VELTRIA_API double* RMatNew(Dword* error, Qword rows, Qword cols) {
  Qword n;
  if (!CountOrRefuse(error, rows, cols, &n)) return nullptr;
  return NewRealArrFill(error, n);
}

VELTRIA_API double* RMatNew0(Dword* error, Qword rows, Qword cols) {
  Qword n;
  if (!CountOrRefuse(error, rows, cols, &n)) return nullptr;
  return ArrNew0<double>(error, n);
}

VELTRIA_API double* RMatNewCopy(Dword* error, Qword rows, Qword cols, const double* src) {
  Qword n;
  if (!CountOrRefuse(error, rows, cols, &n)) return nullptr;
  return NewArrCopyExtend(error, src, n, 0);
}

// A product that does not fit 64 bits names no block the caller can own.
VELTRIA_API Dword RMatCopy(Qword rows, Qword cols, const double* src, double* dst) {
  Qword n;
  if (!MatCount(rows, cols, &n)) return kErrIllegalArgument;
  return ArrCopy<double>(n, src, dst);
}

VELTRIA_API Dword RMatFill(Qword rows, Qword cols, double* M, double value) {
  Qword n;
  if (!MatCount(rows, cols, &n)) return kErrIllegalArgument;
  return ArrFill<double>(n, M, value);
}

VELTRIA_API Dword RMatZero(Qword rows, Qword cols, double* M) {
  return RMatFill(rows, cols, M, 0.0);
}
