// The formatter's directive parser on arbitrary text.
#include "base/format_engine.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = FuzzText(data, size);
  FormatSpecA spec;
  (void)FormatParseSpec(text.c_str(), &spec);
  return 0;
}
