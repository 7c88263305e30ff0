// Real array and matrix listings: the wide and 8-bit names forward to the
// row loops of listing_rows.h.
#include <cstdarg>

#include "arrays/listing_rows.h"
#include "arrays/rarr_text.h"

using listing_rows::ListArray;
using listing_rows::ListMatrix;
using listing_rows::ListSideBySide;

VELTRIA_API Dword CoutRArr(const char16_t* title, Dword count, const double* values,
                           Dword destination, Qlong handle) {
  return ListArray(title, count, values, destination, handle);
}
VELTRIA_API Dword CoutRArrA(const char* title, Dword count, const double* values, Dword destination,
                            Qlong handle) {
  return ListArray(title, count, values, destination, handle);
}

VELTRIA_API void CoutRMat(const char16_t* title, Qword rows, Qword cols, const double* values,
                          Qword destination, Qlong handle) {
  ListMatrix(title, rows, cols, values, destination, handle);
}
VELTRIA_API void CoutRMatA(const char* title, Qword rows, Qword cols, const double* values,
                           Qword destination, Qlong handle) {
  ListMatrix(title, rows, cols, values, destination, handle);
}

VELTRIA_API void CoutRArrs(const char16_t* title, Qword count, Dword destination, Qlong handle,
                           ...) {
  va_list args;
  va_start(args, handle);
  ListSideBySide<double>(title, count, destination, handle, args);
  va_end(args);
}
VELTRIA_API void CoutRArrsA(const char* title, Qword count, Dword destination, Qlong handle, ...) {
  va_list args;
  va_start(args, handle);
  ListSideBySide<double>(title, count, destination, handle, args);
  va_end(args);
}
