// Primality, smallest and greatest prime factors, prime search and counting,
// and the predicates built on them.
#include "scalar/number_theory.h"
#include "scalar/prime_test.h"

using primes::TrialState;
using primes::Verdict;

namespace {

constexpr Qword kFermatLimit = 1000;
constexpr Qword kAllOnes = ~Qword{0};

// Divisibility by the odd primes up to 127 without a division: for odd p
// with inverse q mod 2^64, p divides n exactly when n q <= (2^64 - 1)/p.
struct SmallPrime {
  Qword p, inverse, limit;
};

constexpr SmallPrime MakeSmallPrime(Qword p) {
  Qword q = p;
  for (int i = 0; i < 5; ++i) q *= 2 - p * q;
  return {p, q, kAllOnes / p};
}

constexpr Qword kSmallPrimes[] = {3,  5,  7,  11, 13, 17, 19, 23, 29, 31,  37,  41,  43,  47,  53,
                                  59, 61, 67, 71, 73, 79, 83, 89, 97, 101, 103, 107, 109, 113, 127};
constexpr Qword kNextPrime = 131;  // below 131^2 a number without those factors is prime

constexpr auto kSmallPrimeTable = [] {
  struct Table {
    SmallPrime entry[sizeof(kSmallPrimes) / sizeof(kSmallPrimes[0])];
  } t{};
  for (size_t i = 0; i < sizeof(kSmallPrimes) / sizeof(kSmallPrimes[0]); ++i)
    t.entry[i] = MakeSmallPrime(kSmallPrimes[i]);
  return t;
}();

// Small factors first (they settle most composites), then the exact
// Miller-Rabin test; the same answers as trial division to the end.
bool IsPrimeFast(Qword n) {
  if (n < 2) return false;
  if ((n & 1) == 0) return n == 2;
  for (const SmallPrime& s : kSmallPrimeTable.entry)
    if (n * s.inverse <= s.limit) return n == s.p;
  if (n < kNextPrime * kNextPrime) return true;
  return primes::IsPrimeExact(n);
}

}  // namespace

VELTRIA_API bool uIsPrime(Qword n) { return IsPrimeFast(n); }

VELTRIA_API Qword uSpf(Qword n) {
  if (n <= 2) return n;
  if ((n & 1) == 0) return 2;
  TrialState state;
  Qword factor = 1;
  switch (primes::TrialDivide(n, &state, kFermatLimit, &factor)) {
    case Verdict::kPrime:
      return n;
    case Verdict::kComposite:
      return factor;
    case Verdict::kUndecided:
      break;
  }
  if (uModPwr(2, n - 1, n) == 1 && primes::IsPrimeExact(n)) return n;
  // Composite with every factor above 1000: divide on to the smallest.
  if (primes::TrialDivide(n, &state, kAllOnes, &factor) == Verdict::kComposite) return factor;
  return n;
}

VELTRIA_API Qword uGpf(Qword n) {
  Qword r = n;
  while (n > 3) {
    r = uSpf(n);
    while (n % r == 0) n /= r;
  }
  // Factors come out in increasing order: a cofactor of 3 left over means
  // only 2s were removed.
  return n == 3 ? 3 : r;
}

// No prime above n fits in 64 bits from 2^64 - 59 on: all ones then.
VELTRIA_API Qword uNextPrime(Qword n) {
  if (n < 2) return 2;
  for (Qword m = (n & 1) ? n + 2 : n + 1; m > n; m += 2)
    if (uIsPrime(m)) return m;
  return kAllOnes;
}

VELTRIA_API Qword uPrevPrime(Qword n) {
  if (n < 3) return kAllOnes;
  if (n == 3) return 2;
  for (Qword m = (n & 1) ? n - 2 : n - 1; m >= 3; m -= 2)
    if (uIsPrime(m)) return m;
  return 2;
}

VELTRIA_API bool uNextIsPrime(Qword n) { return uIsPrime(n + 1); }
VELTRIA_API Dword uPreviousIsPrime(Qword n) { return n > 2 && uIsPrime(n - 1); }

VELTRIA_API Qword uPrimesPi(Qword n) {
  if (n < 2) return 0;
  Qword count = 1;
  for (Qword m = 3; m <= n && m >= 3; m += 2) count += uIsPrime(m);
  return count;
}

VELTRIA_API Dword uIsOddPrime(Qword n) { return n > 2 && uIsPrime(n); }
VELTRIA_API Dword uIsComposite(Qword n) { return n > 3 && !uIsPrime(n); }
VELTRIA_API Dword uIsOddComposite(Qword n) { return (n & 1) && uIsComposite(n); }
VELTRIA_API Dword uIsTwinPrime(Qword n) {
  return uIsPrime(n) && ((n >= 2 && uIsPrime(n - 2)) || uIsPrime(n + 2));
}
VELTRIA_API Dword uIsLowerOfTwinPrimes(Qword n) { return uIsPrime(n) && uIsPrime(n + 2); }
VELTRIA_API Dword uIsUpperOfTwinPrimes(Qword n) { return n >= 2 && uIsPrime(n) && uIsPrime(n - 2); }
VELTRIA_API Dword uIsBetweenTwinPrimes(Qword n) {
  return n >= 1 && uIsPrime(n - 1) && uIsPrime(n + 1);
}
VELTRIA_API Dword uIsNeighbourOfPrime(Qword n) {
  return n != 0 && (uIsPrime(n + 1) || uIsPrime(n - 1));
}
VELTRIA_API Dword uIsBiPrime(Qword n) { return uBigOmega(n) == 2; }
VELTRIA_API Dword uIsTriPrime(Qword n) { return uBigOmega(n) == 3; }
