// Digits of an unsigned 64-bit integer in any base from 2 up.
#include "scalar/number_theory.h"

// Bases below 2 have no digits; the count is 0 for them, as for n = 0.
VELTRIA_API Qword uNumberOfDigits(Qword n, Qword b) {
  if (b < 2) return 0;
  Qword count = 0;
  for (; n; n /= b) ++count;
  return count;
}

VELTRIA_API Qword uSumOfDigits(Qword n, Qword b) {
  if (b < 2) return 0;
  Qword sum = 0;
  for (; n; n /= b) sum += n % b;
  return sum;
}

VELTRIA_API Qword uProductOfDigits(Qword n, Qword b) {
  if (b < 2) return 0;
  Qword product = 1;
  for (; n; n /= b) {
    const Qword d = n % b;
    if (d == 0) return 0;
    product *= d;
  }
  return product;
}

VELTRIA_API Qword uReverseDigits(Qword n, Qword b) {
  if (b <= 1) return n;
  Qword r = 0;
  for (; n; n /= b) r = r * b + n % b;
  return r;
}

VELTRIA_API Dword uIsPalindrome(Qword n, Qword b) { return n == uReverseDigits(n, b); }

VELTRIA_API Qword uDigitalRoot(Qword n, Qword b) {
  if (n == 0 || b <= 1) return 0;
  return 1 + (n - 1) % (b - 1);
}

VELTRIA_API Qword uComplementDigits(Qword n, Qword b) {
  if (b <= 1) return n;
  Qword r = 0, place = 1;
  for (; n; n /= b) {
    r += (b - 1 - n % b) * place;
    place *= b;
  }
  return r;
}
