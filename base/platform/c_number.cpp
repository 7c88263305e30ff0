// strtod_l over a "C" locale object made once, so that the user's locale
// never changes how a number reads.
#include "base/platform/c_number.h"

#include <locale.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace {
locale_t CLocale() {
  static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return loc;
}
}  // namespace

PlatformRealParse PlatformTextToReal(const char* text) {
  PlatformRealParse r{0.0, 0, false};
  const int saved = errno;
  errno = 0;
  char* end = nullptr;
  const locale_t loc = CLocale();
  r.value = loc ? strtod_l(text, &end, loc) : strtod(text, &end);
  r.range_error = errno == ERANGE;
  errno = saved;
  r.consumed = static_cast<Qword>(end - text);
  return r;
}

int PlatformFormatC(char* buffer, Qword size, const char* format, va_list args) {
  const locale_t loc = CLocale();
  // The switch is per thread and undone at once: no other thread sees it.
  const locale_t previous = loc ? uselocale(loc) : static_cast<locale_t>(0);
  const int n = vsnprintf(buffer, static_cast<size_t>(size), format, args);
  if (loc) uselocale(previous);
  return n;
}

int PlatformFormatCText(char* buffer, Qword size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int n = PlatformFormatC(buffer, size, format, args);
  va_end(args);
  if (n < 0 && size > 0) buffer[0] = 0;
  return n;
}
