// Task scripts: every command parsed into a record and run through the
// router on a small tree (with the procedures of the table),
// and the parameter readers on the parsed record.
#include <cstring>

#include "base/memory.h"
#include "data_engine/evp.h"
#include "data_engine/ky_data.h"
#include "fuzz/fuzz_input.h"

namespace {

cKyData* SmallTree() {
  auto* root = new cKyData(0);
  for (int z = 0; z < 2; ++z) {
    auto* item = new cKyData(0);
    for (int b = 0; b < 3; ++b) {
      auto* block = new cKyData(0);
      block->SetSize(16, 3, 1, 0.0, 15.0);
      for (Qword i = 0; i < 16; ++i) block->Row(1)[i] = static_cast<double>(i % 5);
      item->AddChild(block);
    }
    root->AddChild(item);
  }
  root->AddChild(new cKyData(0));  // an item without blocks
  return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = FuzzText(data, size);
  Evp evp;
  InitEvp(&evp);
  if (EvpParseCommand(text.c_str(), &evp) == kErrNone) {
    for (Qword i = 0; i < 4; ++i) {
      char* p = NewGetEvpParameterAsString(&evp, i);
      KillPtr(&p);
      GetEvpParameterAsReal(&evp, i);
      GetEvpParameterAsQword(&evp, i);
      GetEvpParameterAsQlong(&evp, i);
    }
    Qword first = 0, last = 0;
    GetEvpIpointEpoint(&evp, &first, &last, 16);
    GetEvpIpointEpoint(&evp, &first, &last, 0);
  }
  ReleaseEvp(&evp);
  // Real procedures run too. ZEROFILL asks for 2^k times the points or any
  // count given, gigabytes at will, which the allocator would refuse cleanly
  // but the fuzzer's memory limit reports first: scripts that name it are
  // parsed, not run.
  // Names are found by prefix ("#Z" is ZEROFILL too), so any command whose
  // name starts with Z after the blanks is left out.
  for (size_t i = text.find('#'); i != std::string::npos; i = text.find('#', i + 1)) {
    size_t j = i + 1;
    while (j < text.size() &&
           (text[j] == ' ' || text[j] == '\t' || text[j] == '\r' || text[j] == '\n'))
      ++j;
    if (j < text.size() && (text[j] == 'Z' || text[j] == 'z')) return 0;
  }
  cKyData* root = SmallTree();
  root->RunTask(text.c_str(), nullptr);
  delete root;
  return 0;
}
