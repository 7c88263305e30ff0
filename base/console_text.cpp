#include "base/console_text.h"

#include <cstring>

#include "base/platform/terminal.h"
#include "base/utf.h"

Qword ConEncodeUtf8(Dword code, char* out) {
  return static_cast<Qword>(Utf8EncodeCodePoint(code, out));
}

void ConWriteText(const char* text) {
  if (text) TermWrite(text, strlen(text));
}

void ConWriteText(const char16_t* text) {
  if (!text) return;
  // Encoded in chunks through a local buffer: no allocation can fail.
  char chunk[256];
  Qword used = 0;
  for (const char16_t* p = text; *p; ++p) {
    Dword code = *p;
    if (code >= 0xD800 && code <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (p[1] - 0xDC00);
      ++p;
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      code = 0xFFFD;
    }
    if (used + 4 > sizeof chunk) {
      TermWrite(chunk, used);
      used = 0;
    }
    used += ConEncodeUtf8(code, chunk + used);
  }
  TermWrite(chunk, used);
}

Qword ConDecodeUtf8(const char* src, char16_t* dst, Qword capacity) {
  if (capacity == 0) return 0;
  Qword n = 0;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(src);
  while (*p) {
    Dword code = 0xFFFD;
    int follow = *p >= 0xF0 && *p < 0xF5 ? 3 : *p >= 0xE0 && *p < 0xF0 ? 2
               : *p >= 0xC2 && *p < 0xE0 ? 1 : *p < 0x80 ? 0 : -1;
    Qword used = 1;
    if (follow >= 0) {
      Dword c = *p & (follow ? (0x3F >> follow) : 0x7F);
      int i = 1;
      for (; i <= follow && (p[i] & 0xC0) == 0x80; ++i) c = (c << 6) | (p[i] & 0x3F);
      if (i > follow) {
        used = static_cast<Qword>(follow) + 1;
        const bool overlong = (follow == 2 && c < 0x800) || (follow == 3 && c < 0x10000);
        if (!overlong && !(c >= 0xD800 && c <= 0xDFFF) && c < 0x110000) code = c;
      }
    }
    const Qword units = code >= 0x10000 ? 2 : 1;
    if (n + units + 1 > capacity) break;
    if (units == 2) {
      dst[n++] = static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
      dst[n++] = static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      dst[n++] = static_cast<char16_t>(code);
    }
    p += used;
  }
  dst[n] = 0;
  return n;
}
