// Date and time as text in fixed formats ("YYYY-MM-DD", "HH:MM:SS"), and the
// date-and-time text built from a short pattern.
#include "base/string_core.h"
#include "base/time.h"

namespace {

// Writes the digits of value, zero-padded to width, at out.
template <class Ch>
Ch* PutNumber(Ch* out, unsigned value, int width) {
  for (int i = width - 1; i >= 0; --i) {
    out[i] = static_cast<Ch>('0' + value % 10);
    value /= 10;
  }
  return out + width;
}

template <class Ch>
Dword FormatDate(const SYSTEMTIME* t, Ch* buffer, Dword capacity) {
  constexpr Dword kNeeded = 11;  // "YYYY-MM-DD" and the terminator
  if (!t || !buffer || capacity < kNeeded) return 0;
  if (t->wMonth < 1 || t->wMonth > 12 || t->wDay < 1 || t->wDay > 31 || t->wYear > 9999) return 0;
  Ch* p = PutNumber(buffer, t->wYear, 4);
  *p++ = '-';
  p = PutNumber(p, t->wMonth, 2);
  *p++ = '-';
  p = PutNumber(p, t->wDay, 2);
  *p = 0;
  return kNeeded;
}

template <class Ch>
Dword FormatTime(const SYSTEMTIME* t, Ch* buffer, Dword capacity) {
  constexpr Dword kNeeded = 9;  // "HH:MM:SS" and the terminator
  if (!t || !buffer || capacity < kNeeded) return 0;
  if (t->wHour > 23 || t->wMinute > 59 || t->wSecond > 59) return 0;
  Ch* p = PutNumber(buffer, t->wHour, 2);
  *p++ = ':';
  p = PutNumber(p, t->wMinute, 2);
  *p++ = ':';
  p = PutNumber(p, t->wSecond, 2);
  *p = 0;
  return kNeeded;
}

template <class Ch>
Ch* ClockText(const Ch* pattern) {
  // Without a pattern: the date, ", " and the time. (Read by the rule below,
  // the pattern "dt, " itself would give a single blank between them.)
  static constexpr Ch kDefault[] = {'d', 't', ',', ',', ' ', 0};
  if (!pattern || !pattern[0]) pattern = kDefault;
  SYSTEMTIME now{};
  tOsLocalTime(&now);
  Qword commands = 0;
  while (pattern[commands] && pattern[commands] != ',') ++commands;
  const Ch* separator = pattern[commands] ? pattern + commands + 1 : pattern + commands;
  Ch buffer[1024];
  buffer[0] = 0;  // nothing formatted yet: other commands append nothing
  Ch* text = nullptr;
  for (Qword i = 0; i < commands; ++i) {
    if (pattern[i] == 'd') {
      FormatDate(&now, buffer, 1024);
    } else if (pattern[i] == 't') {
      FormatTime(&now, buffer, 1024);
      str::AppendN(&text, separator, str::Len(separator));
    }
    str::AppendN(&text, buffer, str::Len(buffer));
  }
  return text;
}

}  // namespace

VELTRIA_API Dword tOsDateFormat(const SYSTEMTIME* t, char16_t* buffer, Dword capacity) {
  return FormatDate(t, buffer, capacity);
}
VELTRIA_API Dword tOsDateFormatA(const SYSTEMTIME* t, char* buffer, Dword capacity) {
  return FormatDate(t, buffer, capacity);
}
VELTRIA_API Dword tOsTimeFormat(const SYSTEMTIME* t, char16_t* buffer, Dword capacity) {
  return FormatTime(t, buffer, capacity);
}
VELTRIA_API Dword tOsTimeFormatA(const SYSTEMTIME* t, char* buffer, Dword capacity) {
  return FormatTime(t, buffer, capacity);
}

VELTRIA_API char16_t* NewStringFromOsClock(const char16_t* pattern) { return ClockText(pattern); }
VELTRIA_API char* NewStringFromOsClockA(const char* pattern) { return ClockText(pattern); }
