// Primality of large 64-bit numbers: random odd numbers and the largest
// 64-bit prime.
#include <benchmark/benchmark.h>

#include <random>

#include "scalar/number_theory.h"

static void BM_IsPrimeRandomOdd(benchmark::State& state) {
  std::mt19937_64 rng(7);
  for (auto _ : state) benchmark::DoNotOptimize(uIsPrime(rng() | 1));
}

static void BM_IsPrimeLargestPrime(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(uIsPrime(18446744073709551557u));
}

static void BM_ModMul(benchmark::State& state) {
  std::mt19937_64 rng(9);
  const Qword m = rng() | 1;
  Qword x = rng();
  for (auto _ : state) {
    x = uModMul(x, 0x9E3779B97F4A7C15u, m);
    benchmark::DoNotOptimize(x);
  }
}

BENCHMARK(BM_IsPrimeRandomOdd);
BENCHMARK(BM_IsPrimeLargestPrime);
BENCHMARK(BM_ModMul);
