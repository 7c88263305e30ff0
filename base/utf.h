// The library's own UTF-16 <-> UTF-8 conversion, for the terminal, the
// toolkit and file-system paths. Surrogate pairs become 4-byte sequences
// and back. Each lone surrogate and each maximal ill-formed part of a UTF-8
// sequence becomes one U+FFFD. The source is read up to its terminator or
// up to the given number of units, never beyond.
#pragma once
#include "base/types.h"

// Converts src (at most src_units units; kNoIndex: up to the terminator)
// into dst, capacity units including the terminator. Only whole characters
// are written; dst is always terminated when capacity is above 0. Returns
// the units the whole text needs without the terminator: a result of
// capacity or more means the output was cut. dst may be null (capacity 0)
// to measure.
VELTRIA_API Qword Utf16ToUtf8(const char16_t* src, Qword src_units, char* dst, Qword capacity);
VELTRIA_API Qword Utf8ToUtf16(const char* src, Qword src_units, char16_t* dst, Qword capacity);

// New converted strings (KillStringA / KillString); null for a null text
// or when the allocation fails.
VELTRIA_API char* NewUtf8FromUtf16(const char16_t* src);
VELTRIA_API char16_t* NewUtf16FromUtf8(const char* src);

// Writes the UTF-8 bytes of one code point (at most 4) to out; returns
// their number. Internal: the console encodes through it.
int Utf8EncodeCodePoint(Dword code, char* out);
