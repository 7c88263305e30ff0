// Console output: texts, numbers and status words to standard output in a
// small palette of colours, and screen control. Wide texts go out as UTF-8;
// colours and screen control are ANSI sequences, written only when standard
// output is a terminal. Null texts write nothing.
#pragma once
#include "base/num_status.h"
#include "base/types.h"

// 0 default, 1 error red, 2 green, 3 blue, 4 prompt yellow, 5 cyan,
// 6 magenta, 7 grey; any other id is the default.
using TextColorID = Dword;

VELTRIA_API void Cout(const char16_t* t1, const char16_t* t2 = nullptr,
                      const char16_t* t3 = nullptr, const char16_t* t4 = nullptr,
                      const char16_t* t5 = nullptr, const char16_t* t6 = nullptr);
VELTRIA_API void CoutA(const char* t1, const char* t2 = nullptr, const char* t3 = nullptr,
                       const char* t4 = nullptr, const char* t5 = nullptr,
                       const char* t6 = nullptr);
VELTRIA_API void CoutStr(const char16_t* text);
VELTRIA_API void CoutStrA(const char* text);
VELTRIA_API void Coutf(const char16_t* format, ...);
VELTRIA_API void CoutfA(const char* format, ...);
// As Cout in the prompt colour; non-zero when the colour reset succeeded.
VELTRIA_API Dword CoutPrompt(const char16_t* t1, const char16_t* t2 = nullptr,
                             const char16_t* t3 = nullptr, const char16_t* t4 = nullptr,
                             const char16_t* t5 = nullptr, const char16_t* t6 = nullptr);
VELTRIA_API Dword CoutPromptA(const char* t1, const char* t2 = nullptr, const char* t3 = nullptr,
                              const char* t4 = nullptr, const char* t5 = nullptr,
                              const char* t6 = nullptr);
VELTRIA_API void CoutBool(const char16_t* prefix, Dword value, const char16_t* suffix);
VELTRIA_API void CoutBoolA(const char* prefix, Dword value, const char* suffix);
VELTRIA_API void CoutChar(const char16_t* prefix, char16_t c, const char16_t* suffix);
VELTRIA_API void CoutCharA(const char* prefix, char c, const char* suffix);
VELTRIA_API void CoutChr(char16_t c);
VELTRIA_API void CoutChrA(char c);
VELTRIA_API void CoutDword(const char16_t* prefix, Dword value, const char16_t* suffix, Dword width,
                           Dword radix);
VELTRIA_API void CoutDwordA(const char* prefix, Dword value, const char* suffix, Dword width,
                            Dword radix);
// The signed writers pad to the width as CoutDword does.
VELTRIA_API void CoutLong(const char16_t* prefix, Long value, const char16_t* suffix, Dword width,
                          Dword radix);
VELTRIA_API void CoutLongA(const char* prefix, Long value, const char* suffix, Dword width,
                           Dword radix);
VELTRIA_API void CoutQlong(const char16_t* prefix, Qlong value, const char16_t* suffix,
                           Dword radix);
VELTRIA_API void CoutQlongA(const char* prefix, Qlong value, const char* suffix, Dword radix);
VELTRIA_API void CoutQword(const char16_t* prefix, Qword value, const char16_t* suffix,
                           Dword radix);
VELTRIA_API void CoutQwordA(const char* prefix, Qword value, const char* suffix, Dword radix);
VELTRIA_API void CoutReal(const char16_t* prefix, double x, const char16_t* suffix, Long digits,
                          Dword radix);
VELTRIA_API void CoutRealA(const char* prefix, double x, const char* suffix, Long digits,
                           Dword radix);
VELTRIA_API void CoutPointer(const char16_t* prefix, Qword value, const char16_t* suffix);
VELTRIA_API void CoutPointerA(const char* prefix, Qword value, const char* suffix);
// An error line in red: " Error N: text of N" for a code, else the text;
// with wait non-zero, then waits for a key.
VELTRIA_API void CoutError(LibErrorCode code, const char16_t* text, Dword wait);
VELTRIA_API void CoutErrorA(LibErrorCode code, const char* text, Dword wait);
VELTRIA_API void CoutNumFlags(const char16_t* prefix, NumStatus status, const char16_t* suffix);
VELTRIA_API void CoutNumFlagsA(const char* prefix, NumStatus status, const char* suffix);
// kind 1: eight binary digits per byte; kind 3: two hexadecimal digits.
VELTRIA_API void CoutMemA(const char* prefix, const void* bytes, Qword count, Qword kind);
// Non-zero on success; 0 when standard output is no terminal.
VELTRIA_API Dword ConSetTextColorID(TextColorID id);

// Screen control: non-zero on success, 0 when standard output is no terminal.
VELTRIA_API Dword ConClear(void);
VELTRIA_API Dword ConClearEndOfLine(void);
VELTRIA_API Dword ConClearEndOfScreen(void);
VELTRIA_API Dword ConClearSection(Dword column1, Dword row1, Dword column2, Dword row2,
                                  Dword cursor);
// Low byte of flag non-zero: reads the cursor; zero: moves it. 0 or 5.
VELTRIA_API LibErrorCode ConGetOrSetCursorLocation(Dword* column, Dword* row, Dword flag);

// Internal: the colour last set (process-wide); console_out_testing.h resets it.
TextColorID ConCurrentColor(void);
