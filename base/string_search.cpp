// Skip tables, substring search and substring deletion.
#include "base/string_search.h"

#include "base/string_search_core.h"

namespace {

template <class Ch>
Qword* FillTable(const Ch* pattern, Qword length, Qword* table) {
  if (!table) return nullptr;
  if (!pattern) length = 0;
  str::SkipTable(pattern, length, table);
  return table;
}

template <class Ch>
Qword* FillTableEx(const Ch* pattern, Qword length, Dword flags, Ch wildcard, Qword* table) {
  if (!table) return nullptr;
  if (!pattern) length = 0;
  str::SkipTableEx(pattern, length, flags, wildcard, table);
  return table;
}

template <class Ch>
bool DeleteSub(Ch* text, const Ch* pattern, Qword n, Qword m, const Qword* table) {
  if (!text) return false;
  if (m == 0) m = str::Len(pattern);
  if (m == 0) return false;  // an empty pattern removes nothing
  Ch* found = const_cast<Ch*>(str::Locate<Ch>(text, pattern, n, m, table));
  if (!found) return false;
  const Qword rest = str::Len(found + m) + 1;  // terminator included
  std::memmove(found, found + m, static_cast<size_t>(rest * sizeof(Ch)));
  return true;
}

}  // namespace

VELTRIA_API Qword* BmhSkipTable(const char16_t* pattern, Qword length, Qword* table) {
  return FillTable(pattern, length, table);
}
VELTRIA_API Qword* BmhSkipTableA(const char* pattern, Qword length, Qword* table) {
  return FillTable(pattern, length, table);
}
VELTRIA_API Qword* BmhSkipTableEx(const char16_t* pattern, Qword length, Dword flags,
                                  char16_t wildcard, Qword* table) {
  return FillTableEx(pattern, length, flags, wildcard, table);
}
VELTRIA_API Qword* BmhSkipTableExA(const char* pattern, Qword length, Dword flags, char wildcard,
                                   Qword* table) {
  return FillTableEx(pattern, length, flags, wildcard, table);
}

VELTRIA_API char16_t* StringLocateSubString(const char16_t* text, const char16_t* pattern,
                                            Qword text_length, Qword pattern_length,
                                            const Qword* table) {
  return const_cast<char16_t*>(str::Locate(text, pattern, text_length, pattern_length, table));
}
VELTRIA_API char* StringLocateSubStringA(const char* text, const char* pattern, Qword text_length,
                                         Qword pattern_length, const Qword* table) {
  return const_cast<char*>(str::Locate(text, pattern, text_length, pattern_length, table));
}
VELTRIA_API char16_t* StringLocateSubStringEx(const char16_t* text, const char16_t* pattern,
                                              Qword text_length, Qword pattern_length, Dword flags,
                                              char16_t wildcard, const Qword* table) {
  return const_cast<char16_t*>(
      str::LocateEx(text, pattern, text_length, pattern_length, flags, wildcard, table));
}
VELTRIA_API char* StringLocateSubStringExA(const char* text, const char* pattern, Qword text_length,
                                           Qword pattern_length, Dword flags, char wildcard,
                                           const Qword* table) {
  return const_cast<char*>(
      str::LocateEx(text, pattern, text_length, pattern_length, flags, wildcard, table));
}

VELTRIA_API bool StringDeleteSubString(char16_t* text, const char16_t* pattern, Qword text_length,
                                       Qword pattern_length, const Qword* table) {
  return DeleteSub(text, pattern, text_length, pattern_length, table);
}
VELTRIA_API bool StringDeleteSubStringA(char* text, const char* pattern, Qword text_length,
                                        Qword pattern_length, const Qword* table) {
  return DeleteSub(text, pattern, text_length, pattern_length, table);
}
