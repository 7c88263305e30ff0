// Loading a Bruker series: 64 decays of 16384 points (DTYPA 0, 8 MiB) from a
// folder made in the temporary folder, and the decoding of those bytes
// alone in both encodings, against a plain memcpy of the same bytes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/core/bruker_files.h"
#include "app/core/bruker_reader.h"
#include "app/core/bruker_samples.h"
#include "data_engine/ky_data.h"
#include "peer_ratio.h"

namespace {

constexpr Qword kTd = 32768, kBlocks = 64;

std::string MakeFolder() {
  std::string dir = std::filesystem::temp_directory_path().string() + "/pelorin-bench-XXXXXX";
  if (!mkdtemp(dir.data())) std::abort();
  std::ofstream(dir + "/acqus")
      << "##$BF1= 79.4948\n##$BYTORDA= 0\n##$D= (0..63)\n"
      << "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n"
      << "##$DTYPA= 0\n##$GRPDLY= 67.98\n"
      << "##$NUC1= <29Si>\n##$O1= 0\n##$P= (0..63)\n"
      << "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n"
      << "##$PULPROG= <zg>\n##$SW_h= 10000\n##$TD= " << kTd << "\n";
  std::ofstream(dir + "/acqu2s") << "##$TD= " << kBlocks << "\n";
  std::vector<int32_t> samples(kTd * kBlocks);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int32_t>(i * 2654435761u);
  std::ofstream(dir + "/ser", std::ios::binary)
      .write(reinterpret_cast<const char*>(samples.data()), samples.size() * 4);
  return dir;
}

void BM_LoadSeries(benchmark::State& state) {
  const std::string dir = MakeFolder();
  const std::string path = dir + "/ser";
  const std::u16string wide(path.begin(), path.end());
  for (auto _ : state) {
    cKyData root(0);
    if (LoadBrukerData(&root, wide.c_str()) != 0) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(root.FirstChild());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kTd * kBlocks * 4));
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_LoadSeries)->Unit(benchmark::kMillisecond);

// The load against a plain read of the same three files into memory (the
// least any loader must do), timed alternately in one run: `vs_plain_read`.
void BM_LoadOverPlainRead(benchmark::State& state) {
  const std::string dir = MakeFolder();
  const std::string path = dir + "/ser";
  const std::u16string wide(path.begin(), path.end());
  auto load = [&] {
    cKyData root(0);
    if (LoadBrukerData(&root, wide.c_str()) != 0) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(root.FirstChild());
  };
  auto read = [&] {
    for (const char* name : {"acqus", "acqu2s", "ser"}) {
      std::string bytes;
      if (BrukerReadWholeFile(dir + "/" + name, ~Qword{0}, &bytes) != 0)
        state.SkipWithError("read failed");
      benchmark::DoNotOptimize(bytes.data());
    }
  };
  // The least a loader that writes the item's rows can do: the same read,
  // then the three rows of doubles (time, real, imaginary) of every block
  // written once, into memory written before (`floor_vs_plain_read`).
  std::vector<double> rows(3 * (kTd / 2) * kBlocks);
  auto floor = [&] {
    read();
    std::fill(rows.begin(), rows.end(), 1.0);
    benchmark::DoNotOptimize(rows.data());
  };
  double ratio = 0, floor_ratio = 0;
  for (auto _ : state) {
    ratio = PeerRatio(load, read);
    floor_ratio = PeerRatio(floor, read);
  }
  state.counters["vs_plain_read"] = ratio;
  state.counters["floor_vs_plain_read"] = floor_ratio;
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_LoadOverPlainRead)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_DecodeBlock(benchmark::State& state) {
  BrukerLayout layout;
  layout.samples = kTd;
  layout.points = kTd / 2;
  layout.blocks = 1;
  layout.dtypa = static_cast<Qword>(state.range(0));
  layout.bytorda = static_cast<Qword>(state.range(1));
  std::vector<unsigned char> bytes(kTd * layout.SampleSize(), 0x11);
  std::vector<double> re(kTd / 2), im(kTd / 2);
  for (auto _ : state) {
    BrukerDecodeBlock(bytes.data(), layout, re.data(), im.data());
    benchmark::DoNotOptimize(re.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeBlock)->Args({0, 0})->Args({0, 1})->Args({2, 0})->Args({2, 1});

void BM_MemcpyBlock(benchmark::State& state) {
  std::vector<unsigned char> bytes(kTd * 8, 0x11), out(kTd * 8);
  for (auto _ : state) {
    std::memcpy(out.data(), bytes.data(), bytes.size());
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_MemcpyBlock);

}  // namespace
