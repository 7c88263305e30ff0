// Character rules shared by the number parsers and writers of both widths.
#pragma once
#include "base/types.h"

namespace numtext {

// Blank test of the parsers: wide codes up to 32; bytes taken as signed
// values whose magnitude is at most 32 (0x00-0x20 and 0xE0-0xFF).
inline bool IsBlank(char16_t c) { return c <= 32; }
inline bool IsBlank(char c) {
  const int v = static_cast<signed char>(c);
  return v >= -32 && v <= 32;
}

// The digit character of the low 4 bits of a value, upper case.
template <class C>
inline C DigitChar(Qword v) {
  return static_cast<C>("0123456789ABCDEF"[v & 15]);
}

// Digits of `value` in `radix` (>= 2), most significant first, no terminator;
// returns the count. Digit values above 15 are written by their low 4 bits.
template <class C>
inline Qword WriteMagnitude(Qword value, C* out, Dword radix) {
  C tmp[64];
  Qword n = 0;
  do {
    tmp[n++] = DigitChar<C>(value % radix);
    value /= radix;
  } while (value != 0);
  for (Qword i = 0; i < n; ++i) out[i] = tmp[n - 1 - i];
  return n;
}

}  // namespace numtext
