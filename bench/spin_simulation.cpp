// A 12-spin system (largest manifold 924, 2.5 million state pairs between
// neighbouring manifolds) simulated with every transition binned.
// tools/bench_spin_numpy.py diagonalises the same system in its full
// Hilbert space (4096 states) with numpy and prints the ratio.
#include <benchmark/benchmark.h>

#include <vector>

#include "nmrphys/spin/spin.h"

namespace {

constexpr Dword kSpins = 12;

// Shifts 37.5 g + 3 g^2 / 7 Hz; J(i, j) = 7.5 / (i - j) + 0.25 (i + j) Hz
// for |i - j| <= 3, else 0. The numpy script builds the same numbers.
struct TwelveSpins {
  double scale = 1.0;
  std::vector<double> values;
  std::vector<double*> couplings;
  Dword flags[kSpins] = {}, spins[kSpins], two_i[kSpins], species[kSpins] = {};
  ssSpinSystemInput input{};
  TwelveSpins() {
    values.reserve(kSpins * (kSpins + 1) / 2);
    for (Dword i = 0; i < kSpins; ++i)
      for (Dword j = 0; j <= i; ++j) {
        double v = 0.0;
        if (i == j)
          v = 37.5 * i + 3.0 * i * i / 7.0;
        else if (i - j <= 3)
          v = 7.5 / (i - j) + 0.25 * (i + j);
        values.push_back(v);
        couplings.push_back(&values.back());
      }
    for (Dword g = 0; g < kSpins; ++g) spins[g] = two_i[g] = 1;
    input.UserId = 1;
    input.IntensityScale = &scale;
    input.GroupCount = kSpins;
    input.GroupFlags = flags;
    input.EquivalentSpins = spins;
    input.Spin = two_i;
    input.Species = species;
    input.Couplings = couplings.data();
  }
};

void BM_TwelveSpinsAllTransitionsBinned(benchmark::State& state) {
  TwelveSpins system;
  ssConfiguration* config = nullptr;
  cSpinForest* forest = ssOpenInstance(&config);
  config->FragmentIfEqvSizeExceeds = kSpins;  // the whole system, not fragments
  ssAddSpinSystem(forest, &system.input);
  ssSimulationRequest r{};
  for (auto _ : state) {
    r.Flags = kSsBinnedSpectrum | kSsAllTransitions;
    r.IntensityThreshold = 1e-12;
    r.Points = 8192;
    r.From = -100.0;
    r.To = 600.0;
    if (ssRunSimulation(forest, &r) != 0) state.SkipWithError("run failed");
    benchmark::DoNotOptimize(r.Bins);
  }
  ssCloseInstance(&forest, &r);
}
BENCHMARK(BM_TwelveSpinsAllTransitionsBinned)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
