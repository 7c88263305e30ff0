// Text forms of vectors: coordinates written with RealToBuffer into a
// template ("/" marks a coordinate) or between four delimiter characters.
#include "base/number_text.h"
#include "complexvec/vectors.h"

namespace {

Qword WithPattern(const double* c, int n, char16_t* buffer, Long digits, const char16_t* pattern) {
  if (!buffer) return 0;
  const char16_t* t = pattern ? pattern : u"";
  Qword pos = 0;
  for (int i = 0; i < n; ++i) {
    while (*t && *t != u'/') buffer[pos++] = *t++;
    if (*t == u'/') ++t;
    pos += RealToBuffer(c[i], buffer + pos, digits, 10);
  }
  while (*t && *t != u'/') buffer[pos++] = *t++;
  buffer[pos] = 0;
  return pos;
}

}  // namespace

VELTRIA_API Qword v2ToBuffer(const VECTOR2D& v, char16_t* buffer, Long digits,
                             const char16_t* pattern) {
  const double c[2] = {v.x, v.y};
  return WithPattern(c, 2, buffer, digits, pattern);
}

VELTRIA_API Qword v3ToBuffer(const VECTOR3D& v, char16_t* buffer, Long digits,
                             const char16_t* pattern) {
  const double c[3] = {v.x, v.y, v.z};
  return WithPattern(c, 3, buffer, digits, pattern);
}

VELTRIA_API Qword vToBuffer(Qword count, VECTORnD v, char16_t* buffer, Long digits,
                            const char16_t* delimiters) {
  if (!buffer) return 0;
  // A count beyond the vector's own would read past its coordinates.
  if (count > v.count) count = v.count;
  // Up to four delimiters; a text that ends early leaves the rest out.
  char16_t delim[4] = {0, 0, 0, 0};
  const char16_t* d = delimiters ? delimiters : u"(, )";
  for (int i = 0; i < 4 && *d; ++i) delim[i] = *d++;
  Qword pos = 0;
  auto put = [&](char16_t ch) {
    if (ch) buffer[pos++] = ch;
  };
  put(delim[0]);
  for (Qword i = 0; i < count; ++i) {
    pos += RealToBuffer(v.values[i], buffer + pos, digits, 10);
    if (i + 1 < count) {
      put(delim[1]);
      put(delim[2]);
    }
  }
  put(delim[3]);
  buffer[pos] = 0;
  return pos;
}
