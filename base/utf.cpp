// UTF-16 <-> UTF-8: decode one character, encode it, repeat.
#include "base/utf.h"

#include "base/string_core.h"

namespace {

constexpr Dword kReplacement = 0xFFFD;

struct Decoded {
  Dword code;
  Qword units;
};

// One character from s, of which `available` units (at least 1) may be
// read. A malformed sequence gives U+FFFD for its maximal valid beginning.
Decoded Decode(const char* text, Qword available) {
  const unsigned char* s = reinterpret_cast<const unsigned char*>(text);
  const Dword lead = s[0];
  if (lead < 0x80) return {lead, 1};
  Qword length;
  unsigned char low = 0x80, high = 0xBF;  // bounds of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // no overlong forms
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return {kReplacement, 1};  // a continuation byte or a byte never used
  }
  Dword code = lead & (0x7F >> length);
  for (Qword k = 1; k < length; ++k) {
    // The terminator lies outside every range, so this also stops there.
    if (k >= available) return {kReplacement, k};
    const unsigned char b = s[k];
    if (b < low || b > high) return {kReplacement, k};
    code = (code << 6) | (b & 0x3F);
    low = 0x80;
    high = 0xBF;
  }
  return {code, length};
}

Decoded Decode(const char16_t* s, Qword available) {
  const Dword u = s[0];
  if (u < 0xD800 || u > 0xDFFF) return {u, 1};
  if (u <= 0xDBFF && available > 1 && s[1] >= 0xDC00 && s[1] <= 0xDFFF)
    return {0x10000 + ((u - 0xD800) << 10) + (s[1] - 0xDC00u), 2};
  return {kReplacement, 1};  // a lone surrogate
}

int Encode(Dword code, char* out) { return Utf8EncodeCodePoint(code, out); }

int Encode(Dword code, char16_t* out) {
  if (code < 0x10000) {
    out[0] = static_cast<char16_t>(code);
    return 1;
  }
  code -= 0x10000;
  out[0] = static_cast<char16_t>(0xD800 + (code >> 10));
  out[1] = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
  return 2;
}

template <class From, class To>
Qword Convert(const From* src, Qword limit, To* dst, Qword capacity) {
  if (!dst) capacity = 0;
  Qword need = 0, written = 0;
  bool full = false;  // once a character did not fit, nothing more is written
  if (src) {
    for (Qword i = 0; i < limit && src[i];) {
      const Decoded d = Decode(src + i, limit - i);
      i += d.units;
      To units[4];
      const int n = Encode(d.code, units);
      if (!full && capacity > 0 && written + n <= capacity - 1) {
        for (int k = 0; k < n; ++k) dst[written + k] = units[k];
        written += n;
      } else {
        full = true;
      }
      need += n;
    }
  }
  if (capacity > 0) dst[written] = 0;
  return need;
}

template <class From, class To>
To* NewConverted(const From* src) {
  if (!src) return nullptr;
  const Qword need = Convert<From, To>(src, kNoIndex, nullptr, 0);
  To* block = str::NewEmpty<To>(need + 1);
  if (block) Convert(src, kNoIndex, block, need + 1);
  return block;
}

}  // namespace

VELTRIA_API Qword Utf16ToUtf8(const char16_t* src, Qword src_units, char* dst, Qword capacity) {
  return Convert(src, src_units, dst, capacity);
}
VELTRIA_API Qword Utf8ToUtf16(const char* src, Qword src_units, char16_t* dst, Qword capacity) {
  return Convert(src, src_units, dst, capacity);
}
VELTRIA_API char* NewUtf8FromUtf16(const char16_t* src) {
  return NewConverted<char16_t, char>(src);
}
VELTRIA_API char16_t* NewUtf16FromUtf8(const char* src) {
  return NewConverted<char, char16_t>(src);
}

int Utf8EncodeCodePoint(Dword code, char* out) {
  if (code < 0x80) {
    out[0] = static_cast<char>(code);
    return 1;
  }
  if (code < 0x800) {
    out[0] = static_cast<char>(0xC0 | (code >> 6));
    out[1] = static_cast<char>(0x80 | (code & 0x3F));
    return 2;
  }
  if (code < 0x10000) {
    out[0] = static_cast<char>(0xE0 | (code >> 12));
    out[1] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (code & 0x3F));
    return 3;
  }
  out[0] = static_cast<char>(0xF0 | (code >> 18));
  out[1] = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
  out[2] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
  out[3] = static_cast<char>(0x80 | (code & 0x3F));
  return 4;
}
