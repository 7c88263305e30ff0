// The three-way comparison with its options and wildcard.
#include "base/string_search.h"
#include "base/string_search_core.h"

VELTRIA_API Long StringsCompare(const char16_t* a, const char16_t* b, Dword flags,
                                char16_t wildcard) {
  return str::Compare(a, b, flags, wildcard);
}
VELTRIA_API Long StringsCompareA(const char* a, const char* b, Dword flags, char wildcard) {
  return str::Compare(a, b, flags, wildcard);
}
