// Numbers as text: the general and strict parsers with their NumStatus word,
// range tests, integer, real, pointer, byte-count and boolean writers, new
// strings of numbers, and byte blocks as binary or hexadecimal text. Every
// function without suffix works on wide (UTF-16) text, its A twin on bytes.
#pragma once
#include "base/num_status.h"
#include "base/types.h"

// Reading reals (the radix is accepted and not read).
VELTRIA_API double StringToReal(const char16_t* text, NumStatus* status, Qword* consumed,
                                Dword radix);
VELTRIA_API double StringToRealA(const char* text, NumStatus* status, Qword* consumed, Dword radix);
VELTRIA_API Qword NumberOfRealItemsInString(const char16_t* text, Qword* consumed);
VELTRIA_API Qword NumberOfRealItemsInStringA(const char* text, Qword* consumed);

// General integer parsers: a real rounded to the type.
VELTRIA_API Dword StringToDword(const char16_t* text, NumStatus* status, Qword* consumed,
                                Dword radix);
VELTRIA_API Long StringToLong(const char16_t* text, NumStatus* status, Qword* consumed,
                              Dword radix);
VELTRIA_API Qlong StringToQlong(const char16_t* text, NumStatus* status, Qword* consumed,
                                Dword radix);
VELTRIA_API Qword StringToQword(const char16_t* text, NumStatus* status, Qword* consumed,
                                Dword radix);
VELTRIA_API Dword StringToDwordA(const char* text, NumStatus* status, Qword* consumed, Dword radix);
VELTRIA_API Long StringToLongA(const char* text, NumStatus* status, Qword* consumed, Dword radix);
VELTRIA_API Qlong StringToQlongA(const char* text, NumStatus* status, Qword* consumed, Dword radix);
VELTRIA_API Qword StringToQwordA(const char* text, NumStatus* status, Qword* consumed, Dword radix);

// Strict integer parsers: integer syntax only, optional radix prefixes.
VELTRIA_API Qword StringToQwordStrict(const char16_t* text, NumStatus* status, Qword* consumed);
VELTRIA_API Qlong StringToQlongStrict(const char16_t* text, NumStatus* status, Qword* consumed);
VELTRIA_API Dword StringToDwordStrict(const char16_t* text, NumStatus* status, Qword* consumed);
VELTRIA_API Long StringToLongStrict(const char16_t* text, NumStatus* status, Qword* consumed);
VELTRIA_API Qword StringToQwordStrictA(const char* text, NumStatus* status, Qword* consumed);
VELTRIA_API Qlong StringToQlongStrictA(const char* text, NumStatus* status, Qword* consumed);
VELTRIA_API Dword StringToDwordStrictA(const char* text, NumStatus* status, Qword* consumed);
VELTRIA_API Long StringToLongStrictA(const char* text, NumStatus* status, Qword* consumed);

// Range tests: the status of the read, plus NUM_ABOVELIMIT / NUM_BELOWLIMIT.
VELTRIA_API NumStatus StringTestForDword(const char16_t* text, Dword minimum, Dword maximum,
                                         Dword* value);
VELTRIA_API NumStatus StringTestForLong(const char16_t* text, Long minimum, Long maximum,
                                        Long* value);
VELTRIA_API NumStatus StringTestForQlong(const char16_t* text, Qlong minimum, Qlong maximum,
                                         Qlong* value);
VELTRIA_API NumStatus StringTestForQword(const char16_t* text, Qword minimum, Qword maximum,
                                         Qword* value);
VELTRIA_API NumStatus StringTestForReal(const char16_t* text, double minimum, double maximum,
                                        double* value);
VELTRIA_API NumStatus StringTestForDwordA(const char* text, Dword minimum, Dword maximum,
                                          Dword* value);
VELTRIA_API NumStatus StringTestForLongA(const char* text, Long minimum, Long maximum, Long* value);
VELTRIA_API NumStatus StringTestForQlongA(const char* text, Qlong minimum, Qlong maximum,
                                          Qlong* value);
VELTRIA_API NumStatus StringTestForQwordA(const char* text, Qword minimum, Qword maximum,
                                          Qword* value);
VELTRIA_API NumStatus StringTestForRealA(const char* text, double minimum, double maximum,
                                         double* value);

// Integer writers, radix 2 to 16; the result is the text length.
VELTRIA_API Qword DwordToBuffer(Dword value, char16_t* buffer, Dword radix);
VELTRIA_API Qword LongToBuffer(Long value, char16_t* buffer, Dword radix);
VELTRIA_API Qword QlongToBuffer(Qlong value, char16_t* buffer, Dword radix);
VELTRIA_API Qword QwordToBuffer(Qword value, char16_t* buffer, Dword radix);
VELTRIA_API Qword DwordToBufferA(Dword value, char* buffer, Dword radix);
VELTRIA_API Qword LongToBufferA(Long value, char* buffer, Dword radix);
VELTRIA_API Qword QlongToBufferA(Qlong value, char* buffer, Dword radix);
VELTRIA_API Qword QwordToBufferA(Qword value, char* buffer, Dword radix);

// Reals with the library's own digit loop; digits 0 means all that a double holds.
VELTRIA_API Qword RealToBuffer(double x, char16_t* buffer, Long digits, Dword radix);
VELTRIA_API Qword RealToBufferA(double x, char* buffer, Long digits, Dword radix);

VELTRIA_API Qword PointerToBuffer(Qword value, char16_t* buffer);
VELTRIA_API Qword PointerToBufferA(Qword value, char* buffer);
VELTRIA_API Qword QwordToKMGbuffer(char16_t* buffer, Qword count, Dword detail);
VELTRIA_API Qword QwordToKMGbufferA(char* buffer, Qword count, Dword detail);
VELTRIA_API Qword BoolToBuffer(Dword flag, char16_t* buffer);
VELTRIA_API Qword BoolToBufferA(Dword flag, char* buffer);

// New strings of numbers (release with KillString / KillStringA); null when
// memory is exhausted.
VELTRIA_API char16_t* NewStringFromDword(Dword value, Dword radix);
VELTRIA_API char16_t* NewStringFromLong(Long value, Dword radix);
VELTRIA_API char16_t* NewStringFromQlong(Qlong value, Dword radix);
VELTRIA_API char16_t* NewStringFromQword(Qword value, Dword radix);
VELTRIA_API char16_t* NewStringFromReal(double x, Long digits, Dword radix);
VELTRIA_API char* NewStringFromDwordA(Dword value, Dword radix);
VELTRIA_API char* NewStringFromLongA(Long value, Dword radix);
VELTRIA_API char* NewStringFromQlongA(Qlong value, Dword radix);
VELTRIA_API char* NewStringFromQwordA(Qword value, Dword radix);
VELTRIA_API char* NewStringFromRealA(double x, Long digits, Dword radix);

// Byte blocks as text: mode 1 binary (8 digits a byte), mode 3 hexadecimal.
VELTRIA_API Qword MemToBufferA(const void* data, Qword count, char* buffer, Qword capacity,
                               Dword mode);
VELTRIA_API LibErrorCode NewAsciFromMem(Dword mode, const void* data, Qword count, char** text,
                                        Qword* length);
VELTRIA_API LibErrorCode MemFromAsci(Dword mode, const char* text, void* bytes, Qword* capacity);

// Internal: RealToBuffer into a buffer of `capacity` places, with the digit
// count cut to what fits (for writers that build in a fixed local buffer).
Qword RealToBufferCapped(double x, char16_t* buffer, Qword capacity, Long digits, Dword radix);
Qword RealToBufferCappedA(double x, char* buffer, Qword capacity, Long digits, Dword radix);
