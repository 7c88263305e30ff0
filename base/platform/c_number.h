// The C runtime's conversion of decimal and hexadecimal text to a double,
// always in the "C" numeric locale whatever the environment says.
#pragma once
#include "base/types.h"

struct PlatformRealParse {
  double value;      // the converted value (0 when nothing was converted)
  Qword consumed;    // characters converted from the start of the text
  bool range_error;  // the runtime reported a value out of range
};

PlatformRealParse PlatformTextToReal(const char* text);
