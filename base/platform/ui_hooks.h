// User-interface services the library needs, as one table of hooks.
// The windowed program installs FLTK versions; without them a console
// fallback answers, and with no terminal (tests, CI) dialogs answer
// "cancelled", questions the safe default and messages go to stderr.
// All texts are UTF-8.
#pragma once
#include <string>

#include "base/types.h"

// Kinds of message box; answers 1 OK or Yes, 0 No, -1 otherwise.
enum UiMessageType : Long {
  kUiInformation = 0,
  kUiWarning = 1,
  kUiError = 2,
  kUiQuestionYesNo = 3,
  kUiQuestionYesNoCancel = 4,
};

struct UiFileDialogRequest {
  std::string title;
  std::string folder;  // start folder, may be empty
  std::string file;    // proposed file name, may be empty
  std::string filter;  // pattern list such as "CSV files (*.csv)\t*.csv"
  bool save = false;   // a save dialog rather than an open dialog
  bool must_exist = false;
  bool multiple = false;
};

struct UiHooks {
  // Shows a message; returns the answer code above.
  Long (*message_box)(const std::string& title, const std::string& text, UiMessageType type);
  // Runs a file dialog; true with the chosen path(s) in `paths` (one per
  // line for a multiple choice), false when cancelled.
  bool (*file_dialog)(const UiFileDialogRequest& request, std::string* paths);
  // Runs a folder dialog; true with the chosen folder, false when cancelled.
  bool (*folder_dialog)(const std::string& title, const std::string& start, std::string* folder);
  // Opens a document or link with the desktop's default program.
  bool (*open_document)(const std::string& target);
  // Clipboard text; get returns false when there is none.
  bool (*clipboard_get_text)(std::string* text);
  bool (*clipboard_set_text)(const std::string& text);
  void (*beep)(Dword frequency_hz, Dword duration_ms);
  // Lets the user interface handle pending events.
  void (*pump_messages)(void);
};

// The program reaches these in the shared library: one hook table serves the
// library and the windowed program.
// The hooks in force: the installed table, or the fallbacks.
VELTRIA_CLASS const UiHooks& UiHooksGet(void);
// Installs a table (copied; null members keep the fallback); null restores
// the fallbacks. Tests install their own to script the answers.
VELTRIA_CLASS void UiHooksInstall(const UiHooks* hooks);
// The fallbacks alone, for hooks that want to defer to them.
VELTRIA_CLASS const UiHooks& UiHooksFallback(void);
