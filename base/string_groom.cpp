// Grooming, comment cut-off and escape restoration.
#include "base/string_groom.h"

#include "base/string_groom_core.h"
#include "base/string_search_core.h"

namespace {

template <class Ch>
Ch* CutoffComments(Ch* text, const Ch* marker) {
  if (!text || !marker || !marker[0]) return text;  // no marker: nothing to cut
  Ch* found = const_cast<Ch*>(str::Locate<Ch>(text, marker, 0, 0, nullptr));
  if (found) *found = 0;
  return text;
}

// The letters of the one-character escapes and the codes they stand for;
// every other character after a backslash stands for itself.
constexpr struct {
  char letter;
  char code;
} kEscapes[] = {{'a', 7},  {'b', 8},  {'e', 27}, {'f', 12}, {'l', 16},
                {'n', 10}, {'r', 13}, {'t', 9},  {'v', 11}};

template <class Ch>
Ch Escaped(Ch c) {
  for (const auto& e : kEscapes)
    if (c == Ch(e.letter)) return Ch(e.code);
  return c;
}

template <class Ch>
Ch* RestoreEscapes(Ch* text) {
  if (!text) return nullptr;
  Qword r = 0, w = 0;
  while (text[r]) {
    const Ch c = text[r++];
    if (c != Ch('\\')) {
      text[w++] = c;
      continue;
    }
    const Ch e = text[r];
    if (!e) break;  // a backslash at the very end is dropped
    ++r;
    if (e >= Ch('0') && e <= Ch('7')) {
      Dword value = static_cast<Dword>(e - Ch('0'));
      for (int digits = 1; digits < 3 && text[r] >= Ch('0') && text[r] <= Ch('7'); ++digits)
        value = value * 8 + static_cast<Dword>(text[r++] - Ch('0'));
      text[w++] = static_cast<Ch>(value);
    } else if ((e == Ch('x') || e == Ch('u')) && str::HexValue(text[r]) >= 0) {
      Qword value = 0;  // wraps harmlessly; only the low bits are kept
      for (Qlong d; (d = str::HexValue(text[r])) >= 0; ++r) value = value * 16 + Qword(d);
      text[w++] = static_cast<Ch>(value);
    } else {
      text[w++] = Escaped(e);
    }
  }
  text[w] = 0;
  return text;
}

}  // namespace

VELTRIA_API char16_t* StringGroom(char16_t* text, GroomFlags flags) {
  return str::Groom(text, flags);
}
VELTRIA_API char* StringGroomA(char* text, GroomFlags flags) { return str::Groom(text, flags); }

VELTRIA_API char16_t* StringCutoffComments(char16_t* text, const char16_t* marker, Long) {
  return CutoffComments(text, marker);
}
VELTRIA_API char* StringCutoffCommentsA(char* text, const char* marker, Long) {
  return CutoffComments(text, marker);
}

VELTRIA_API char16_t* StringRestoreEscapes(char16_t* text) { return RestoreEscapes(text); }
VELTRIA_API char* StringRestoreEscapesA(char* text) { return RestoreEscapes(text); }
