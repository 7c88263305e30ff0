// Heap sorts and order tests of the integer arrays, one instance per element
// type (signed and unsigned keys order the same bits differently), and the
// order tests of the real arrays.
#include "arrays/array_scan_templates.h"
#include "arrays/iarr.h"
#include "base/heap_sort_engine.h"

#define VELTRIA_ORDER_TESTS(P, T)                                                               \
  VELTRIA_API bool P##ArrIsIncreasing(Qword count, const T* array, bool strict, Qword* index) { \
    return ArrIsOrdered<T, true>(count, array, strict, index);                                  \
  }                                                                                             \
  VELTRIA_API bool P##ArrIsDecreasing(Qword count, const T* array, bool strict, Qword* index) { \
    return ArrIsOrdered<T, false>(count, array, strict, index);                                 \
  }

#define VELTRIA_INT_ORDER(P, T)                                                                 \
  VELTRIA_API T* P##ArrHeapSort(Qword count, T* array, Long direction) {                        \
    return ArrHeapSort<T>(count, array, direction);                                             \
  }                                                                                             \
  VELTRIA_API bool P##ArrIsMonotonous(Qword count, const T* array, bool strict, Qword* index) { \
    return ArrIsMonotonous<T>(count, array, strict, index);                                     \
  }                                                                                             \
  VELTRIA_ORDER_TESTS(P, T)

VELTRIA_INT_ORDER(I, Long)
VELTRIA_INT_ORDER(U, Dword)
VELTRIA_INT_ORDER(IQ, Qlong)
VELTRIA_INT_ORDER(UQ, Qword)
VELTRIA_ORDER_TESTS(R, double)
