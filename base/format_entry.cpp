// NewSprintf, SprintfAppend and SprintfToBuffer with their 8-bit twins: the
// engine's new string handed on, appended, or copied into a buffer.
#include <cstdarg>

#include "base/format.h"
#include "base/format_engine.h"
#include "base/memory.h"
#include "base/strings.h"

namespace {

char16_t* Engine(const char16_t* f, va_list ap) { return FormatEngine(f, ap); }
char* Engine(const char* f, va_list ap) { return FormatEngineA(f, ap); }
char16_t* Append(char16_t** a, const char16_t* t) { return StringAppend(a, t); }
char* Append(char** a, const char* t) { return StringAppendA(a, t); }
Qword Copy(const char16_t* t, char16_t* b, Qword c) { return StringToBuffer(t, b, c); }
Qword Copy(const char* t, char* b, Qword c) { return StringToBufferA(t, b, c); }

template <class C>
C* AppendFormatted(C** address, const C* format, va_list ap) {
  if (!address) return nullptr;
  C* piece = Engine(format, ap);
  if (piece) {
    Append(address, piece);
    KillPtr(&piece);
  }
  return *address;
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
