// Strict integer parsers: optional sign, optional radix prefix, digits of
// the radix, accumulated in unsigned 64-bit arithmetic; one worker for all.
#include "base/num_chars.h"
#include "base/number_text.h"

namespace {

using numtext::IsBlank;

struct StrictResult {
  Qword value;    // the worker's result (saturated or two's complement)
  bool negative;  // a '-' was read
  NumStatus status;
};

template <class C>
int DigitValue(C c, Dword radix) {
  int d = -1;
  if (c >= '0' && c <= '9') {
    d = c - '0';
  } else if (c >= 'A' && c <= 'F') {
    d = c - 'A' + 10;
  } else if (c >= 'a' && c <= 'f') {
    d = c - 'a' + 10;
  }
  return d >= 0 && static_cast<Dword>(d) < radix ? d : -1;
}

template <class C>
StrictResult Strict(const C* text, NumStatus* status, Qword* consumed) {
  const NumStatus input = status ? (*status & (NUM_PREFIXES | NUM_KEEPWRAPPED)) : 0;
  StrictResult r{0, false, input};
  if (!text) {
    r.status |= NUM_UNDEFINED;
    if (status) *status = r.status;
    return r;
  }
  Qword i = 0;
  while (text[i] != 0 && IsBlank(text[i])) ++i;
  if (text[i] == 0) {
    r.status |= NUM_UNDEFINED;
    if (status) *status = r.status;
    if (consumed) *consumed = i;
    return r;
  }
  if (text[i] == '+') ++i;
  if (text[i] == '-') {
    r.negative = true;
    ++i;
  }
  Dword radix = 10;
  if ((input & NUM_PREFIXES) && text[i] == '0') {
    const C p = text[i + 1];
    if (p == 'x' || p == 'X') {
      radix = 16;
    } else if (p == 'b' || p == 'B') {
      radix = 2;
    } else if (p == 'o' || p == 'O') {
      radix = 8;
    }
    if (radix != 10) i += 2;
  }
  Qword magnitude = 0;
  bool any = false;
  for (int d; (d = DigitValue(text[i], radix)) >= 0; ++i) {
    any = true;
    const Qword hi = magnitude > ~Qword{0} / radix;
    const Qword next = magnitude * radix + static_cast<Qword>(d);
    if (hi || next < magnitude * radix) {
      r.status |= NUM_U64OVERFLOW_ABOVE | NUM_U32OVERFLOW_ABOVE | NUM_I64OVERFLOW_ABOVE |
                  NUM_I32OVERFLOW_ABOVE | NUM_OVERFLOW;
    }
    magnitude = next;  // wraps
  }
  while (text[i] != 0 && IsBlank(text[i])) ++i;
  if (text[i] != 0) r.status |= NUM_ILLEGALCHAR;
  if (consumed) *consumed = i;
  if (!any) {
    r.status |= NUM_UNDEFINED;
    if (status) *status = r.status;
    return r;
  }
  if (magnitude >= (Qword{1} << 63)) {
    r.status |= NUM_U32OVERFLOW_ABOVE | NUM_I64OVERFLOW_ABOVE | NUM_I32OVERFLOW_ABOVE;
  } else if (magnitude > 0xFFFFFFFFu) {
    r.status |= NUM_U32OVERFLOW_ABOVE | NUM_I32OVERFLOW_ABOVE;
  } else if (magnitude > 0x7FFFFFFFu) {
    r.status |= NUM_I32OVERFLOW_ABOVE;
  }
  if ((r.status & NUM_OVERFLOW) && !(input & NUM_KEEPWRAPPED)) {
    r.value = r.negative ? 0x7FFFFFFFFFFFFFFFu : 0xFFFFFFFFFFFFFFFEu;
  } else {
    r.value = r.negative ? Qword{0} - magnitude : magnitude;
  }
  if (status) *status = r.status;
  return r;
}

// Signed 64-bit: a magnitude of 2^63 or more is an overflow. Saturated
// results keep the sign of the text (+-0x7FFFFFFFFFFFFFFF) rather than the
// unsigned worker's saturation, which would read as -2 or as positive.
template <class C>
Qlong StrictQlong(const C* text, NumStatus* status, Qword* consumed, bool* negative) {
  const StrictResult r = Strict(text, status, consumed);
  if (negative) *negative = r.negative;
  if (!(r.status & NUM_I64OVERFLOW_ABOVE)) return static_cast<Qlong>(r.value);
  if (status) *status |= NUM_OVERFLOW;
  if (r.status & NUM_KEEPWRAPPED) return static_cast<Qlong>(r.value);
  return r.negative ? -INT64_MAX : INT64_MAX;
}

template <class C>
Dword StrictDword(const C* text, NumStatus* status, Qword* consumed) {
  const StrictResult r = Strict(text, status, consumed);
  if (!(r.status & NUM_U32OVERFLOW_ABOVE)) return static_cast<Dword>(r.value);
  if (status) *status |= NUM_OVERFLOW;
  if (r.status & NUM_KEEPWRAPPED) return static_cast<Dword>(r.value);
  return 0xFFFFFFFFu;
}

template <class C>
Long StrictLong(const C* text, NumStatus* status, Qword* consumed) {
  NumStatus local = status ? *status : 0;
  bool negative = false;
  const Qlong v = StrictQlong(text, &local, consumed, &negative);
  if (status) *status = local;
  const Long low = static_cast<Long>(static_cast<Dword>(static_cast<Qword>(v)));
  if (!(local & NUM_I32OVERFLOW_ABOVE)) return low;
  if (status) *status |= NUM_OVERFLOW;
  if (local & NUM_KEEPWRAPPED) return low;
  return negative ? -0x7FFFFFFF : 0x7FFFFFFF;
}

}  // namespace

VELTRIA_API Qword StringToQwordStrict(const char16_t* t, NumStatus* s, Qword* c) {
  return Strict(t, s, c).value;
}
VELTRIA_API Qword StringToQwordStrictA(const char* t, NumStatus* s, Qword* c) {
  return Strict(t, s, c).value;
}
VELTRIA_API Qlong StringToQlongStrict(const char16_t* t, NumStatus* s, Qword* c) {
  return StrictQlong(t, s, c, nullptr);
}
VELTRIA_API Qlong StringToQlongStrictA(const char* t, NumStatus* s, Qword* c) {
  return StrictQlong(t, s, c, nullptr);
}
VELTRIA_API Dword StringToDwordStrict(const char16_t* t, NumStatus* s, Qword* c) {
  return StrictDword(t, s, c);
}
VELTRIA_API Dword StringToDwordStrictA(const char* t, NumStatus* s, Qword* c) {
  return StrictDword(t, s, c);
}
VELTRIA_API Long StringToLongStrict(const char16_t* t, NumStatus* s, Qword* c) {
  return StrictLong(t, s, c);
}
VELTRIA_API Long StringToLongStrictA(const char* t, NumStatus* s, Qword* c) {
  return StrictLong(t, s, c);
}
