// Prompted console input: typed lines, single keys, numbers with and
// without a range check, strings, byte strings, lists of reals and the four
// values of a data grid. Wide forms keep the typed text; the A forms groom
// it. With no terminal or at the end of input every read ends at once: a
// key read gives 0, a line read an empty line (the readers' "nothing
// parsed" answer).
#pragma once
#include "base/num_status.h"
#include "base/types.h"

VELTRIA_API LibErrorCode CinToBuffer(const char16_t* prompt, char16_t* buffer, Qword capacity,
                                     Qword groom);
VELTRIA_API LibErrorCode CinToBufferA(const char* prompt, char* buffer, Qword capacity,
                                      Qword groom);
// flag non-zero: one key, 0 for a key without a character; flag 0: keys
// until one with a character (0 only when no key can come).
VELTRIA_API char16_t CinGetKey(Dword flag);
VELTRIA_API char CinGetKeyA(Dword flag);
VELTRIA_API char16_t CinWaitKbHit(const char16_t* prompt, Dword flag);
VELTRIA_API char CinWaitKbHitA(const char* prompt, Dword flag);

VELTRIA_API Dword CinDword(const char16_t* prompt, NumStatus* status);
VELTRIA_API Dword CinDwordA(const char* prompt, NumStatus* status);
VELTRIA_API Long CinLong(const char16_t* prompt, NumStatus* status);
VELTRIA_API Long CinLongA(const char* prompt, NumStatus* status);
VELTRIA_API Qlong CinQlong(const char16_t* prompt, NumStatus* status);
VELTRIA_API Qlong CinQlongA(const char* prompt, NumStatus* status);
VELTRIA_API Qword CinQword(const char16_t* prompt, NumStatus* status);
VELTRIA_API Qword CinQwordA(const char* prompt, NumStatus* status);
VELTRIA_API double CinReal(const char16_t* prompt, NumStatus* status);
VELTRIA_API double CinRealA(const char* prompt, NumStatus* status);

VELTRIA_API Dword CinDwordMm(const char16_t* prompt, Dword minimum, Dword maximum,
                             NumStatus* status);
VELTRIA_API Dword CinDwordMmA(const char* prompt, Dword minimum, Dword maximum, NumStatus* status);
VELTRIA_API Long CinLongMm(const char16_t* prompt, Long minimum, Long maximum, NumStatus* status);
VELTRIA_API Long CinLongMmA(const char* prompt, Long minimum, Long maximum, NumStatus* status);
VELTRIA_API Qlong CinQlongMm(const char16_t* prompt, Qlong minimum, Qlong maximum,
                             NumStatus* status);
VELTRIA_API Qlong CinQlongMmA(const char* prompt, Qlong minimum, Qlong maximum, NumStatus* status);
VELTRIA_API Qword CinQwordMm(const char16_t* prompt, Qword minimum, Qword maximum,
                             NumStatus* status);
VELTRIA_API Qword CinQwordMmA(const char* prompt, Qword minimum, Qword maximum, NumStatus* status);
VELTRIA_API double CinRealMm(const char16_t* prompt, double minimum, double maximum,
                             NumStatus* status);
VELTRIA_API double CinRealMmA(const char* prompt, double minimum, double maximum,
                              NumStatus* status);

VELTRIA_API char16_t* CinNewString(const char16_t* prompt);
VELTRIA_API char* CinNewStringA(const char* prompt);
VELTRIA_API LibErrorCode CinMemA(const char* prompt, void* bytes, Qword capacity, Qword kind);
VELTRIA_API LibErrorCode CinRArr(const char16_t* prompt, Dword* count, double* values,
                                 Dword capacity);
VELTRIA_API LibErrorCode CinRArrA(const char* prompt, Dword* count, double* values, Dword capacity);
VELTRIA_API LibErrorCode CinRArrGrid(Qword* kind, double* minimum, double* maximum, Qword* points);
