// Internal: the row loops of the real and integer array and matrix listings,
// one body each over the element type and the text width (char16_t or
// char). The exported Cout*Arr* and Cout*Mat* names forward to them.
#pragma once
#include <cinttypes>
#include <cstdarg>

#include "arrays/iarr.h"
#include "arrays/rarr.h"
#include "arrays/rmat.h"
#include "base/console_out.h"
#include "base/listing_output.h"
#include "base/memory.h"

namespace listing_rows {

// One element line per type; the index is unsigned 32-bit.
template <class C>
void PutElement(ListingOutput& out, Dword i, double v) {
  out.Printf<C>("\n %u %17.14g", i, v);
}
template <class C>
void PutElement(ListingOutput& out, Dword i, int32_t v) {
  out.Printf<C>("\n %u %" PRId32, i, v);
}
template <class C>
void PutElement(ListingOutput& out, Dword i, uint32_t v) {
  out.Printf<C>("\n %u %" PRIu32, i, v);
}
template <class C>
void PutElement(ListingOutput& out, Dword i, int64_t v) {
  out.Printf<C>("\n %u %" PRId64, i, v);
}
template <class C>
void PutElement(ListingOutput& out, Dword i, uint64_t v) {
  out.Printf<C>("\n %u %" PRIu64, i, v);
}

template <class C, class T>
Dword ListArray(const C* title, Dword count, const T* values, Dword destination, Qlong handle) {
  ListingOutput out(destination, handle);
  out.Put(title);
  if (!values) return count;  // nothing to read from
  for (Dword i = 0; i < count; ++i) PutElement<C>(out, i, values[i]);
  return count;
}

// The matrix rules differ by type. Reals: cells " %20.13g" parted by tabs,
// each row ended by its line feed, nothing for an empty matrix.
template <class C>
Qword ListMatrix(const C* title, Qword rows, Qword cols, const double* values, Qword destination,
                 Qlong handle) {
  ListingOutput out(static_cast<Dword>(destination & 3), handle);
  out.Put(title);
  if (!values || rows == 0 || cols == 0) return rows;
  for (Qword i = 0; i < rows; ++i) {
    for (Qword j = 0; j + 1 < cols; ++j) out.Printf<C>(" %20.13g\t", values[i + rows * j]);
    out.Printf<C>(" %20.13g\n", values[i + rows * (cols - 1)]);
  }
  return rows;
}

// Integers: every cell followed by a tab, every row (even of no column) by
// a line feed.
template <class C>
void PutCell(ListingOutput& out, int64_t v) {
  out.Printf<C>("%" PRId64 "\t", v);
}
template <class C>
void PutCell(ListingOutput& out, uint64_t v) {
  out.Printf<C>("%" PRIu64 "\t", v);
}
template <class C, class T>
Qword ListMatrix(const C* title, Qword rows, Qword cols, const T* values, Qword destination,
                 Qlong handle) {
  ListingOutput out(static_cast<Dword>(destination & 3), handle);
  out.Put(title);
  if (!values && cols != 0) return rows;  // nothing to read from
  static constexpr C kLineFeed[] = {'\n', 0};
  for (Qword i = 0; i < rows; ++i) {
    for (Qword j = 0; j < cols; ++j) PutCell<C>(out, values[i + rows * j]);
    out.Put(kLineFeed);
  }
  return rows;
}

inline void ShowError(LibErrorCode code, const char16_t*) { CoutError(code, nullptr, 0); }
inline void ShowError(LibErrorCode code, const char*) { CoutErrorA(code, nullptr, 0); }
inline double* NewTable(Dword* e, Qword r, Qword c, double*) { return RMatNew(e, r, c); }
inline int64_t* NewTable(Dword* e, Qword r, Qword c, int64_t*) { return IQMatNew(e, r, c); }
inline uint64_t* NewTable(Dword* e, Qword r, Qword c, uint64_t*) { return UQMatNew(e, r, c); }
inline Dword CopyColumn(const double* src, Qword n, double* dst) { return RArrCopy(n, src, dst); }
inline Dword CopyColumn(const int64_t* src, Qword n, int64_t* dst) {
  return IQArrCopy(src, n, dst);
}
inline Dword CopyColumn(const uint64_t* src, Qword n, uint64_t* dst) {
  return UQArrCopy(src, n, dst);
}

// Arrays given as a null-ended argument list, listed side by side as the
// columns of one matrix. A failed copy shows its error and lists nothing.
template <class T, class C>
void ListSideBySide(const C* title, Qword count, Dword destination, Qlong handle, va_list args) {
  va_list counting;
  va_copy(counting, args);
  Qword k = 0;
  while (va_arg(counting, const T*)) ++k;
  va_end(counting);
  if (k == 0 || count == 0) return;
  Dword error = 0;
  T* table = NewTable(&error, count, k, static_cast<T*>(nullptr));
  if (!table) return;
  for (Qword j = 0; j < k; ++j) {
    const T* column = va_arg(args, const T*);
    error = CopyColumn(column, count, table + count * j);
    if (error != 0) {
      ShowError(error, title);
      KillPtr(&table);
      return;
    }
  }
  ListMatrix(title, count, k, table, destination, handle);
  KillPtr(&table);
}

}  // namespace listing_rows
