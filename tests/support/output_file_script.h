// Scripted output-file dialog for listing tests: the hook records the
// request and answers with a path, or cancels. Beeps are counted, never
// sounded.
#pragma once
#include <string>

#include "base/platform/ui_hooks.h"

struct OutputFileScript {
  static inline UiFileDialogRequest request;
  static inline std::string answer;
  static inline bool answered = false;
  static inline int dialogs = 0;
  static inline int beeps = 0;
  static bool File(const UiFileDialogRequest& r, std::string* paths) {
    request = r;
    ++dialogs;
    if (answered) *paths = answer;
    return answered;
  }
  static void Beep(Dword, Dword) { ++beeps; }
  // give false: the dialog is cancelled.
  static void Install(bool give, const std::string& path = std::string()) {
    answered = give;
    answer = path;
    dialogs = 0;
    beeps = 0;
    UiHooks hooks{};
    hooks.file_dialog = File;
    hooks.beep = Beep;
    UiHooksInstall(&hooks);
  }
};
