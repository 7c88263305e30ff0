#include "base/console_in.h"

#include <cstring>

#include "base/console_out.h"
#include "base/console_text.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "base/platform/allocator.h"
#include "base/platform/terminal.h"
#include "base/string_groom.h"
#include "base/utf.h"

namespace {

// A line store that cannot be had ends the read before anything is read.
constexpr LibErrorCode kErrLineStore = 0x80001;
// Lines read only to be dropped.
constexpr Qword kDropCapacity = 1024;

inline void CopyLine(const char* line, char16_t* buffer, Qword capacity) {
  Utf8ToUtf16(line, kNoIndex, buffer, capacity);
}
inline void CopyLine(const char* line, char* buffer, Qword capacity) {
  const Qword n = strlen(line);
  memcpy(buffer, line, n < capacity ? n + 1 : capacity);
  buffer[capacity - 1] = 0;
}
inline void Groom(char16_t* text, Qword flags) {
  StringGroom(text, static_cast<GroomFlags>(flags));
}
inline void Groom(char* text, Qword flags) { StringGroomA(text, static_cast<GroomFlags>(flags)); }

template <class C>
LibErrorCode ReadLine(const C* prompt, C* buffer, Qword capacity, Qword groom, bool* ended) {
  if (ended) *ended = false;
  ConSetTextColorID(4);
  ConWriteText(" ");
  ConWriteText(prompt);
  ConWriteText(" ");
  ConClearEndOfLine();
  const bool have_buffer = buffer != nullptr && capacity != 0;
  // One byte per unit is enough: a typed line is cut at capacity - 1 bytes,
  // which never decode to more units.
  const Qword store_size = have_buffer ? capacity : kDropCapacity;
  char* store = static_cast<char*>(PlatformAlloc(store_size));
  if (!store) {
    ConSetTextColorID(0);
    return kErrLineStore;
  }
  ConSetTextColorID(5);
  TermFlush();
  const bool got = TermReadLine(store, store_size);
  ConSetTextColorID(0);
  if (!got) {
    if (ended) *ended = true;
    // The user sees where the input ended.
    ConWriteText("\n");
  }
  if (have_buffer) {
    CopyLine(store, buffer, capacity);
    Groom(buffer, groom);
  }
  PlatformFree(store);
  return have_buffer ? LibErrorCode{0} : LibErrorCode{kErrMissingOutputBuffer};
}

template <class C>
C WaitKey(const C* prompt, Dword flag, C (*get)(Dword)) {
  if (prompt) {
    ConSetTextColorID(4);
    ConWriteText(prompt);
  }
  const C c = get(flag);
  ConSetTextColorID(5);
  // Control keys (Enter, Escape) echo nothing.
  if (static_cast<Dword>(c) >= 32 && c != 127) {
    const C one[2] = {c, 0};
    ConWriteText(one);
  }
  ConSetTextColorID(0);
  TermFlush();
  return c;
}

}  // namespace

LibErrorCode ConReadLine(const char16_t* prompt, char16_t* buffer, Qword capacity, Qword groom,
                         bool* ended) {
  return ReadLine(prompt, buffer, capacity, groom, ended);
}
LibErrorCode ConReadLine(const char* prompt, char* buffer, Qword capacity, Qword groom,
                         bool* ended) {
  return ReadLine(prompt, buffer, capacity, groom, ended);
}

LibErrorCode CinToBuffer(const char16_t* prompt, char16_t* buffer, Qword capacity, Qword groom) {
  return ReadLine(prompt, buffer, capacity, groom, nullptr);
}
LibErrorCode CinToBufferA(const char* prompt, char* buffer, Qword capacity, Qword groom) {
  return ReadLine(prompt, buffer, capacity, groom, nullptr);
}

char16_t CinGetKey(Dword flag) {
  for (;;) {
    const Long key = TermReadKey();
    if (key < 0) return 0;  // no key can come: the wait ends
    // Beyond the 16-bit range there is no one-unit character.
    const char16_t c = key > 0xFFFF ? 0 : static_cast<char16_t>(key);
    if (flag || c) return c;
  }
}

char CinGetKeyA(Dword flag) {
  for (;;) {
    const Long key = TermReadKey();
    if (key < 0) return 0;
    // 8-bit text is UTF-8: only ASCII keys are one byte.
    const char c = key < 0x80 ? static_cast<char>(key) : 0;
    if (flag || c) return c;
  }
}

char16_t CinWaitKbHit(const char16_t* prompt, Dword flag) {
  return WaitKey(prompt, flag, CinGetKey);
}
char CinWaitKbHitA(const char* prompt, Dword flag) { return WaitKey(prompt, flag, CinGetKeyA); }
