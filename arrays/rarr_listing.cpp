// Real array and matrix listings: one template body per listing, the wide
// and 8-bit names forward to it.
#include <cstdarg>

#include "arrays/rarr.h"
#include "arrays/rarr_text.h"
#include "arrays/rmat.h"
#include "base/console_out.h"
#include "base/listing_output.h"
#include "base/memory.h"

namespace {

template <class C>
Dword ListArray(const C* title, Dword count, const double* values, Dword destination,
                Qlong handle) {
  ListingOutput out(destination, handle);
  out.Put(title);
  if (!values) return count;  // nothing to read from
  for (Dword i = 0; i < count; ++i) out.Printf<C>("\n %u %17.14g", i, values[i]);
  return count;
}

template <class C>
void ListMatrix(const C* title, Qword rows, Qword cols, const double* values, Qword destination,
                Qlong handle) {
  ListingOutput out(static_cast<Dword>(destination & 3), handle);
  out.Put(title);
  if (!values || rows == 0 || cols == 0) return;
  for (Qword i = 0; i < rows; ++i) {
    for (Qword j = 0; j + 1 < cols; ++j) out.Printf<C>(" %20.13g\t", values[i + rows * j]);
    out.Printf<C>(" %20.13g\n", values[i + rows * (cols - 1)]);
  }
}

inline void ShowError(LibErrorCode code, const char16_t*) { CoutError(code, nullptr, 0); }
inline void ShowError(LibErrorCode code, const char*) { CoutErrorA(code, nullptr, 0); }

template <class C>
void ListSideBySide(const C* title, Qword count, Dword destination, Qlong handle, va_list args) {
  va_list counting;
  va_copy(counting, args);
  Qword k = 0;
  while (va_arg(counting, const double*)) ++k;
  va_end(counting);
  if (k == 0 || count == 0) return;
  Dword error = 0;
  double* table = RMatNew(&error, count, k);
  if (!table) return;
  for (Qword j = 0; j < k; ++j) {
    const double* column = va_arg(args, const double*);
    error = RArrCopy(count, column, table + count * j);
    if (error != 0) {
      ShowError(error, title);
      KillPtr(&table);
      return;
    }
  }
  ListMatrix(title, count, k, table, destination, handle);
  KillPtr(&table);
}

}  // namespace

VELTRIA_API Dword CoutRArr(const char16_t* title, Dword count, const double* values,
                           Dword destination, Qlong handle) {
  return ListArray(title, count, values, destination, handle);
}
VELTRIA_API Dword CoutRArrA(const char* title, Dword count, const double* values,
                            Dword destination, Qlong handle) {
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
  ListSideBySide(title, count, destination, handle, args);
  va_end(args);
}
VELTRIA_API void CoutRArrsA(const char* title, Qword count, Dword destination, Qlong handle, ...) {
  va_list args;
  va_start(args, handle);
  ListSideBySide(title, count, destination, handle, args);
  va_end(args);
}
