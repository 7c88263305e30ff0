// The configuration file's text: any file and any caller text. Whatever
// body the builders accept, once written, reads back as what was given; the
// other sections read as before; writing it again changes nothing.
//
// Input: the first byte chooses the section (its value mod 3), whether the
// file exists (bit 2) and the recent entry's data type (the high bits); the
// rest is the file, a NUL, then the caller's text.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "command/config_text.h"

namespace {

[[noreturn]] void Fail(const char* what, int section) {
  std::fprintf(stderr, "configuration text: %s (section %d)\n", what, section);
  std::abort();
}

// What the reader should answer for the section right after the body was
// written (the recent-files reader answers every entry; the new one comes
// first).
bool ReadsBack(KyConfigSection section, const std::string& body, const std::string& text) {
  switch (section) {
    case kKyConfigRecentFiles:
      return text.compare(0, body.size(), body) == 0;
    case kKyConfigUserScript:
      // Between the quotes, without the line end after the closing one.
      return text == body.substr(1, body.size() - 4);
    case kKyConfigSetup:
      return text == body;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const KyConfigSection section = static_cast<KyConfigSection>(data[0] % 3);
  const bool exists = (data[0] & 4) != 0;
  const Qword data_type = data[0] >> 3;
  const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const size_t nul = rest.find('\0');
  const std::string file = rest.substr(0, nul);
  const std::string caller = nul == std::string::npos ? std::string() : rest.substr(nul + 1);

  std::string body;
  Dword built = 0;
  switch (section) {
    case kKyConfigRecentFiles:
      built = KyConfigBuildRecentEntry(caller.c_str(), data_type, &body);
      break;
    case kKyConfigUserScript:
      built = KyConfigBuildScriptBody(caller.c_str(), &body);
      break;
    case kKyConfigSetup:
      built = KyConfigBuildSetupBody(caller.c_str(), &body);
      break;
  }
  std::string text;
  for (int s = 0; s < 3; ++s)
    (void)KyConfigReadSection(file, static_cast<KyConfigSection>(s), &text);
  if (built != 0) return 0;

  const std::string written = KyConfigWriteSection(file, exists, section, body);
  // A damaged file that cannot take the text without changing another
  // section is refused by the file writer and stays as it is.
  if (!KyConfigKeepsSections(file, written, section, body)) return 0;
  if (!KyConfigHasDiscriminator(written)) Fail("the written file has no discriminator", section);
  if (!KyConfigReadSection(written, section, &text)) Fail("the section does not read", section);
  if (!ReadsBack(section, body, text)) Fail("the section reads back otherwise", section);

  // A file that is kept keeps its other sections; a new one has none.
  const bool kept = exists && KyConfigHasDiscriminator(file);
  for (int s = 0; s < 3; ++s) {
    if (static_cast<KyConfigSection>(s) == section) continue;
    const KyConfigSection other = static_cast<KyConfigSection>(s);
    std::string before, after;
    const bool had = kept && KyConfigReadSection(file, other, &before);
    const bool has = KyConfigReadSection(written, other, &after);
    if (had != has || before != after) Fail("another section changed", s);
  }

  if (KyConfigWriteSection(written, true, section, body) != written)
    Fail("a repeated write changes the file", section);
  return 0;
}
