// Code 142: a text or comma-separated file written as a new file, at a
// given path or one the user chooses in a save dialog.
#include <cstring>

#include "base/error_codes.h"
#include "base/errors.h"
#include "base/file_replace.h"
#include "base/files.h"
#include "base/memory.h"
#include "base/os_services.h"
#include "base/paths.h"
#include "command/command_table.h"
#include "command/lib_command.h"

namespace {

constexpr Dword kSaveDialogFlags = 0x20005;

// The error of a failed create. An existing file is never overwritten:
// that refusal is reported as "File not accessible", like a failed write.
Dword CreateFailure() {
  const Dword mapped = LibLastError;
  if (mapped >= kErrFileSystem && mapped <= kErrUndefinedFile) return mapped;
  return kErrFileNotAccessible;
}

}  // namespace

void CmdWriteTextFile(KyAppRecord* record) {
  const auto* args = static_cast<const TextFileArgs*>(record->argument);
  if (args == nullptr || args->text == nullptr) {
    record->error = kErrMissingArguments;
    return;
  }
  char16_t* chosen = nullptr;
  const char16_t* path = args->path;
  if (path == nullptr || path[0] == 0) {
    if (args->kind == kKyTextFileText)
      chosen = NewOsFileSelectDialog(u"Select a new file", nullptr, u"txt",
                                     u"Text files (*.txt)|*.txt|", kSaveDialogFlags, 0, nullptr);
    else if (args->kind == kKyTextFileCsv)
      chosen = NewOsFileSelectDialog(u"Select a new file", nullptr, u"csv",
                                     u"Comma-Separated Values (*.csv)|*.csv|", kSaveDialogFlags, 0,
                                     nullptr);
    if (chosen == nullptr) return;  // another kind, or the user cancelled
    path = chosen;
  }
  // The text goes to a temporary file that takes the name only when it is
  // complete and on the disk, and never in place of another file.
  FileReplacement out;
  if (FileIsPresent(path, nullptr) || !out.BeginNew(path)) {
    record->error = FileIsPresent(path, nullptr) ? kErrFileNotAccessible : CreateFailure();
    OsMessagefA(kOsError, "Invalid file.");
    KillString(&chosen);
    return;
  }
  bool ok = FileWriteBinary(out.handle(), args->text, std::strlen(args->text)) != 0;
  if (ok) ok = out.Commit();
  if (!ok) {
    const Dword failure = LibLastError;
    // A file made meanwhile under the name is someone else's: a refusal as
    // above; a disk that is full says so; anything else is a file error.
    if (FileIsPresent(path, nullptr))
      record->error = kErrFileNotAccessible;
    else
      record->error = failure == kErrDiskFull ? kErrDiskFull : kErrFileSystem;
  }
  KillString(&chosen);
}
