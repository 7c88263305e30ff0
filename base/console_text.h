// Internal: the one path by which console text reaches standard output.
// Wide text is encoded as UTF-8 on the way (surrogate pairs joined, a lone
// surrogate becomes U+FFFD); 8-bit text goes out as it is.
#pragma once
#include "base/types.h"

void ConWriteText(const char16_t* text);
void ConWriteText(const char* text);
// UTF-8 bytes of one code point below 0x110000; returns their count.
Qword ConEncodeUtf8(Dword code, char* out);

// Internal line read behind CinToBuffer: `ended` (may be null) tells that
// the input is at its end and no more lines will come.
LibErrorCode ConReadLine(const char16_t* prompt, char16_t* buffer, Qword capacity, Qword groom,
                         bool* ended);
LibErrorCode ConReadLine(const char* prompt, char* buffer, Qword capacity, Qword groom,
                         bool* ended);
