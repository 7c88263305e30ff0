#include "scalar/prime_test.h"

#include "scalar/number_theory.h"

namespace primes {
namespace {

// Increments of the trial divisor: 3 -> 5 -> 7 -> 11, then one turn of the
// wheel modulo 2*3*5*7 (entries 4..51) over and over. Entry 0 is unused.
constexpr Dword PrimeWheelGaps[52] = {1, 2, 2, 4, 2, 4, 2, 4, 6, 2, 6, 4, 2, 4, 6, 6, 2, 6,
                                      4, 2, 6, 4, 6, 8, 4, 2, 4, 2, 4, 8, 6, 4, 6, 2, 4, 6,
                                      2, 6, 6, 4, 2, 4, 6, 2, 6, 4, 2, 4, 2, 10, 2, 10};

constexpr Dword WheelTurn() {
  Dword sum = 0;
  for (int i = 4; i < 52; ++i) sum += PrimeWheelGaps[i];
  return sum;
}
static_assert(WheelTurn() == 210);

// n - 1 = d * 2^s with d odd; a is a witness of compositeness?
bool IsWitness(Qword a, Qword n) {
  Qword d = n - 1;
  int s = 0;
  while ((d & 1) == 0) {
    d >>= 1;
    ++s;
  }
  Qword x = uModPwr(a, d, n);
  if (x == 1 || x == n - 1) return false;
  for (int r = 1; r < s; ++r) {
    x = uModMul(x, x, n);
    if (x == n - 1) return false;
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
  // These bases decide every n below 3.3e24 (Sorenson and Webster).
  static constexpr Qword kBases[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};
  for (Qword a : kBases) {
    if (a % n == 0) continue;
    if (IsWitness(a, n)) return false;
  }
  return true;
}

}  // namespace primes
