// The two-column text reader (relaxation curve and dispersion profile) on
// arbitrary file contents, and the simulator's parameter reader with the
// generators on arbitrary parameter lines (sizes capped so a run stays
// small).
#include <unistd.h>

#include <cstdio>
#include <string>

#include "data_engine/ky_data.h"
#include "data_engine/simulator.h"
#include "fuzz/fuzz_input.h"

namespace {

std::u16string TempPath() {
  static std::string path;
  if (path.empty()) path = "/tmp/veltria-fuzz-import-" + std::to_string(getpid()) + ".txt";
  return std::u16string(path.begin(), path.end());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool profile = data[0] & 1;
  const std::u16string path16 = TempPath();
  const std::string path(path16.begin(), path16.end());
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data + 1, 1, size - 1, f);
    std::fclose(f);
  }
  cKyData root(0);
  root.AddChild(new cKyData(0));
  root.Import(profile ? kKyDataFfcProfile : kKyDataRelaxCurve, path16.c_str());
  std::remove(path.c_str());

  // The same bytes as parameter lines of a simulated item.
  std::string lines = FuzzText(data + 1, size - 1);
  cKyAsciPars pars;
  pars.AddLines(lines.c_str());
  SimPars sim;
  if (SimParsRead(&pars, &sim) == kErrNone) {
    const bool small =
        sim.bs != kNoIndex && sim.bs <= 256 && (sim.nblk == kNoIndex || sim.nblk <= 16);
    SimParsRelease(&sim);
    if (small) {
      cKyData sim_root(0);
      auto* item = new cKyData(0);
      item->parameters.AddLines(lines.c_str());
      sim_root.AddChild(item);
      SimulateRelaxationData(&sim_root);
    }
  }
  return 0;
}
