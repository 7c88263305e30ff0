// Cost per data set of a task run (code 122) as the number of data sets
// grows from 16 to 4096, each one decay of 3 rows x 1024 points, with the
// processing script the program writes for its default setup (five lines
// per data set, each addressed to its zone). Two sequences:
// - NoSnapshot: the script alone (the record's no-undo flag), which shows
//   the routing's share;
// - ProgramSequence: as Run Processing does it: every item restored as
//   loaded (code 144, outside the timing), then code 122 with its snapshot.
// The counter `per_set` is the time of one run divided by the data sets;
// flat from 16 to 4096 means the run grows linearly.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <string>

#include "bench/decay_block.h"
#include "command/ky_commands.h"
#include "command/lib_command.h"
#include "data_engine/ky_data.h"

namespace {

constexpr Qword kPoints = 1024;

cKyData* DecayTree(Qword items) {
  auto* root = new cKyData(0);
  for (Qword z = 0; z < items; ++z) {
    auto* item = new cKyData(0);
    item->data_type = kKyDataBruker;
    item->parameters.AddEntry("GDLY", "67.98", nullptr);
    cKyData* block = NewDecayBlock(kPoints, 1000.0 + 10.0 * static_cast<double>(z % 64));
    item->AddChild(block);
    root->AddChild(item);
  }
  return root;
}

std::string Script(Qword items) {
  std::string s;
  for (Qword i = 0; i < items; ++i) {
    const std::string z = std::to_string(i);
    s += "#GROUPDELAY, 1, 0, 0z" + z + "\r\n#ZEROFILL, 1, 0, 0z" + z +
         ", , 0, 1024\r\n#APODIZE, 3, 0, 0z" + z + ", , 0,-1, 0.01\r\n#APODIZE, 8, 0, 0z" + z +
         ", , 0,-1, 0.0003, 2\r\n#QUANTIFY, 1, 768, 0z" + z + ", , 0, 4294967295\r\n";
  }
  return s;
}

KyAppRecord* Record(Qword items) {
  KyAppRecord* record = LibCommand(kKyCmdCreate, nullptr);
  record->data_root = DecayTree(items);
  return record;
}

void Run122(KyAppRecord* record, std::string& script) {
  record->argument = script.data();
  LibCommand(kKyCmdRunTaskScript, record);
  if (record->error != 0) std::abort();
}

void SetCounter(benchmark::State& state, Qword items) {
  state.counters["per_set"] =
      benchmark::Counter(static_cast<double>(state.iterations() * items),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_NoSnapshot(benchmark::State& state) {
  const Qword items = static_cast<Qword>(state.range(0));
  KyAppRecord* record = Record(items);
  std::string script = Script(items);
  record->flags |= kKyFlagNoUndo;
  for (auto _ : state) Run122(record, script);
  SetCounter(state, items);
  LibCommand(kKyCmdFree, record);
}

void BM_ProgramSequence(benchmark::State& state) {
  const Qword items = static_cast<Qword>(state.range(0));
  KyAppRecord* record = Record(items);
  std::string script = Script(items);
  Run122(record, script);
  for (auto _ : state) {
    state.PauseTiming();
    for (Qword i = 0; i < items; ++i) {
      record->argument = reinterpret_cast<void*>(i);
      LibCommand(kKyCmdRestoreOldest, record);
    }
    state.ResumeTiming();
    Run122(record, script);
  }
  SetCounter(state, items);
  LibCommand(kKyCmdFree, record);
}

BENCHMARK(BM_NoSnapshot)->RangeMultiplier(4)->Range(16, 4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProgramSequence)->RangeMultiplier(4)->Range(16, 4096)->Unit(benchmark::kMillisecond);

}  // namespace
