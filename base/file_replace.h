// Internal: a file rewritten through a temporary file in its folder that
// is renamed over it at the end, for the framework's editors of files in
// place, or for a new file that appears under its name only when complete.
// An interruption leaves the old or the new file. Failures store the
// mapped system error in LibLastError (as FileSaveLastError does).
#pragma once
#include <string>

#include "base/types.h"

class FileReplacement {
 public:
  FileReplacement() = default;
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;
  // An unfinished replacement is removed; the target stays as it was.
  ~FileReplacement();
  // Starts a replacement of the target (UTF-16 path); false on failure.
  bool Begin(const char16_t* target);
  // Starts writing a new file: Commit then gives it the target's name only
  // while no file has it (a file error otherwise), never replacing one.
  bool BeginNew(const char16_t* target);
  bool BeginNewA(const char* target);
  // The temporary file's handle, for FileWriteBinary.
  Qlong handle() const { return handle_; }
  // Puts the written file in place of the target; false on failure (the
  // target is then unchanged).
  bool Commit(void);

 private:
  Qlong handle_ = -1;
  std::string temp_;
  std::string target_;
  bool replace_ = true;
};
