// The expression evaluator through the parameter store, with a few entries
// that refer to each other.
#include "framework/ky_asci_pars.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = FuzzText(data, size);
  cKyAsciPars p;
  p.AddEntry("A", "(B+1)", nullptr);
  p.AddEntry("B", "2", nullptr);
  p.AddEntry("E", ("(" + text + ")").substr(0, 1000).c_str(), nullptr);
  (void)p.Evaluate(text.c_str());
  (void)p.GetReal("E");
  return 0;
}
