// The program's whole processing chain through the command interface: N
// Bruker data sets (one decay each) loaded with code 98, then one task run
// (code 122) of the script the program's Run Processing builds (group
// delay, zero filling to twice the points, the Cos2Tmax and Smoothstep
// windows, the average magnitude) with a Fourier transform before the
// quantification. Cases: N = 16, 64, 256 decays of 32768 points and N =
// 256, 1024, 4096 of 1024 points. Each round is a fresh record; the time
// is load plus run.
//
// bench/processing_chain_numpy.py writes the data sets (under the folder
// named by PELORIN_CHAIN_DIR), runs this program, times numpy's same steps
// on the same files, compares every quantity (relative 1e-12) and prints
// the ratios. This program writes the quantities of its last round to
// <case folder>/quantities.txt, and the first round's time beside the
// mean (counter first_round_ms).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/core/bruker_reader.h"
#include "app/core/processing_script.h"
#include "app/core/setup_values.h"
#include "command/ky_command_args.h"
#include "command/ky_commands.h"
#include "command/lib_command.h"
#include "data_engine/evp.h"
#include "data_engine/ky_data.h"
#include "framework/ky_app_record.h"

namespace {

std::vector<double> g_quantities;

Dword Callback(Dword message, KyAppRecord* record) {
  if (message == kKyMsgReadRequest) {
    const auto* request = static_cast<const ReaderRequest*>(record->argument);
    return LoadBrukerData(request->root, request->path);
  }
  if (message == kKyMsgTaskReport) {
    const auto* evp = static_cast<const Evp*>(record->argument);
    if (evp && evp->id == kEvpQuantify && evp->zone < g_quantities.size())
      g_quantities[evp->zone] = evp->quantity;
  }
  return 0;
}

// The script of Run Processing for n items of the 29Si column (zero
// filling by doubling, Tmax 1 s), a transform inserted before each
// quantification.
std::string Script(Qword n) {
  SetupValues setup;
  SetupColumn& c = setup.column[0];
  c.zero_fill_choice = 1;
  c.tmax = 1.0;
  std::string built;
  Qword bad = 0;
  if (!BuildProcessingScript(setup, std::vector<std::string>(n, "29Si"), &built, &bad))
    std::abort();
  std::string script;
  Qword item = 0;
  for (size_t at = 0; at < built.size();) {
    const size_t end = built.find("\r\n", at) + 2;
    const std::string line = built.substr(at, end - at);
    if (line.rfind("#QUANTIFY", 0) == 0)
      script += "#FOURIER, 1, 0, 0z" + std::to_string(item++) + "\r\n";
    script += line;
    at = end;
  }
  return script;
}

std::u16string Wide(const std::string& s) { return std::u16string(s.begin(), s.end()); }

void BM_ProcessingChain(benchmark::State& state) {
  const Qword n = static_cast<Qword>(state.range(0)), points = static_cast<Qword>(state.range(1));
  const char* root = std::getenv("PELORIN_CHAIN_DIR");
  if (!root) {
    state.SkipWithError("PELORIN_CHAIN_DIR not set: run bench/processing_chain_numpy.py");
    return;
  }
  const std::string folder =
      std::string(root) + "/case_" + std::to_string(n) + "_" + std::to_string(points);
  std::vector<std::u16string> paths;
  for (Qword i = 0; i < n; ++i) paths.push_back(Wide(folder + "/" + std::to_string(i) + "/fid"));
  const std::string script = Script(n);
  double first = -1;
  for (auto _ : state) {
    g_quantities.assign(n, 0.0);
    KyAppRecord* record = LibCommand(kKyCmdCreate, nullptr);
    record->callback = Callback;
    const auto start = std::chrono::steady_clock::now();
    for (const std::u16string& p : paths) {
      LoadDataArgs args{kKyDataBruker, p.c_str(), kKyLoadPathRequired, nullptr};
      record->argument = &args;
      LibCommand(kKyCmdLoadData, record);
      if (record->error != 0) {
        state.SkipWithError(("load failed with code " + std::to_string(record->error)).c_str());
        break;
      }
    }
    record->argument = const_cast<char*>(script.c_str());
    LibCommand(kKyCmdRunTaskScript, record);
    const auto end = std::chrono::steady_clock::now();
    if (record->error != 0) state.SkipWithError("task run failed");
    LibCommand(kKyCmdFree, record);
    const double seconds = std::chrono::duration<double>(end - start).count();
    if (first < 0) first = seconds;
    state.SetIterationTime(seconds);
  }
  // The first round meets memory this process has not used before.
  state.counters["first_round_ms"] = first * 1e3;
  if (FILE* f = std::fopen((folder + "/quantities.txt").c_str(), "w")) {
    for (double q : g_quantities) std::fprintf(f, "%.17g\n", q);
    std::fclose(f);
  }
}
BENCHMARK(BM_ProcessingChain)
    ->Args({16, 32768})
    ->Args({64, 32768})
    ->Args({256, 32768})
    ->Args({256, 1024})
    ->Args({1024, 1024})
    ->Args({4096, 1024})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
