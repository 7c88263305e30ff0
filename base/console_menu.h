// Table-driven text menus and one-letter console control strings.
#pragma once
#include "base/types.h"

typedef LibErrorCode (*ConMenuHandler)(Long argument, void* context);

// One row: the text's first character is the row's key, the rest its label.
// Row 0 is the title; a row with a null text ends the table.
struct ConMenuItem {
  const char16_t* text;
  ConMenuHandler handler;
  Long argument;
};
struct ConMenuItemA {
  const char* text;
  ConMenuHandler handler;
  Long argument;
};

// Menu flags.
enum : Dword {
  kConMenuOnce = 0x4,           // return after one handler has run
  kConMenuClear = 0x8,          // clear the screen before each display
  kConMenuClearHandler = 0x10,  // clear the screen before running a handler
  kConMenuNoWait = 0x20,        // after a handler a line feed, no key wait
};

// Index of the first row (row 0 counted) whose text begins with key; all
// bits set when none does.
VELTRIA_API Qword ConFindMenuItem(char16_t key, const ConMenuItem* table);
VELTRIA_API Qword ConFindMenuItemA(char key, const ConMenuItemA* table);
// Runs the menu until a key that is no choice (once with kConMenuOnce).
// ConMenu gives 0; ConMenuA gives the handler's result with kConMenuOnce.
VELTRIA_API LibErrorCode ConMenu(const ConMenuItem* table, Dword flags, void* context);
VELTRIA_API LibErrorCode ConMenuA(const ConMenuItemA* table, Dword flags, void* context);
// Internal: ConMenu with the flags kept in the argument of the title row,
// so each table carries its own display rules.
LibErrorCode ConMenuOfTable(const ConMenuItem* table, void* context);
// "C" colour letter and text, "S" shell command line (its exit status),
// "T" window title, "Xs" clear screen; anything else does nothing (0).
VELTRIA_API Long ConQuasso(const char16_t* control);
VELTRIA_API Long ConQuassoA(const char* control);

// Where a text listing goes: bit 0 console, bit 1 file.
typedef Dword OutputDestination;
// Asks for the destination: 1, 2, or 3 (both) for any other answer.
VELTRIA_API OutputDestination CinOutputDestination(void);
