// New strings: filled, copied from a range, extended, widened or narrowed,
// and joined from pieces.
#include <cstdarg>

#include "base/string_core.h"
#include "base/strings.h"

namespace {

template <class Ch>
Ch* NewFilled(Qword length, Ch fill) {
  if (length == kNoIndex) return nullptr;  // no room for the terminator
  Ch* block = str::NewEmpty<Ch>(length + 1);
  if (!block || fill == 0) return block;
  for (Qword i = 0; i < length; ++i) block[i] = fill;
  block[length] = 0;
  return block;
}

// The inclusive range [first, last], clipped to the text.
template <class Ch>
Ch* NewCopyRange(const Ch* text, Qword first, Qword last) {
  const Qword n = str::Len(text);
  if (n == 0 || first >= n || first > last) return str::NewCopyN<Ch>(nullptr, 0);
  if (last >= n) last = n - 1;
  return str::NewCopyN(text + first, last - first + 1);
}

template <class Ch>
Ch* NewCopyExtended(const Ch* text, Qword extra) {
  return str::NewCopyN(str::Safe(text), str::Len(text), extra);
}

// Code-unit copy between the widths: the source unit converted as its
// signed value, so bytes from 0x80 widen to 0xFF80..0xFFFF and codes
// narrow to their low byte.
template <class To, class From>
To* NewConverted(const From* text) {
  if (!text) return nullptr;
  const Qword n = str::Len(text);
  To* block = str::NewEmpty<To>(n + 1);
  if (!block) return nullptr;
  for (Qword i = 0; i < n; ++i) block[i] = static_cast<To>(text[i]);
  block[n] = 0;
  return block;
}

template <class Ch>
Ch* NewConcat(Qword count, va_list pieces) {
  va_list again;
  va_copy(again, pieces);
  Qword total = 0;
  bool wrapped = false;
  for (Qword i = 0; i < count; ++i) {
    const Qword n = str::Len(va_arg(pieces, const Ch*));
    wrapped |= total + n < total;
    total += n;
  }
  Ch* block = wrapped ? nullptr : str::NewEmpty<Ch>(total + 1);
  if (block) {
    Ch* out = block;
    for (Qword i = 0; i < count; ++i) {
      const Ch* piece = va_arg(again, const Ch*);
      const Qword n = str::Len(piece);
      if (n) std::memcpy(out, piece, static_cast<size_t>(n * sizeof(Ch)));
      out += n;
    }
    *out = 0;
  }
  va_end(again);
  return block;
}

}  // namespace

VELTRIA_API char16_t* NewString(Qword length, char16_t fill) { return NewFilled(length, fill); }
VELTRIA_API char* NewStringA(Qword length, char fill) { return NewFilled(length, fill); }

VELTRIA_API char16_t* NewCopyString(const char16_t* text, Qword first, Qword last) {
  return NewCopyRange(text, first, last);
}
VELTRIA_API char* NewCopyStringA(const char* text, Qword first, Qword last) {
  return NewCopyRange(text, first, last);
}

VELTRIA_API char16_t* NewCopyStringEx(const char16_t* text, Qword extra) {
  return NewCopyExtended(text, extra);
}
VELTRIA_API char* NewCopyStringExA(const char* text, Qword extra) {
  return NewCopyExtended(text, extra);
}

VELTRIA_API char16_t* NewCopyStringAW(const char* text) { return NewConverted<char16_t>(text); }
VELTRIA_API char* NewCopyStringWA(const char16_t* text) { return NewConverted<char>(text); }

VELTRIA_API char16_t* NewStringsConcat(Qword count, ...) {
  va_list pieces;
  va_start(pieces, count);
  char16_t* joined = NewConcat<char16_t>(count, pieces);
  va_end(pieces);
  return joined;
}
VELTRIA_API char* NewStringsConcatA(Qword count, ...) {
  va_list pieces;
  va_start(pieces, count);
  char* joined = NewConcat<char>(count, pieces);
  va_end(pieces);
  return joined;
}
