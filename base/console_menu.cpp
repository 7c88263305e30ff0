#include "base/console_menu.h"

#include <cstring>
#include <string>
#include <type_traits>

#include "base/console_in.h"
#include "base/console_out.h"
#include "base/console_text.h"
#include "base/os_services.h"
#include "base/platform/terminal.h"
#include "base/utf.h"

namespace {

const char kRule[] = "\n -----------------------------------------------------------";

template <class Item, class C>
Qword FindItem(C key, const Item* table) {
  if (!table) return ~Qword{0};
  for (Qword i = 0; table[i].text; ++i)
    if (table[i].text[0] == key) return i;
  return ~Qword{0};
}

inline char16_t WaitChoice(const char16_t*) { return CinWaitKbHit(u"\n Your choice: ", 0); }
inline char WaitChoice(const char*) { return CinWaitKbHitA("\n Your choice: ", 0); }

template <class Item>
LibErrorCode RunMenu(const Item* table, Dword flags, void* context) {
  using C = std::remove_const_t<std::remove_pointer_t<decltype(table->text)>>;
  if (!table || !table[0].text) return 0;
  for (;;) {
    if (flags & kConMenuClear) ConClear();
    ConSetTextColorID(5);
    ConWriteText("\n");
    ConWriteText(table[0].text);
    ConWriteText(kRule);
    ConSetTextColorID(0);
    for (Qword i = 1; table[i].text; ++i) {
      ConSetTextColorID(4);
      const C key[2] = {table[i].text[0], 0};
      ConWriteText("\n ");
      ConWriteText(key);
      ConSetTextColorID(0);
      ConWriteText("\t");
      if (table[i].text[0]) ConWriteText(table[i].text + 1);
    }
    ConSetTextColorID(4);
    ConWriteText("\n other\t terminate");
    ConSetTextColorID(0);
    ConWriteText(kRule);
    const C key = WaitChoice(table[0].text);
    const Qword row = key ? FindItem(key, table) : ~Qword{0};
    // The title is no choice; neither is a key that no row has.
    if (row == 0 || row == ~Qword{0} || !table[row].handler) {
      if (static_cast<Dword>(key) > 32) {
        ConWriteText(" other");
      } else {
        TermFlush();
        OsBeep(300, 880);
      }
      TermFlush();
      return 0;
    }
    if (flags & kConMenuClearHandler) ConClear();
    const LibErrorCode result = table[row].handler(table[row].argument, context);
    if (result != 0) CoutErrorA(result, "\n", 0);
    if (flags & kConMenuNoWait)
      ConWriteText("\n");
    else
      CinWaitKbHitA("\n Hit any key to continue", 0);
    if (flags & kConMenuOnce) return result;
    // With no key to come the menu cannot be answered again.
    if (!TermInputIsTerminal()) return 0;
  }
}

// Colour letters of the "C" control string.
TextColorID ColourOfLetter(Dword letter) {
  switch (letter) {
    case 'e':
      return 1;
    case 'h':
      return 2;
    case 'p':
      return 4;
    case 'i':
    case 'm':
      return 5;
    case 'g':
      return 7;
    default:
      return 0;
  }
}

// The title text without control characters (they would end or corrupt the
// terminal's title sequence).
void WriteTitle(const char* utf8) {
  if (!TermOutputIsTerminal()) return;
  ConWriteText("\x1b]0;");
  const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8);
  for (; *p; ++p) {
    if (*p < 0x20 || *p == 0x7F) continue;
    // C1 controls arrive as U+0080..U+009F: 0xC2 0x80..0x9F.
    if (*p == 0xC2 && p[1] >= 0x80 && p[1] <= 0x9F) {
      ++p;
      continue;
    }
    TermWrite(reinterpret_cast<const char*>(p), 1);
  }
  ConWriteText("\x07");
  TermFlush();
}

Long Quasso(const char* control) {
  if (!control) return 0;
  switch (control[0]) {
    case 'C':
      if (!control[1]) return 0;  // no colour letter: nothing to write
      ConSetTextColorID(ColourOfLetter(static_cast<unsigned char>(control[1])));
      ConWriteText(control + 2);
      return 0;
    case 'S':
      return TermRunShell(control + 1);
    case 'T':
      WriteTitle(control + 1);
      return 0;
    case 'X':
      if (control[1] == 's') ConClear();
      return 0;
    default:
      return 0;
  }
}

// Wide control strings go through their UTF-8 form.
std::string Utf8Of(const char16_t* text) {
  std::string out(Utf16ToUtf8(text, kNoIndex, nullptr, 0), '\0');
  Utf16ToUtf8(text, kNoIndex, out.data(), out.size() + 1);
  return out;
}

}  // namespace

Qword ConFindMenuItem(char16_t key, const ConMenuItem* table) { return FindItem(key, table); }
Qword ConFindMenuItemA(char key, const ConMenuItemA* table) { return FindItem(key, table); }

LibErrorCode ConMenu(const ConMenuItem* table, Dword flags, void* context) {
  RunMenu(table, flags, context);
  return 0;
}
LibErrorCode ConMenuA(const ConMenuItemA* table, Dword flags, void* context) {
  return RunMenu(table, flags, context);
}
LibErrorCode ConMenuOfTable(const ConMenuItem* table, void* context) {
  if (!table) return 0;
  return ConMenu(table, static_cast<Dword>(table[0].argument), context);
}

Long ConQuasso(const char16_t* control) {
  if (!control) return 0;
  try {
    return Quasso(Utf8Of(control).c_str());
  } catch (...) {
    return 0;  // no memory for the converted text
  }
}
Long ConQuassoA(const char* control) { return Quasso(control); }
