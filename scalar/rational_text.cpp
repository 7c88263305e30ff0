// Rationals as text and back, one body per width.
#include "base/error_codes.h"
#include "base/num_status.h"
#include "base/number_text.h"
#include "base/strings.h"
#include "scalar/rational.h"

namespace {

inline Qword WriteQlong(Qlong v, char16_t* b, Dword radix) { return QlongToBuffer(v, b, radix); }
inline Qword WriteQlong(Qlong v, char* b, Dword radix) { return QlongToBufferA(v, b, radix); }
inline Qlong ParseQlong(const char16_t* t, NumStatus* s, Qword* used) {
  return StringToQlongStrict(t, s, used);
}
inline Qlong ParseQlong(const char* t, NumStatus* s, Qword* used) {
  return StringToQlongStrictA(t, s, used);
}
inline Qword FirstNonWhite(const char16_t* t) { return StringIndex1stNonWhite(t); }
inline Qword FirstNonWhite(const char* t) { return StringIndex1stNonWhiteA(t); }

template <class C>
Qword ToText(Qrat* value, C* buffer, Dword radix) {
  if (!buffer) return 0;
  buffer[0] = 0;
  if (radix < 2) return kErrIllegalArgument;
  if (!value) return 0;
  QratReduce(*value);
  const Qword n = WriteQlong(value->numerator, buffer, radix);
  if (value->denominator == 1) return n;
  buffer[n] = '/';
  return n + 1 + WriteQlong(value->denominator, buffer + n + 1, radix);
}

// What stops a read as a number: undefined, illegal character, fraction,
// overflow and the two signed 64-bit overflow bits.
constexpr NumStatus kFailed = 0xC170;

template <class C>
NumStatus FromText(const C* text, Qrat* result) {
  Qrat r(1, 0);
  NumStatus status = NUM_UNDEFINED;
  Qword used = 0;
  r.numerator = ParseQlong(text, &status, &used);
  if ((status & kFailed) == 0) {
    r.denominator = 1;
    if (result) *result = r;
    return status;
  }
  if (status == NUM_ILLEGALCHAR) {
    const C* rest = text + used;
    const Qword skip = FirstNonWhite(rest);
    if (skip != kNoIndex && rest[skip] == '/') {
      status = 0;
      r.denominator = ParseQlong(rest + skip + 1, &status, &used);
      if ((status & kFailed) == 0) {
        QratReduce(r);
        if (result) *result = r;
        return status;
      }
      if (status & NUM_UNDEFINED) r.denominator = 0;
    }
  } else if (status & NUM_UNDEFINED) {
    r.numerator = 1;
  }
  if (result) *result = r;
  return status | NUM_NOSTRUCT;
}

}  // namespace

VELTRIA_API Qword QratToBuffer(Qrat* value, char16_t* buffer, Dword radix) {
  return ToText(value, buffer, radix);
}
VELTRIA_API Qword QratToBufferA(Qrat* value, char* buffer, Dword radix) {
  return ToText(value, buffer, radix);
}

VELTRIA_API NumStatus StringToQrat(const char16_t* text, Qrat* result, Qword*, Dword) {
  return FromText(text, result);
}
VELTRIA_API NumStatus StringToQratA(const char* text, Qrat* result, Qword*, Dword) {
  return FromText(text, result);
}
