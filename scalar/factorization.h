// Factorisation of a 64-bit integer by repeated smallest prime factors.
#pragma once
#include "base/types.h"

struct Factorization {
  // A 64-bit integer has at most 15 distinct prime factors.
  Qword prime[16];
  Dword exponent[16];
  int count = 0;
};

// The primes of n in increasing order with their multiplicities; n <= 1 has none.
Factorization Factorize(Qword n);
