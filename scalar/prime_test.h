// Trial division over the wheel modulo 210 and the exact Miller-Rabin test,
// shared by the primality test and the smallest-prime-factor search.
#pragma once
#include "base/types.h"

namespace primes {

enum class Verdict { kPrime, kComposite, kUndecided };

// Position of the trial divisor on the wheel.
struct TrialState {
  Qword divisor = 3;
  int gap_index = 1;
};

// Divides odd n > 2 by the wheel's divisors from `state` on. Stops with
// kPrime when divisor^2 > n, kComposite (and the divisor in *factor) when one
// divides n, or kUndecided when the divisor passes `limit` at the end of a
// turn of the wheel.
Verdict TrialDivide(Qword n, TrialState* state, Qword limit, Qword* factor);

// Exact primality of odd n > 2: strong probable-prime tests (Miller-Rabin)
// with base sets proven exact below 2^32 and 2^64, in Montgomery arithmetic.
bool IsPrimeExact(Qword n);

}  // namespace primes
