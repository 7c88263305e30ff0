// The formatter's cost: a million mixed doubles through the real forms, and
// report lines appended to one heap string (watch that it scales linearly).
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "base/format.h"
#include "base/memory.h"
#include "base/number_text.h"

namespace {

std::vector<double> MixedDoubles(size_t n) {
  std::mt19937_64 rng(1);
  std::uniform_real_distribution<double> mant(1.0, 10.0);
  std::uniform_int_distribution<int> exp(-30, 30);
  std::vector<double> v(n);
  for (auto& x : v) x = ((rng() & 1) ? -1 : 1) * mant(rng) * std::pow(10.0, exp(rng));
  return v;
}

void BM_FormatMillionMixedDoubles(benchmark::State& state) {
  const std::vector<double> values = MixedDoubles(1000000);
  char buffer[128];
  for (auto _ : state) {
    Qword total = 0;
    for (size_t i = 0; i < values.size(); ++i) {
      total += SprintfToBufferA(buffer, sizeof buffer, (i & 1) ? "%.6e" : "%12.4g", values[i]);
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * values.size()));
}
BENCHMARK(BM_FormatMillionMixedDoubles)->Unit(benchmark::kMillisecond);

void BM_RealToBufferMillion(benchmark::State& state) {
  const std::vector<double> values = MixedDoubles(1000000);
  char buffer[128];
  for (auto _ : state) {
    Qword total = 0;
    for (double x : values) total += RealToBufferA(x, buffer, 15, 10);
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * values.size()));
}
BENCHMARK(BM_RealToBufferMillion)->Unit(benchmark::kMillisecond);

void BM_AppendReportLines(benchmark::State& state) {
  const int64_t lines = state.range(0);
  for (auto _ : state) {
    char* report = nullptr;
    for (int64_t i = 0; i < lines; ++i) {
      SprintfAppendA(&report, "#QUANTIFY zone %d: mean %.6g, max %.6g\n", static_cast<int>(i),
                     i * 0.125, i * 2.5);
    }
    benchmark::DoNotOptimize(report);
    KillStringA(&report);
  }
  state.SetComplexityN(lines);
}
BENCHMARK(BM_AppendReportLines)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

}  // namespace
