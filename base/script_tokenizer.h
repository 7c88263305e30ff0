// A tokenizer for script-like text: each call reads one token from a text
// position into the caller's buffer (at least the text's length + 1 units;
// always terminated) and gives its kind and the index just after it.
#pragma once
#include "base/types.h"

typedef Dword ScriptTokenKind;
enum : ScriptTokenKind {
  kTokenEnd = 1,         // end of text; the token is empty
  kTokenChar = 2,        // any other single character
  kTokenIdentifier = 4,  // an ASCII letter, then ASCII letters and digits
  kTokenString = 8,      // double-quoted string, without quotes, escapes replaced
  kTokenNumber = 128     // -12.5e-3 and the like
};

VELTRIA_API ScriptTokenKind ScriptParser(char16_t* token, const char16_t* text, Qword* consumed);
VELTRIA_API ScriptTokenKind ScriptParserA(char* token, const char* text, Qword* consumed);
// The same, with every token but a quoted string upper-cased.
VELTRIA_API ScriptTokenKind ScriptParserCap(char16_t* token, const char16_t* text, Qword* consumed);
VELTRIA_API ScriptTokenKind ScriptParserCapA(char* token, const char* text, Qword* consumed);
