#include "scalar/prime_test.h"

#include "scalar/number_theory.h"

namespace primes {
namespace {

// Increments of the trial divisor: 3 -> 5 -> 7 -> 11, then one turn of the
// wheel modulo 2*3*5*7 (entries 4..51) over and over. Entry 0 is unused.
constexpr Dword PrimeWheelGaps[52] = {1, 2, 2, 4, 2, 4, 2, 4, 6, 2, 6, 4, 2, 4,  6, 6, 2, 6,
                                      4, 2, 6, 4, 6, 8, 4, 2, 4, 2, 4, 8, 6, 4,  6, 2, 4, 6,
                                      2, 6, 6, 4, 2, 4, 6, 2, 6, 4, 2, 4, 2, 10, 2, 10};

constexpr Dword WheelTurn() {
  Dword sum = 0;
  for (int i = 4; i < 52; ++i) sum += PrimeWheelGaps[i];
  return sum;
}
static_assert(WheelTurn() == 210);

using U128 = unsigned __int128;

// Arithmetic modulo an odd n in Montgomery form (x R mod n, R = 2^64): a
// product costs three multiplications and no division.
class Montgomery {
 public:
  explicit Montgomery(Qword n) : n_(n) {
    Qword inv = n;  // n n == 1 mod 8: three bits; each step doubles them
    for (int i = 0; i < 5; ++i) inv *= 2 - n * inv;
    inv_ = inv;
    one_ = (0 - n) % n;  // R mod n
    r2_ = static_cast<Qword>(static_cast<U128>(one_) * one_ % n);
  }
  Qword One() const { return one_; }
  Qword MinusOne() const { return n_ - one_; }
  Qword To(Qword a) const { return Mul(a % n_, r2_); }
  // a b / R mod n for a, b < n.
  Qword Mul(Qword a, Qword b) const {
    const U128 t = static_cast<U128>(a) * b;
    const Qword m = static_cast<Qword>(t) * inv_;
    const Qword mn_hi = static_cast<Qword>((static_cast<U128>(m) * n_) >> 64);
    const Qword t_hi = static_cast<Qword>(t >> 64);
    // t - m n is a multiple of R in (-n R, n R).
    return t_hi >= mn_hi ? t_hi - mn_hi : t_hi - mn_hi + n_;
  }
  Qword Pow(Qword a, Qword e) const {
    Qword r = one_;
    while (e) {
      if (e & 1) r = Mul(r, a);
      a = Mul(a, a);
      e >>= 1;
    }
    return r;
  }

 private:
  Qword n_, inv_, one_, r2_;
};

// Is a (mod n) a witness of the compositeness of odd n, n - 1 = d 2^s?
bool IsWitness(const Montgomery& mont, Qword a, Qword d, int s) {
  Qword x = mont.Pow(mont.To(a), d);
  const Qword one = mont.One();
  const Qword minus_one = mont.MinusOne();
  if (x == one || x == minus_one) return false;
  for (int r = 1; r < s; ++r) {
    x = mont.Mul(x, x);
    if (x == minus_one) return false;
    if (x == one) return true;  // a nontrivial root of 1
  }
  return true;
}

}  // namespace

Verdict TrialDivide(Qword n, TrialState* state, Qword limit, Qword* factor) {
  for (;;) {
    const Qword d = state->divisor;
    if (n / d < d) return Verdict::kPrime;
    if (n % d == 0) {
      *factor = d;
      return Verdict::kComposite;
    }
    state->divisor += PrimeWheelGaps[state->gap_index];
    if (++state->gap_index > 51) {
      state->gap_index = 4;
      if (state->divisor > limit) return Verdict::kUndecided;
    }
  }
}

bool IsPrimeExact(Qword n) {
  // Deterministic base sets: Jaeschke's {2, 7, 61} below 4759123141 and
  // Sinclair's seven bases below 2^64. A base that is 0 mod n proves nothing
  // and is skipped.
  static constexpr Qword kBases32[] = {2, 7, 61};
  static constexpr Qword kBases64[] = {2, 325, 9375, 28178, 450775, 9780504, 1795265022};
  const Montgomery mont(n);
  Qword d = n - 1;
  int s = 0;
  while ((d & 1) == 0) {
    d >>= 1;
    ++s;
  }
  auto any_witness = [&](const Qword* bases, int count) {
    for (int i = 0; i < count; ++i) {
      if (bases[i] % n == 0) continue;
      if (IsWitness(mont, bases[i], d, s)) return true;
    }
    return false;
  };
  if (n < 4759123141u) return !any_witness(kBases32, 3);
  return !any_witness(kBases64, 7);
}

}  // namespace primes
