// A rational typed on the console, and one written to it.
#include "base/console_in.h"
#include "base/console_out.h"
#include "base/num_status.h"
#include "scalar/rational.h"

namespace {

constexpr Qword kLineRoom = 1024;
// Sign, 64 binary digits, slash, 64 digits and the terminator.
constexpr Qword kTextRoom = 131;

// The wide reader keeps the typed text, the 8-bit one grooms it.
inline LibErrorCode ReadLine(const char16_t* prompt, char16_t* line) {
  return CinToBuffer(prompt, line, kLineRoom, 0x8000);
}
inline LibErrorCode ReadLine(const char* prompt, char* line) {
  return CinToBufferA(prompt, line, kLineRoom, 0);
}
inline NumStatus Parse(const char16_t* t, Qrat* q, Dword flags) {
  return StringToQrat(t, q, nullptr, flags);
}
inline NumStatus Parse(const char* t, Qrat* q, Dword flags) {
  return StringToQratA(t, q, nullptr, flags);
}
inline void Write(const char16_t* a, const char16_t* b, const char16_t* c) { Cout(a, b, c); }
inline void Write(const char* a, const char* b, const char* c) { CoutA(a, b, c); }
inline void ToText(Qrat* q, char16_t* text) { QratToBuffer(q, text, 10); }
inline void ToText(Qrat* q, char* text) { QratToBufferA(q, text, 10); }

template <class C>
NumStatus Read(Qrat* result, const C* prompt, Dword flags) {
  Qrat value(1, 0);
  NumStatus status = NUM_UNDEFINED;
  C line[kLineRoom];
  if (ReadLine(prompt, line) == 0) status = Parse(line, &value, flags);
  if (result) *result = value;
  return status;
}

template <class C>
void Show(const C* prefix, const Qrat* value, const C* suffix) {
  C text[kTextRoom] = {0};
  if (value) {
    Qrat copy = *value;  // the caller's value stays as it is
    ToText(&copy, text);
  }
  Write(prefix, text, suffix);
}

}  // namespace

VELTRIA_API NumStatus CinQrat(Qrat* result, const char16_t* prompt, Dword flags) {
  return Read(result, prompt, flags);
}
VELTRIA_API NumStatus CinQratA(Qrat* result, const char* prompt, Dword flags) {
  return Read(result, prompt, flags);
}
VELTRIA_API void CoutQrat(const char16_t* prefix, const Qrat* value, const char16_t* suffix,
                          Dword) {
  Show(prefix, value, suffix);
}
VELTRIA_API void CoutQratA(const char* prefix, const Qrat* value, const char* suffix, Dword) {
  Show(prefix, value, suffix);
}
