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
