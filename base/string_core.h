// The templates behind every wide/8-bit twin of the text families: one body
// per operation over the character type (char16_t or char). Internal.
#pragma once
#include <cstring>

#include "base/memory.h"
#include "base/types.h"

namespace str {

// The code of a character: 16-bit codes as they are, bytes as 0 to 255.
inline Dword Code(char16_t c) { return c; }
inline Dword Code(char c) { return static_cast<unsigned char>(c); }

// Blank: every code up to 32. 8-bit text is UTF-8, so the bytes from 0x80
// are parts of ordinary characters, never blanks or control characters.
template <class Ch>
inline bool IsBlank(Ch c) {
  return Code(c) <= 32;
}
template <class Ch>
inline bool IsControl(Ch c) {
  return Code(c) < 32;
}

template <class Ch>
inline bool IsSmall(Ch c) {
  return c >= Ch('a') && c <= Ch('z');
}
template <class Ch>
inline bool IsCap(Ch c) {
  return c >= Ch('A') && c <= Ch('Z');
}
template <class Ch>
inline bool IsLetter(Ch c) {
  return IsSmall(c) || IsCap(c);
}
template <class Ch>
inline bool IsDigit(Ch c) {
  return c >= Ch('0') && c <= Ch('9');
}
template <class Ch>
inline Ch ToUpper(Ch c) {
  return IsSmall(c) ? Ch(c - 32) : c;
}
template <class Ch>
inline Ch ToLower(Ch c) {
  return IsCap(c) ? Ch(c + 32) : c;
}
template <class Ch>
inline Qlong HexValue(Ch c) {
  if (IsDigit(c)) return c - Ch('0');
  if (c >= Ch('A') && c <= Ch('F')) return c - Ch('A') + 10;
  if (c >= Ch('a') && c <= Ch('f')) return c - Ch('a') + 10;
  return -1;
}

// A null text reads as empty.
template <class Ch>
inline const Ch* Safe(const Ch* text) {
  static constexpr Ch kEmpty[1] = {0};
  return text ? text : kEmpty;
}

template <class Ch>
inline Qword Len(const Ch* text) {
  if (!text) return 0;
  if constexpr (sizeof(Ch) == 1) {
    return std::strlen(text);
  } else {
    Qword n = 0;
    while (text[n]) ++n;
    return n;
  }
}

// A new string of capacity units, empty; null for capacity 0 (a wrapped
// size) or when the allocation fails.
template <class Ch>
inline Ch* NewEmpty(Qword capacity) {
  Dword error;
  Ch* block = NewArrFill<Ch>(&error, capacity);
  if (block) block[0] = 0;
  return block;
}

// A new string of the n units at text, with room for extra more.
template <class Ch>
inline Ch* NewCopyN(const Ch* text, Qword n, Qword extra = 0) {
  const Qword capacity = n + extra + 1;
  if (capacity <= n || capacity <= extra) return nullptr;  // wrapped
  Ch* block = NewEmpty<Ch>(capacity);
  if (!block) return nullptr;
  if (n) std::memcpy(block, text, static_cast<size_t>(n * sizeof(Ch)));
  block[n] = 0;
  return block;
}

// Appends n units of text to the heap string at *address (see StringAppend).
template <class Ch>
Ch* AppendN(Ch** address, const Ch* text, Qword n) {
  if (!address) return nullptr;
  Ch* held = *address;
  if (n == 0) return held;
  const Qword have = Len(held);
  // Build first, release after: the text may lie inside the held string.
  Ch* joined = NewCopyN(Safe(held), have, n);
  if (joined) {
    std::memcpy(joined + have, text, static_cast<size_t>(n * sizeof(Ch)));
    joined[have + n] = 0;
  }
  KillPtr(address);
  *address = joined;
  return joined;
}

// Prefix test; with skip_blanks the leading blanks of the text go first.
template <class Ch>
bool StartsWith(const Ch* text, const Ch* prefix, bool skip_blanks) {
  if (!text) return false;
  if (!prefix || !prefix[0]) return true;
  if (skip_blanks)
    while (*text && IsBlank(*text)) ++text;
  for (Qword i = 0; prefix[i]; ++i)
    if (text[i] != prefix[i]) return false;  // also stops at the text's end
  return true;
}

template <class Ch>
bool Contains(const Ch* set, Ch c) {
  for (; *set; ++set)
    if (*set == c) return true;
  return false;
}

// First index at or after `from` of a character of the set; kNoIndex when
// none or for an empty set.
template <class Ch>
Qword IndexFirstOf(const Ch* text, const Ch* set, Ch* found, Qword from = 0) {
  if (found) *found = 0;
  if (!text || !set || !set[0]) return kNoIndex;
  for (Qword i = from; text[i]; ++i) {
    if (Contains(set, text[i])) {
      if (found) *found = text[i];
      return i;
    }
  }
  return kNoIndex;
}

}  // namespace str
