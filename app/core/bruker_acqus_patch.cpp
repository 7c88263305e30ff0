#include "app/core/bruker_acqus_patch.h"

#include <cmath>

#include "app/core/bruker_jcamp.h"
#include "app/core/bruker_text.h"

const char kBrukerScaleComment[] = "$$ Pelorin: data file samples = values x ";

namespace {

// Offset of the line that starts with `prefix`, npos when none.
size_t FindLine(const std::string& text, const std::string& prefix) {
  size_t at = 0;
  while (at < text.size()) {
    if (text.compare(at, prefix.size(), prefix) == 0) return at;
    const size_t eol = text.find_first_of("\r\n", at);
    if (eol == std::string::npos) break;
    at = eol + 1;
  }
  return std::string::npos;
}

size_t LineEnd(const std::string& text, size_t at) {
  const size_t eol = text.find_first_of("\r\n", at);
  return eol == std::string::npos ? text.size() : eol;
}

// The line end the file uses (CR LF when its first line ends so).
std::string NewLineOf(const std::string& text) {
  const size_t eol = text.find_first_of("\r\n");
  if (eol != std::string::npos && text[eol] == '\r' && eol + 1 < text.size() &&
      text[eol + 1] == '\n')
    return "\r\n";
  return "\n";
}

}  // namespace

bool BrukerReplaceKeyLine(std::string* text, const char* key, const std::string& line) {
  const size_t at = FindLine(*text, std::string("##$") + key + "=");
  if (at == std::string::npos) return false;
  text->replace(at, LineEnd(*text, at) - at, line);
  return true;
}

std::string BrukerPatchAcqus(const std::string& text, const BrukerAcqusPatch& patch) {
  std::string out = text;
  // A factor recorded by an earlier save no longer holds.
  for (size_t at; (at = FindLine(out, kBrukerScaleComment)) != std::string::npos;) {
    size_t end = LineEnd(out, at);
    if (end < out.size() && out[end] == '\r') ++end;
    if (end < out.size() && out[end] == '\n') ++end;
    out.erase(at, end - at);
  }
  // Every number written here must read back as the same double.
  if (!std::isnan(patch.gdly))
    BrukerReplaceKeyLine(&out, "GRPDLY", "##$GRPDLY= " + BrukerFormatExact(patch.gdly));
  BrukerReplaceKeyLine(&out, "TD", "##$TD= " + std::to_string(patch.td));

  const BrukerJcampText jcamp(out);
  std::string v;
  Qword old;
  if (jcamp.ValueText("DTYPA", &v) &&
      !(BrukerParseUnsigned(v, &old) == BrukerNumber::kOk && old == patch.dtypa))
    BrukerReplaceKeyLine(&out, "DTYPA", "##$DTYPA= " + std::to_string(patch.dtypa));
  if (jcamp.ValueText("BYTORDA", &v) &&
      !(BrukerParseUnsigned(v, &old) == BrukerNumber::kOk && old == patch.bytorda))
    BrukerReplaceKeyLine(&out, "BYTORDA", "##$BYTORDA= " + std::to_string(patch.bytorda));

  if (patch.scale != 1) {
    const std::string comment =
        kBrukerScaleComment + BrukerFormatG(patch.scale, 17) + NewLineOf(out);
    const size_t td = FindLine(out, "##$TD=");
    size_t at = out.size();
    if (td != std::string::npos) {
      at = LineEnd(out, td);
      if (at < out.size() && out[at] == '\r') ++at;
      if (at < out.size() && out[at] == '\n') ++at;
    }
    if (at == out.size() && !out.empty() && out.back() != '\n' && out.back() != '\r') {
      out += NewLineOf(out);
      at = out.size();
    }
    out.insert(at, comment);
  }
  return out;
}
