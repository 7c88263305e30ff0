// Three-way comparison with options, Boyer-Moore-Horspool skip tables and
// substring search (plain, and with ASCII case folding and a wildcard), and
// substring deletion. Wide forms and their 8-bit A twins.
#pragma once
#include "base/types.h"

// Options of StringsCompare.
enum : Dword {
  kCompareNoCase = 0x1,         // ASCII letters compare upper-cased
  kCompareSkipLeading = 0x2,    // leading blanks of both texts are skipped
  kCompareBlankTailEqual = 0x4  // a remaining tail of blanks compares equal
};

// -1, 0 or 1 (1 when a sorts after b). A wildcard other than 0 in a matches
// any character of b. Wide codes order as unsigned values, bytes as signed.
VELTRIA_API Long StringsCompare(const char16_t* a, const char16_t* b, Dword flags,
                                char16_t wildcard);
VELTRIA_API Long StringsCompareA(const char* a, const char* b, Dword flags, char wildcard);

// Skip tables: 256 shifts indexed by the low byte of a character. Each
// returns the table (null for a null table).
VELTRIA_API Qword* BmhSkipTable(const char16_t* pattern, Qword length, Qword* table);
VELTRIA_API Qword* BmhSkipTableA(const char* pattern, Qword length, Qword* table);
// Flag 1 enters both ASCII cases of a letter; no shift passes a wildcard.
VELTRIA_API Qword* BmhSkipTableEx(const char16_t* pattern, Qword length, Dword flags,
                                  char16_t wildcard, Qword* table);
VELTRIA_API Qword* BmhSkipTableExA(const char* pattern, Qword length, Dword flags, char wildcard,
                                   Qword* table);

// First occurrence of the pattern in the text, or null. Lengths of 0 are
// measured; the table is optional (built from the pattern when null).
VELTRIA_API char16_t* StringLocateSubString(const char16_t* text, const char16_t* pattern,
                                            Qword text_length, Qword pattern_length,
                                            const Qword* table);
VELTRIA_API char* StringLocateSubStringA(const char* text, const char* pattern, Qword text_length,
                                         Qword pattern_length, const Qword* table);
// The same with flag 1 (ASCII case-insensitive) and a wildcard (0: none).
// The result is the start of the first full match of the whole pattern.
VELTRIA_API char16_t* StringLocateSubStringEx(const char16_t* text, const char16_t* pattern,
                                              Qword text_length, Qword pattern_length, Dword flags,
                                              char16_t wildcard, const Qword* table);
VELTRIA_API char* StringLocateSubStringExA(const char* text, const char* pattern, Qword text_length,
                                           Qword pattern_length, Dword flags, char wildcard,
                                           const Qword* table);

// Removes the first occurrence in place; true when something was removed.
VELTRIA_API bool StringDeleteSubString(char16_t* text, const char16_t* pattern, Qword text_length,
                                       Qword pattern_length, const Qword* table);
VELTRIA_API bool StringDeleteSubStringA(char* text, const char* pattern, Qword text_length,
                                        Qword pattern_length, const Qword* table);
