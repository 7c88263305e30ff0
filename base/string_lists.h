// Delimited item lists ("a,b,c"; named values "name=value;...") and the
// NamedId keyword tables. Wide forms and their 8-bit A twins.
#pragma once
#include "base/string_groom.h"
#include "base/types.h"

// One row of a keyword table; a row with id 0 ends the table. The name is a
// wide or an 8-bit text, as the reader used expects.
struct NamedId {
  Dword id;
  const void* name;
};
static_assert(sizeof(NamedId) == 16, "identifier, padding, name pointer");

// The list becomes a new string: old list, delimiter, item.
VELTRIA_API char16_t* StringsListAddItem(char16_t** list, const char16_t* item, char16_t delimiter);
VELTRIA_API char* StringsListAddItemA(char** list, const char* item, char delimiter);
// Removes the first whole item equal to `item` with one delimiter next to
// it, in place; true when removed.
VELTRIA_API bool StringsListDeleteItem(char16_t* list, const char16_t* item, char16_t delimiter);
VELTRIA_API bool StringsListDeleteItemA(char* list, const char* item, char delimiter);
// Cuts the item at *cursor off the list (the delimiter becomes a
// terminator), moves the cursor past it and grooms the item.
VELTRIA_API char16_t* StringsListParseItem(char16_t** item, char16_t** cursor, char16_t delimiter,
                                           GroomFlags flags);
VELTRIA_API char* StringsListParseItemA(char** item, char** cursor, char delimiter,
                                        GroomFlags flags);
// 1-based position of the first item (groomed) equal to the name, 0 when
// none; no_case other than 0 compares ASCII letters case-insensitively.
VELTRIA_API Qword StringsListFindItem(const char16_t* name, const char16_t* list,
                                      char16_t delimiter, Dword no_case, GroomFlags flags);
VELTRIA_API Qword StringsListFindItemA(const char* name, const char* list, char delimiter,
                                       Dword no_case, GroomFlags flags);
// Appends to *output the item "name<key>value<delimiter>" of the list whose
// name is `name`; returns the output string.
VELTRIA_API char16_t* AppendItemFromList(char16_t** output, const char16_t* name,
                                         const char16_t* list, char16_t key, char16_t delimiter);
VELTRIA_API char* AppendItemFromListA(char** output, const char* name, const char* list, char key,
                                      char delimiter);
// New copy of item `index` (from 0); null when the list has fewer items.
VELTRIA_API char16_t* NewCopyStringItem(const char16_t* list, Qword index, char16_t delimiter);
VELTRIA_API char* NewCopyStringItemA(const char* list, Qword index, char delimiter);
// New copy of the half-open range [start, end); kNoIndex start means 0 and
// kNoIndex end means the end of the text.
VELTRIA_API char16_t* NewCopyStringSection(const char16_t* text, Qword start, Qword end);
VELTRIA_API char* NewCopyStringSectionA(const char* text, Qword start, Qword end);
// Index where item n starts, the items separated by any character of the
// set (null or empty: ","); kNoIndex when there are fewer items.
VELTRIA_API Qword StringIndexNthItem(const char16_t* text, Qword n, const char16_t* set);
VELTRIA_API Qword StringIndexNthItemA(const char* text, Qword n, const char* set);

// Identifier of the first row whose name starts the text: 0 when none for
// the wide form, 0xFFFFFFFF for the 8-bit form.
VELTRIA_API Dword NamedId_GetId(const NamedId* table, const char16_t* text);
VELTRIA_API Dword NamedId_GetIdA(const NamedId* table, const char* text);
// Name of the first row with the identifier; null when none or for id 0.
VELTRIA_API const void* NamedId_GetName(const NamedId* table, Dword id);
VELTRIA_API const void* NamedId_GetNameA(const NamedId* table, Dword id);
