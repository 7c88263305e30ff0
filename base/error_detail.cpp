#include "base/error_detail.h"

#include <cstring>

namespace {

// Fixed storage: the detail of an allocation failure must not need memory.
constexpr size_t kDetailBytes = 2048;
char g_detail[kDetailBytes];
Dword g_code = 0;

}  // namespace

VELTRIA_API void LibErrorDetailSetA(Dword code, const char* text) {
  g_code = 0;
  g_detail[0] = '\0';
  if (code == 0 || text == nullptr) return;
  size_t n = std::strlen(text);
  if (n >= kDetailBytes) {
    n = kDetailBytes - 1;
    // No UTF-8 sequence is split: back up over continuation bytes.
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  }
  std::memcpy(g_detail, text, n);
  g_detail[n] = '\0';
  g_code = code;
}

VELTRIA_API const char* LibErrorDetailA(Dword code) {
  return code != 0 && code == g_code ? g_detail : nullptr;
}

VELTRIA_API void LibErrorDetailClear(void) {
  g_code = 0;
  g_detail[0] = '\0';
}
