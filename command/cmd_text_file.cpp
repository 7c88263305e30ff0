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
#include "base/utf.h"
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

// The frame reports a command's error to the application (message 3),
// which shows it; a box of our own on top would be a second one.
bool ErrorReachesApplication(const KyAppRecord* record) {
  return record->callback != nullptr && !(record->flags & kKyFlagQuiet);
}

void ShowCreateFailure(const char16_t* path, bool exists, Dword error) {
  char* name = NewUtf8FromUtf16(path);
  OsMessagefA(kOsError, "Invalid file.\n\nFile: %s\nError: %s", name ? name : "",
              exists ? "the file exists already" : KyErrorStringA(error));
  KillStringA(&name);
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
  const bool exists = FileIsPresent(path, nullptr) != 0;
  if (exists || !out.BeginNew(path)) {
    record->error = exists ? kErrFileNotAccessible : CreateFailure();
    if (!ErrorReachesApplication(record)) ShowCreateFailure(path, exists, record->error);
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
