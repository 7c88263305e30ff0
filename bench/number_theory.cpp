// Primality of large 64-bit numbers (random odd numbers, the largest 64-bit
// prime) with the ratio to a plain deterministic 7-base Miller-Rabin
// (unsigned __int128 remainders) as the counter vs_plain_mr; uModMul.
#include "scalar/number_theory.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "peer_ratio.h"

namespace {
using U128 = unsigned __int128;

Qword PlainMulMod(Qword a, Qword b, Qword m) {
  return static_cast<Qword>(static_cast<U128>(a) * b % m);
}

Qword PlainPowMod(Qword a, Qword e, Qword m) {
  Qword r = 1;
  a %= m;
  while (e) {
    if (e & 1) r = PlainMulMod(r, a, m);
    a = PlainMulMod(a, a, m);
    e >>= 1;
  }
  return r;
}

// The textbook peer: no trial division beyond 2, Sinclair's seven bases.
bool PlainIsPrime(Qword n) {
  if (n < 4) return n >= 2;
  if ((n & 1) == 0) return false;
  Qword d = n - 1;
  int s = 0;
  while ((d & 1) == 0) {
    d >>= 1;
    ++s;
  }
  for (Qword a : {2ull, 325ull, 9375ull, 28178ull, 450775ull, 9780504ull, 1795265022ull}) {
    const Qword b = a % n;
    if (b == 0) continue;
    Qword x = PlainPowMod(b, d, n);
    if (x == 1 || x == n - 1) continue;
    bool witness = true;
    for (int r = 1; r < s && witness; ++r) {
      x = PlainMulMod(x, x, n);
      if (x == n - 1) witness = false;
    }
    if (witness) return false;
  }
  return true;
}

std::vector<Qword> RandomOdd(int count) {
  std::mt19937_64 rng(7);
  std::vector<Qword> v(static_cast<size_t>(count));
  for (Qword& n : v) n = rng() | 1;
  return v;
}

template <class F>
void Sweep(const std::vector<Qword>& v, F f) {
  for (Qword n : v) benchmark::DoNotOptimize(f(n));
}

void BM_IsPrimeRandomOdd(benchmark::State& state) {
  const std::vector<Qword> v = RandomOdd(1000);
  for (auto _ : state) Sweep(v, uIsPrime);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(v.size()));
  state.counters["vs_plain_mr"] =
      PeerRatio([&] { Sweep(v, uIsPrime); }, [&] { Sweep(v, PlainIsPrime); });
}

void BM_IsPrimeLargestPrime(benchmark::State& state) {
  const std::vector<Qword> v(100, 18446744073709551557u);
  for (auto _ : state) Sweep(v, uIsPrime);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(v.size()));
  state.counters["vs_plain_mr"] =
      PeerRatio([&] { Sweep(v, uIsPrime); }, [&] { Sweep(v, PlainIsPrime); });
}

void BM_ModMul(benchmark::State& state) {
  std::mt19937_64 rng(9);
  const Qword m = rng() | 1;
  Qword x = rng();
  for (auto _ : state) {
    x = uModMul(x, 0x9E3779B97F4A7C15u, m);
    benchmark::DoNotOptimize(x);
  }
}
}  // namespace

BENCHMARK(BM_IsPrimeRandomOdd);
BENCHMARK(BM_IsPrimeLargestPrime);
BENCHMARK(BM_ModMul);
