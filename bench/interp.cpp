// Splines and lookups on a table of 1e5 points evaluated at 1e5 points, and
// the O(n^2) series product and square root.
#include "arrays/interp.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "arrays/generating_functions.h"

namespace {

constexpr Qword kPoints = 100000;

struct Table {
  std::vector<double> x, y, xs, out;
  Table() : x(kPoints), y(kPoints), xs(kPoints), out(kPoints) {
    for (Qword i = 0; i < kPoints; ++i) {
      const double t = static_cast<double>(i);
      x[i] = t + 0.25 * std::sin(t);
      y[i] = std::cos(0.01 * t);
      xs[i] = 0.5 + t * (static_cast<double>(kPoints) - 2) / static_cast<double>(kPoints);
    }
  }
};

void BM_Spline3(benchmark::State& state) {
  Table t;
  for (auto _ : state) {
    RArrSpline3XarrYarr(t.x.data(), t.y.data(), kPoints, t.xs.data(), t.out.data(), kPoints);
    benchmark::DoNotOptimize(t.out.data());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_Spline3);

void BM_Spline2(benchmark::State& state) {
  Table t;
  for (auto _ : state) {
    RArrSpline2XarrYarr(t.x.data(), t.y.data(), kPoints, t.xs.data(), t.out.data(), kPoints, 2);
    benchmark::DoNotOptimize(t.out.data());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_Spline2);

void BM_SplineEx(benchmark::State& state) {
  Table t;
  const double d0 = 0;
  for (auto _ : state) {
    RArrSplineEx(t.x.data(), t.y.data(), kPoints, &d0, &d0, 1, t.xs.data(), t.out.data(), kPoints,
                 5, 2);
    benchmark::DoNotOptimize(t.out.data());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_SplineEx);

void BM_Lookup3Q(benchmark::State& state) {
  Table t;
  for (auto _ : state) {
    for (Qword i = 0; i < kPoints; ++i)
      t.out[i] = RArrIntExt3QXarrYarr(t.xs[i], t.x.data(), t.y.data(), kPoints);
    benchmark::DoNotOptimize(t.out.data());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_Lookup3Q);

void BM_SeriesMulSqrt(benchmark::State& state) {
  const Qword n = static_cast<Qword>(state.range(0));
  std::vector<double> a(n), b(n), c(n);
  for (Qword i = 0; i < n; ++i) {
    a[i] = 1 / static_cast<double>(i + 1);
    b[i] = i % 2 ? -0.5 : 0.5;
  }
  a[0] = 2;
  for (auto _ : state) {
    RArrOgfMul(n, a.data(), b.data(), c.data());
    RArrEgfSqrt(n, a.data(), c.data());
    benchmark::DoNotOptimize(c.data());
  }
}
BENCHMARK(BM_SeriesMulSqrt)->Arg(100)->Arg(1000);

}  // namespace
