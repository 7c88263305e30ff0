// Parsing "(re, im)": one template body for the wide and 8-bit texts.
#include "base/number_text.h"
#include "base/strings.h"
#include "complexvec/complex_text.h"

namespace {

inline Qword FirstNonWhite(const char16_t* t) { return StringIndex1stNonWhite(t); }
inline Qword FirstNonWhite(const char* t) { return StringIndex1stNonWhiteA(t); }
inline double ReadReal(const char16_t* t, NumStatus* st, Qword* n, Long radix) {
  return StringToReal(t, st, n, static_cast<Dword>(radix));
}
inline double ReadReal(const char* t, NumStatus* st, Qword* n, Long radix) {
  return StringToRealA(t, st, n, static_cast<Dword>(radix));
}

constexpr NumStatus kNoValue = NUM_UNDEFINED | NUM_OVERFLOW;
constexpr NumStatus kBadShape = NUM_NOSTRUCT | NUM_ILLEGALCHAR;

template <class C>
NumStatus Parse(const C* text, COMPLEX* out, Qword* consumed, Long radix) {
  NumStatus status = NUM_UNDEFINED | NUM_NOSTRUCT;
  COMPLEX v = NanComplex;
  // The reader of each part resets the status to its own findings, so a
  // value read completely ends with no NUM_NOSTRUCT. Blanks are skipped
  // with FirstNonWhite, whose "none" (all bits) wraps b back by one: b
  // then stands on the last character read and the test after it fails.
  Qword b = FirstNonWhite(text);
  Qword n = 0;
  if (b == kNoIndex || text[b] != '(') {
    status |= kBadShape;
  } else {
    v.re = ReadReal(text + b + 1, &status, &n, radix);
    b += n + 1;
    if (status & kNoValue) {
      status |= NUM_NOSTRUCT;
    } else {
      b += FirstNonWhite(text + b);
      if (text[b] != ',') {
        status |= kBadShape;
      } else {
        v.im = ReadReal(text + b + 1, &status, &n, radix);
        b += n + 1;
        if (status & kNoValue) {
          status |= NUM_NOSTRUCT;
        } else {
          b += FirstNonWhite(text + b);
          if (text[b] == ')') {
            ++b;
            if (text[b] == 0) status &= ~NumStatus{NUM_ILLEGALCHAR};
          } else {
            status |= kBadShape;
          }
        }
      }
    }
  }
  if (out) *out = v;
  if (consumed) *consumed = b;
  return status;
}

}  // namespace

VELTRIA_API NumStatus StringToComplex(const char16_t* text, COMPLEX* value, Qword* consumed,
                                      Long radix) {
  return Parse(text, value, consumed, radix);
}
VELTRIA_API NumStatus StringToComplexA(const char* text, COMPLEX* value, Qword* consumed,
                                       Long radix) {
  return Parse(text, value, consumed, radix);
}
