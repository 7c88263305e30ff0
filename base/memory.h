// The library's allocation convention: New* blocks that the caller owns and
// gives back through a Kill* name, which also clears the caller's pointer.
#pragma once
#include <cstring>
#include <limits>
#include <memory>

#include "base/error_codes.h"
#include "base/platform/allocator.h"
#include "base/types.h"

// Largest element count an allocation of `T` accepts: beyond it the byte
// size no longer fits in 64 bits (and for bytes, the all-ones count).
template <class T>
constexpr Qword MaxArrCount() {
  return (std::numeric_limits<Qword>::max() - 1) / sizeof(T);
}

// Allocate-and-fill behind every New* array: the error is always written;
// count 0 gives null with 0; a refused count or no memory gives null with
// 0x80001; with a fill every element receives it bit for bit.
template <class T>
T* NewArrFill(Dword* error, Qword count, const T* fill = nullptr) {
  *error = kErrNone;
  if (count == 0) return nullptr;
  if (count > MaxArrCount<T>()) {
    *error = kErrAlloc;
    return nullptr;
  }
  T* block = static_cast<T*>(PlatformAlloc(static_cast<size_t>(count * sizeof(T))));
  if (!block) {
    *error = kErrAlloc;
    return nullptr;
  }
  if (fill) {
    const T value = *fill;
    for (Qword i = 0; i < count; ++i) std::memcpy(&block[i], &value, sizeof(T));
  }
  return block;
}

// The width instances by their own names.
inline Qword* NewPointerArrFill(Dword* e, Qword n, const Qword* fill = nullptr) {
  return NewArrFill<Qword>(e, n, fill);
}
inline double* NewRealArrFill(Dword* e, Qword n, const double* fill = nullptr) {
  return NewArrFill<double>(e, n, fill);
}
inline Dword* NewDwordArrFill(Dword* e, Qword n, const Dword* fill = nullptr) {
  return NewArrFill<Dword>(e, n, fill);
}
inline char16_t* NewWordArrFill(Dword* e, Qword n, const char16_t* fill = nullptr) {
  return NewArrFill<char16_t>(e, n, fill);
}
inline char* NewByteArrFill(Dword* e, Qword n, const char* fill = nullptr) {
  return NewArrFill<char>(e, n, fill);
}
inline float* NewFloatArrFill(Dword* e, Qword n, const float* fill = nullptr) {
  return NewArrFill<float>(e, n, fill);
}

// New block of count + extra 8-byte elements, the first `count` copied from
// `source`; the extra ones uninitialised. Null source or total 0: null, 0.
double* NewArrCopyExtend(Dword* error, const double* source, Qword count, Qword extra);

// Frees the block that *address_of_pointer holds and clears the pointer;
// nothing when either is null. Every release of library memory ends here.
VELTRIA_INTERNAL void KillPtr(void* address_of_pointer);

// Owner of one library block inside a function: the block goes back
// through KillPtr when the owner leaves scope.
struct KillPtrDeleter {
  template <class T>
  void operator()(T* block) const {
    KillPtr(&block);
  }
};
template <class T>
using UniqueArr = std::unique_ptr<T[], KillPtrDeleter>;

// Destroys a polymorphic object through its virtual destructor and clears
// the caller's pointer.
template <class T>
void KillObject(T** address) {
  if (address && *address) {
    delete *address;
    *address = nullptr;
  }
}

// The exported Kill names: each is KillPtr.
VELTRIA_API void CArrKill(void* address_of_pointer);
VELTRIA_API void CFArrKill(void* address_of_pointer);
VELTRIA_API void CMatKill(void* address_of_pointer);
VELTRIA_API void IArrKill(void* address_of_pointer);
VELTRIA_API void IMatKill(void* address_of_pointer);
VELTRIA_API void IQArrKill(void* address_of_pointer);
VELTRIA_API void IQMatKill(void* address_of_pointer);
VELTRIA_API void KillString(void* address_of_pointer);
VELTRIA_API void KillStringA(void* address_of_pointer);
VELTRIA_API void RArrKill(void* address_of_pointer);
VELTRIA_API void RMatKill(void* address_of_pointer);
VELTRIA_API void RPArrKill(void* address_of_pointer);
VELTRIA_API void UArrKill(void* address_of_pointer);
VELTRIA_API void UMatKill(void* address_of_pointer);
VELTRIA_API void UQArrKill(void* address_of_pointer);
VELTRIA_API void UQMatKill(void* address_of_pointer);
