// Delimited item lists: add, delete, parse, find, pick named values, copy
// single items and sections, locate the n-th item.
#include "base/string_lists.h"

#include "base/string_groom_core.h"
#include "base/string_search_core.h"

namespace {

// Cuts the item at cursor off: a delimiter found becomes a terminator and
// the cursor moves past it (true); else the cursor stays on the terminator.
template <class Ch>
bool CutItem(Ch*& cursor, Ch delimiter) {
  Ch* p = cursor;
  while (*p && *p != delimiter) ++p;
  if (!*p) {
    cursor = p;
    return false;
  }
  *p = 0;
  cursor = p + 1;
  return true;
}

template <class Ch>
Ch* AddItem(Ch** list, const Ch* item, Ch delimiter) {
  if (!list) return nullptr;
  const Qword have = str::Len(*list), n = str::Len(item), d = delimiter ? 1 : 0;
  Ch* joined = str::NewCopyN(str::Safe(*list), have, d + n);
  if (joined) {
    if (d) joined[have] = delimiter;
    if (n) std::memcpy(joined + have + d, item, static_cast<size_t>(n * sizeof(Ch)));
    joined[have + d + n] = 0;
  }
  KillPtr(list);
  *list = joined;
  return joined;
}

// Only whole items count: the match must start the list or follow a
// delimiter, and end the list or precede one. The delimiter after the item
// goes with it; the last item takes the delimiter before it instead.
template <class Ch>
bool DeleteItem(Ch* list, const Ch* item, Ch delimiter) {
  if (!list || !item || !item[0]) return false;
  const Qword m = str::Len(item);
  const Ch* from = list;
  for (;;) {
    const Ch* found = str::Locate<Ch>(from, item, 0, m, nullptr);
    if (!found) return false;
    Ch* at = list + (found - list);
    const bool starts = at == list || at[-1] == delimiter;
    const Ch after = at[m];
    if (starts && (after == 0 || after == delimiter)) {
      Ch* cut_from = at;
      Qword cut = m;
      // A NUL delimiter must never match the terminator: the cut would take
      // the NUL in and run past the end of the text.
      if (after != 0) {
        ++cut;
      } else if (at != list) {
        --cut_from;
        ++cut;
      }
      const Qword rest = str::Len(cut_from + cut) + 1;
      std::memmove(cut_from, cut_from + cut, static_cast<size_t>(rest * sizeof(Ch)));
      return true;
    }
    from = found + 1;
  }
}

template <class Ch>
Ch* ParseItem(Ch** item, Ch** cursor, Ch delimiter, Dword flags) {
  if (!item || !cursor) return nullptr;
  *item = *cursor;
  if (!*cursor) return nullptr;
  CutItem(*cursor, delimiter);
  return str::Groom(*item, flags);
}

template <class Ch>
Qword FindItem(const Ch* name, const Ch* list, Ch delimiter, Dword no_case, Dword flags) {
  if (!list) return 0;
  Ch* copy = str::NewCopyN(list, str::Len(list));
  if (!copy) return 0;
  Qword position = 0;
  Ch* cursor = copy;
  for (Qword k = 1;; ++k) {
    Ch* item = cursor;
    const bool more = CutItem(cursor, delimiter);
    str::Groom(item, flags);
    if (str::Compare<Ch>(item, name, no_case ? 0x1 : 0, 0) == 0) {
      position = k;
      break;
    }
    if (!more) break;
  }
  KillPtr(&copy);
  return position;
}

template <class Ch>
Ch* AppendFromList(Ch** output, const Ch* name, const Ch* list, Ch key, Ch delimiter) {
  if (!output) return nullptr;
  if (!list || !name || !name[0]) return *output;
  const Qword m = str::Len(name);
  for (Qword p = 0; list[p]; ++p) {
    if (p > 0 && list[p - 1] != delimiter) continue;
    Qword i = 0;
    while (i < m && list[p + i] == name[i]) ++i;  // stops at the list's end too
    if (i < m || list[p + m] != key) continue;
    Qword end = p + m + 1;
    if (key)
      while (list[end] && list[end] != delimiter) ++end;
    else
      end = p + m;
    if (list[end]) ++end;  // the delimiter goes with the item
    return str::AppendN(output, list + p, end - p);
  }
  return *output;
}

template <class Ch>
Ch* NewCopyItem(const Ch* list, Qword index, Ch delimiter) {
  if (!list) return nullptr;
  Qword start = 0;
  for (Qword k = 0; k < index; ++k) {
    while (list[start] && list[start] != delimiter) ++start;
    if (!list[start]) return nullptr;  // fewer items
    ++start;
  }
  Qword end = start;
  while (list[end] && list[end] != delimiter) ++end;
  return str::NewCopyN(list + start, end - start);
}

template <class Ch>
Ch* NewCopySection(const Ch* text, Qword start, Qword end) {
  if (!text) return nullptr;
  if (start == kNoIndex) start = 0;
  const Qword n = str::Len(text);
  if (end == kNoIndex) end = n;
  if (end < start) return nullptr;
  if (start > n) start = n;
  if (end > n) end = n;
  return str::NewCopyN(text + start, end - start);
}

template <class Ch>
Qword IndexNthItem(const Ch* text, Qword n, const Ch* set) {
  static constexpr Ch kComma[2] = {Ch(','), 0};
  if (n == 0) return 0;
  if (!set || !set[0]) set = kComma;
  Qword from = 0;
  for (Qword k = 0; k < n; ++k) {
    const Qword at = str::IndexFirstOf<Ch>(text, set, nullptr, from);
    if (at == kNoIndex) return kNoIndex;
    from = at + 1;
  }
  return from;
}

}  // namespace

VELTRIA_API char16_t* StringsListAddItem(char16_t** list, const char16_t* item,
                                         char16_t delimiter) {
  return AddItem(list, item, delimiter);
}
VELTRIA_API char* StringsListAddItemA(char** list, const char* item, char delimiter) {
  return AddItem(list, item, delimiter);
}
VELTRIA_API bool StringsListDeleteItem(char16_t* list, const char16_t* item, char16_t delimiter) {
  return DeleteItem(list, item, delimiter);
}
VELTRIA_API bool StringsListDeleteItemA(char* list, const char* item, char delimiter) {
  return DeleteItem(list, item, delimiter);
}
VELTRIA_API char16_t* StringsListParseItem(char16_t** item, char16_t** cursor, char16_t delimiter,
                                           GroomFlags flags) {
  return ParseItem(item, cursor, delimiter, flags);
}
VELTRIA_API char* StringsListParseItemA(char** item, char** cursor, char delimiter,
                                        GroomFlags flags) {
  return ParseItem(item, cursor, delimiter, flags);
}
VELTRIA_API Qword StringsListFindItem(const char16_t* name, const char16_t* list,
                                      char16_t delimiter, Dword no_case, GroomFlags flags) {
  return FindItem(name, list, delimiter, no_case, flags);
}
VELTRIA_API Qword StringsListFindItemA(const char* name, const char* list, char delimiter,
                                       Dword no_case, GroomFlags flags) {
  return FindItem(name, list, delimiter, no_case, flags);
}
VELTRIA_API char16_t* AppendItemFromList(char16_t** output, const char16_t* name,
                                         const char16_t* list, char16_t key, char16_t delimiter) {
  return AppendFromList(output, name, list, key, delimiter);
}
VELTRIA_API char* AppendItemFromListA(char** output, const char* name, const char* list, char key,
                                      char delimiter) {
  return AppendFromList(output, name, list, key, delimiter);
}
VELTRIA_API char16_t* NewCopyStringItem(const char16_t* list, Qword index, char16_t delimiter) {
  return NewCopyItem(list, index, delimiter);
}
VELTRIA_API char* NewCopyStringItemA(const char* list, Qword index, char delimiter) {
  return NewCopyItem(list, index, delimiter);
}
VELTRIA_API char16_t* NewCopyStringSection(const char16_t* text, Qword start, Qword end) {
  return NewCopySection(text, start, end);
}
VELTRIA_API char* NewCopyStringSectionA(const char* text, Qword start, Qword end) {
  return NewCopySection(text, start, end);
}
VELTRIA_API Qword StringIndexNthItem(const char16_t* text, Qword n, const char16_t* set) {
  return IndexNthItem(text, n, set);
}
VELTRIA_API Qword StringIndexNthItemA(const char* text, Qword n, const char* set) {
  return IndexNthItem(text, n, set);
}
