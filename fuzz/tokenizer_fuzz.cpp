// The tokenizer: every token of arbitrary text, with integer and real numbers.
#include "framework/ky_parser.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = FuzzText(data, size);
  for (int real = 0; real < 2; ++real) {
    cKyParser parser(64, "_$", "_.");
    parser.SetText(text.c_str());
    for (int guard = 0; guard < 100000; ++guard) {
      Dword position = 0;
      const Dword type = real ? parser.NextTokenReal(&position, 0) : parser.NextToken(&position, 0);
      // The end token closes the text; 0 would be a tokenizer failure.
      if (type == kKyTokenEnd || type == 0 || position > text.size()) break;
    }
  }
  return 0;
}
