// The data plot of a large acquisition: building the plot of an item of
// many long decays (magnitude and power copies, y range over every block)
// and drawing it to a back end that only counts, as a canvas repaint does.
#include "data_engine/data_plot.h"

#include <benchmark/benchmark.h>

#include <cmath>

#include "data_engine/ky_data.h"

namespace {

Qlong Counting(void* target, Dword message, Qlong, Qlong, Qlong, Qlong, const void*) {
  if (message == 41) return 600;
  if (message == 42) return 800;
  ++*static_cast<Qword*>(static_cast<Qword*>(target) + 1);
  return 0;
}

cKyData* NewItemTree(Qword blocks, Qword points) {
  auto* root = new cKyData(0);
  auto* item = new cKyData(0);
  for (Qword b = 0; b < blocks; ++b) {
    auto* block = new cKyData(0);
    block->SetSize(points, 3, 1, 0.0, 1e-5 * static_cast<double>(points - 1));
    for (Qword i = 0; i < points; ++i) {
      const double t = 1e-5 * static_cast<double>(i);
      block->Row(0)[i] = t;
      block->Row(1)[i] = std::exp(-t / 0.01) * std::cos(6283.0 * t);
      block->Row(2)[i] = std::exp(-t / 0.01) * std::sin(6283.0 * t);
    }
    item->AddChild(block);
  }
  root->AddChild(item);
  return root;
}

void BM_BuildPlot(benchmark::State& state) {
  const Qword blocks = static_cast<Qword>(state.range(0));
  const Qword points = static_cast<Qword>(state.range(1));
  cKyData* root = NewItemTree(blocks, points);
  Qword target[2] = {MakeViewCode(kViewBlocksSideBySide, 0, 0), 0};
  for (auto _ : state) {
    cKyGw gw(target, Counting);
    cKyDataPlot* plot = NewKyDataPlot(root, &gw);
    benchmark::DoNotOptimize(plot);
    delete plot;
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(blocks * points));
  delete root;
}
BENCHMARK(BM_BuildPlot)->Args({16, 16384})->Args({256, 4096});

void BM_DrawPlot(benchmark::State& state) {
  const Qword blocks = static_cast<Qword>(state.range(0));
  const Qword points = static_cast<Qword>(state.range(1));
  cKyData* root = NewItemTree(blocks, points);
  Qword target[2] = {static_cast<Qword>(state.range(2)) << 32, 0};
  cKyGw gw(target, Counting);
  cKyDataPlot* plot = NewKyDataPlot(root, &gw);
  for (auto _ : state) plot->Draw(nullptr, 0);
  state.counters["messages/draw"] =
      static_cast<double>(target[1]) / static_cast<double>(state.iterations());
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(blocks * points));
  delete plot;
  delete root;
}
BENCHMARK(BM_DrawPlot)
    ->Args({1, 65536, kViewBlock})
    ->Args({16, 16384, kViewBlocksSideBySide})
    ->Args({64, 4096, kViewBlocksStacked});

}  // namespace
