// NewSprintf, SprintfAppend and SprintfToBuffer with their 8-bit twins: the
// engine's new string handed on, appended, or copied into a buffer.
#include <cstdarg>
#include <cstring>

#include "base/format.h"
#include "base/format_engine.h"
#include "base/memory.h"
#include "base/platform/allocator.h"
#include "base/string_core.h"
#include "base/strings.h"

namespace {

char16_t* Engine(const char16_t* f, va_list ap) { return FormatEngine(f, ap); }
char* Engine(const char* f, va_list ap) { return FormatEngineA(f, ap); }
Qword Copy(const char16_t* t, char16_t* b, Qword c) { return StringToBuffer(t, b, c); }
Qword Copy(const char* t, char* b, Qword c) { return StringToBufferA(t, b, c); }

// Appends as StringAppend does, but grows the held block geometrically in
// place, so a report built line by line is not copied once per line.
template <class C>
C* AppendFormatted(C** address, const C* format, va_list ap) {
  if (!address) return nullptr;
  C* piece = Engine(format, ap);
  if (!piece) return *address;
  C* held = *address;
  // Measured on every call, never remembered: the caller owns the string and
  // may shorten or edit it between appends, and only its terminator says
  // where it ends now. A kept length would append behind a terminator the
  // caller wrote and hide the new text.
  const Qword n = str::Len(held);
  if (n == 0) {  // an empty or missing string is replaced by the new text
    KillPtr(address);
    *address = piece;
    return piece;
  }
  const Qword m = str::Len(piece);
  if (m != 0) {
    const Qword need = n + m + 1;
    if (PlatformBlockSize(held) / sizeof(C) < need) {
      const Qword room = need < MaxArrCount<C>() / 2 ? 2 * need : need;
      void* grown = need <= MaxArrCount<C>()
                        ? PlatformRealloc(held, static_cast<size_t>(room * sizeof(C)))
                        : nullptr;
      if (!grown) {  // as StringAppend: the old string is released, null stays
        KillPtr(&piece);
        KillPtr(address);
        return nullptr;
      }
      held = static_cast<C*>(grown);
      *address = held;
    }
    std::memcpy(held + n, piece, static_cast<size_t>((m + 1) * sizeof(C)));
  }
  KillPtr(&piece);
  return held;
}

template <class C>
Qword ToBuffer(C* buffer, Qword capacity, const C* format, va_list ap) {
  C* text = Engine(format, ap);
  if (!text) {
    if (buffer && capacity != 0) buffer[0] = 0;
    return 0;
  }
  const Qword n = Copy(text, buffer, capacity);
  KillPtr(&text);
  return n;
}

}  // namespace

VELTRIA_API char16_t* NewSprintf(const char16_t* format, ...) {
  va_list ap;
  va_start(ap, format);
  char16_t* s = FormatEngine(format, ap);
  va_end(ap);
  return s;
}

VELTRIA_API char* NewSprintfA(const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  char* s = FormatEngineA(format, ap);
  va_end(ap);
  return s;
}

VELTRIA_API char16_t* SprintfAppend(char16_t** address, const char16_t* format, ...) {
  va_list ap;
  va_start(ap, format);
  char16_t* s = AppendFormatted(address, format, ap);
  va_end(ap);
  return s;
}

VELTRIA_API char* SprintfAppendA(char** address, const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  char* s = AppendFormatted(address, format, ap);
  va_end(ap);
  return s;
}

VELTRIA_API Qword SprintfToBuffer(char16_t* buffer, Qword capacity, const char16_t* format, ...) {
  va_list ap;
  va_start(ap, format);
  const Qword n = ToBuffer(buffer, capacity, format, ap);
  va_end(ap);
  return n;
}

VELTRIA_API Qword SprintfToBufferA(char* buffer, Qword capacity, const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  const Qword n = ToBuffer(buffer, capacity, format, ap);
  va_end(ap);
  return n;
}
