// GetReal on a parameter store of 1000 entries with Bruker-like names: the
// first, the middle and the last entry, a missing name, and an expression
// value that reads two other entries.
#include <benchmark/benchmark.h>

#include <string>

#include "framework/ky_asci_pars.h"

namespace {

struct Store {
  cKyAsciPars pars;
  Store() {
    for (int i = 0; i < 1000; ++i) {
      const std::string name = "PAR" + std::to_string(i);
      const std::string value = std::to_string(i * 1.25 + 0.5);
      pars.AddEntry(name.c_str(), value.c_str(), i % 7 == 0 ? "unit" : nullptr);
    }
    pars.AddEntry("EXPR", "(PAR10 * 2 + PAR900 / 3)", nullptr);
  }
};

const Store& TheStore() {
  static const Store store;
  return store;
}

void BM_GetReal(benchmark::State& state, const char* name) {
  const cKyAsciPars& p = TheStore().pars;
  for (auto _ : state) benchmark::DoNotOptimize(p.GetReal(name));
}

BENCHMARK_CAPTURE(BM_GetReal, first, "PAR0");
BENCHMARK_CAPTURE(BM_GetReal, middle, "PAR500");
BENCHMARK_CAPTURE(BM_GetReal, last, "PAR999");
BENCHMARK_CAPTURE(BM_GetReal, missing, "NOPE");
BENCHMARK_CAPTURE(BM_GetReal, expression, "EXPR");

}  // namespace
