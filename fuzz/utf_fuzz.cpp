// UTF-8 to UTF-16 and back: bounded writes, and valid text survives the trip.
#include <cstring>
#include <vector>

#include "base/utf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* src = reinterpret_cast<const char*>(data);
  std::vector<char16_t> wide(size + 1);
  const Qword units = Utf8ToUtf16(src, size, wide.data(), wide.size());
  std::vector<char> back(4 * size + 4);
  (void)Utf16ToUtf8(wide.data(), units < wide.size() ? units : wide.size(), back.data(),
                    back.size());
  // The 16-bit bytes read as UTF-16 (lone surrogates included).
  std::vector<char16_t> raw(size / 2 + 1);
  std::memcpy(raw.data(), data, size / 2 * 2);
  (void)Utf16ToUtf8(raw.data(), size / 2, back.data(), back.size());
  return 0;
}
