// Typed numbers: the plain readers and the range-checked readers that ask
// again (at most three times).
#include <cmath>

#include "base/console_in.h"
#include "base/console_text.h"
#include "base/number_text.h"

namespace {

constexpr Qword kLine = 1024;
constexpr Qword kLineRealA = 4096;
// Wide lines stay as typed; 8-bit lines are groomed.
constexpr Qword kKeepText = 0x8000;
inline Qword GroomOf(const char16_t*) { return kKeepText; }
inline Qword GroomOf(const char*) { return 0; }

constexpr Dword kInvalidDword = 0xFFFFFFFFu;
constexpr Long kInvalidLong = INT32_MIN;
constexpr Qword kInvalidQword = UINT64_MAX;
constexpr Qlong kInvalidQlong = INT64_MIN;

inline void PutStatus(NumStatus* out, NumStatus st) {
  if (out) *out = st;
}

// Reads a line into `line` (capacity N) and hands it to `parse`, which
// returns the value and sets the status; no line: the invalid marker.
template <class T, class C, Qword N, class Parse>
T ReadPlain(const C* prompt, NumStatus* status, T invalid, Parse parse) {
  C line[N];
  NumStatus st = NUM_UNDEFINED;
  T value = invalid;
  bool ended = false;
  if (ConReadLine(prompt, line, N, GroomOf(prompt), &ended) == 0 && !ended) {
    st = 0;
    value = parse(line, &st);
  }
  PutStatus(status, st);
  return value;
}

const char* RetryMessage(NumStatus st, NumStatus illegal) {
  if (st & illegal) return "    Illegal! Try again: ";
  if (st & NUM_ABOVELIMIT) return "    Too large! Try again: ";
  if (st & NUM_BELOWLIMIT) return "    Too small! Try again: ";
  return nullptr;
}

inline void Widen(const char* text, char16_t* out) {
  while ((*out++ = static_cast<unsigned char>(*text++)) != 0) {
  }
}

// At most three re-prompts; a closed input asks no more.
template <class T, class C, class Test>
T ReadRange(const C* prompt, NumStatus* status, T invalid, NumStatus illegal, Test test) {
  C line[kLine];
  T result = invalid;
  NumStatus st = NUM_UNDEFINED;
  bool ended = false;
  if (ConReadLine(prompt, line, kLine, GroomOf(prompt), &ended) != 0 || ended) {
    PutStatus(status, st);
    return result;
  }
  for (int reprompts = 0;; ++reprompts) {
    st = test(line, &result);
    const char* message = RetryMessage(st, illegal);
    if (!message) {
      st = 0;
      break;
    }
    if (reprompts == 3) break;
    C again[32];
    if constexpr (sizeof(C) == 1) {
      for (int i = 0; (again[i] = message[i]) != 0; ++i) {
      }
    } else {
      Widen(message, again);
    }
    if (ConReadLine(again, line, kLine, GroomOf(prompt), &ended) != 0 || ended) break;
  }
  PutStatus(status, st);
  return result;
}

constexpr NumStatus kIllegalDword = 0x30170;
constexpr NumStatus kIllegalLong = 0x3170;
constexpr NumStatus kIllegalQlong = 0xC170;
constexpr NumStatus kIllegalQword = 0xC0170;
constexpr NumStatus kIllegalReal = 0x130;

template <class T>
T UndefinedOr(T value, NumStatus st, T invalid) {
  return (st & NUM_UNDEFINED) ? invalid : value;
}

}  // namespace

Dword CinDword(const char16_t* prompt, NumStatus* status) {
  return ReadPlain<Dword, char16_t, kLine>(prompt, status, kInvalidDword,
                                           [](const char16_t* t, NumStatus* s) {
                                             const auto v = StringToDword(t, s, nullptr, 10);
                                             return UndefinedOr(v, *s, kInvalidDword);
                                           });
}
Dword CinDwordA(const char* prompt, NumStatus* status) {
  return ReadPlain<Dword, char, kLine>(prompt, status, kInvalidDword,
                                       [](const char* t, NumStatus* s) {
                                         const auto v = StringToDwordA(t, s, nullptr, 10);
                                         return UndefinedOr(v, *s, kInvalidDword);
                                       });
}
Long CinLong(const char16_t* prompt, NumStatus* status) {
  return ReadPlain<Long, char16_t, kLine>(prompt, status, kInvalidLong,
                                          [](const char16_t* t, NumStatus* s) {
                                            const auto v = StringToLong(t, s, nullptr, 10);
                                            return UndefinedOr(v, *s, kInvalidLong);
                                          });
}
Long CinLongA(const char* prompt, NumStatus* status) {
  return ReadPlain<Long, char, kLine>(prompt, status, kInvalidLong,
                                      [](const char* t, NumStatus* s) {
                                        const auto v = StringToLongA(t, s, nullptr, 10);
                                        return UndefinedOr(v, *s, kInvalidLong);
                                      });
}
Qlong CinQlong(const char16_t* prompt, NumStatus* status) {
  return ReadPlain<Qlong, char16_t, kLine>(
      prompt, status, kInvalidQlong,
      [](const char16_t* t, NumStatus* s) { return StringToQlongStrict(t, s, nullptr); });
}
Qlong CinQlongA(const char* prompt, NumStatus* status) {
  return ReadPlain<Qlong, char, kLine>(
      prompt, status, kInvalidQlong,
      [](const char* t, NumStatus* s) { return StringToQlongStrictA(t, s, nullptr); });
}
Qword CinQword(const char16_t* prompt, NumStatus* status) {
  return ReadPlain<Qword, char16_t, kLine>(
      prompt, status, kInvalidQword,
      [](const char16_t* t, NumStatus* s) { return StringToQwordStrict(t, s, nullptr); });
}
Qword CinQwordA(const char* prompt, NumStatus* status) {
  return ReadPlain<Qword, char, kLine>(
      prompt, status, kInvalidQword,
      [](const char* t, NumStatus* s) { return StringToQwordStrictA(t, s, nullptr); });
}
double CinReal(const char16_t* prompt, NumStatus* status) {
  return ReadPlain<double, char16_t, kLine>(prompt, status, NAN,
                                            [](const char16_t* t, NumStatus* s) {
                                              const double x = StringToReal(t, s, nullptr, 10);
                                              return *s ? NAN : x;
                                            });
}
double CinRealA(const char* prompt, NumStatus* status) {
  return ReadPlain<double, char, kLineRealA>(prompt, status, NAN, [](const char* t, NumStatus* s) {
    const double x = StringToRealA(t, s, nullptr, 10);
    return *s ? NAN : x;
  });
}

Dword CinDwordMm(const char16_t* prompt, Dword minimum, Dword maximum, NumStatus* status) {
  return ReadRange(prompt, status, kInvalidDword, kIllegalDword, [=](const char16_t* t, Dword* v) {
    return StringTestForDword(t, minimum, maximum, v);
  });
}
Dword CinDwordMmA(const char* prompt, Dword minimum, Dword maximum, NumStatus* status) {
  return ReadRange(prompt, status, kInvalidDword, kIllegalDword, [=](const char* t, Dword* v) {
    return StringTestForDwordA(t, minimum, maximum, v);
  });
}
Long CinLongMm(const char16_t* prompt, Long minimum, Long maximum, NumStatus* status) {
  return ReadRange(prompt, status, kInvalidLong, kIllegalLong, [=](const char16_t* t, Long* v) {
    return StringTestForLong(t, minimum, maximum, v);
  });
}
Long CinLongMmA(const char* prompt, Long minimum, Long maximum, NumStatus* status) {
  return ReadRange(prompt, status, kInvalidLong, kIllegalLong, [=](const char* t, Long* v) {
    return StringTestForLongA(t, minimum, maximum, v);
  });
}
Qlong CinQlongMm(const char16_t* prompt, Qlong minimum, Qlong maximum, NumStatus* status) {
  return ReadRange(prompt, status, kInvalidQlong, kIllegalQlong, [=](const char16_t* t, Qlong* v) {
    return StringTestForQlong(t, minimum, maximum, v);
  });
}
Qlong CinQlongMmA(const char* prompt, Qlong minimum, Qlong maximum, NumStatus* status) {
  return ReadRange(prompt, status, kInvalidQlong, kIllegalQlong, [=](const char* t, Qlong* v) {
    return StringTestForQlongA(t, minimum, maximum, v);
  });
}
Qword CinQwordMm(const char16_t* prompt, Qword minimum, Qword maximum, NumStatus* status) {
  return ReadRange(prompt, status, kInvalidQword, kIllegalQword, [=](const char16_t* t, Qword* v) {
    return StringTestForQword(t, minimum, maximum, v);
  });
}
Qword CinQwordMmA(const char* prompt, Qword minimum, Qword maximum, NumStatus* status) {
  return ReadRange(prompt, status, kInvalidQword, kIllegalQword, [=](const char* t, Qword* v) {
    return StringTestForQwordA(t, minimum, maximum, v);
  });
}
double CinRealMm(const char16_t* prompt, double minimum, double maximum, NumStatus* status) {
  return ReadRange(
      prompt, status, static_cast<double>(NAN), kIllegalReal,
      [=](const char16_t* t, double* v) { return StringTestForReal(t, minimum, maximum, v); });
}
double CinRealMmA(const char* prompt, double minimum, double maximum, NumStatus* status) {
  return ReadRange(
      prompt, status, static_cast<double>(NAN), kIllegalReal,
      [=](const char* t, double* v) { return StringTestForRealA(t, minimum, maximum, v); });
}
