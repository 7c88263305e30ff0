// Integer powers of a base inside n, power tests and integer roots.
#include <cmath>

#include "scalar/factorization.h"
#include "scalar/number_theory.h"

namespace {

constexpr Qword kAllOnes = ~Qword{0};

// x^r, or all ones as soon as it would pass 2^64 - 1.
Qword SaturatingPower(Qword x, Qword r) {
  Qword p = 1;
  for (Qword i = 0; i < r; ++i) {
    if (x != 0 && p > kAllOnes / x) return kAllOnes;
    p *= x;
  }
  return p;
}

inline Qword AbsDiff(Qword a, Qword b) { return a > b ? a - b : b - a; }
inline bool IsPowerOfTwo(Qword d) { return d != 0 && (d & (d - 1)) == 0; }

}  // namespace

VELTRIA_API Qword uMaxLePower(Qword n, Qword b, Qword* power) {
  Qword e = 0, p = 1;
  if (b >= 2) {
    while (n >= b) {
      n /= b;
      ++e;
      p *= b;
    }
  }
  if (power) *power = p;
  return e;
}

VELTRIA_API Qword uMaxPowerDivisor(Qword n, Qword b, Qword* cofactor) {
  Qword e = 0;
  if (b >= 2 && n != 0) {
    while (n % b == 0) {
      n /= b;
      ++e;
    }
  }
  if (cofactor) *cofactor = n;
  return e;
}

VELTRIA_API bool uIsPowerOf(Qword n, Qword b, Qword* exponent) {
  Qword p = 0;
  const Qword e = uMaxLePower(n, b, &p);
  const bool is = p == n;
  if (exponent) *exponent = is ? e : 0;
  return is;
}

VELTRIA_API Dword uIsProperPowerOf(Qword n, Qword b, Qword* exponent) {
  Qword e = 0;
  const bool is = uIsPowerOf(n, b, &e);
  if (exponent) *exponent = e;
  return is && e >= 2;
}

VELTRIA_API Qword uIsProperPower(Qword n, Qword* exponent) {
  if (n <= 1) {
    if (exponent) *exponent = 0;
    return 1;
  }
  const Factorization f = Factorize(n);
  const Dword e = f.exponent[0];
  bool same = e >= 2;
  Qword root = 1;
  for (int i = 0; i < f.count && same; ++i) {
    same = f.exponent[i] == e;
    root *= f.prime[i];
  }
  if (exponent) *exponent = same ? e : 1;
  return same ? root : n;
}

// The floating-point estimate is corrected in both directions with exact
// integer powers, so the root is exact up to 2^64 - 1.
VELTRIA_API Qword uLeRthRoot(Qword n, Qword r, Qword* power) {
  if (r == 0) {
    if (power) *power = 1;
    return 0;
  }
  if (r == 1) {
    if (power) *power = n;
    return n;
  }
  if (power) *power = 1;
  if (n == 0) {
    if (power) *power = 0;
    return 0;
  }
  if (n <= 3 || r >= 64) return 1;
  const double estimate = std::floor(std::exp(std::log(static_cast<double>(n)) / r));
  Qword x =
      estimate < 1 ? 1 : (estimate > 4294967296.0 ? 4294967296u : static_cast<Qword>(estimate));
  while (x > 1 && SaturatingPower(x, r) > n) --x;
  // 2^64 - 1 is no perfect power, so a saturated power lies above n.
  for (;;) {
    const Qword next = SaturatingPower(x + 1, r);
    if (next == kAllOnes || next > n) break;
    ++x;
  }
  if (power) *power = SaturatingPower(x, r);
  return x;
}

VELTRIA_API Dword uIsTwo2N(Qword n) { return IsPowerOfTwo(n); }
VELTRIA_API Dword uIsNotTwo2N(Qword n) { return !IsPowerOfTwo(n); }
VELTRIA_API Dword uDiffersByTwo2n(Qword a, Qword b) { return IsPowerOfTwo(AbsDiff(a, b)); }
VELTRIA_API Dword iDiffersByTwo2n(Qlong a, Qlong b) {
  const Qword d = a > b ? static_cast<Qword>(a) - static_cast<Qword>(b)
                        : static_cast<Qword>(b) - static_cast<Qword>(a);
  return IsPowerOfTwo(d);
}
VELTRIA_API bool uDiffersByPowerOf(Qword a, Qword b, Qword base) {
  const Qword d = AbsDiff(a, b);
  if (d == 0) return base == 0;
  return uIsPowerOf(d, base, nullptr);
}
