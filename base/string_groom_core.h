// The grooming template, shared by the exported grooming, the list parsers
// and the script tokenizer. Internal.
#pragma once
#include "base/string_core.h"

namespace str {

template <class Ch>
Ch* Groom(Ch* text, Dword flags) {
  if (!text || !*text || (flags & 0x8000)) return text;
  if constexpr (sizeof(Ch) == 1) {
    if (flags & 0x1)
      for (Ch* p = text; *p; ++p) *p = static_cast<Ch>(*p & 0x7F);
  }
  if ((flags & 0x1A) != 0x1A) {  // unless leading, runs and controls are all kept
    Qword w = 0;
    bool seen_text = false;
    for (Qword r = 0; text[r]; ++r) {
      Ch c = text[r];
      if (IsControl(c) && !(flags & 0x10) && !(c == Ch('\r') && (flags & 0x20)) &&
          !(c == Ch('\n') && (flags & 0x40)) && !(c == Ch('\t') && (flags & 0x80)))
        c = Ch(' ');
      if (!IsBlank(c)) {
        seen_text = true;
      } else if (!seen_text && !(flags & 0x2)) {
        continue;
      } else if (c == Ch(' ') && w > 0 && text[w - 1] == Ch(' ') && !(flags & 0x8)) {
        continue;
      }
      text[w++] = c;
    }
    text[w] = 0;
  }
  if (!(flags & 0x4)) {
    Qword n = Len(text);
    while (n > 0 && IsBlank(text[n - 1])) --n;
    text[n] = 0;
  }
  if (flags & 0x100) {
    for (Ch* p = text; *p; ++p) *p = ToUpper(*p);
  } else if (flags & 0x200) {
    for (Ch* p = text; *p; ++p) *p = ToLower(*p);
  }
  return text;
}

}  // namespace str
