// Whole Bruker acquisition folders: the reader on any set of files, and
// every folder that loads is saved and loaded again with the same blocks,
// points and samples.
//
// Input: the first byte chooses `fid` (even) or `ser` (odd); the rest is
// cut at each kFileBreak into acqus, the data file, acqu2s and difflist (a
// missing part is a missing file). tools/gen_bruker_fuzz_seeds.py packs the
// sample folders this way.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/core/bruker_reader.h"
#include "app/core/bruker_writer.h"
#include "data_engine/ky_data.h"

namespace {

constexpr char kFileBreak[] = "\n%%FILE%%\n";

std::u16string Wide(const std::string& path) { return std::u16string(path.begin(), path.end()); }

void WriteFile(const std::string& path, const std::string& bytes) {
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
}

// The process's own folder, removed when the fuzzer exits.
std::string base_folder;

// A fresh folder of this process, emptied between inputs.
std::string Scratch(const char* name) {
  static const std::string base = [] {
    char pattern[] = "/tmp/veltria-fuzz-bruker-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr) std::abort();
    base_folder = made;
    std::atexit([] { std::filesystem::remove_all(base_folder); });
    return std::string(made);
  }();
  const std::string folder = base + "/" + name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

[[noreturn]] void Fail(const char* what, Qword code) {
  std::fprintf(stderr, "bruker folder round trip: %s (%llu)\n", what,
               static_cast<unsigned long long>(code));
  std::abort();
}

// The item's blocks match sample for sample, bit for bit; a NaN may come
// back with another payload (a signalling one is quieted on the way).
void ExpectSameBlocks(const cKyData& a, const cKyData& b) {
  if (a.ChildCount() != b.ChildCount()) Fail("block count differs", b.ChildCount());
  for (Qword i = 0; i < a.ChildCount(); ++i) {
    const cKyData& x = *a.Child(i);
    const cKyData& y = *b.Child(i);
    if (x.rows != y.rows || x.points != y.points) Fail("block size differs", i);
    for (Qword k = 0; k < x.rows * x.points; ++k) {
      const double u = x.matrix[k], v = y.matrix[k];
      if (std::memcmp(&u, &v, sizeof u) != 0 && !(std::isnan(u) && std::isnan(v)))
        Fail("samples differ in block", i);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string data_name = (data[0] & 1) ? "ser" : "fid";
  const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  std::vector<std::string> parts;
  for (size_t at = 0;;) {
    const size_t cut = bytes.find(kFileBreak, at);
    parts.push_back(bytes.substr(at, cut == std::string::npos ? std::string::npos : cut - at));
    if (cut == std::string::npos) break;
    at = cut + sizeof kFileBreak - 1;
  }
  const char* const names[] = {"acqus", nullptr, "acqu2s", "difflist"};
  const std::string in = Scratch("in");
  for (size_t i = 0; i < parts.size() && i < 4; ++i)
    WriteFile(in + "/" + (names[i] ? names[i] : data_name), parts[i]);

  cKyData root(0);
  if (LoadBrukerData(&root, Wide(in + "/" + data_name).c_str()) != kErrNone) return 0;
  cKyData* item = root.LastChild();
  if (item == nullptr) Fail("loaded without an item", 0);
  const std::string out = Scratch("out");
  const LibErrorCode saved = SaveBrukerData(item, Wide(out).c_str());
  if (saved != kErrNone) Fail("a loaded folder does not save", saved);
  cKyData again(0);
  const LibErrorCode loaded = LoadBrukerData(&again, Wide(out + "/" + data_name).c_str());
  if (loaded != kErrNone) Fail("a saved folder does not load", loaded);
  ExpectSameBlocks(*item, *again.LastChild());
  return 0;
}
