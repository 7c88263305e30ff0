// File-time arithmetic, the system's clocks and busy waits.
#include "base/os_services.h"
#include "base/time.h"

namespace {
inline Qword ToTicks(const FILETIME* t) {
  return (Qword{t->dwHighDateTime} << 32) | t->dwLowDateTime;
}
}  // namespace

VELTRIA_API void tFileTimesSum(const FILETIME* a, const FILETIME* b, FILETIME* result) {
  const Dword low = a->dwLowDateTime + b->dwLowDateTime;
  const Dword carry = low < a->dwLowDateTime;
  result->dwHighDateTime = a->dwHighDateTime + b->dwHighDateTime + carry;
  result->dwLowDateTime = low;
}

VELTRIA_API void tFileTimesDifference(const FILETIME* a, const FILETIME* b, FILETIME* result) {
  const Dword borrow = a->dwLowDateTime < b->dwLowDateTime;
  result->dwLowDateTime = a->dwLowDateTime - b->dwLowDateTime;
  result->dwHighDateTime = a->dwHighDateTime - b->dwHighDateTime - borrow;
}

VELTRIA_API void tOsLocalTime(SYSTEMTIME* time) { WinLocalTime(time); }
VELTRIA_API void tOsUniversalTime(SYSTEMTIME* time) { WinUniversalTime(time); }
VELTRIA_API void tOsSystemTimeAsFileTime(FILETIME* time) { WinSystemTimeAsFileTime(time); }
VELTRIA_API Dword tOsPerformanceClock(Qword* frequency) {
  return WinPerformanceFrequency(frequency);
}
VELTRIA_API Dword tOsPerformanceCount(Qword* count) { return WinPerformanceCounter(count); }
VELTRIA_API Qword tOsSessionTimeInMs(void) { return WinSessionTimeInMs(); }

// Waits `duration` microseconds of system time (ten file-time ticks each).
VELTRIA_API Qword tWaitInMicroSec(Qword duration) {
  FILETIME now{};
  tOsSystemTimeAsFileTime(&now);
  const Qword start = ToTicks(&now);
  const Qword span = duration > (~Qword{0} / 10) ? ~Qword{0} : duration * 10;
  Qword polls = 0;
  do {
    tOsSystemTimeAsFileTime(&now);
    ++polls;
  } while (ToTicks(&now) - start < span);
  return polls;
}

// Polls the session clock without sleeping; with pump, every round hands
// the user interface its pending events.
VELTRIA_API Qword tOsWaitInMs(Qword duration, unsigned char pump) {
  if (duration == 0) return 0;
  const Qword start = tOsSessionTimeInMs();
  Qword rounds = 0, dispatched = 0;
  do {
    if (pump) dispatched += OsProcessQueuedMessages();
    ++rounds;
  } while (tOsSessionTimeInMs() - start < duration);
  return pump ? dispatched : rounds;
}
