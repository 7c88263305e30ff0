// Complex values as text: parsing "(re, im)", formatting into a buffer and
// to the console, reading values, arrays and matrices from typed lines, and
// listing arrays and matrices to the console and/or a file. Each function
// takes wide (UTF-16) text; its A twin takes 8-bit text.
#pragma once
#include "base/num_status.h"
#include "base/types.h"
#include "complexvec/complex.h"

// One value "(re, im)"; blanks may stand before "(" and around the parts.
// *value gets what was read (NanComplex where nothing was); NUM_NOSTRUCT
// marks a value not read completely; *consumed (may be null) is the index
// behind ")" (all bits set when the text holds no non-blank character).
VELTRIA_API NumStatus StringToComplex(const char16_t* text, COMPLEX* value, Qword* consumed,
                                      Long radix);
VELTRIA_API NumStatus StringToComplexA(const char* text, COMPLEX* value, Qword* consumed,
                                       Long radix);

// Writes "(re, im)" with digits significant digits per part (0: all a
// double holds); returns the length. The buffer must hold both numbers and
// 5 more characters.
VELTRIA_API Qword ComplexToBuffer(const COMPLEX* z, char16_t* buffer, Long digits);
VELTRIA_API Qword ComplexToBufferA(const COMPLEX* z, char* buffer, Long digits);
// prefix, the value and suffix to the console (null pieces skipped).
VELTRIA_API void CoutComplex(const char16_t* prefix, const COMPLEX* z, const char16_t* suffix,
                             Long digits);
VELTRIA_API void CoutComplexA(const char* prefix, const COMPLEX* z, const char* suffix,
                              Long digits);

// One value from one typed line; *z is NanComplex when nothing was read.
VELTRIA_API NumStatus CinComplex(COMPLEX* z, const char16_t* prompt);
VELTRIA_API NumStatus CinComplexA(COMPLEX* z, const char* prompt);
// Values from one typed line, one after another: exactly *count of them
// when *count is not 0, else up to capacity, and *count becomes the number
// read. 22 bad arguments, 24 no line, 14 (22 in the A twin) too few.
VELTRIA_API LibErrorCode CinCArr(const char16_t* prompt, Dword* count, COMPLEX* values,
                                 Dword capacity);
VELTRIA_API LibErrorCode CinCArrA(const char* prompt, Dword* count, COMPLEX* values,
                                  Dword capacity);
// A matrix typed one row per line into M (room for *rows x *cols), left
// column-major with *rows and *cols set to what was read. The first row
// fixes the width unless fixed_cols is set; all_rows demands *rows rows.
VELTRIA_API LibErrorCode CinCMat(const char16_t* prompt, Dword* rows, Dword* cols, COMPLEX* M,
                                 Dword all_rows, Dword fixed_cols);
VELTRIA_API LibErrorCode CinCMatA(const char* prompt, Dword* rows, Dword* cols, COMPLEX* M,
                                  Dword all_rows, Dword fixed_cols);
// Listings to an OutputDestination (bit 0 console, bit 1 file; without a
// handle of the caller's a new file is asked for). Lines end with a line
// feed; wide listings write UTF-16LE into the file. The array's title goes
// to the console only; the matrix's title to every destination.
VELTRIA_API Dword CoutCArr(const char16_t* title, Dword n, const COMPLEX* values, Dword destination,
                           Qlong handle);
VELTRIA_API Dword CoutCArrA(const char* title, Dword n, const COMPLEX* values, Dword destination,
                            Qlong handle);
VELTRIA_API Dword CoutCMat(const char16_t* title, Dword rows, Dword cols, const COMPLEX* M,
                           Dword destination, Qlong handle);
VELTRIA_API Dword CoutCMatA(const char* title, Dword rows, Dword cols, const COMPLEX* M,
                            Dword destination, Qlong handle);
