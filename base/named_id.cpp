// Lookups in NamedId keyword tables.
#include "base/string_core.h"
#include "base/string_lists.h"

namespace {

// The first row whose name starts the text wins, so a table lists a name
// before any longer name it is a prefix of only when it wants that.
template <class Ch>
Dword GetId(const NamedId* table, const Ch* text, Dword none) {
  if (!table) return none;
  for (; table->id != 0; ++table)
    if (str::StartsWith(text, static_cast<const Ch*>(table->name), false)) return table->id;
  return none;
}

}  // namespace

VELTRIA_API Dword NamedId_GetId(const NamedId* table, const char16_t* text) {
  return GetId(table, text, 0);
}
// The data engine tests the 8-bit lookup for -1.
VELTRIA_API Dword NamedId_GetIdA(const NamedId* table, const char* text) {
  return GetId(table, text, 0xFFFFFFFFu);
}

VELTRIA_API const void* NamedId_GetName(const NamedId* table, Dword id) {
  if (!table || id == 0) return nullptr;
  for (; table->id != 0; ++table)
    if (table->id == id) return table->name;
  return nullptr;
}
VELTRIA_ALIAS(const void*, NamedId_GetNameA, (const NamedId*, Dword), NamedId_GetName);
