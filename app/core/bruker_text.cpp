#include "app/core/bruker_text.h"

#include <charconv>
#include <cmath>

namespace {

// Length of the well-formed UTF-8 sequence at s[i], 0 when there is none
// (overlong forms, surrogates and values above U+10FFFF are not well formed).
size_t Utf8SequenceLength(std::string_view s, size_t i) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  size_t n;
  unsigned char lo = 0x80, hi = 0xBF;
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    if (c == 0xE0) lo = 0xA0;
    if (c == 0xED) hi = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    const unsigned char t = static_cast<unsigned char>(s[i + k]);
    if (t < (k == 1 ? lo : 0x80) || t > (k == 1 ? hi : 0xBF)) return 0;
  }
  return n;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string BrukerValidUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    if (bytes[i] == '\0') {
      ++i;
      continue;
    }
    const size_t n = Utf8SequenceLength(bytes, i);
    if (n > 0) {
      out.append(bytes.substr(i, n));
      i += n;
    } else {
      const unsigned char c = static_cast<unsigned char>(bytes[i]);
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
      ++i;
    }
  }
  return out;
}

std::string BrukerFormatG(double value, int digits) {
  char buffer[64];
  // %.0g means one digit.
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general,
                               digits < 1 ? 1 : digits);
  return std::string(buffer, r.ptr);
}

std::string BrukerFormatExact(double value) {
  char buffer[64];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general);
  return std::string(buffer, r.ptr);
}

std::string_view BrukerTrim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

BrukerNumber BrukerParseUnsigned(std::string_view text, Qword* value) {
  text = BrukerTrim(text);
  *value = 0;
  if (text.empty()) return BrukerNumber::kNotANumber;
  Qword v = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return BrukerNumber::kNotANumber;
    const Qword d = static_cast<Qword>(c - '0');
    if (v > (~Qword{0} - d) / 10) return BrukerNumber::kTooLarge;
    v = v * 10 + d;
  }
  *value = v;
  return BrukerNumber::kOk;
}

double BrukerParseReal(std::string_view text) {
  text = BrukerTrim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.front() == '+') return NAN;
  double value = NAN;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  // Out of range counts as no number, as does anything left over.
  if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return NAN;
  return value;
}
