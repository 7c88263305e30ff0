// Ratios of two 64-bit integers: reduction to lowest terms, the four
// arithmetic operations and Thomae's function.
#include "base/num_status.h"
#include "scalar/combinatorics.h"
#include "scalar/real_helpers.h"

namespace {

typedef __int128 Wide;
typedef unsigned __int128 UWide;

UWide WideMagnitude(Wide v) {
  return v < 0 ? UWide{0} - static_cast<UWide>(v) : static_cast<UWide>(v);
}

UWide WideGcd(UWide a, UWide b) {
  while (b != 0) {
    const UWide r = a % b;
    a = b;
    b = r;
  }
  return a;
}

// Reduces the exact ratio n/d and stores it; a zero denominator marks the
// undefined ratio by the numerator's sign. A reduced ratio beyond 64 bits
// also becomes undefined and reports NUM_OVERFLOW.
Long StoreReduced(Wide n, Wide d, Qlong* p, Qlong* q) {
  if (d == 0) {
    *p = n < 0 ? -1 : 1;
    *q = 0;
    return 0;
  }
  if (d < 0) {
    n = -n;
    d = -d;
  }
  const UWide g = WideGcd(WideMagnitude(n), static_cast<UWide>(d));
  if (g > 1) {
    n /= static_cast<Wide>(g);
    d /= static_cast<Wide>(g);
  }
  if (n < INT64_MIN || n > INT64_MAX || d > INT64_MAX) {
    *p = n < 0 ? -1 : 1;
    *q = 0;
    return static_cast<Long>(NUM_OVERFLOW);
  }
  *p = static_cast<Qlong>(n);
  *q = static_cast<Qlong>(d);
  return 0;
}

}  // namespace

VELTRIA_API bool iReduceRatio(Qlong* p, Qlong* q) {
  if (*q == 0) {
    *p = *p < 0 ? -1 : 1;
    return true;
  }
  const Wide n0 = *p;
  const Wide d0 = *q;
  Qlong np = 0;
  Qlong nq = 0;
  // Negating 2^63 needs the wide form; a ratio without a 64-bit form with a
  // positive denominator (p odd over -2^63) becomes undefined.
  StoreReduced(n0, d0, &np, &nq);
  const bool divided = nq != 0 && WideMagnitude(d0) != static_cast<UWide>(nq);
  *p = np;
  *q = nq;
  return divided || nq == 0;
}

VELTRIA_API bool uReduceRatio(Qword* p, Qword* q) {
  const Qword g = uGcd(*p, *q);
  if (g < 2) return false;
  *p /= g;
  *q /= g;
  return true;
}

namespace {

// p/q + s a/b. Each cross product is at most 2^126 in magnitude, so only
// both at 2^126 can leave the wide range; then every product is even and
// the halved ratio is exact.
Long AddSigned(Qlong* p, Qlong* q, Qlong a, Qlong b, bool subtract) {
  const Wide x = Wide{*p} * b;
  const Wide y = subtract ? -(Wide{a} * *q) : Wide{a} * *q;
  const Wide d = Wide{*q} * b;
  Wide n;
  if (!__builtin_add_overflow(x, y, &n)) return StoreReduced(n, d, p, q);
  return StoreReduced(x / 2 + y / 2, d / 2, p, q);
}

}  // namespace

VELTRIA_API Long iAddRatios(Qlong* p, Qlong* q, Qlong a, Qlong b) {
  return AddSigned(p, q, a, b, false);
}

VELTRIA_API Long iSubRatios(Qlong* p, Qlong* q, Qlong a, Qlong b) {
  return AddSigned(p, q, a, b, true);
}

VELTRIA_API Long iMulRatios(Qlong* p, Qlong* q, Qlong a, Qlong b) {
  return StoreReduced(Wide{*p} * a, Wide{*q} * b, p, q);
}

VELTRIA_API Long iDivRatios(Qlong* p, Qlong* q, Qlong a, Qlong b) {
  return StoreReduced(Wide{*p} * b, Wide{*q} * a, p, q);
}

VELTRIA_API double riThomae(Qlong p, Qlong q) {
  if (q == 0) return ___NAN;
  iReduceRatio(&p, &q);
  if (q == 0) return ___NAN;
  return 1.0 / static_cast<double>(q);
}

VELTRIA_API double ruThomae(Qword p, Qword q) {
  if (q == 0) return ___NAN;
  uReduceRatio(&p, &q);
  return 1.0 / static_cast<double>(q);
}
