// Real numbers of the comma-separated export: the layout of the library's
// real writer (fixed point from 1e-3 up to the digit count, else a
// mantissa with a bare exponent, "NaN", "+INF", "-INF") but rounded
// correctly to the given significant digits, so a value never reads back
// as a truncated one.
#pragma once
#include "base/types.h"

// Writes the text into buffer (at least 40 characters); returns its length.
Qword CsvRealText(double x, int digits, char* buffer);
