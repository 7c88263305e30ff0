// Integer array and matrix listings: one template body per listing over
// the element type and the text width; the exported names forward to it.
#include <cinttypes>
#include <cstdarg>

#include "arrays/iarr.h"
#include "arrays/iarr_text.h"
#include "base/console_out.h"
#include "base/listing_output.h"
#include "base/memory.h"

namespace {

// One element line per type; the index is unsigned 32-bit.
template <class C>
void PutElementIn(ListingOutput& out, Dword i, int32_t v) {
  out.Printf<C>("\n %u %" PRId32, i, v);
}
template <class C>
void PutElementIn(ListingOutput& out, Dword i, uint32_t v) {
  out.Printf<C>("\n %u %" PRIu32, i, v);
}
template <class C>
void PutElementIn(ListingOutput& out, Dword i, int64_t v) {
  out.Printf<C>("\n %u %" PRId64, i, v);
}
template <class C>
void PutElementIn(ListingOutput& out, Dword i, uint64_t v) {
  out.Printf<C>("\n %u %" PRIu64, i, v);
}
template <class C>
void PutCell(ListingOutput& out, int64_t v) {
  out.Printf<C>("%" PRId64 "\t", v);
}
template <class C>
void PutCell(ListingOutput& out, uint64_t v) {
  out.Printf<C>("%" PRIu64 "\t", v);
}

template <class C, class T>
Dword ListArray(const C* title, Dword count, const T* values, Dword destination, Qlong handle) {
  ListingOutput out(destination, handle);
  out.Put(title);
  if (!values) return count;  // nothing to read from
  for (Dword i = 0; i < count; ++i) PutElementIn<C>(out, i, values[i]);
  return count;
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
inline int64_t* NewMatrix(Dword* e, Qword r, Qword c, int64_t*) { return IQMatNew(e, r, c); }
inline uint64_t* NewMatrix(Dword* e, Qword r, Qword c, uint64_t*) { return UQMatNew(e, r, c); }
inline Dword Copy(const int64_t* src, Qword n, int64_t* dst) { return IQArrCopy(src, n, dst); }
inline Dword Copy(const uint64_t* src, Qword n, uint64_t* dst) { return UQArrCopy(src, n, dst); }

template <class T, class C>
void ListSideBySide(const C* title, Dword count, Dword destination, Qlong handle, va_list args) {
  va_list counting;
  va_copy(counting, args);
  Qword k = 0;
  while (va_arg(counting, const T*)) ++k;
  va_end(counting);
  if (k == 0 || count == 0) return;
  Dword error = 0;
  T* table = NewMatrix(&error, count, k, static_cast<T*>(nullptr));
  if (!table) return;
  for (Qword j = 0; j < k; ++j) {
    const T* column = va_arg(args, const T*);
    error = Copy(column, count, table + Qword{count} * j);
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

#define VELTRIA_ARRAY_LISTING(name, T)                                                       \
  VELTRIA_API Dword name(const char16_t* title, Dword count, const T* values,               \
                         Dword destination, Qlong handle) {                                 \
    return ListArray(title, count, values, destination, handle);                            \
  }                                                                                         \
  VELTRIA_API Dword name##A(const char* title, Dword count, const T* values,                \
                            Dword destination, Qlong handle) {                              \
    return ListArray(title, count, values, destination, handle);                            \
  }
VELTRIA_ARRAY_LISTING(CoutIArr, int32_t)
VELTRIA_ARRAY_LISTING(CoutUArr, uint32_t)
VELTRIA_ARRAY_LISTING(CoutIQArr, int64_t)
VELTRIA_ARRAY_LISTING(CoutUQArr, uint64_t)
#undef VELTRIA_ARRAY_LISTING

#define VELTRIA_MATRIX_LISTING(name, T)                                                      \
  VELTRIA_API Qword name(const char16_t* title, Qword rows, Qword cols, const T* values,     \
                         Qword destination, Qlong handle) {                                 \
    return ListMatrix(title, rows, cols, values, destination, handle);                      \
  }                                                                                         \
  VELTRIA_API Qword name##A(const char* title, Qword rows, Qword cols, const T* values,     \
                            Qword destination, Qlong handle) {                              \
    return ListMatrix(title, rows, cols, values, destination, handle);                      \
  }
VELTRIA_MATRIX_LISTING(CoutIQMat, int64_t)
VELTRIA_MATRIX_LISTING(CoutUQMat, uint64_t)
#undef VELTRIA_MATRIX_LISTING

#define VELTRIA_MANY_LISTING(name, T)                                                           \
  VELTRIA_API void name(const char16_t* title, Dword count, Dword destination, Qlong handle,   \
                        ...) {                                                                 \
    va_list args;                                                                              \
    va_start(args, handle);                                                                    \
    ListSideBySide<T>(title, count, destination, handle, args);                               \
    va_end(args);                                                                              \
  }                                                                                            \
  VELTRIA_API void name##A(const char* title, Dword count, Dword destination, Qlong handle,   \
                           ...) {                                                              \
    va_list args;                                                                              \
    va_start(args, handle);                                                                    \
    ListSideBySide<T>(title, count, destination, handle, args);                               \
    va_end(args);                                                                              \
  }
VELTRIA_MANY_LISTING(CoutIQArrMany, int64_t)
VELTRIA_MANY_LISTING(CoutUQArrMany, uint64_t)
#undef VELTRIA_MANY_LISTING
