// Text input and output of integer arrays and matrices: readers of a list
// of integers typed on one console line, and listings to the console, a
// text file or both (OutputDestination: bit 0 console, bit 1 file; a handle
// of 0 or -1 with bit 1 asks for a new file). Lines end with LF; the wide
// forms write UTF-16LE code units into the file, the 8-bit forms bytes.
#pragma once
#include "base/types.h"

// Reads one line and parses integers of the element type in radix 10,
// separated by blanks or TABs, until the limit (a non-zero count, else the
// capacity), the end of the line, or a value that is no integer of the
// type (a fraction, out of range, other text). A count of 0 receives the
// number read. 22 for null values, count and capacity both 0, a failed
// read or fewer values than a non-zero count; 25 for a capacity below a
// non-zero count (nothing read).
VELTRIA_API LibErrorCode CinIArr(const char16_t* prompt, Dword* count, int32_t* values,
                                 Dword capacity);
VELTRIA_API LibErrorCode CinIArrA(const char* prompt, Dword* count, int32_t* values,
                                  Dword capacity);
VELTRIA_API LibErrorCode CinUArr(const char16_t* prompt, Dword* count, uint32_t* values,
                                 Dword capacity);
VELTRIA_API LibErrorCode CinUArrA(const char* prompt, Dword* count, uint32_t* values,
                                  Dword capacity);
VELTRIA_API LibErrorCode CinIQArr(const char16_t* prompt, Dword* count, int64_t* values,
                                  Dword capacity);
VELTRIA_API LibErrorCode CinIQArrA(const char* prompt, Dword* count, int64_t* values,
                                   Dword capacity);
VELTRIA_API LibErrorCode CinUQArr(const char16_t* prompt, Dword* count, uint64_t* values,
                                  Dword capacity);
VELTRIA_API LibErrorCode CinUQArrA(const char* prompt, Dword* count, uint64_t* values,
                                   Dword capacity);

// The title, then per element a line feed, a blank, the index, a blank and
// the value in decimal. Return the count.
VELTRIA_API Dword CoutIArr(const char16_t* title, Dword count, const int32_t* values,
                           Dword destination, Qlong handle);
VELTRIA_API Dword CoutIArrA(const char* title, Dword count, const int32_t* values,
                            Dword destination, Qlong handle);
VELTRIA_API Dword CoutUArr(const char16_t* title, Dword count, const uint32_t* values,
                           Dword destination, Qlong handle);
VELTRIA_API Dword CoutUArrA(const char* title, Dword count, const uint32_t* values,
                            Dword destination, Qlong handle);
VELTRIA_API Dword CoutIQArr(const char16_t* title, Dword count, const int64_t* values,
                            Dword destination, Qlong handle);
VELTRIA_API Dword CoutIQArrA(const char* title, Dword count, const int64_t* values,
                             Dword destination, Qlong handle);
VELTRIA_API Dword CoutUQArr(const char16_t* title, Dword count, const uint64_t* values,
                            Dword destination, Qlong handle);
VELTRIA_API Dword CoutUQArrA(const char* title, Dword count, const uint64_t* values,
                             Dword destination, Qlong handle);

// The title, then one line per row: each element in decimal followed by a
// TAB, LF at the end. Return the number of rows.
VELTRIA_API Qword CoutIQMat(const char16_t* title, Qword rows, Qword cols, const int64_t* values,
                            Qword destination, Qlong handle);
VELTRIA_API Qword CoutIQMatA(const char* title, Qword rows, Qword cols, const int64_t* values,
                             Qword destination, Qlong handle);
VELTRIA_API Qword CoutUQMat(const char16_t* title, Qword rows, Qword cols, const uint64_t* values,
                            Qword destination, Qlong handle);
VELTRIA_API Qword CoutUQMatA(const char* title, Qword rows, Qword cols, const uint64_t* values,
                             Qword destination, Qlong handle);

// Arrays of count values, given as pointer arguments ended by a null
// pointer, listed side by side as the columns of a matrix.
VELTRIA_API void CoutIQArrMany(const char16_t* title, Dword count, Dword destination, Qlong handle,
                               ...);
VELTRIA_API void CoutIQArrManyA(const char* title, Dword count, Dword destination, Qlong handle,
                                ...);
VELTRIA_API void CoutUQArrMany(const char16_t* title, Dword count, Dword destination, Qlong handle,
                               ...);
VELTRIA_API void CoutUQArrManyA(const char* title, Dword count, Dword destination, Qlong handle,
                                ...);
