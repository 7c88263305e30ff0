// Binomial coefficients, multisets, the Pochhammer symbol and the integer
// power by squaring.
#include "scalar/comb_status.h"
#include "scalar/comb_tables.h"
#include "scalar/combinatorics.h"

VELTRIA_API Qword uBinomial(Qword n, Qword k, NumStatus* status) {
  StatusClear(status);
  if (k == 0 || k == n) return 1;
  if (n < k) return 0;
  if (n - k < k) k = n - k;
  if (k == 1) return n;
  if (n < FactorialTable.size())
    return FactorialTable[n] / (FactorialTable[k] * FactorialTable[n - k]);
  // r runs through C(n, i). Before each step the factors of i are cancelled
  // against r and then against the new factor n - i + 1, which leaves i at 1
  // because C(n, i) is whole; the product is then C(n, i) itself.
  Qword r = n;
  for (Qword i = 2; i <= k; ++i) {
    Qword f = n - i + 1;
    Qword d = i;
    Qword g = uGcd(r, d);
    r /= g;
    d /= g;
    if (d > 1) {
      g = uGcd(f, d);
      f /= g;
    }
    if (__builtin_mul_overflow(r, f, &r)) return UnsignedOverflow(status);
  }
  return r;
}

VELTRIA_API Qlong iBinomial(Qlong n, Qlong k, NumStatus* status) {
  StatusClear(status);
  if (k == 0) return 1;
  if (k == 1) return n == INT64_MIN ? SignedOverflow(status) : n;
  if (k < 0) return 0;
  if (n < 0) {
    // C(-m, k) = (-1)^k C(m + k - 1, k); m + k - 1 <= 2^64 - 2.
    const Qword top = static_cast<Qword>(k) + static_cast<Qword>(-(n + 1));
    return SignedResult(uBinomial(top, static_cast<Qword>(k), status), (k & 1) != 0, status);
  }
  return SignedResult(uBinomial(static_cast<Qword>(n), static_cast<Qword>(k), status), false,
                      status);
}

VELTRIA_API Qword uCentralBinomial(Qword n, NumStatus* status) {
  return uBinomial(n, n / 2, status);
}

VELTRIA_API Qword uCountMultisets(Qword n, Qword k, NumStatus* status) {
  // With n + k - 1 beyond 64 bits, n >= 2 and k >= 2, so the count is at
  // least n + k - 1 and cannot fit either.
  Qword top;
  if (n >= 2 && __builtin_add_overflow(n - 1, k, &top)) {
    StatusClear(status);
    return UnsignedOverflow(status);
  }
  return uBinomial(n + k - 1, k, status);
}

VELTRIA_API Qlong iCountMultisets(Qlong n, Qlong k, NumStatus* status) {
  if (k < 0 || k == 0) return iBinomial(0, k, status);
  Qlong top;
  if (__builtin_add_overflow(n, k - 1, &top)) {
    StatusClear(status);
    return SignedOverflow(status);
  }
  return iBinomial(top, k, status);
}

namespace {

// The product of m consecutive integers a, a + s, ..., a + s (m - 1) for a
// step s of +1 or -1 and m >= 2; 0 when the run passes through zero.
Qlong RunProduct(Qlong a, Qword m, int s, NumStatus* status) {
  typedef __int128 Wide;
  const Wide last = Wide{a} + Wide{s} * static_cast<Wide>(m - 1);
  if ((a <= 0 && last >= 0) || (a >= 0 && last <= 0)) return 0;
  // Every factor has magnitude at least 1 and at most one of them is +-1,
  // so the product leaves the signed range within 64 factors.
  Wide r = a;
  for (Qword i = 1; i < m; ++i) {
    r *= Wide{a} + Wide{s} * static_cast<Wide>(i);
    if (r >= (Wide{1} << 63) || r <= -(Wide{1} << 63)) return SignedOverflow(status);
  }
  return static_cast<Qlong>(r);
}

}  // namespace

VELTRIA_API Qlong iPochhammer(Qlong a, Qlong n, NumStatus* status) {
  StatusClear(status);
  if (n == 0) return 1;
  if (a == 0) return 0;
  if (n == 1 || n == -1) return a == INT64_MIN ? SignedOverflow(status) : a;
  // A negative order is the falling factorial a (a-1) ... (a-|n|+1).
  const Qword m = n < 0 ? Qword{0} - static_cast<Qword>(n) : static_cast<Qword>(n);
  if (n > 0 && a == 1) return iFactorial(n, status);
  return RunProduct(a, m, n < 0 ? -1 : 1, status);
}

Qword uPowerBySquaring(const Qword& base, Qword n) {
  Qword result = 1;
  Qword power = base;
  while (n != 0) {
    if (n & 1) result *= power;
    n >>= 1;
    if (n != 0) power *= power;
  }
  return result;
}
