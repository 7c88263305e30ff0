// The undo snapshot of a task run: KyDataPushPrevious copies the whole
// tree (64 items with one decay of 3 rows x 32768 points each, about 50 MB,
// which the copy shares)
// and the pop drops the copy again, so memory stays flat between rounds.
#include <benchmark/benchmark.h>

#include "data_engine/ky_data.h"

namespace {

cKyData* BigTree(Qword items, Qword points) {
  auto* root = new cKyData(0);
  for (Qword z = 0; z < items; ++z) {
    auto* item = new cKyData(0);
    item->parameters.AddEntry("NUC", "29Si", nullptr);
    auto* block = new cKyData(0);
    block->SetSize(points, 3, 1, 0.0, 1.0);
    for (Qword i = 0; i < 3 * points; ++i) block->matrix[i] = static_cast<double>(i % 1000);
    item->AddChild(block);
    root->AddChild(item);
  }
  return root;
}

void BM_SnapshotPushPop(benchmark::State& state) {
  const Qword items = static_cast<Qword>(state.range(0));
  const Qword points = static_cast<Qword>(state.range(1));
  cKyData* holder = BigTree(items, points);
  for (auto _ : state) {
    benchmark::DoNotOptimize(KyDataPushPrevious(&holder));
    KyDataPopPrevious(&holder);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(items * points * 3 * sizeof(double)));
  delete holder;
}

BENCHMARK(BM_SnapshotPushPop)->Args({64, 32768})->Args({8, 32768})->Unit(benchmark::kMillisecond);

}  // namespace
