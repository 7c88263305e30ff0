// Replacing a file safely: the new contents go to a temporary file in the
// target's folder, which is then renamed over the target, so an
// interruption leaves the old or the new file, never a mix. Paths are
// UTF-8; failures leave errno. Leftover temporary files of killed writes
// are swept before a new one is made.
#pragma once
#include <string>

#include "base/types.h"

// Opens a new empty temporary file beside `target` for writing, with the
// target's permission bits. The handle and the temporary path in *temp, or
// -1. A target without write permission refuses (EACCES), as the file
// layer's read-only files do.
Qlong WinFileOpenReplacement(const char* target, std::string* temp);
// The same for a file that is to be new: the temporary file gets the
// permissions of any new file, and WinFileCommitNew gives it the target's
// name only while that name is free.
Qlong WinFileOpenNewReplacement(const char* target, std::string* temp);
// Flushes the temporary file to the disk, closes it and renames it over
// the target: 1, or 0 with the temporary file removed.
Dword WinFileCommitReplacement(Qlong handle, const std::string& temp, const char* target);
// As above, but failing (EEXIST) when the target's name is taken meanwhile.
Dword WinFileCommitNew(Qlong handle, const std::string& temp, const char* target);
// Closes and removes an unfinished temporary file (errno kept).
void WinFileAbandonReplacement(Qlong handle, const std::string& temp);
