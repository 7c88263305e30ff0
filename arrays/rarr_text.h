// Text listings of real arrays and matrices to the console, a text file or
// both (OutputDestination: bit 0 console, bit 1 file; a handle of 0 or -1
// with bit 1 asks for a new file), and the console reader of a real matrix
// typed row by row. Lines end with LF; the wide forms write UTF-16LE code
// units into the file, the 8-bit forms bytes.
#pragma once
#include "base/types.h"

// The title, then per element "\n %u %17.14g" of its index and value.
// Returns the count.
VELTRIA_API Dword CoutRArr(const char16_t* title, Dword count, const double* values,
                           Dword destination, Qlong handle);
VELTRIA_API Dword CoutRArrA(const char* title, Dword count, const double* values, Dword destination,
                            Qlong handle);
// The title, then one line per row: " %20.13g" per element, a TAB between
// the elements, LF at the end. Null values or a zero dimension list only
// the title.
VELTRIA_API void CoutRMat(const char16_t* title, Qword rows, Qword cols, const double* values,
                          Qword destination, Qlong handle);
VELTRIA_API void CoutRMatA(const char* title, Qword rows, Qword cols, const double* values,
                           Qword destination, Qlong handle);
// Arrays of count values, given as const double* arguments ended by a null
// pointer, listed side by side as the columns of a matrix.
VELTRIA_API void CoutRArrs(const char16_t* title, Qword count, Dword destination, Qlong handle,
                           ...);
VELTRIA_API void CoutRArrsA(const char* title, Qword count, Dword destination, Qlong handle, ...);

// Reads a matrix row by row, one console line per row, into values (room
// for rows x cols). The first line sets the row width unless fixed_cols;
// input ends at the first line with fewer numbers, or after rows rows. On
// success rows and cols receive the size read and values the column-major
// matrix. 22 for missing arguments, a failed first row or (exact) fewer
// rows than asked for; 25 when a fixed width exceeds the capacity.
VELTRIA_API LibErrorCode CinRMat(const char16_t* prompt, Dword* rows, Dword* cols, double* values,
                                 Dword exact, Dword fixed_cols);
VELTRIA_API LibErrorCode CinRMatA(const char* prompt, Dword* rows, Dword* cols, double* values,
                                  Dword exact, Dword fixed_cols);
