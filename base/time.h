// Calendar dates and Julian days, moon phases, file-time arithmetic, the
// system's clocks and date and time texts.
#pragma once
#include "base/platform/clock.h"
#include "base/types.h"

VELTRIA_API double tDateToJulianDay(Long year, Long month, Long day, double fraction);
VELTRIA_API void tJulianDayToDate(double julian_day, Long* month, Long* day, Long* year,
                                  double* fraction);
VELTRIA_API void tMoonPhases(Long lunation, Long phase, Long* julian_day, double* fraction);

VELTRIA_API void tFileTimesSum(const FILETIME* a, const FILETIME* b, FILETIME* result);
VELTRIA_API void tFileTimesDifference(const FILETIME* a, const FILETIME* b, FILETIME* result);

VELTRIA_API void tOsLocalTime(SYSTEMTIME* time);
VELTRIA_API void tOsUniversalTime(SYSTEMTIME* time);
VELTRIA_API void tOsSystemTimeAsFileTime(FILETIME* time);
VELTRIA_API Dword tOsPerformanceClock(Qword* frequency);
VELTRIA_API Dword tOsPerformanceCount(Qword* count);
VELTRIA_API Qword tOsSessionTimeInMs(void);
VELTRIA_API Qword tWaitInMicroSec(Qword duration);
// Waits at least `duration` ms; with pump nonzero the result is the number
// of events dispatched, else the number of polling rounds.
VELTRIA_API Qword tOsWaitInMs(Qword duration, unsigned char pump);

// Date as "YYYY-MM-DD" and time as "HH:MM:SS"; the number of characters
// written with the terminator, 0 when the buffer is too small or the record
// is invalid (the buffer is then left as it was).
VELTRIA_API Dword tOsDateFormat(const SYSTEMTIME* time, char16_t* buffer, Dword capacity);
VELTRIA_API Dword tOsDateFormatA(const SYSTEMTIME* time, char* buffer, Dword capacity);
VELTRIA_API Dword tOsTimeFormat(const SYSTEMTIME* time, char16_t* buffer, Dword capacity);
VELTRIA_API Dword tOsTimeFormatA(const SYSTEMTIME* time, char* buffer, Dword capacity);

// A new text of the local date and time from a pattern: commands before the
// first comma (d date, t separator and time), the separator after it; null
// or empty gives the date, ", " and the time.
VELTRIA_API char16_t* NewStringFromOsClock(const char16_t* pattern);
VELTRIA_API char* NewStringFromOsClockA(const char* pattern);
