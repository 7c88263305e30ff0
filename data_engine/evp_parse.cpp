// Parsing of one task-script command:
//   NAME, mode, flags, level[z zone][b block], label, parameters...
// Numeric fields are 32-bit words read the way the script has always read
// them; texts are groomed (control characters to blanks, runs collapsed,
// ends trimmed) and raised to upper case.
#include <cstring>

#include "base/memory.h"
#include "base/string_groom.h"
#include "base/string_lists.h"
#include "data_engine/engine_text.h"
#include "data_engine/evp.h"
#include "data_engine/procedure.h"

Dword EvpReadField32(const char* text, const char** end) {
  const char* p = text;
  while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n') ++p;
  bool negative = false;
  if (*p == '-') {
    negative = true;
    ++p;
  }
  Dword value = 0;
  bool saturated = false;
  while (*p >= '0' && *p <= '9') {
    const Dword digit = static_cast<Dword>(*p - '0');
    if (!saturated) {
      if (value > (0xFFFFFFFFu - digit) / 10u) {
        saturated = true;
        value = 0xFFFFFFFFu;
      } else {
        value = value * 10u + digit;
      }
    }
    ++p;
  }
  if (end) *end = p;
  return negative ? static_cast<Dword>(0u - value) : value;
}

namespace {

const char* SkipBlanks(const char* p) {
  while (EngineIsBlank(*p)) ++p;
  return p;
}

// A groomed, upper-cased copy of [begin, end).
char* GroomedCopy(const char* begin, const char* end, LibErrorCode* error) {
  char* copy = EngineCopyRangeA(begin, static_cast<Qword>(end - begin), error);
  if (copy) StringGroomA(copy, kGroomUpper);
  return copy;
}

// The end of the field that starts at p: the next comma or the text's end.
const char* FieldEnd(const char* p) {
  const char* comma = std::strchr(p, ',');
  return comma ? comma : p + std::strlen(p);
}

}  // namespace

LibErrorCode EvpParseCommand(const char* command, Evp* evp) {
  LibErrorCode error = kErrNone;
  const char* p = command;
  const char* end = FieldEnd(p);
  char* name = GroomedCopy(p, end, &error);
  if (!name) return error != kErrNone ? error : kErrAlloc;
  if (*name == '\0') {
    // A blank command: nothing to run.
    KillPtr(&name);
    evp->mode = 0;
    return kErrNone;
  }
  const Dword id = NamedId_GetIdA(EvpProcedureTable, name);
  KillPtr(&name);
  if (id == 0xFFFFFFFFu) return kErrUnknownProcedure;
  evp->id = id;
  if (*end != ',') return kErrNone;  // no mode: skipped
  p = end + 1;
  evp->mode = EvpReadField32(p, nullptr);
  if (evp->mode == 0) return kErrNone;
  end = FieldEnd(p);
  if (*end != ',') return kErrNone;
  p = end + 1;
  evp->flags = EvpReadField32(p, nullptr);
  end = FieldEnd(p);
  if (*end != ',') return kErrNone;
  p = end + 1;
  const char* q = nullptr;
  evp->level = EvpReadField32(p, &q);
  q = SkipBlanks(q);
  if (*q == 'z' || *q == 'Z') {
    evp->zone = EvpReadField32(q + 1, &q);
    q = SkipBlanks(q);
  }
  if (*q == 'b' || *q == 'B') evp->block = EvpReadField32(q + 1, &q);
  end = FieldEnd(p);
  if (*end != ',') return kErrNone;
  p = end + 1;
  end = FieldEnd(p);
  evp->label = GroomedCopy(p, end, &error);
  if (error != kErrNone) return error;
  if (*end != ',') return kErrNone;
  p = end + 1;
  evp->parameters = GroomedCopy(p, p + std::strlen(p), &error);
  return error;
}
