// The divisor function and Jordan's totient (wrapping modulo 2^64 where the
// true value does not fit).
#include "scalar/combinatorics.h"
#include "scalar/factorization.h"
#include "scalar/number_theory.h"

VELTRIA_API Qword uSigma(Qword n, Qword k) {
  if (n <= 1) return 1;
  const Factorization f = Factorize(n);
  Qword product = 1;
  for (int i = 0; i < f.count; ++i) {
    const Qword pk = uPowerBySquaring(f.prime[i], k);
    Qword term = 1, power = 1;
    for (Dword j = 0; j < f.exponent[i]; ++j) {
      power *= pk;
      term += power;
    }
    product *= term;
  }
  return product;
}

VELTRIA_API Qword uJordanTotient(Qword n, Qword k) {
  if (k == 0 || n == 0) return 0;
  if (n == 1) return 1;
  if (k == 1) return uTotient(n);
  const Factorization f = Factorize(n);
  Qword t = uPowerBySquaring(n, k);
  for (int i = 0; i < f.count; ++i) {
    const Qword pk = uPowerBySquaring(f.prime[i], k);
    t = t / pk * (pk - 1);
  }
  return t;
}

namespace {
// Sum of the proper divisors against n: <0, 0, >0.
int AbundanceSign(Qword n) {
  const Qword s = uSigma(n, 1) - n;
  return s < n ? -1 : (s > n ? 1 : 0);
}
}  // namespace

VELTRIA_API Dword uIsPerfect(Qword n) { return AbundanceSign(n) == 0; }
VELTRIA_API Dword uIsAbundant(Qword n) { return AbundanceSign(n) > 0; }
VELTRIA_API Dword uIsDeficient(Qword n) { return AbundanceSign(n) < 0; }

VELTRIA_API Dword uAreFriendly(Qword a, Qword b) { return b * uSigma(a, 1) == a * uSigma(b, 1); }
