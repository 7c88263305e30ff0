// rExp, rLog, rPow and rHypot against the C library over 1e7 arguments
// (target: within 1.5 times the C library's time).
#include "scalar/elementary.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "scalar/real_helpers.h"

namespace {

constexpr std::size_t kCount = 10000000;

const std::vector<double>& Args(double lo, double hi, unsigned seed) {
  static std::vector<double> v[4];
  std::vector<double>& a = v[seed % 4];
  if (a.empty()) {
    std::mt19937_64 g(seed);
    std::uniform_real_distribution<double> d(lo, hi);
    a.resize(kCount);
    for (double& x : a) x = d(g);
  }
  return a;
}

const std::vector<double>& ExpArgs() { return Args(-700, 700, 0); }
const std::vector<double>& LogArgs() { return Args(1e-3, 1e6, 1); }
const std::vector<double>& SecondArgs() { return Args(-30, 30, 2); }
const std::vector<double>& PowBases() { return Args(1e-3, 1e3, 3); }

template <class F>
void Run1(benchmark::State& state, const std::vector<double>& x, F f) {
  for (auto _ : state) {
    double s = 0;
    for (double v : x) s += f(v);
    benchmark::DoNotOptimize(s);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(x.size()));
}

template <class F>
void Run2(benchmark::State& state, const std::vector<double>& x, const std::vector<double>& y,
          F f) {
  for (auto _ : state) {
    double s = 0;
    for (std::size_t i = 0; i < x.size(); ++i) s += f(x[i], y[i]);
    benchmark::DoNotOptimize(s);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(x.size()));
}

// The C library through a volatile pointer, so that it is a call too.
double (*volatile c_exp)(double) = std::exp;
double (*volatile c_log)(double) = std::log;
double (*volatile c_pow)(double, double) = std::pow;
double (*volatile c_hypot)(double, double) = std::hypot;

void BM_rExp(benchmark::State& s) { Run1(s, ExpArgs(), rExp); }
void BM_glibc_exp(benchmark::State& s) { Run1(s, ExpArgs(), c_exp); }
void BM_rLog(benchmark::State& s) { Run1(s, LogArgs(), rLog); }
void BM_glibc_log(benchmark::State& s) { Run1(s, LogArgs(), c_log); }
void BM_rPow(benchmark::State& s) { Run2(s, PowBases(), SecondArgs(), rPow); }
void BM_glibc_pow(benchmark::State& s) { Run2(s, PowBases(), SecondArgs(), c_pow); }
void BM_rHypot(benchmark::State& s) { Run2(s, LogArgs(), SecondArgs(), rHypot); }
void BM_glibc_hypot(benchmark::State& s) { Run2(s, LogArgs(), SecondArgs(), c_hypot); }

}  // namespace

BENCHMARK(BM_rExp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_glibc_exp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_rLog)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_glibc_log)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_rPow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_glibc_pow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_rHypot)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_glibc_hypot)->Unit(benchmark::kMillisecond);
