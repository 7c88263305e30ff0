// Number parsers on arbitrary text: every reader with its status word.
#include "base/number_text.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = FuzzText(data, size);
  const char* t = text.c_str();
  NumStatus status = 0;
  Qword consumed = 0;
  (void)StringToRealA(t, &status, &consumed, 10);
  for (Dword radix : {2u, 10u, 16u, 36u}) (void)StringToDwordA(t, &status, &consumed, radix);
  (void)StringToQlongStrictA(t, &status, &consumed);
  char buffer[64];
  (void)RealToBufferA(StringToRealA(t, nullptr, nullptr, 10), buffer, 17, 10);
  return 0;
}
