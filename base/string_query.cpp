// Queries of a text: length, emptiness, characters and their places,
// prefix and suffix; and the in-place replacement of one character.
#include "base/string_core.h"
#include "base/strings.h"

namespace {

template <class Ch>
bool IsEmpty(const Ch* text) {
  if (!text) return true;
  for (; *text; ++text)
    if (!str::IsBlank(*text)) return false;
  return true;
}

template <class Ch>
Qword CharCount(const Ch* text, Ch c) {
  Qword count = 0;
  if (!text || c == 0) return 0;
  for (; *text; ++text) count += *text == c;
  return count;
}

template <class Ch>
Qword IndexFirst(const Ch* text, Ch c) {
  if (!text || c == 0) return kNoIndex;
  for (Qword i = 0; text[i]; ++i)
    if (text[i] == c) return i;
  return kNoIndex;
}

template <class Ch>
Qword IndexLast(const Ch* text, Ch c) {
  if (!text || c == 0) return kNoIndex;
  Qword found = kNoIndex;
  for (Qword i = 0; text[i]; ++i)
    if (text[i] == c) found = i;
  return found;
}

template <class Ch>
Qword IndexFirstNonWhite(const Ch* text) {
  if (!text) return kNoIndex;
  for (Qword i = 0; text[i]; ++i)
    if (!str::IsBlank(text[i])) return i;
  return kNoIndex;
}

template <class Ch>
Qword IndexLastNonWhite(const Ch* text) {
  for (Qword i = str::Len(text); i-- > 0;)
    if (!str::IsBlank(text[i])) return i;
  return kNoIndex;
}

template <class Ch>
Qword IndexLastOf(const Ch* text, const Ch* set, Ch* found) {
  if (found) *found = 0;
  if (!set || !set[0]) return kNoIndex;
  for (Qword i = str::Len(text); i-- > 0;) {
    if (str::Contains(set, text[i])) {
      if (found) *found = text[i];
      return i;
    }
  }
  return kNoIndex;
}

template <class Ch>
Ch* ReplaceChr(Ch* text, Ch c, Ch replacement) {
  if (!text || c == 0) return text;
  const Qword n = str::Len(text);  // a replacement 0 must not end the walk early
  for (Qword i = 0; i < n; ++i)
    if (text[i] == c) text[i] = replacement;
  return text;
}

template <class Ch>
bool EndsWith(const Ch* text, const Ch* suffix) {
  if (!text) return false;
  const Qword m = str::Len(suffix);
  if (m == 0) return true;
  const Qword n = str::Len(text);
  if (m > n) return false;
  for (Qword i = 0; i < m; ++i)
    if (text[n - m + i] != suffix[i]) return false;
  return true;
}

}  // namespace

VELTRIA_API Qword StringLen(const char16_t* text) { return str::Len(text); }
VELTRIA_API Qword StringLenA(const char* text) { return str::Len(text); }
VELTRIA_API bool StringIsEmpty(const char16_t* text) { return IsEmpty(text); }
VELTRIA_API bool StringIsEmptyA(const char* text) { return IsEmpty(text); }

VELTRIA_API Qword StringCharCount(const char16_t* text, char16_t c) { return CharCount(text, c); }
VELTRIA_API Qword StringCharCountA(const char* text, char c) { return CharCount(text, c); }
VELTRIA_API bool StringIsChrPresent(const char16_t* text, char16_t c) {
  return IndexFirst(text, c) != kNoIndex;
}
VELTRIA_API bool StringIsChrPresentA(const char* text, char c) {
  return IndexFirst(text, c) != kNoIndex;
}
VELTRIA_API Qword StringIndex1stChr(const char16_t* text, char16_t c) {
  return IndexFirst(text, c);
}
VELTRIA_API Qword StringIndex1stChrA(const char* text, char c) { return IndexFirst(text, c); }
VELTRIA_API Qword StringIndexLastChr(const char16_t* text, char16_t c) {
  return IndexLast(text, c);
}
VELTRIA_API Qword StringIndexLastChrA(const char* text, char c) { return IndexLast(text, c); }

VELTRIA_API Qword StringIndex1stNonWhite(const char16_t* text) { return IndexFirstNonWhite(text); }
VELTRIA_API Qword StringIndex1stNonWhiteA(const char* text) { return IndexFirstNonWhite(text); }
VELTRIA_API Qword StringIndexLastNonWhite(const char16_t* text) { return IndexLastNonWhite(text); }
VELTRIA_API Qword StringIndexLastNonWhiteA(const char* text) { return IndexLastNonWhite(text); }

VELTRIA_API Qword StringIndex1stOfChars(const char16_t* text, const char16_t* set,
                                        char16_t* found) {
  return str::IndexFirstOf(text, set, found);
}
VELTRIA_API Qword StringIndex1stOfCharsA(const char* text, const char* set, char* found) {
  return str::IndexFirstOf(text, set, found);
}
VELTRIA_API Qword StringIndexLastOfChars(const char16_t* text, const char16_t* set,
                                         char16_t* found) {
  return IndexLastOf(text, set, found);
}
VELTRIA_API Qword StringIndexLastOfCharsA(const char* text, const char* set, char* found) {
  return IndexLastOf(text, set, found);
}

VELTRIA_API char16_t* StringReplaceChrByChr(char16_t* text, char16_t c, char16_t replacement) {
  return ReplaceChr(text, c, replacement);
}
VELTRIA_API char* StringReplaceChrByChrA(char* text, char c, char replacement) {
  return ReplaceChr(text, c, replacement);
}

VELTRIA_API bool StringStartsWith(const char16_t* text, const char16_t* prefix, Dword skip_blanks) {
  return str::StartsWith(text, prefix, (skip_blanks & 0xFF) != 0);
}
VELTRIA_API bool StringStartsWithA(const char* text, const char* prefix, Dword skip_blanks) {
  return str::StartsWith(text, prefix, (skip_blanks & 0xFF) != 0);
}
VELTRIA_API bool StringEndsWith(const char16_t* text, const char16_t* suffix) {
  return EndsWith(text, suffix);
}
VELTRIA_API bool StringEndsWithA(const char* text, const char* suffix) {
  return EndsWith(text, suffix);
}
