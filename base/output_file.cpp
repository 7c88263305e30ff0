#include "base/output_file.h"

#include <string>

#include "base/errors.h"
#include "base/files.h"
#include "base/memory.h"
#include "base/path_text.h"
#include "base/paths.h"
#include "base/platform/process_env.h"

namespace {
// One word for both calls: 0x1 is the dialog's save bit and the file's
// write access, 0x4 creates a new file and is ignored by the dialog.
constexpr Dword kDialogAndOpenFlags = kOpenWrite | kOpenCreateNew;

// The start folder: a fixed folder such as a drive maps to the user's home.
char16_t* NewStartFolder() {
  try {
    std::string home;
    return WinHomeFolder(&home) ? NewTextFromUtf8<char16_t>(home) : nullptr;
  } catch (...) {
    return nullptr;  // no memory: the dialog starts where it likes
  }
}
}  // namespace

VELTRIA_API Qlong FileOpenByDialog(const char16_t* title, char16_t** path) {
  if (path) *path = nullptr;
  char16_t* folder = NewStartFolder();
  char16_t* chosen = NewOsFileSelectDialog(title, folder, u"txt", u"*.txt|*.txt|",
                                           kDialogAndOpenFlags, 0, nullptr);
  KillPtr(&folder);
  if (!chosen) return -1;  // LibLastError: 0 when cancelled, else the dialog's error
  const Qlong handle = FileOpen(chosen, kDialogAndOpenFlags);
  if (handle == -1 || !path)
    KillPtr(&chosen);
  else
    *path = chosen;
  return handle;
}
