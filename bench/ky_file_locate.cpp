// cKyFile::LocateString over a large file, the pattern planted at its end,
// so every window of the file is searched. The file (size in MiB as the
// argument; 256 MiB by default) is made in the temporary folder and removed
// afterwards.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "base/files.h"
#include "framework/ky_file.h"

namespace {

// Writes `mib` MiB of random letters ending in "Setup:"; its path.
std::string MakeFile(Qword mib) {
  const char* tmp = std::getenv("TMPDIR");
  std::string path = std::string(tmp && tmp[0] ? tmp : "/tmp") + "/veltria-locate-XXXXXX";
  const int fd = mkstemp(path.data());
  if (fd < 0) return std::string();
  close(fd);
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return std::string();
  std::mt19937_64 rng(42);
  std::string block(1 << 20, 'a');
  for (Qword i = 0; i < mib; ++i) {
    for (char& c : block) c = static_cast<char>('a' + rng() % 26);
    if (i + 1 == mib) block.replace(block.size() - 6, 6, "Setup:");
    std::fwrite(block.data(), 1, block.size(), out);
  }
  std::fclose(out);
  return path;
}

void BM_LocateString(benchmark::State& state) {
  const Qword mib = static_cast<Qword>(state.range(0));
  const std::string path = MakeFile(mib);
  if (path.empty()) {
    state.SkipWithError("cannot create the file");
    return;
  }
  std::u16string wide(path.begin(), path.end());
  cKyFile file;
  if (!file.SetPath(wide.c_str(), nullptr, nullptr) || !file.Open(0)) {
    state.SkipWithError("cannot open the file");
    std::remove(path.c_str());
    return;
  }
  for (auto _ : state) {
    file.DropBuffer();
    const Qlong found = file.LocateString("Setup:", kLocateRewind, 0, 0);
    benchmark::DoNotOptimize(found);
    if (found != 1) state.SkipWithError("pattern not found");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(mib << 20));
  file.Close();
  std::remove(path.c_str());
}
BENCHMARK(BM_LocateString)->Arg(256)->Unit(benchmark::kMillisecond);

}  // namespace
