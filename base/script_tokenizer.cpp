// One token per call: identifiers, numbers, quoted strings, single
// characters.
#include "base/script_tokenizer.h"

#include "base/string_core.h"
#include "base/string_groom_core.h"

namespace {

// Units of the character that starts at text: a wide code is one unit; an
// 8-bit character is a whole UTF-8 sequence, as far as its continuation
// bytes are present, so a token never splits a character.
inline Qword CharUnits(const char16_t*) { return 1; }
inline Qword CharUnits(const char* text) {
  const unsigned char lead = static_cast<unsigned char>(text[0]);
  Qword want = 1;
  if (lead >= 0xC2 && lead <= 0xDF)
    want = 2;
  else if (lead >= 0xE0 && lead <= 0xEF)
    want = 3;
  else if (lead >= 0xF0 && lead <= 0xF4)
    want = 4;
  Qword n = 1;  // a terminator is no continuation byte, so this stops there
  while (n < want && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) ++n;
  return n;
}

// Escapes inside quoted strings; any other character after a backslash
// (the double quote among them) stands for itself.
constexpr struct {
  char letter;
  char code;
} kQuotedEscapes[] = {{'f', 12}, {'n', 10}, {'r', 13}, {'t', 9}};

template <class Ch>
Ch QuotedEscape(Ch c) {
  for (const auto& e : kQuotedEscapes)
    if (c == Ch(e.letter)) return Ch(e.code);
  return c;
}

template <class Ch>
ScriptTokenKind Parse(Ch* token, const Ch* text, Qword* consumed) {
  Qword r = 0, w = 0;
  auto finish = [&](ScriptTokenKind kind) {
    token[w] = 0;
    if (consumed) *consumed = r;
    return kind;
  };
  if (!token) {
    if (consumed) *consumed = 0;
    return kTokenEnd;
  }
  text = str::Safe(text);
  while (text[r] && str::IsBlank(text[r])) ++r;
  const Ch c = text[r];
  if (!c) return finish(kTokenEnd);

  if (str::IsLetter(c)) {
    while (str::IsLetter(text[r]) || str::IsDigit(text[r])) token[w++] = text[r++];
    return finish(kTokenIdentifier);
  }

  const Ch next = text[r + 1];  // the terminator at worst, c is not 0
  const bool number =
      str::IsDigit(c) ||
      (c == Ch('-') && (str::IsDigit(next) || (next == Ch('.') && str::IsDigit(text[r + 2])))) ||
      (c == Ch('.') && str::IsDigit(next));
  if (number) {
    if (c == Ch('-')) token[w++] = text[r++];
    while (str::IsDigit(text[r])) token[w++] = text[r++];
    if (text[r] == Ch('.')) {
      token[w++] = text[r++];
      while (str::IsDigit(text[r])) token[w++] = text[r++];
    }
    if (text[r] == Ch('E') || text[r] == Ch('e')) {
      token[w++] = text[r++];
      if (text[r] == Ch('+') || text[r] == Ch('-')) token[w++] = text[r++];
      while (str::IsDigit(text[r])) token[w++] = text[r++];
    }
    return finish(kTokenNumber);
  }

  if (c == Ch('"')) {
    ++r;
    for (;;) {
      const Ch q = text[r];
      if (!q) break;  // no closing quote: the string ends with the text
      if (q == Ch('"')) {
        ++r;
        break;
      }
      if (q == Ch('\\')) {
        if (!text[r + 1]) {  // a backslash at the very end is dropped
          ++r;
          break;
        }
        token[w++] = QuotedEscape(text[r + 1]);
        r += 2;
        continue;
      }
      token[w++] = q;
      ++r;
    }
    return finish(kTokenString);
  }

  for (Qword n = CharUnits(text + r); n > 0; --n) token[w++] = text[r++];
  return finish(kTokenChar);
}

template <class Ch>
ScriptTokenKind ParseCap(Ch* token, const Ch* text, Qword* consumed) {
  const ScriptTokenKind kind = Parse(token, text, consumed);
  if (kind != kTokenString && token) str::Groom(token, 0x100);
  return kind;
}

}  // namespace

VELTRIA_API ScriptTokenKind ScriptParser(char16_t* token, const char16_t* text, Qword* consumed) {
  return Parse(token, text, consumed);
}
VELTRIA_API ScriptTokenKind ScriptParserA(char* token, const char* text, Qword* consumed) {
  return Parse(token, text, consumed);
}
VELTRIA_API ScriptTokenKind ScriptParserCap(char16_t* token, const char16_t* text,
                                            Qword* consumed) {
  return ParseCap(token, text, consumed);
}
VELTRIA_API ScriptTokenKind ScriptParserCapA(char* token, const char* text, Qword* consumed) {
  return ParseCap(token, text, consumed);
}
