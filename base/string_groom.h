// Grooming of a text by a flag word, cutting off comments and restoring
// backslash escapes; all in place, each returns the text. Wide forms and
// their 8-bit A twins.
#pragma once
#include "base/types.h"

// GroomFlags: the flag word of StringGroom, the list parsers and the
// console line reader.
typedef Dword GroomFlags;
enum : GroomFlags {
  kGroomClearBit7 = 0x1,     // 8-bit form only
  kGroomKeepLeading = 0x2,   // keep leading blanks
  kGroomKeepTrailing = 0x4,  // keep trailing blanks
  kGroomKeepRuns = 0x8,      // keep runs of blanks
  kGroomKeepControl = 0x10,  // keep control characters (else each becomes a blank)
  kGroomKeepCr = 0x20,       // keep carriage returns
  kGroomKeepLf = 0x40,       // keep line feeds
  kGroomKeepTab = 0x80,      // keep tabs
  kGroomUpper = 0x100,       // 'a'..'z' to upper case (0x200 is then ignored)
  kGroomLower = 0x200,       // 'A'..'Z' to lower case
  kGroomUnchanged = 0x8000   // leave the text as it is
};

VELTRIA_API char16_t* StringGroom(char16_t* text, GroomFlags flags);
VELTRIA_API char* StringGroomA(char* text, GroomFlags flags);

// Ends the text at the first occurrence of the marker; the third argument
// is not read.
VELTRIA_API char16_t* StringCutoffComments(char16_t* text, const char16_t* marker, Long unused);
VELTRIA_API char* StringCutoffCommentsA(char* text, const char* marker, Long unused);

// Replaces \n, \t, \x41, \101 and the other backslash escapes by the
// characters they stand for, compacting the text.
VELTRIA_API char16_t* StringRestoreEscapes(char16_t* text);
VELTRIA_API char* StringRestoreEscapesA(char* text);
