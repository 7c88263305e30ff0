// Readers of integer lists typed on one console line: one template body
// over the element type and the text width.
#include <limits>
#include <type_traits>

#include "arrays/iarr_text.h"
#include "base/console_in.h"
#include "base/error_codes.h"
#include "base/num_chars.h"
#include "base/num_status.h"
#include "base/number_text.h"

namespace {

constexpr Qword kLineRoom = 1024;

// The parser of each element type and the status bits that end the list:
// undefined, illegal character, fraction, overflow, and the type's own
// range bits.
template <class T>
struct Element;
template <>
struct Element<int32_t> {
  static constexpr NumStatus kStop = 0x3170;
  static int32_t Parse(const char16_t* t, NumStatus* s, Qword* n) {
    return StringToLong(t, s, n, 10);
  }
  static int32_t Parse(const char* t, NumStatus* s, Qword* n) { return StringToLongA(t, s, n, 10); }
};
template <>
struct Element<uint32_t> {
  static constexpr NumStatus kStop = 0x30170;
  static uint32_t Parse(const char16_t* t, NumStatus* s, Qword* n) {
    return StringToDword(t, s, n, 10);
  }
  static uint32_t Parse(const char* t, NumStatus* s, Qword* n) {
    return StringToDwordA(t, s, n, 10);
  }
};
template <>
struct Element<int64_t> {
  static constexpr NumStatus kStop = 0xC170;
  static int64_t Parse(const char16_t* t, NumStatus* s, Qword* n) {
    return StringToQlong(t, s, n, 10);
  }
  static int64_t Parse(const char* t, NumStatus* s, Qword* n) {
    return StringToQlongA(t, s, n, 10);
  }
};
template <>
struct Element<uint64_t> {
  static constexpr NumStatus kStop = 0xC0170;
  static uint64_t Parse(const char16_t* t, NumStatus* s, Qword* n) {
    return StringToQword(t, s, n, 10);
  }
  static uint64_t Parse(const char* t, NumStatus* s, Qword* n) {
    return StringToQwordA(t, s, n, 10);
  }
};

// The wide reader keeps the typed text, the 8-bit one grooms it.
inline LibErrorCode ReadLine(const char16_t* prompt, char16_t* line) {
  return CinToBuffer(prompt, line, kLineRoom, 0x8000);
}
inline LibErrorCode ReadLine(const char* prompt, char* line) {
  return CinToBufferA(prompt, line, kLineRoom, 0);
}

// A plain decimal integer (blanks, an optional sign, digits, then a blank
// or the end) within the range of T, read exactly: the general parsers go
// through a double, which would change 64-bit values beyond 2^53 and refuse
// the largest ones. Any other text is left to them (false).
template <class T, class C>
bool ReadPlain(const C* text, T* value, Qword* used) {
  Qword i = 0;
  while (text[i] != 0 && numtext::IsBlank(text[i])) ++i;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  const Qword first = i;
  Qword magnitude = 0;
  for (; text[i] >= '0' && text[i] <= '9'; ++i) {
    const Qword digit = static_cast<Qword>(text[i] - '0');
    if (magnitude > (~Qword{0} - digit) / 10) return false;
    magnitude = magnitude * 10 + digit;
  }
  if (i == first || (text[i] != 0 && !numtext::IsBlank(text[i]))) return false;
  constexpr Qword kMax = static_cast<Qword>(std::numeric_limits<T>::max());
  if constexpr (std::is_signed_v<T>) {
    if (magnitude > (negative ? kMax + 1 : kMax)) return false;
    *value = static_cast<T>(negative ? Qword{0} - magnitude : magnitude);
  } else {
    if (magnitude > kMax || (negative && magnitude != 0)) return false;
    *value = static_cast<T>(magnitude);
  }
  *used = i;
  return true;
}

template <class T, class C>
LibErrorCode ReadList(const C* prompt, Dword* count, T* values, Dword capacity) {
  if (!values || !count) return kErrMissingArguments;
  if (*count == 0 && capacity == 0) return kErrMissingArguments;
  if (capacity != 0 && *count != 0 && capacity < *count) return kErrIllegalParameters;
  const Dword limit = *count != 0 ? *count : capacity;
  C line[kLineRoom];
  if (ReadLine(prompt, line) != 0) return kErrMissingArguments;
  Qword at = 0;
  Dword found = 0;
  while (found < limit) {
    Qword used = 0;
    if (!ReadPlain(line + at, &values[found], &used)) {
      NumStatus status = 0;
      values[found] = Element<T>::Parse(line + at, &status, &used);
      // The element of a failed parse keeps the parser's value, uncounted.
      if ((status & Element<T>::kStop) != 0 || used == 0) break;
    }
    at += used;
    ++found;
  }
  if (*count != 0 && found < *count) return kErrMissingArguments;
  *count = found;
  return 0;
}

}  // namespace

#define VELTRIA_LIST_READER(name, T)                                                               \
  VELTRIA_API LibErrorCode name(const char16_t* prompt, Dword* count, T* values, Dword capacity) { \
    return ReadList(prompt, count, values, capacity);                                              \
  }                                                                                                \
  VELTRIA_API LibErrorCode name##A(const char* prompt, Dword* count, T* values, Dword capacity) {  \
    return ReadList(prompt, count, values, capacity);                                              \
  }
VELTRIA_LIST_READER(CinIArr, int32_t)
VELTRIA_LIST_READER(CinUArr, uint32_t)
VELTRIA_LIST_READER(CinIQArr, int64_t)
VELTRIA_LIST_READER(CinUQArr, uint64_t)
#undef VELTRIA_LIST_READER
