// Grooming, comment cutting, escape restoring and list editing in place.
#include <vector>

#include "base/string_groom.h"
#include "base/string_lists.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const GroomFlags flags = static_cast<GroomFlags>(data[0] | (data[1] << 8));
  const std::string text = FuzzText(data + 2, size - 2);
  std::vector<char> a(text.begin(), text.end());
  a.push_back(0);
  StringGroomA(a.data(), flags);
  std::vector<char> b(text.begin(), text.end());
  b.push_back(0);
  StringCutoffCommentsA(b.data(), "//", 0);
  StringRestoreEscapesA(b.data());
  // The list editors: the first character is the delimiter (NUL included),
  // the rest up to it the item.
  std::vector<char> list(text.begin(), text.end());
  list.push_back(0);
  const char delimiter = static_cast<char>(data[0]);
  const std::string item = text.substr(0, text.size() / 3);
  StringsListDeleteItemA(list.data(), item.c_str(), delimiter);
  return 0;
}
