// Small text helpers of the Bruker folder code: bytes made valid UTF-8,
// C-printf numbers independent of the locale, strict unsigned decimal reads.
#pragma once
#include <string>
#include <string_view>

#include "base/types.h"

// The bytes as valid UTF-8: well-formed UTF-8 sequences stay as they are,
// every other byte is taken as a Latin-1 character (the older spectrometer
// software writes Latin-1 texts). NUL bytes are dropped.
std::string BrukerValidUtf8(std::string_view bytes);

// The text C printf's "%.<digits>g" gives, whatever the locale (the
// program's own code never depends on the C runtime's locale).
std::string BrukerFormatG(double value, int digits);

// The shortest text that reads back as exactly `value` (as few digits as
// that takes, in %g style), whatever the locale.
std::string BrukerFormatExact(double value);

// Outcome of an unsigned decimal read.
enum class BrukerNumber { kOk, kNotANumber, kTooLarge };

// Reads an unsigned decimal integer with blanks (space, tab) around it and
// nothing else.
BrukerNumber BrukerParseUnsigned(std::string_view text, Qword* value);

// A real from the whole text with blanks around it (a decimal point
// whatever the locale); NaN when the text is not one number.
double BrukerParseReal(std::string_view text);

// The text without the blanks (space, tab) at both ends.
std::string_view BrukerTrim(std::string_view text);
