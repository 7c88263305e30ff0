// The C runtime's conversion between decimal text and numbers, always in
// the "C" numeric locale whatever the environment says.
#pragma once
#include <cstdarg>

#include "base/types.h"

struct PlatformRealParse {
  double value;      // the converted value (0 when nothing was converted)
  Qword consumed;    // characters converted from the start of the text
  bool range_error;  // the runtime reported a value out of range
};

PlatformRealParse PlatformTextToReal(const char* text);

// vsnprintf in the "C" numeric locale: a decimal point is always ".".
// Returns what vsnprintf returns (the full length; negative on failure).
int PlatformFormatC(char* buffer, Qword size, const char* format, va_list args);
// The same with its arguments in line; the buffer holds an empty text when
// the format fails, and a longer text is cut to the buffer.
int PlatformFormatCText(char* buffer, Qword size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
