// General integer parsers: a real read by StringToReal(A), rounded half away
// from zero to the wanted type by the integer rounders.
#include "base/number_text.h"
#include "base/real_round.h"

namespace {

double ReadReal(const char16_t* t, NumStatus* s, Qword* c) { return StringToReal(t, s, c, 10); }
double ReadReal(const char* t, NumStatus* s, Qword* c) { return StringToRealA(t, s, c, 10); }

// After a successful read the status is the rounder's alone: callers that
// read several numbers from one text advance by the consumed count.
template <class T, class C>
T TextToInteger(const C* text, NumStatus* status, Qword* consumed, T (*round)(double, NumStatus*)) {
  NumStatus st = status ? *status : 0;
  const double x = ReadReal(text, &st, consumed);
  if (st & NUM_UNDEFINED) {
    if (status) *status = st;
    return 0;
  }
  const T v = round(x, &st);
  if (status) *status = st;
  return v;
}

}  // namespace

VELTRIA_API Dword StringToDword(const char16_t* t, NumStatus* s, Qword* c, Dword) {
  return TextToInteger<Dword>(t, s, c, uRealRoundToDword);
}
VELTRIA_API Long StringToLong(const char16_t* t, NumStatus* s, Qword* c, Dword) {
  return TextToInteger<Long>(t, s, c, iRealRoundToLong);
}
VELTRIA_API Qlong StringToQlong(const char16_t* t, NumStatus* s, Qword* c, Dword) {
  return TextToInteger<Qlong>(t, s, c, iRealRoundToQlong);
}
VELTRIA_API Qword StringToQword(const char16_t* t, NumStatus* s, Qword* c, Dword) {
  return TextToInteger<Qword>(t, s, c, uRealRoundToQword);
}
VELTRIA_API Dword StringToDwordA(const char* t, NumStatus* s, Qword* c, Dword) {
  return TextToInteger<Dword>(t, s, c, uRealRoundToDword);
}
VELTRIA_API Long StringToLongA(const char* t, NumStatus* s, Qword* c, Dword) {
  return TextToInteger<Long>(t, s, c, iRealRoundToLong);
}
VELTRIA_API Qlong StringToQlongA(const char* t, NumStatus* s, Qword* c, Dword) {
  return TextToInteger<Qlong>(t, s, c, iRealRoundToQlong);
}
VELTRIA_API Qword StringToQwordA(const char* t, NumStatus* s, Qword* c, Dword) {
  return TextToInteger<Qword>(t, s, c, uRealRoundToQword);
}
