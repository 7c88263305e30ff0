// Multiplicative and additive functions of the factorisation, and the
// exponent of a prime in factorials and binomial coefficients.
#include "scalar/factorization.h"
#include "scalar/number_theory.h"

Factorization Factorize(Qword n) {
  Factorization f;
  while (n > 1) {
    const Qword p = uSpf(n);
    Dword e = 0;
    while (n % p == 0) {
      n /= p;
      ++e;
    }
    f.prime[f.count] = p;
    f.exponent[f.count] = e;
    ++f.count;
  }
  return f;
}

VELTRIA_API Qword uOmega(Qword n) { return static_cast<Qword>(Factorize(n).count); }

VELTRIA_API Qword uBigOmega(Qword n) {
  const Factorization f = Factorize(n);
  Qword total = 0;
  for (int i = 0; i < f.count; ++i) total += f.exponent[i];
  return total;
}

VELTRIA_API Qword uSopf(Qword n) {
  const Factorization f = Factorize(n);
  Qword sum = 0;
  for (int i = 0; i < f.count; ++i) sum += f.prime[i];
  return sum;
}

VELTRIA_API Qword uSopfr(Qword n) {
  const Factorization f = Factorize(n);
  Qword sum = 0;
  for (int i = 0; i < f.count; ++i) sum += f.prime[i] * f.exponent[i];
  return sum;
}

VELTRIA_API Qword uRadical(Qword n, Qword r) {
  if (r < 2) return 1;
  const Factorization f = Factorize(n);
  Qword product = 1;
  for (int i = 0; i < f.count; ++i) {
    const Qword times = f.exponent[i] < r - 1 ? f.exponent[i] : r - 1;
    for (Qword k = 0; k < times; ++k) product *= f.prime[i];
  }
  return product;
}

VELTRIA_API Qlong uMoebius(Qword n) {
  const Factorization f = Factorize(n);
  for (int i = 0; i < f.count; ++i)
    if (f.exponent[i] > 1) return 0;
  return (f.count & 1) ? -1 : 1;
}

VELTRIA_API Dword uIsSquarefree(Qword n) { return uMoebius(n) != 0; }

VELTRIA_API Qword uTotient(Qword n) {
  if (n == 0) return 0;
  const Factorization f = Factorize(n);
  Qword t = n;
  for (int i = 0; i < f.count; ++i) t = t / f.prime[i] * (f.prime[i] - 1);
  return t;
}

VELTRIA_API Qword uPrimeInFactorial(Qword n, Qword p) {
  if (p < 2) return 0;
  Qword e = 0;
  while (n >= p) {
    n /= p;
    e += n;
  }
  return e;
}

VELTRIA_API Qword uPrimeInBinomial(Qword n, Qword k, Qword p) {
  return uPrimeInFactorial(n, p) - uPrimeInFactorial(k, p) - uPrimeInFactorial(n - k, p);
}

VELTRIA_API Qword uPrimeInMultisets(Qword n, Qword k, Qword p) {
  return uPrimeInBinomial(n + k - 1, k, p);
}

// n!! for even n is 2^(n/2) (n/2)!; for odd n it is (n+1)! / (n+1)!!.
VELTRIA_API Qword uPrimeInDoubleFactorial(Qword n, Qword p) {
  if (p < 2 || n < p) return 0;
  if (n & 1) return uPrimeInFactorial(n + 1, p) - uPrimeInDoubleFactorial(n + 1, p);
  return uPrimeInFactorial(n / 2, p) + (p == 2 ? n / 2 : 0);
}
