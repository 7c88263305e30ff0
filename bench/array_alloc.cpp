// Allocation and copy of real arrays against the C library's memcpy.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "arrays/rarr.h"
#include "base/memory.h"

static void BM_NewArrFill(benchmark::State& state) {
  const Qword n = static_cast<Qword>(state.range(0));
  const double fill = 1.5;
  for (auto _ : state) {
    Dword error;
    double* a = NewRealArrFill(&error, n, &fill);
    benchmark::DoNotOptimize(a);
    RArrKill(&a);
  }
  state.SetBytesProcessed(state.iterations() * state.range(0) * sizeof(double));
}

static void BM_RArrCopy(benchmark::State& state) {
  const Qword n = static_cast<Qword>(state.range(0));
  std::vector<double> src(n, 2.0), dst(n);
  for (auto _ : state) {
    RArrCopy(n, src.data(), dst.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * state.range(0) * sizeof(double));
}

static void BM_Memcpy(benchmark::State& state) {
  const size_t n = static_cast<size_t>(state.range(0));
  std::vector<double> src(n, 2.0), dst(n);
  for (auto _ : state) {
    std::memcpy(dst.data(), src.data(), n * sizeof(double));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * state.range(0) * sizeof(double));
}

BENCHMARK(BM_NewArrFill)->RangeMultiplier(10)->Range(1000, 10000000);
BENCHMARK(BM_RArrCopy)->RangeMultiplier(10)->Range(1000, 10000000);
BENCHMARK(BM_Memcpy)->RangeMultiplier(10)->Range(1000, 10000000);
