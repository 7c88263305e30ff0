// Greatest common divisor, least common multiple and coprimality of two
// values and of argument lists.
#include <cstdarg>

#include "scalar/combinatorics.h"
#include "scalar/int_helpers.h"

namespace {

// Magnitude of a signed value; 2^63 for the smallest one.
Qword Magnitude(Qlong v) {
  return v < 0 ? Qword{0} - static_cast<Qword>(v) : static_cast<Qword>(v);
}

// The signed value of a magnitude, or the marker when it passes 2^63 - 2.
Qlong SignedFromMagnitude(Qword m, bool negative) {
  if (m > 0x7FFFFFFFFFFFFFFEull) return INT64_MIN;
  const Qlong v = static_cast<Qlong>(m);
  return negative ? -v : v;
}

}  // namespace

VELTRIA_API Qword uGcd(Qword a, Qword b) {
  if (a > b) {
    const Qword t = a;
    a = b;
    b = t;
  }
  // a is now the smaller value.
  while (a > 1) {
    const Qword r = b % a;
    b = a;
    a = r;
  }
  return a == 0 ? b : 1;
}

VELTRIA_API Qlong iGcd(Qlong a, Qlong b) {
  // gcd(2^63, 0 or 2^63) has no signed form; its bits are the marker.
  return static_cast<Qlong>(uGcd(Magnitude(a), Magnitude(b)));
}

VELTRIA_API Qword uScm(Qword a, Qword b) {
  if (a == 0 || b == 0) return 0;
  if (a < b) {
    const Qword t = a;
    a = b;
    b = t;
  }
  return uBoundMul(a / uGcd(a, b), b);
}

VELTRIA_API Qlong iScm(Qlong a, Qlong b) {
  return SignedFromMagnitude(uScm(Magnitude(a), Magnitude(b)), (a < 0) != (b < 0));
}

VELTRIA_API bool uAreCoprime(Qword a, Qword b) { return uGcd(a, b) == 1; }
VELTRIA_API bool iAreCoprime(Qlong a, Qlong b) { return uGcd(Magnitude(a), Magnitude(b)) == 1; }
VELTRIA_API bool uAreNotCoprime(Qword a, Qword b) { return uGcd(a, b) != 1; }
VELTRIA_API bool iAreNotCoprime(Qlong a, Qlong b) { return !iAreCoprime(a, b); }

namespace {

// Folds the gcd over the list; each value is read as a magnitude when the
// list is signed. Stops reading once the gcd is 1.
Qword GcdOfList(Qword count, va_list* args, bool is_signed) {
  Qword g = 0;
  for (Qword i = 0; i < count; ++i) {
    const Qword v = is_signed ? Magnitude(va_arg(*args, Qlong)) : va_arg(*args, Qword);
    g = i == 0 ? v : uGcd(g, v);
    if (g == 1) break;
  }
  return g;
}

Qword ScmOfList(Qword count, va_list* args, bool is_signed) {
  Qword m = 1;
  for (Qword i = 0; i < count; ++i) {
    const Qword v = is_signed ? Magnitude(va_arg(*args, Qlong)) : va_arg(*args, Qword);
    m = i == 0 ? v : uScm(m, v);
  }
  return m;
}

}  // namespace

#define VA_LIST_CALL(result, walker, is_signed)         \
  va_list args;                                         \
  va_start(args, count);                                \
  const Qword result = walker(count, &args, is_signed); \
  va_end(args)

VELTRIA_API Qword uVaGcd(Qword count, ...) {
  VA_LIST_CALL(g, GcdOfList, false);
  return g;
}

VELTRIA_API Qlong iVaGcd(Qword count, ...) {
  VA_LIST_CALL(g, GcdOfList, true);
  return static_cast<Qlong>(g);
}

VELTRIA_API Qword uVaScm(Qword count, ...) {
  VA_LIST_CALL(m, ScmOfList, false);
  return m;
}

// The lcm of a signed list is that of the magnitudes, never negative.
VELTRIA_API Qlong iVaScm(Qword count, ...) {
  VA_LIST_CALL(m, ScmOfList, true);
  return SignedFromMagnitude(m, false);
}

VELTRIA_API bool uVaAreCoprime(Qword count, ...) {
  VA_LIST_CALL(g, GcdOfList, false);
  return g == 1;
}

VELTRIA_API bool iVaAreCoprime(Qword count, ...) {
  VA_LIST_CALL(g, GcdOfList, true);
  return g == 1;
}

VELTRIA_API bool uVaAreNotCoprime(Qword count, ...) {
  VA_LIST_CALL(g, GcdOfList, false);
  return g != 1;
}

VELTRIA_API bool iVaAreNotCoprime(Qword count, ...) {
  VA_LIST_CALL(g, GcdOfList, true);
  return g != 1;
}
