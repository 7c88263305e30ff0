// Copies into caller buffers, within the same width or between the widths.
// None writes more than `capacity` units, terminator included; capacity 0
// writes nothing and kNoIndex means the caller guarantees the room.
#include "base/string_core.h"
#include "base/strings.h"

namespace {

// Copies n units converting each as in NewCopyStringAW/WA, terminates.
template <class To, class From>
Qword PutUnits(const From* text, Qword n, To* buffer, Qword capacity) {
  if (n > capacity - 1) n = capacity - 1;  // capacity is at least 1 here
  for (Qword i = 0; i < n; ++i) buffer[i] = static_cast<To>(text[i]);
  buffer[n] = 0;
  return n;
}

template <class To, class From>
Qword CopyToBuffer(const From* text, To* buffer, Qword capacity) {
  if (capacity == 0 || !buffer) return 0;
  buffer[0] = 0;
  return PutUnits(str::Safe(text), str::Len(text), buffer, capacity);
}

template <class Ch>
Qword SectionToBuffer(const Ch* text, Qword first, Qword last, Ch* buffer, Qword capacity) {
  if (capacity == 0 || !buffer) return 0;
  buffer[0] = 0;
  const Qword n = str::Len(text);
  if (first == kNoIndex) first = 0;
  if (first >= n || last < first) return 0;
  if (last >= n) last = n - 1;
  return PutUnits(text + first, last - first + 1, buffer, capacity);
}

}  // namespace

VELTRIA_API Qword StringToBuffer(const char16_t* text, char16_t* buffer, Qword capacity) {
  return CopyToBuffer(text, buffer, capacity);
}
VELTRIA_API Qword StringToBufferA(const char* text, char* buffer, Qword capacity) {
  return CopyToBuffer(text, buffer, capacity);
}
VELTRIA_API Qword StringToBufferAW(const char* text, char16_t* buffer, Qword capacity) {
  return CopyToBuffer(text, buffer, capacity);
}
VELTRIA_API Qword StringToBufferWA(const char16_t* text, char* buffer, Qword capacity) {
  return CopyToBuffer(text, buffer, capacity);
}

VELTRIA_API Qword StringSectionToBuffer(const char16_t* text, Qword first, Qword last,
                                        char16_t* buffer, Qword capacity) {
  return SectionToBuffer(text, first, last, buffer, capacity);
}
VELTRIA_API Qword StringSectionToBufferA(const char* text, Qword first, Qword last, char* buffer,
                                         Qword capacity) {
  return SectionToBuffer(text, first, last, buffer, capacity);
}
