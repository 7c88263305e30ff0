// Integer array and matrix listings: the exported names forward to the row
// loops of listing_rows.h.
#include <cstdarg>

#include "arrays/iarr_text.h"
#include "arrays/listing_rows.h"

using listing_rows::ListArray;
using listing_rows::ListMatrix;
using listing_rows::ListSideBySide;

#define VELTRIA_ARRAY_LISTING(name, T)                                                           \
  VELTRIA_API Dword name(const char16_t* title, Dword count, const T* values, Dword destination, \
                         Qlong handle) {                                                         \
    return ListArray(title, count, values, destination, handle);                                 \
  }                                                                                              \
  VELTRIA_API Dword name##A(const char* title, Dword count, const T* values, Dword destination,  \
                            Qlong handle) {                                                      \
    return ListArray(title, count, values, destination, handle);                                 \
  }
VELTRIA_ARRAY_LISTING(CoutIArr, int32_t)
VELTRIA_ARRAY_LISTING(CoutUArr, uint32_t)
VELTRIA_ARRAY_LISTING(CoutIQArr, int64_t)
VELTRIA_ARRAY_LISTING(CoutUQArr, uint64_t)
#undef VELTRIA_ARRAY_LISTING

#define VELTRIA_MATRIX_LISTING(name, T)                                                  \
  VELTRIA_API Qword name(const char16_t* title, Qword rows, Qword cols, const T* values, \
                         Qword destination, Qlong handle) {                              \
    return ListMatrix(title, rows, cols, values, destination, handle);                   \
  }                                                                                      \
  VELTRIA_API Qword name##A(const char* title, Qword rows, Qword cols, const T* values,  \
                            Qword destination, Qlong handle) {                           \
    return ListMatrix(title, rows, cols, values, destination, handle);                   \
  }
VELTRIA_MATRIX_LISTING(CoutIQMat, int64_t)
VELTRIA_MATRIX_LISTING(CoutUQMat, uint64_t)
#undef VELTRIA_MATRIX_LISTING

#define VELTRIA_MANY_LISTING(name, T)                                                              \
  VELTRIA_API void name(const char16_t* title, Dword count, Dword destination, Qlong handle,       \
                        ...) {                                                                     \
    va_list args;                                                                                  \
    va_start(args, handle);                                                                        \
    ListSideBySide<T>(title, count, destination, handle, args);                                    \
    va_end(args);                                                                                  \
  }                                                                                                \
  VELTRIA_API void name##A(const char* title, Dword count, Dword destination, Qlong handle, ...) { \
    va_list args;                                                                                  \
    va_start(args, handle);                                                                        \
    ListSideBySide<T>(title, count, destination, handle, args);                                    \
    va_end(args);                                                                                  \
  }
VELTRIA_MANY_LISTING(CoutIQArrMany, int64_t)
VELTRIA_MANY_LISTING(CoutUQArrMany, uint64_t)
#undef VELTRIA_MANY_LISTING
