// Run Processing's sequence through LibCommand, on a tree of data sets with
// one decay of 3 rows each and the script the program builds for its
// default setup: every processed item restored as loaded (code 144), then
// the run (code 122: the undo snapshot, then the script).
// - BM_SnapshotPush: the snapshot alone (KyDataPushPrevious) in that
//   sequence; `vs_memcpy` is its median time over the median time of a
//   memcpy of the tree's bytes (matrices, statistics, flags) into a buffer
//   written before, timed alternately.
// - BM_RunTask: the whole code 122 (snapshot and script) in that sequence.
// - BM_ResidentMemory: one pass of 40 runs; the resident memory after 20
//   and 40 runs and its peak, each less the process's size before the tree
//   was made, over the tree's bytes (`rss20_x`, `rss40_x`, `peak40_x`);
//   run it alone (--benchmark_filter=ResidentMemory), as the peak is the
//   process's.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include "app/core/processing_script.h"
#include "bench/decay_block.h"
#include "command/ky_command_args.h"
#include "command/ky_commands.h"
#include "command/lib_command.h"
#include "data_engine/ky_data.h"

namespace {

cKyData* DecayTree(Qword items, Qword points) {
  auto* root = new cKyData(0);
  for (Qword z = 0; z < items; ++z) {
    auto* item = new cKyData(0);
    item->data_type = kKyDataBruker;
    item->parameters.AddEntry("NUC", "29Si", nullptr);
    item->parameters.AddEntry("GDLY", "67.98", nullptr);
    cKyData* block = NewDecayBlock(points, 1000.0 + 10.0 * static_cast<double>(z % 64));
    item->AddChild(block);
    root->AddChild(item);
  }
  return root;
}

// What a deep copy of the tree's arrays moves.
Qword TreeBytes(const cKyData* node) {
  Qword n = node->rows * node->points * sizeof(double) +
            node->rows * kKyStatCount * sizeof(double) + node->rows * sizeof(Dword) +
            node->points * sizeof(Dword);
  for (const cKyData* c = node->FirstChild(); c; c = c->NextSibling()) n += TreeBytes(c);
  return n;
}

struct Session {
  KyAppRecord* record = nullptr;
  Qword items = 0;
  std::string script;

  Session(Qword n, Qword points) : items(n) {
    record = LibCommand(kKyCmdCreate, nullptr);
    record->data_root = DecayTree(n, points);
    Qword bad = 0;
    BuildProcessingScript(SetupValues{}, std::vector<std::string>(n, "29Si"), &script, &bad);
    for (Qword i = 0; i < n; ++i) SetState(i, 0);
  }
  ~Session() { LibCommand(kKyCmdFree, record); }

  Dword Command(Dword code, void* argument) {
    record->argument = argument;
    LibCommand(code, record);
    return record->error;
  }
  void SetState(Qword item, Dword state) {
    StateArgs args{static_cast<Qlong>(item), &state};
    Command(kKyCmdSetItemState, &args);
  }
  void RestoreProcessed() {
    for (Qword i = 0; i < items; ++i) {
      Command(kKyCmdItemState, reinterpret_cast<void*>(i));
      if (record->result.u64 == 0) continue;
      if (Command(kKyCmdRestoreOldest, reinterpret_cast<void*>(i)) != 0) std::abort();
      SetState(i, 0);
    }
  }
  void RunScript() {
    if (Command(kKyCmdRunTaskScript, script.data()) != 0) std::abort();
    for (Qword i = 0; i < items; ++i) SetState(i, 1);
  }
  // The run without its snapshot (taken by the caller).
  void RunScriptOnly() {
    const Dword flags = record->flags;
    record->flags |= kKyFlagNoUndo;
    RunScript();
    record->flags = flags;
  }
};

double Seconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

double Median(std::vector<double> v) {
  std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
  return v[v.size() / 2];
}

void BM_SnapshotPush(benchmark::State& state) {
  Session s(static_cast<Qword>(state.range(0)), static_cast<Qword>(state.range(1)));
  const Qword bytes = TreeBytes(s.record->data_root);
  std::vector<char> source(bytes, 1), target(bytes, 0);
  for (int i = 0; i < 3; ++i) {
    s.RestoreProcessed();
    s.RunScript();
  }
  std::vector<double> push, copy;
  for (auto _ : state) {
    state.PauseTiming();
    s.RestoreProcessed();
    state.ResumeTiming();
    const auto t0 = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(KyDataPushPrevious(&s.record->data_root));
    const auto t1 = std::chrono::steady_clock::now();
    state.PauseTiming();
    std::memcpy(target.data(), source.data(), bytes);
    benchmark::ClobberMemory();
    const auto t2 = std::chrono::steady_clock::now();
    push.push_back(Seconds(t1 - t0));
    copy.push_back(Seconds(t2 - t1));
    s.RunScriptOnly();
    state.ResumeTiming();
  }
  state.counters["tree_MiB"] = static_cast<double>(bytes) / (1 << 20);
  state.counters["vs_memcpy"] = Median(push) / Median(copy);
}

// The whole code 122 (snapshot and script) in the sequence, restores
// outside the timing.
void BM_RunTask(benchmark::State& state) {
  Session s(static_cast<Qword>(state.range(0)), static_cast<Qword>(state.range(1)));
  for (int i = 0; i < 3; ++i) {
    s.RestoreProcessed();
    s.RunScript();
  }
  for (auto _ : state) {
    state.PauseTiming();
    s.RestoreProcessed();
    state.ResumeTiming();
    s.RunScript();
  }
}

// A value of /proc/self/status in bytes ("VmRSS", "VmHWM").
double StatusBytes(const char* key) {
  std::ifstream in("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(key) + ":";
  while (std::getline(in, line))
    if (line.rfind(prefix, 0) == 0) return std::stod(line.substr(prefix.size())) * 1024.0;
  return std::nan("");
}

void BM_ResidentMemory(benchmark::State& state) {
  for (auto _ : state) {
    const double before = StatusBytes("VmRSS");
    Session s(static_cast<Qword>(state.range(0)), static_cast<Qword>(state.range(1)));
    const double tree = static_cast<double>(TreeBytes(s.record->data_root));
    for (int run = 1; run <= 40; ++run) {
      s.RestoreProcessed();
      s.RunScript();
      if (run == 20) state.counters["rss20_x"] = (StatusBytes("VmRSS") - before) / tree;
    }
    state.counters["rss40_x"] = (StatusBytes("VmRSS") - before) / tree;
    state.counters["peak40_x"] = (StatusBytes("VmHWM") - before) / tree;
    state.counters["tree_MiB"] = tree / (1 << 20);
  }
}

BENCHMARK(BM_SnapshotPush)->Args({64, 32768})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunTask)->Args({64, 32768})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResidentMemory)
    ->Args({64, 32768})
    ->Args({256, 65536})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
