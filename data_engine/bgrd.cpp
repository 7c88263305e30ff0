#include "data_engine/bgrd.h"

#include "data_engine/engine_text.h"
#include "framework/ky_asci_pars.h"

namespace {

bool StartsNoCase(const char* text, const char* prefix) {
  for (; *prefix; ++text, ++prefix) {
    char c = *text;
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != *prefix) return false;
  }
  return true;
}

}  // namespace

Qword BgrdGridType(const char* text) {
  if (!text) return 0;
  while (EngineIsBlank(*text)) ++text;
  if (StartsNoCase(text, "LIN")) return 1;
  if (StartsNoCase(text, "LOG")) return 2;
  return 0;
}

Qword BgrdGridTypeOf(const cKyAsciPars* parameters) {
  if (!parameters) return 0;
  char value[1024];
  if (parameters->GetString("BGRD", value) < 0) return 0;
  return BgrdGridType(value);
}
