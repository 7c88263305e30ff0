// Element-type templates shared by the real, float, integer and pointer
// arrays (and by the real matrices, whose bodies are the same).
#pragma once
#include "base/error_codes.h"
#include "base/memory.h"
#include "base/types.h"

// Copies count elements forward. Count 0 first, then the destination (18),
// then the source (14).
template <class T>
Dword ArrCopy(Qword count, const T* src, T* dst) {
  if (count == 0) return kErrNone;
  if (!dst) return kErrMissingOutputBuffer;
  if (!src) return kErrMissingInputData;
  for (Qword i = 0; i < count; ++i) dst[i] = src[i];
  return kErrNone;
}

template <class T>
Dword ArrFill(Qword count, T* dst, T value) {
  if (count == 0) return kErrNone;
  if (!dst) return kErrMissingOutputBuffer;
  for (Qword i = 0; i < count; ++i) dst[i] = value;
  return kErrNone;
}

// Stores value at start, start + step, ... below count. A step of 0 would
// never end: it stores the single element at start.
template <class T>
Dword ArrSkipFill(Qword count, T* array, Qword start, Qword step, T value) {
  if (!array || count == 0) return kErrMissingInputData;
  if (step == 0) {
    if (start < count) array[start] = value;
    return kErrNone;
  }
  for (Qword i = start; i < count; i += step) {
    array[i] = value;
    if (count - i <= step) break;  // the next index would pass count (or wrap)
  }
  return kErrNone;
}

template <class T>
T* ArrNew0(Dword* error, Qword count) {
  const T zero{};
  return NewArrFill<T>(error, count, &zero);
}

// New block of count + extra elements, the first count copied from src, the
// extra ones uninitialised. Total 0 or a null src: null with error 0.
template <class T>
T* ArrNewCopy(Dword* error, const T* src, Qword count, Qword extra) {
  *error = kErrNone;
  if (!src || count + extra == 0) return nullptr;
  if (extra > MaxArrCount<T>() || count > MaxArrCount<T>() - extra) {
    *error = kErrAlloc;
    return nullptr;
  }
  T* block = NewArrFill<T>(error, count + extra);
  if (block)
    for (Qword i = 0; i < count; ++i) block[i] = src[i];
  return block;
}

// Element count of a rows x cols matrix; false when it does not fit 64 bits.
inline bool MatCount(Qword rows, Qword cols, Qword* count) {
  return !__builtin_mul_overflow(rows, cols, count);
}
