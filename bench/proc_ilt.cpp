// The ILT procedure's truncated-SVD mode (mode 2) as the program runs it:
// the command parsed and run on a zone under a root, on a two-rate decay of
// 60 log-spaced and 200 linearly spaced points and a one-rate decay of 100
// log-spaced points, each with a little ripple. The
// split: the procedure's start fit (MultiExpAutoFit with the procedure's
// flags) and the SVD inversion alone on the procedure's default rate grid,
// each timed on its own.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "arrays/grid.h"
#include "base/memory.h"
#include "data_engine/evp.h"
#include "data_engine/ky_data.h"
#include "signal_fit/fit/decay_fits.h"
#include "signal_fit/fit/laplace.h"

namespace {

constexpr const char* kCommand = "ILT, 2, 0, 1, , 0, -1, , , , 1e-3";
constexpr Dword kStartFitFlags = 0x60002u;

struct Curve {
  std::vector<double> x, y;
};

// Range 0: 60 points from 1e-3 to 1 logarithmically; 1: 200 echo times
// from 0 to 0.398; 2: one rate, 100 points from 1e-3 to 1 logarithmically.
Curve MakeCurve(int which) {
  Curve c;
  const int n = which == 0 ? 60 : which == 1 ? 200 : 100;
  for (int i = 0; i < n; ++i) {
    const double f = i / double(n - 1);
    const double t = which == 1 ? 0.398 * f : 1e-3 * std::pow(1e3, f);
    c.x.push_back(t);
    const double decay =
        which == 2 ? std::exp(-20 * t) : 0.5 * std::exp(-100 * t) + 0.5 * std::exp(-10 * t);
    c.y.push_back(decay + 1e-3 * std::sin(12.9898 * i));
  }
  return c;
}

cKyData* NewZone(const Curve& c) {
  auto* z = new cKyData(0);
  z->SetSize(c.x.size(), 2, 0, c.x.front(), c.x.back());
  for (Qword i = 0; i < c.x.size(); ++i) {
    z->Row(0)[i] = c.x[i];
    z->Row(1)[i] = c.y[i];
  }
  return z;
}

void BM_IltSvdMode(benchmark::State& state) {
  const Curve c = MakeCurve(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<cKyData> root(new cKyData(0));
    cKyData* zone = NewZone(c);
    root->AddChild(zone);
    Evp evp;
    InitEvp(&evp);
    state.ResumeTiming();
    LibErrorCode code = EvpParseCommand(kCommand, &evp);
    if (code == kErrNone) code = zone->PrepareEvp(&evp, nullptr);
    if (code == kErrNone) code = zone->RunEvp(&evp, nullptr);
    state.PauseTiming();
    if (code != kErrNone) state.SkipWithError("ILT failed");
    ReleaseEvp(&evp);
    root.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_IltSvdMode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_IltSvdMode_StartFit(benchmark::State& state) {
  const Curve c = MakeCurve(static_cast<int>(state.range(0)));
  const Qword n = c.x.size();
  Qword found = 0;
  for (auto _ : state) {
    double ca[10], cr[10], offset = 0, rms = 0;
    found = 10;
    const Dword e = MultiExpAutoFit(kStartFitFlags, n, c.x.data(), c.y.data(), &found, ca, cr,
                                    &offset, &rms, nullptr, nullptr, nullptr);
    if (e != kErrNone && e != kErrTooManyFunctionCalls) state.SkipWithError("fit failed");
    benchmark::DoNotOptimize(offset);
  }
  state.counters["components"] = static_cast<double>(found);
}
BENCHMARK(BM_IltSvdMode_StartFit)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The procedure's default grid: 5 over the first positive time to 0.2
// over the last, 10 rates per decade.
void BM_IltSvdMode_Svd(benchmark::State& state) {
  const Curve c = MakeCurve(static_cast<int>(state.range(0)));
  const Qword n = c.x.size();
  double first = 0;
  for (double t : c.x)
    if (t > 0) {
      first = t;
      break;
    }
  const double rmax = 5 / first, rmin = 0.2 / c.x.back();
  const Qword k = static_cast<Qword>(10 * (1 + std::log10(rmax / rmin)));
  Dword e = kErrNone;
  const UniqueArr<double> grid(NewRArrGrid(&e, kGridLogarithmic, rmin, rmax, k));
  std::vector<double> amps(k), fitted(n);
  for (auto _ : state) {
    e = LaplaceInverseBySVD(c.x.data(), c.y.data(), n, grid.get(), k, amps.data(), 1e-3,
                            fitted.data());
    if (e != kErrNone) state.SkipWithError("SVD failed");
    benchmark::DoNotOptimize(amps.data());
  }
  state.counters["rates"] = static_cast<double>(k);
}
BENCHMARK(BM_IltSvdMode_Svd)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace
