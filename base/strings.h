// Characters and basic strings: classification and case of ASCII
// characters, new strings, copies between the widths and into caller
// buffers, heap-string edits and simple queries.
//
// Texts are zero-terminated: wide texts of char16_t codes (no suffix) and
// 8-bit texts of bytes, UTF-8 at the edges (the A twins). A null text reads
// as empty. Lengths, indices and capacities are Qword; a capacity counts the
// terminator and kNoIndex (all ones) means "none" or "no bound".
// Heap strings come from the New* functions and go back through KillString
// and KillStringA (base/memory.h).
#pragma once
#include "base/types.h"

// ASCII classification; a wide code or a byte widened to 16 bits.
VELTRIA_API bool chIsAnyLetter(char16_t c);
VELTRIA_API bool chIsCapLetter(char16_t c);
VELTRIA_API bool chIsSmallLetter(char16_t c);
VELTRIA_API bool chIsDecDigit(char16_t c);
VELTRIA_API bool chIsHexDigit(char16_t c);
VELTRIA_API bool chIsOctalDigit(char16_t c);
VELTRIA_API bool chIsBinaryDigit(char16_t c);

// ASCII case; every other code is returned unchanged.
VELTRIA_API char16_t chToLcase(char16_t c);
VELTRIA_API char chToLcaseA(char c);
VELTRIA_API char16_t chToUcase(char16_t c);
VELTRIA_API char chToUcaseA(char c);
// 0 to 15 for a hexadecimal digit of either case, else -1.
VELTRIA_API Qlong chHexToDigit(char16_t c);
VELTRIA_API Qlong chHexToDigitA(char c);
// '0'..'9', 'A'..'F' for the low four bits of the value.
VELTRIA_API char16_t chDigitToHex(Qword value);
VELTRIA_API char chDigitToHexA(Qword value);
// Writes c and a terminator; returns the buffer (null for a null buffer).
VELTRIA_API char16_t* chToStringBuffer(char16_t* buffer, char16_t c);
VELTRIA_API char* chToStringBufferA(char* buffer, char c);

// New strings; null only when the allocation fails (or for the converting
// copies of a null text).
VELTRIA_API char16_t* NewString(Qword length, char16_t fill);
VELTRIA_API char* NewStringA(Qword length, char fill);
VELTRIA_API char16_t* NewCopyString(const char16_t* text, Qword first, Qword last);
VELTRIA_API char* NewCopyStringA(const char* text, Qword first, Qword last);
VELTRIA_API char16_t* NewCopyStringEx(const char16_t* text, Qword extra);
VELTRIA_API char* NewCopyStringExA(const char* text, Qword extra);
// Code-unit copies between the widths: bytes widen as signed values (0x80
// becomes 0xFF80), codes narrow to their low byte. Not for UTF-8 text or
// paths: those go through base/utf.h.
VELTRIA_API char16_t* NewCopyStringAW(const char* text);
VELTRIA_API char* NewCopyStringWA(const char16_t* text);
// count, then count texts (null ones read as empty).
VELTRIA_API char16_t* NewStringsConcat(Qword count, ...);
VELTRIA_API char* NewStringsConcatA(Qword count, ...);

// Copies into caller buffers; each returns the number of characters copied
// and never writes more than capacity units (terminator included), none at
// all for capacity 0.
VELTRIA_API Qword StringToBuffer(const char16_t* text, char16_t* buffer, Qword capacity);
VELTRIA_API Qword StringToBufferA(const char* text, char* buffer, Qword capacity);
VELTRIA_API Qword StringToBufferAW(const char* text, char16_t* buffer, Qword capacity);
VELTRIA_API Qword StringToBufferWA(const char16_t* text, char* buffer, Qword capacity);
VELTRIA_API Qword StringSectionToBuffer(const char16_t* text, Qword first, Qword last,
                                        char16_t* buffer, Qword capacity);
VELTRIA_API Qword StringSectionToBufferA(const char* text, Qword first, Qword last, char* buffer,
                                         Qword capacity);

// Heap-string edits: each may replace *address and returns the string held
// afterwards (null for a null address or a failed allocation).
VELTRIA_API char16_t* StringAppend(char16_t** address, const char16_t* text);
VELTRIA_API char* StringAppendA(char** address, const char* text);
VELTRIA_API char16_t* StringReplace(char16_t** address, const char16_t* text);
VELTRIA_API char* StringReplaceA(char** address, const char* text);
VELTRIA_API char16_t* StringEnforceLastChr(char16_t** address, char16_t c);
VELTRIA_API char* StringEnforceLastChrA(char** address, char c);
VELTRIA_API char16_t* StringNextAlphaCount(char16_t** address);
VELTRIA_API char* StringNextAlphaCountA(char** address);

// Queries and in-place edits.
VELTRIA_API Qword StringLen(const char16_t* text);
VELTRIA_API Qword StringLenA(const char* text);
VELTRIA_API bool StringIsEmpty(const char16_t* text);
VELTRIA_API bool StringIsEmptyA(const char* text);
VELTRIA_API Qword StringCharCount(const char16_t* text, char16_t c);
VELTRIA_API Qword StringCharCountA(const char* text, char c);
VELTRIA_API bool StringIsChrPresent(const char16_t* text, char16_t c);
VELTRIA_API bool StringIsChrPresentA(const char* text, char c);
VELTRIA_API Qword StringIndex1stChr(const char16_t* text, char16_t c);
VELTRIA_API Qword StringIndex1stChrA(const char* text, char c);
VELTRIA_API Qword StringIndexLastChr(const char16_t* text, char16_t c);
VELTRIA_API Qword StringIndexLastChrA(const char* text, char c);
VELTRIA_API Qword StringIndex1stNonWhite(const char16_t* text);
VELTRIA_API Qword StringIndex1stNonWhiteA(const char* text);
VELTRIA_API Qword StringIndexLastNonWhite(const char16_t* text);
VELTRIA_API Qword StringIndexLastNonWhiteA(const char* text);
// found (optional) receives the character found, 0 when none.
VELTRIA_API Qword StringIndex1stOfChars(const char16_t* text, const char16_t* set, char16_t* found);
VELTRIA_API Qword StringIndex1stOfCharsA(const char* text, const char* set, char* found);
VELTRIA_API Qword StringIndexLastOfChars(const char16_t* text, const char16_t* set,
                                         char16_t* found);
VELTRIA_API Qword StringIndexLastOfCharsA(const char* text, const char* set, char* found);
VELTRIA_API char16_t* StringReplaceChrByChr(char16_t* text, char16_t c, char16_t replacement);
VELTRIA_API char* StringReplaceChrByChrA(char* text, char c, char replacement);
// skip_blanks: leading blanks of the text are skipped when its low byte is set.
VELTRIA_API bool StringStartsWith(const char16_t* text, const char16_t* prefix, Dword skip_blanks);
VELTRIA_API bool StringStartsWithA(const char* text, const char* prefix, Dword skip_blanks);
VELTRIA_API bool StringEndsWith(const char16_t* text, const char16_t* suffix);
VELTRIA_API bool StringEndsWithA(const char* text, const char* suffix);
