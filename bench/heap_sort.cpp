// Heap sort of real arrays, plain and with four real companions, against
// std::sort of the keys alone. The companion sort reports its time over the
// plain heap sort of the keys (vs_keys_only) and over std::sort of records
// holding the key and the four companions (vs_std_records), measured in the
// same run.
// GCC 12 at -O3 reports a free of a non-heap pointer inside std::vector's
// deallocation after inlining this benchmark's vectors; the pointers are the
// vectors' own, a known false positive of that warning.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wfree-nonheap-object"
#endif
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "arrays/rarr_sort.h"
#include "peer_ratio.h"

namespace {

std::vector<double> Keys(size_t n) {
  std::mt19937_64 rng(42);
  std::uniform_real_distribution<double> u(-1e3, 1e3);
  std::vector<double> v(n);
  for (auto& x : v) x = u(rng);
  return v;
}

void BM_RArrIpHeapSort(benchmark::State& state) {
  const std::vector<double> keys = Keys(static_cast<size_t>(state.range(0)));
  std::vector<double> v;
  for (auto _ : state) {
    state.PauseTiming();
    v = keys;
    state.ResumeTiming();
    RArrIpHeapSort(v.size(), v.data(), 1);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_RArrHeapSortR_FourCompanions(benchmark::State& state) {
  const std::vector<double> keys = Keys(static_cast<size_t>(state.range(0)));
  std::vector<double> v, c1(keys.size(), 1.0), c2(keys.size(), 2.0), c3(keys.size(), 3.0),
      c4(keys.size(), 4.0);
  for (auto _ : state) {
    state.PauseTiming();
    v = keys;
    state.ResumeTiming();
    RArrHeapSortR(v.data(), v.size(), nullptr, nullptr, c1.data(), c2.data(), c3.data(), c4.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  struct Record {
    double key, c[4];
  };
  std::vector<Record> records(keys.size()), r;
  for (size_t i = 0; i < keys.size(); ++i) records[i] = {keys[i], {1.0, 2.0, 3.0, 4.0}};
  auto ours = [&] {
    v = keys;
    RArrHeapSortR(v.data(), v.size(), nullptr, nullptr, c1.data(), c2.data(), c3.data(), c4.data());
  };
  state.counters["vs_keys_only"] = PeerRatio(
      ours,
      [&] {
        v = keys;
        RArrIpHeapSort(v.size(), v.data(), 1);
      },
      5);
  state.counters["vs_std_records"] = PeerRatio(
      ours,
      [&] {
        r = records;
        std::sort(r.begin(), r.end(),
                  [](const Record& a, const Record& b) { return a.key < b.key; });
      },
      5);
}

void BM_StdSort(benchmark::State& state) {
  const std::vector<double> keys = Keys(static_cast<size_t>(state.range(0)));
  std::vector<double> v;
  for (auto _ : state) {
    state.PauseTiming();
    v = keys;
    state.ResumeTiming();
    std::sort(v.begin(), v.end());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_RArrIpHeapSort)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RArrHeapSortR_FourCompanions)
    ->Arg(1000000)
    ->Arg(10000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StdSort)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);
