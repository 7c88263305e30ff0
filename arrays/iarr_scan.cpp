// Counts, extremes, value search, runs and level crossings of the integer
// arrays: each comparing operation has one instance per element type; the
// bit-only searches one body per width under both names.
#include "arrays/array_scan_templates.h"
#include "arrays/iarr.h"
#include "arrays/twin_alias.h"

#define VELTRIA_INT_SCANS(P, T)                                                               \
  VELTRIA_API Qlong P##ArrAboveCount(Qword count, const T* array, T value) {                  \
    return ArrAboveCount<T>(count, array, &value);                                            \
  }                                                                                           \
  VELTRIA_API Qlong P##ArrBelowCount(Qword count, const T* array, T value) {                  \
    return ArrBelowCount<T>(count, array, &value);                                            \
  }                                                                                           \
  VELTRIA_API Qlong P##ArrBandCount(Qword count, const T* array, T low, T high, Qword* above, \
                                    Qword* below) {                                           \
    return ArrBandCount<T>(count, array, &low, &high, above, below);                          \
  }                                                                                           \
  VELTRIA_API Qlong P##ArrMax(Qword count, const T* array) {                                  \
    return ArrMaxIndex<T>(count, array);                                                      \
  }                                                                                           \
  VELTRIA_API Qlong P##ArrMin(Qword count, const T* array) {                                  \
    return ArrMinIndex<T>(count, array);                                                      \
  }                                                                                           \
  VELTRIA_API Dword P##ArrMinMax(Qword count, const T* array, Qword* imin, Qword* imax) {     \
    return ArrMinMax<T>(count, array, imin, imax);                                            \
  }

VELTRIA_INT_SCANS(I, Long)
VELTRIA_INT_SCANS(U, Dword)
VELTRIA_INT_SCANS(IQ, Qlong)
VELTRIA_INT_SCANS(UQ, Qword)

VELTRIA_API bool IArrIsValuePresent(Qword count, const Long* array, Long value, Qword* index) {
  return ArrIsValuePresent<Long>(count, array, value, index);
}
VELTRIA_TWIN(bool, UArrIsValuePresent, (Qword, const Dword*, Dword, Qword*), IArrIsValuePresent)
VELTRIA_API bool IQArrIsValuePresent(Qword count, const Qlong* array, Qlong value, Qword* index) {
  return ArrIsValuePresent<Qlong>(count, array, value, index);
}
VELTRIA_TWIN(bool, UQArrIsValuePresent, (Qword, const Qword*, Qword, Qword*), IQArrIsValuePresent)

VELTRIA_API Qlong IArrLongestBlock(Qword count, const Long* array, Long value, Qword* length) {
  return ArrLongestBlock<Long>(count, array, value, length);
}
VELTRIA_TWIN(Qlong, UArrLongestBlock, (Qword, const Dword*, Dword, Qword*), IArrLongestBlock)
VELTRIA_API Qlong IQArrLongestBlock(Qword count, const Qlong* array, Qlong value, Qword* length) {
  return ArrLongestBlock<Qlong>(count, array, value, length);
}
VELTRIA_TWIN(Qlong, UQArrLongestBlock, (Qword, const Qword*, Qword, Qword*), IQArrLongestBlock)

VELTRIA_API Qlong IArrSignInversionsCount(Qword count, const Long* array, Long level, Qword* down,
                                          Qword* up) {
  return ArrSignInversionsCount<Long>(count, array, &level, down, up);
}
VELTRIA_API Qlong IQArrSignInversionsCount(Qword count, const Qlong* array, Qlong level,
                                           Qword* down, Qword* up) {
  return ArrSignInversionsCount<Qlong>(count, array, &level, down, up);
}
