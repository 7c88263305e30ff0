// The FLTK versions of the library's user-interface hooks, and the
// program's own message boxes, which go through the same table so that
// tests can script every answer.
#pragma once
#include <string>

// Installs the FLTK hooks in the library's one hook table.
void InstallFltkHooks();

// "Name<TAB>*.a;*.b" lines as FLTK's "Name\t{*.a,*.b}" lines; "*.*" is "*".
std::string FltkFilterFromHookFilter(const std::string& filter);

// An alert box (through the hook table).
void AppAlert(const char* text);
// A Yes/No question; true only for Yes.
bool AppAsk(const char* text);
// A beep of the message kind.
void AppBeep();
