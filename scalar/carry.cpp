// Multi-word carry arithmetic, shifts, Gray code and permutations of a range
// by modular multiplication.
#include "scalar/number_theory.h"

namespace {
typedef unsigned __int128 U128;
constexpr Qword kAllOnes = ~Qword{0};
}  // namespace

VELTRIA_API Qword uAddc(Qword* w, Qword a, Qword b) {
  const Qword old = *w;
  *w = old + a + b;
  return *w < old;
}
VELTRIA_API Qlong iAddc(Qlong* w, Qlong a, Qlong b) {
  return static_cast<Qlong>(
      uAddc(reinterpret_cast<Qword*>(w), static_cast<Qword>(a), static_cast<Qword>(b)));
}

VELTRIA_API Qword uSubb(Qword* w, Qword a, Qword b) {
  const Qword old = *w;
  *w = old - a - b;
  return *w > old;
}
VELTRIA_API Qlong iSubb(Qlong* w, Qlong a, Qlong b) {
  return static_cast<Qlong>(
      uSubb(reinterpret_cast<Qword*>(w), static_cast<Qword>(a), static_cast<Qword>(b)));
}

VELTRIA_API Qword uComplc(Qword* w, Qword a) {
  const Qword flipped = ~*w;
  *w = flipped + a;
  return *w < flipped;
}
VELTRIA_API Qlong iComplc(Qlong* w, Qlong a) {
  return static_cast<Qlong>(uComplc(reinterpret_cast<Qword*>(w), static_cast<Qword>(a)));
}

VELTRIA_API Qword uMulc(Qword* w, Qword a, Qword b) {
  const U128 product = static_cast<U128>(*w) * a + b;
  *w = static_cast<Qword>(product);
  return static_cast<Qword>(product >> 64);
}

// The quotient's low 64 bits go to *low (exact when high < d); the
// remainder of the whole 128-bit value is returned.
VELTRIA_API Qword uDivr(Qword* low, Qword d, Qword high) {
  if (d == 0) {
    *low = 0;
    return 0;
  }
  const U128 value = (static_cast<U128>(high) << 64) | *low;
  *low = static_cast<Qword>(value / d);
  return static_cast<Qword>(value % d);
}

VELTRIA_API Qword uShift(Qword n, Qlong e) {
  if (e == 0) return n;
  const Qword magnitude = e > 0 ? static_cast<Qword>(e) : Qword{0} - static_cast<Qword>(e);
  if (magnitude >= 64) return 0;
  return e > 0 ? n << magnitude : n >> magnitude;
}
VELTRIA_API Qword uMulBy2ToE(Qword n, Qlong e) { return uShift(n, e); }

VELTRIA_API Qlong iShift(Qlong n, Qlong e) {
  if (e == 0) return n;
  const Qword magnitude = e > 0 ? static_cast<Qword>(e) : Qword{0} - static_cast<Qword>(e);
  if (magnitude >= 63) return 0;
  return e > 0 ? static_cast<Qlong>(static_cast<Qword>(n) << magnitude) : n >> magnitude;
}
VELTRIA_API Qlong iMulBy2ToE(Qlong n, Qlong e) { return iShift(n, e); }

VELTRIA_API Qword uGrayCode(Qword n) { return n ^ (n >> 1); }

VELTRIA_API Qword uGrayDecode(Qword g) {
  for (Qword shift = g >> 1; shift; shift >>= 1) g ^= shift;
  return g;
}

VELTRIA_API Qword uPermuteNc0(Qword i, Qword n, Qword c) {
  if (n == 0) return kAllOnes;
  return uModMul(i, c, n);
}

namespace {
// The smallest t >= 0 with n t + i divisible by c, or c when there is none:
// n t = -i (mod c) solved with the extended Euclidean algorithm, so a large
// c costs a logarithmic number of steps instead of c trials.
Qword SmallestShift(Qword i, Qword n, Qword c) {
  typedef __int128 S128;
  const Qword target = (c - i % c) % c;  // -i mod c
  // g = gcd(n mod c, c) with n x = g (mod c).
  S128 old_r = n % c, r = c, old_x = 1, x = 0;
  while (r != 0) {
    const S128 q = old_r / r;
    S128 t = old_r - q * r;
    old_r = r;
    r = t;
    t = old_x - q * x;
    old_x = x;
    x = t;
  }
  const Qword g = static_cast<Qword>(old_r);
  if (g == 0 || target % g != 0) return c;
  const Qword step = c / g;  // the solutions repeat with this period
  S128 inverse = old_x % static_cast<S128>(step);
  if (inverse < 0) inverse += step;
  return static_cast<Qword>(static_cast<U128>(target / g) * static_cast<U128>(inverse) % step);
}
}  // namespace

// The sums i + n t are formed in 128 bits so that large ranges stay exact.
VELTRIA_API Qword uPermuteNc0Inv(Qword i, Qword n, Qword c) {
  if (n == 0 || c == 0) return kAllOnes;
  const Qword t = SmallestShift(i, n, c);
  return static_cast<Qword>((static_cast<U128>(n) * t + i) / c % n);
}

VELTRIA_API Qword uPermuteNc(Qword i, Qword n, Qword c) { return uPermuteNc0(i + 1, n + 1, c) - 1; }

VELTRIA_API Qword uPermuteNcInv(Qword i, Qword n, Qword c) {
  const Qword r = uPermuteNc0Inv(i + 1, n + 1, c);
  return r == kAllOnes ? r : r - 1;
}
