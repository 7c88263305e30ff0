// Owned texts of the engine's nodes and records: copies through the
// library's allocator, so that every one is released by KillPtr.
#pragma once
#include "base/error_codes.h"
#include "base/types.h"

// A new copy of the text, or null for a null text. A failed allocation
// gives null and sets *error to 0x80001 (error untouched otherwise).
char* EngineCopyA(const char* text, LibErrorCode* error);
char16_t* EngineCopyW(const char16_t* text, LibErrorCode* error);
// A new copy of `length` characters of the text, terminated.
char* EngineCopyRangeA(const char* text, Qword length, LibErrorCode* error);
// True for the blanks that the engine's readers skip: space, TAB, CR, LF.
inline bool EngineIsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
