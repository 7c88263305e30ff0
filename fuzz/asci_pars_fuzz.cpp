// The parameter store: entries "name=value" from the input lines, then every
// reader over them.
#include <string>

#include "framework/ky_asci_pars.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = FuzzText(data, size);
  cKyAsciPars p;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    const size_t eq = line.find('=');
    if (eq != std::string::npos) {
      const std::string name = line.substr(0, eq), value = line.substr(eq + 1);
      p.AddEntry(name.c_str(), value.c_str(), nullptr);
      (void)p.GetReal(name.c_str());
      double values[4];
      (void)p.GetRealArray(name.c_str(), values, 4);
    }
    start = end + 1;
  }
  return 0;
}
