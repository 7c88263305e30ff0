// What went wrong and where, beside an error code: a reader that refuses a
// file leaves a line such as "/data/1/acqus: no ##$TD= entry" here, and the
// program shows it with the code's text. One detail at a time (the library
// is single-threaded); it belongs to the code it was left with.
#pragma once
#include "base/types.h"

// Keeps `text` (UTF-8, cut at a character boundary when very long) as the
// detail of `code`; a null text or code 0 clears it.
VELTRIA_API void LibErrorDetailSetA(Dword code, const char* text);
// The detail left with `code`, or null when there is none for that code.
VELTRIA_API const char* LibErrorDetailA(Dword code);
// Forgets the detail.
VELTRIA_API void LibErrorDetailClear(void);
