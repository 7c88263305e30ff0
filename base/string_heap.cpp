// Edits of a caller's heap string through its address: append, replace,
// enforce a last character, advance an alphabetic counter. Each returns the
// string held afterwards; a failed allocation releases the old string and
// leaves null in its place.
#include "base/string_core.h"
#include "base/strings.h"

namespace {

template <class Ch>
Ch* Append(Ch** address, const Ch* text) {
  return str::AppendN(address, text, str::Len(text));
}

template <class Ch>
Ch* Replace(Ch** address, const Ch* text) {
  if (!address) return nullptr;
  if (text == *address) return *address;
  // Copy before releasing: the text may lie inside the held string.
  Ch* copy = str::NewCopyN(str::Safe(text), str::Len(text));
  KillPtr(address);
  *address = copy;
  return copy;
}

template <class Ch>
Ch* EnforceLastChr(Ch** address, Ch c) {
  if (!address) return nullptr;
  Ch* held = *address;
  if (c == 0) return held;  // the terminator is no character to enforce
  const Qword n = str::Len(held);
  Qword last = n;  // index of the last non-blank, n when none
  for (Qword i = n; i-- > 0;) {
    if (!str::IsBlank(held[i])) {
      last = i;
      break;
    }
  }
  if (last < n) {
    if (held[last] == c) return held;
    if (last + 1 < n) {  // blanks follow: the first of them takes the character
      held[last + 1] = c;
      return held;
    }
  }
  return str::AppendN(address, &c, 1);
}

template <class Ch>
Ch* NextAlphaCount(Ch** address) {
  if (!address) return nullptr;
  Ch* held = *address;
  for (Qword i = str::Len(held); i-- > 0;) {
    if (str::Code(held[i]) < 'Z') {
      held[i] = static_cast<Ch>(held[i] + 1);
      return held;
    }
    held[i] = Ch('A');
  }
  const Ch a = Ch('A');
  return str::AppendN(address, &a, 1);
}

}  // namespace

VELTRIA_API char16_t* StringAppend(char16_t** address, const char16_t* text) {
  return Append(address, text);
}
VELTRIA_API char* StringAppendA(char** address, const char* text) { return Append(address, text); }
VELTRIA_API char16_t* StringReplace(char16_t** address, const char16_t* text) {
  return Replace(address, text);
}
VELTRIA_API char* StringReplaceA(char** address, const char* text) {
  return Replace(address, text);
}
VELTRIA_API char16_t* StringEnforceLastChr(char16_t** address, char16_t c) {
  return EnforceLastChr(address, c);
}
VELTRIA_API char* StringEnforceLastChrA(char** address, char c) {
  return EnforceLastChr(address, c);
}
VELTRIA_API char16_t* StringNextAlphaCount(char16_t** address) { return NextAlphaCount(address); }
VELTRIA_API char* StringNextAlphaCountA(char** address) { return NextAlphaCount(address); }
