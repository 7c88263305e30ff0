// The system's clocks.
#pragma once
#include "base/types.h"

// The performance counter (a monotonic clock in nanoseconds) and its ticks
// per second; each returns 1, or 0 when the clock cannot be read.
Dword WinPerformanceCounter(Qword* count);
Dword WinPerformanceFrequency(Qword* frequency);

// The system's time record: year, month (1-12), day of the week (0 Sunday),
// day, hour, minute, second, milliseconds.
struct SYSTEMTIME {
  uint16_t wYear;
  uint16_t wMonth;
  uint16_t wDayOfWeek;
  uint16_t wDay;
  uint16_t wHour;
  uint16_t wMinute;
  uint16_t wSecond;
  uint16_t wMilliseconds;
};
static_assert(sizeof(SYSTEMTIME) == 16);

// 100-nanosecond intervals since 1601-01-01 00:00 UTC, low word first.
struct FILETIME {
  Dword dwLowDateTime;
  Dword dwHighDateTime;
};
static_assert(sizeof(FILETIME) == 8);

// Local and universal time; 1, or 0 when the clock cannot be read.
Dword WinLocalTime(SYSTEMTIME* time);
Dword WinUniversalTime(SYSTEMTIME* time);
Dword WinSystemTimeAsFileTime(FILETIME* time);
// Milliseconds since the system started (the boot clock, suspend included).
Qword WinSessionTimeInMs(void);
