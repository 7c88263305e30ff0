// Signed and unsigned 32-bit and 64-bit integer arrays (IArr, UArr, IQArr,
// UQArr) and their column-major matrices; the pointer arrays (RPArr) share
// the 8-byte bodies. Names that only move bits are one body under several
// names; names that compare magnitudes have one body per element type.
#pragma once
#include "arrays/array_templates.h"
#include "base/heap_sort_engine.h"
#include "base/types.h"

// Creation (released with the Kill names of base/memory.h).
VELTRIA_API Long* IArrNew(Dword* error, Qword count);
VELTRIA_API Dword* UArrNew(Dword* error, Qword count);
VELTRIA_API Qlong* IQArrNew(Dword* error, Qword count);
VELTRIA_API Qword* UQArrNew(Dword* error, Qword count);
VELTRIA_API double** RPArrNew(Dword* error, Qword count);
VELTRIA_API Long* IArrNew0(Dword* error, Qword count);
VELTRIA_API Dword* UArrNew0(Dword* error, Qword count);
VELTRIA_API Qlong* IQArrNew0(Dword* error, Qword count);
VELTRIA_API Qword* UQArrNew0(Dword* error, Qword count);
VELTRIA_API double** RPArrNew0(Dword* error, Qword count);
VELTRIA_API Long* IArrNewCopy(Dword* error, const Long* src, Qword count);
VELTRIA_API Dword* UArrNewCopy(Dword* error, const Dword* src, Qword count);
VELTRIA_API Qlong* IQArrNewCopy(Dword* error, const Qlong* src, Qword count);
VELTRIA_API Qword* UQArrNewCopy(Dword* error, const Qword* src, Qword count);

// Copy (source before count), fill, zero and strided fill.
VELTRIA_API Dword IArrCopy(const Long* src, Qword count, Long* dst);
VELTRIA_API Dword UArrCopy(const Dword* src, Qword count, Dword* dst);
VELTRIA_API Dword IQArrCopy(const Qlong* src, Qword count, Qlong* dst);
VELTRIA_API Dword UQArrCopy(const Qword* src, Qword count, Qword* dst);
VELTRIA_API Dword IArrFill(Qword count, Long* array, Long value);
VELTRIA_API Dword UArrFill(Qword count, Dword* array, Dword value);
VELTRIA_API Dword IQArrFill(Qword count, Qlong* array, Qlong value);
VELTRIA_API Dword UQArrFill(Qword count, Qword* array, Qword value);
VELTRIA_API Dword RPArrFill(Qword count, double** array, double* value);
VELTRIA_API Dword IArrZero(Qword count, Long* array);
VELTRIA_API Dword UArrZero(Qword count, Dword* array);
VELTRIA_API Dword IQArrZero(Qword count, Qlong* array);
VELTRIA_API Dword UQArrZero(Qword count, Qword* array);
VELTRIA_API Dword RPArrNull(Qword count, double** array);
// A step of 0 stores the single element at start.
VELTRIA_API Dword IArrSkipFill(Qword count, Long* array, Qword start, Qword step, Long value);
VELTRIA_API Dword UArrSkipFill(Qword count, Dword* array, Qword start, Qword step, Dword value);
VELTRIA_API Dword IQArrSkipFill(Qword count, Qlong* array, Qword start, Qword step, Qlong value);
VELTRIA_API Dword UQArrSkipFill(Qword count, Qword* array, Qword start, Qword step, Qword value);

// Matrices of rows x cols elements, column-major. A rows x cols product that
// does not fit 64 bits is refused: 0x80001 when creating, 26 otherwise.
VELTRIA_API Long* IMatNew(Dword* error, Qword rows, Qword cols);
VELTRIA_API Dword* UMatNew(Dword* error, Qword rows, Qword cols);
VELTRIA_API Qlong* IQMatNew(Dword* error, Qword rows, Qword cols);
VELTRIA_API Qword* UQMatNew(Dword* error, Qword rows, Qword cols);
VELTRIA_API Long* IMatNew0(Dword* error, Qword rows, Qword cols);
VELTRIA_API Dword* UMatNew0(Dword* error, Qword rows, Qword cols);
VELTRIA_API Qlong* IQMatNew0(Dword* error, Qword rows, Qword cols);
VELTRIA_API Qword* UQMatNew0(Dword* error, Qword rows, Qword cols);
VELTRIA_API Long* IMatNewCopy(Dword* error, const Long* src, Qword rows, Qword cols);
VELTRIA_API Dword* UMatNewCopy(Dword* error, const Dword* src, Qword rows, Qword cols);
VELTRIA_API Qlong* IQMatNewCopy(Dword* error, const Qlong* src, Qword rows, Qword cols);
VELTRIA_API Qword* UQMatNewCopy(Dword* error, const Qword* src, Qword rows, Qword cols);
VELTRIA_API Dword IMatCopy(Qword rows, Qword cols, const Long* src, Long* dst);
VELTRIA_API Dword UMatCopy(Qword rows, Qword cols, const Dword* src, Dword* dst);
VELTRIA_API Dword IQMatCopy(Qword rows, Qword cols, const Qlong* src, Qlong* dst);
VELTRIA_API Dword UQMatCopy(Qword rows, Qword cols, const Qword* src, Qword* dst);
VELTRIA_API Dword IMatFill(Qword rows, Qword cols, Long* array, Long value);
VELTRIA_API Dword UMatFill(Qword rows, Qword cols, Dword* array, Dword value);
VELTRIA_API Dword IQMatFill(Qword rows, Qword cols, Qlong* array, Qlong value);
VELTRIA_API Dword UQMatFill(Qword rows, Qword cols, Qword* array, Qword value);
VELTRIA_API Dword IMatZero(Qword rows, Qword cols, Long* array);
VELTRIA_API Dword UMatZero(Qword rows, Qword cols, Dword* array);
VELTRIA_API Dword IQMatZero(Qword rows, Qword cols, Qlong* array);
VELTRIA_API Dword UQMatZero(Qword rows, Qword cols, Qword* array);
// dst (cols x rows) = transpose of src (rows x cols); src may equal dst.
// Null src 14, null dst 18.
VELTRIA_API Dword IMatTranspose(const Long* src, Qword rows, Qword cols, Long* dst);
VELTRIA_API Dword UMatTranspose(const Dword* src, Qword rows, Qword cols, Dword* dst);
VELTRIA_API Dword IQMatTranspose(const Qlong* src, Qword rows, Qword cols, Qlong* dst);
VELTRIA_API Dword UQMatTranspose(const Qword* src, Qword rows, Qword cols, Qword* dst);

// Counts against a value or a band (-1, or 0 for the band, when empty).
VELTRIA_API Qlong IArrAboveCount(Qword count, const Long* array, Long value);
VELTRIA_API Qlong UArrAboveCount(Qword count, const Dword* array, Dword value);
VELTRIA_API Qlong IQArrAboveCount(Qword count, const Qlong* array, Qlong value);
VELTRIA_API Qlong UQArrAboveCount(Qword count, const Qword* array, Qword value);
VELTRIA_API Qlong IArrBelowCount(Qword count, const Long* array, Long value);
VELTRIA_API Qlong UArrBelowCount(Qword count, const Dword* array, Dword value);
VELTRIA_API Qlong IQArrBelowCount(Qword count, const Qlong* array, Qlong value);
VELTRIA_API Qlong UQArrBelowCount(Qword count, const Qword* array, Qword value);
VELTRIA_API Qlong IArrBandCount(Qword count, const Long* array, Long low, Long high, Qword* above,
                                Qword* below);
VELTRIA_API Qlong UArrBandCount(Qword count, const Dword* array, Dword low, Dword high,
                                Qword* above, Qword* below);
VELTRIA_API Qlong IQArrBandCount(Qword count, const Qlong* array, Qlong low, Qlong high,
                                 Qword* above, Qword* below);
VELTRIA_API Qlong UQArrBandCount(Qword count, const Qword* array, Qword low, Qword high,
                                 Qword* above, Qword* below);

// Extremes: index of the first largest or smallest element, -1 when empty.
VELTRIA_API Qlong IArrMax(Qword count, const Long* array);
VELTRIA_API Qlong UArrMax(Qword count, const Dword* array);
VELTRIA_API Qlong IQArrMax(Qword count, const Qlong* array);
VELTRIA_API Qlong UQArrMax(Qword count, const Qword* array);
VELTRIA_API Qlong IArrMin(Qword count, const Long* array);
VELTRIA_API Qlong UArrMin(Qword count, const Dword* array);
VELTRIA_API Qlong IQArrMin(Qword count, const Qlong* array);
VELTRIA_API Qlong UQArrMin(Qword count, const Qword* array);
VELTRIA_API Dword IArrMinMax(Qword count, const Long* array, Qword* imin, Qword* imax);
VELTRIA_API Dword UArrMinMax(Qword count, const Dword* array, Qword* imin, Qword* imax);
VELTRIA_API Dword IQArrMinMax(Qword count, const Qlong* array, Qword* imin, Qword* imax);
VELTRIA_API Dword UQArrMinMax(Qword count, const Qword* array, Qword* imin, Qword* imax);

// Value search, longest run, level crossings.
VELTRIA_API bool IArrIsValuePresent(Qword count, const Long* array, Long value, Qword* index);
VELTRIA_API bool UArrIsValuePresent(Qword count, const Dword* array, Dword value, Qword* index);
VELTRIA_API bool IQArrIsValuePresent(Qword count, const Qlong* array, Qlong value, Qword* index);
VELTRIA_API bool UQArrIsValuePresent(Qword count, const Qword* array, Qword value, Qword* index);
VELTRIA_API Qlong IArrLongestBlock(Qword count, const Long* array, Long value, Qword* length);
VELTRIA_API Qlong UArrLongestBlock(Qword count, const Dword* array, Dword value, Qword* length);
VELTRIA_API Qlong IQArrLongestBlock(Qword count, const Qlong* array, Qlong value, Qword* length);
VELTRIA_API Qlong UQArrLongestBlock(Qword count, const Qword* array, Qword value, Qword* length);
VELTRIA_API Qlong IArrSignInversionsCount(Qword count, const Long* array, Long level, Qword* down,
                                          Qword* up);
VELTRIA_API Qlong IQArrSignInversionsCount(Qword count, const Qlong* array, Qlong level,
                                           Qword* down, Qword* up);

// In-place heap sort, ascending for direction >= 0; null for empty input.
VELTRIA_API Long* IArrHeapSort(Qword count, Long* array, Long direction);
VELTRIA_API Dword* UArrHeapSort(Qword count, Dword* array, Long direction);
VELTRIA_API Qlong* IQArrHeapSort(Qword count, Qlong* array, Long direction);
VELTRIA_API Qword* UQArrHeapSort(Qword count, Qword* array, Long direction);

// Order tests; index receives the first failing position (or none).
VELTRIA_API bool IArrIsIncreasing(Qword count, const Long* array, bool strict, Qword* index);
VELTRIA_API bool UArrIsIncreasing(Qword count, const Dword* array, bool strict, Qword* index);
VELTRIA_API bool IQArrIsIncreasing(Qword count, const Qlong* array, bool strict, Qword* index);
VELTRIA_API bool UQArrIsIncreasing(Qword count, const Qword* array, bool strict, Qword* index);
VELTRIA_API bool RArrIsIncreasing(Qword count, const double* array, bool strict, Qword* index);
VELTRIA_API bool IArrIsDecreasing(Qword count, const Long* array, bool strict, Qword* index);
VELTRIA_API bool UArrIsDecreasing(Qword count, const Dword* array, bool strict, Qword* index);
VELTRIA_API bool IQArrIsDecreasing(Qword count, const Qlong* array, bool strict, Qword* index);
VELTRIA_API bool UQArrIsDecreasing(Qword count, const Qword* array, bool strict, Qword* index);
VELTRIA_API bool RArrIsDecreasing(Qword count, const double* array, bool strict, Qword* index);
VELTRIA_API bool IArrIsMonotonous(Qword count, const Long* array, bool strict, Qword* index);
VELTRIA_API bool UArrIsMonotonous(Qword count, const Dword* array, bool strict, Qword* index);
VELTRIA_API bool IQArrIsMonotonous(Qword count, const Qlong* array, bool strict, Qword* index);
VELTRIA_API bool UQArrIsMonotonous(Qword count, const Qword* array, bool strict, Qword* index);
