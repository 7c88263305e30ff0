// Byte blocks as binary (mode 1) or hexadecimal (mode 3) text and back.
#include "base/memory.h"
#include "base/num_chars.h"
#include "base/number_text.h"

namespace {

constexpr Dword kBinary = 1;
constexpr Dword kHex = 3;

}  // namespace

VELTRIA_API Qword MemToBufferA(const void* data, Qword count, char* buffer, Qword capacity,
                               Dword mode) {
  if ((mode != kBinary && mode != kHex) || !buffer || capacity == 0) return 0;
  const auto* bytes = static_cast<const unsigned char*>(data);
  const Qword step = mode == kBinary ? 8 : 2;
  Qword n = 0;
  // A byte is written only while its text and the terminator fit.
  for (Qword i = 0; bytes && i < count && n + step + 1 <= capacity; ++i) {
    const unsigned v = bytes[i];
    if (mode == kBinary) {
      for (int bit = 7; bit >= 0; --bit) buffer[n++] = ((v >> bit) & 1) ? '1' : '0';
    } else {
      buffer[n++] = numtext::DigitChar<char>(v >> 4);
      buffer[n++] = numtext::DigitChar<char>(v);
    }
  }
  buffer[n] = 0;
  return n;
}

VELTRIA_API LibErrorCode NewAsciFromMem(Dword mode, const void* data, Qword count, char** text,
                                        Qword* length) {
  if (!data) return kErrMissingInputData;
  if (count == 0) return kErrNone;
  if (!text) return kErrMissingOutputBuffer;
  *text = nullptr;
  if (length) *length = 0;
  if (mode != kBinary && mode != kHex) return kErrNotYetImplemented;
  const Qword per_byte = mode == kBinary ? 8 : 2;
  if (count > (MaxArrCount<char>() - 1) / per_byte) return kErrAlloc;
  const Qword chars = count * per_byte;
  Dword error = 0;
  char* s = NewByteArrFill(&error, chars + 1);
  if (!s) return kErrAlloc;
  s[0] = 0;
  const Qword n = MemToBufferA(data, count, s, chars + 1, mode);
  *text = s;
  if (length) *length = n;
  return kErrNone;
}

VELTRIA_API LibErrorCode MemFromAsci(Dword mode, const char* text, void* bytes, Qword* capacity) {
  if (mode != kBinary && mode != kHex) return kErrNotYetImplemented;
  if (!capacity) return kErrMissingInputData;
  if (*capacity == 0) return kErrNone;  // not even room for the terminating zero
  if (!bytes) return kErrMissingOutputBuffer;
  auto* out = static_cast<unsigned char*>(bytes);
  const Qword chunk = mode == kBinary ? 8 : 2;
  char piece[2 + 8 + 1] = {'0', mode == kBinary ? 'b' : 'x'};
  Qword stored = 0;
  Qword pos = 0;
  while (text && stored + 1 < *capacity) {
    Qword got = 0;
    while (got < chunk && text[pos + got] != 0) {
      piece[2 + got] = text[pos + got];
      ++got;
    }
    if (got < chunk) break;
    piece[2 + chunk] = 0;
    NumStatus st = NUM_PREFIXES;
    out[stored++] = static_cast<unsigned char>(StringToQwordStrictA(piece, &st, nullptr));
    pos += chunk;
  }
  out[stored] = 0;
  *capacity = stored;
  return kErrNone;
}
