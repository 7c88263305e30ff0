// Range tests: read with the general parser of the type, then compare with
// the caller's limits when the read itself was clean.
#include "base/number_text.h"

namespace {

constexpr NumStatus kReadFailed32 = NUM_UNDEFINED | NUM_ILLEGALCHAR | NUM_FRACTIONAL |
                                    NUM_OVERFLOW | NUM_U32OVERFLOW_ABOVE | NUM_U32OVERFLOW_BELOW;
constexpr NumStatus kReadFailed64 = NUM_UNDEFINED | NUM_ILLEGALCHAR | NUM_FRACTIONAL |
                                    NUM_OVERFLOW | NUM_U64OVERFLOW_ABOVE | NUM_U64OVERFLOW_BELOW;

template <class T>
NumStatus Judge(NumStatus st, T v, T minimum, T maximum, T* value, NumStatus failed) {
  if (value) *value = v;
  if (st & failed) return st;
  if (v > maximum) st |= NUM_ABOVELIMIT;
  if (v < minimum) st |= NUM_BELOWLIMIT;
  // A NaN lies in no interval: it fails both limits rather than passing.
  if (!(v == v)) st |= NUM_ABOVELIMIT | NUM_BELOWLIMIT;
  return st;
}

}  // namespace

#define VELTRIA_RANGE_TEST(Name, Ch, T, Read, failed)                          \
  VELTRIA_API NumStatus Name(const Ch* text, T minimum, T maximum, T* value) { \
    NumStatus st = 0;                                                          \
    const T v = Read(text, &st, nullptr, 10);                                  \
    return Judge<T>(st, v, minimum, maximum, value, failed);                   \
  }

VELTRIA_RANGE_TEST(StringTestForDword, char16_t, Dword, StringToDword, kReadFailed32)
VELTRIA_RANGE_TEST(StringTestForLong, char16_t, Long, StringToLong, kReadFailed32)
VELTRIA_RANGE_TEST(StringTestForQlong, char16_t, Qlong, StringToQlong, kReadFailed32)
VELTRIA_RANGE_TEST(StringTestForQword, char16_t, Qword, StringToQword, kReadFailed64)
VELTRIA_RANGE_TEST(StringTestForReal, char16_t, double, StringToReal, kReadFailed32)
VELTRIA_RANGE_TEST(StringTestForDwordA, char, Dword, StringToDwordA, kReadFailed32)
VELTRIA_RANGE_TEST(StringTestForLongA, char, Long, StringToLongA, kReadFailed32)
VELTRIA_RANGE_TEST(StringTestForQlongA, char, Qlong, StringToQlongA, kReadFailed32)
VELTRIA_RANGE_TEST(StringTestForQwordA, char, Qword, StringToQwordA, kReadFailed64)
VELTRIA_RANGE_TEST(StringTestForRealA, char, double, StringToRealA, kReadFailed32)
