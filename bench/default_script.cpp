// The application's default processing script (group delay, zero filling,
// the Cos2Tmax and Smoothstep windows, the average magnitude) run through
// RunTask over 64 items of one decay of 32768 points each: as the default
// setup writes it (cut to 1024 points) and with zero filling by doubling.
// Each round works on a fresh copy of the tree, made outside the timing.
// tools/bench_default_script.py runs the same steps in numpy and prints
// the ratio.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <string>

#include "bench/decay_block.h"
#include "data_engine/ky_data.h"

namespace {

constexpr Qword kItems = 64;
constexpr Qword kPoints = 32768;

cKyData* DecayTree() {
  auto* root = new cKyData(0);
  for (Qword z = 0; z < kItems; ++z) {
    auto* item = new cKyData(0);
    item->data_type = kKyDataBruker;
    item->parameters.AddEntry("GDLY", "67.98", nullptr);
    cKyData* block = NewDecayBlock(kPoints, 1000.0 + 10.0 * static_cast<double>(z));
    item->AddChild(block);
    root->AddChild(item);
  }
  return root;
}

std::string Script(const char* zerofill) {
  std::string s;
  for (Qword i = 0; i < kItems; ++i) {
    const std::string z = std::to_string(i);
    s += "#GROUPDELAY, 1, 0, 0z" + z + "\r\n#ZEROFILL, 1, 0, 0z" + z + ", , " + zerofill +
         "\r\n#APODIZE, 3, 0, 0z" + z + ", , 0,-1, 0.01\r\n#APODIZE, 8, 0, 0z" + z +
         ", , 0,-1, 0.0003, 2\r\n#QUANTIFY, 1, 768, 0z" + z + ", , 0, 4294967295\r\n";
  }
  return s;
}

void Run(benchmark::State& state, const char* zerofill) {
  const cKyData* master = DecayTree();
  const std::string script = Script(zerofill);
  for (auto _ : state) {
    state.PauseTiming();
    cKyData* tree = cKyData::NewCopy(*master);
    state.ResumeTiming();
    benchmark::DoNotOptimize(tree->RunTask(script.c_str(), nullptr));
    state.PauseTiming();
    delete tree;
    state.ResumeTiming();
  }
  delete master;
}

void BM_DefaultScript(benchmark::State& state) { Run(state, "0, 1024"); }
void BM_DefaultScriptDoubling(benchmark::State& state) { Run(state, "1, 0"); }

BENCHMARK(BM_DefaultScript)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DefaultScriptDoubling)->Unit(benchmark::kMillisecond);

}  // namespace
