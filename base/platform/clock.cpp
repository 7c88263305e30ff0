#include "base/platform/clock.h"

#include <time.h>

Dword WinPerformanceCounter(Qword* count) {
  timespec ts{};
  if (clock_gettime(CLOCK_MONOTONIC, &ts) != 0) return 0;
  *count = static_cast<Qword>(ts.tv_sec) * 1000000000u + static_cast<Qword>(ts.tv_nsec);
  return 1;
}

Dword WinPerformanceFrequency(Qword* frequency) {
  *frequency = 1000000000u;
  return 1;
}

namespace {

constexpr Qword kUnixEpochAsFileTime = 116444736000000000u;  // 1970-01-01 in 100 ns since 1601

Dword ToSystemTime(const timespec& now, bool local, SYSTEMTIME* out) {
  const time_t seconds = now.tv_sec;
  tm parts{};
  if (!(local ? localtime_r(&seconds, &parts) : gmtime_r(&seconds, &parts))) return 0;
  out->wYear = static_cast<uint16_t>(parts.tm_year + 1900);
  out->wMonth = static_cast<uint16_t>(parts.tm_mon + 1);
  out->wDayOfWeek = static_cast<uint16_t>(parts.tm_wday);
  out->wDay = static_cast<uint16_t>(parts.tm_mday);
  out->wHour = static_cast<uint16_t>(parts.tm_hour);
  out->wMinute = static_cast<uint16_t>(parts.tm_min);
  out->wSecond = static_cast<uint16_t>(parts.tm_sec > 59 ? 59 : parts.tm_sec);
  out->wMilliseconds = static_cast<uint16_t>(now.tv_nsec / 1000000);
  return 1;
}

Dword Now(bool local, SYSTEMTIME* out) {
  timespec now{};
  if (clock_gettime(CLOCK_REALTIME, &now) != 0) return 0;
  return ToSystemTime(now, local, out);
}

}  // namespace

Dword WinLocalTime(SYSTEMTIME* time) { return Now(true, time); }
Dword WinUniversalTime(SYSTEMTIME* time) { return Now(false, time); }

Dword WinSystemTimeAsFileTime(FILETIME* time) {
  timespec now{};
  if (clock_gettime(CLOCK_REALTIME, &now) != 0) return 0;
  const Qword ticks = kUnixEpochAsFileTime + static_cast<Qword>(now.tv_sec) * 10000000u +
                      static_cast<Qword>(now.tv_nsec) / 100u;
  time->dwLowDateTime = static_cast<Dword>(ticks);
  time->dwHighDateTime = static_cast<Dword>(ticks >> 32);
  return 1;
}

Qword WinSessionTimeInMs(void) {
  timespec now{};
  if (clock_gettime(CLOCK_BOOTTIME, &now) != 0) return 0;
  return static_cast<Qword>(now.tv_sec) * 1000u + static_cast<Qword>(now.tv_nsec) / 1000000u;
}
