// Temporary files beside a target, for writes that must leave the old file
// or the complete new one. A temporary file has a unique name,
// "<target's name>.pelorin-<8 letters or digits>.tmp", and stays locked
// (flock) while its writer holds it open, so a later sweep can tell the
// leftovers of killed writes from files still being written. Paths are
// UTF-8; failures leave errno.
#pragma once
#include <string>

#include "base/types.h"

// Creates a new empty temporary file beside `target` for writing: with
// `mode_of` (a path) given, its permission bits are those of that file
// (which must exist), else those of any new file (0666 less the umask).
// The handle and the temporary path in *temp, or -1.
Qlong WinTempFileCreate(const char* target, const char* mode_of, std::string* temp);
// Flushes the file to the disk. 1 or 0.
Dword WinTempFileSync(Qlong handle);
// Flushes the file, puts it under the target's name (over an existing file
// with `replace`, else only when the name is free: EEXIST otherwise),
// flushes the folder and closes it: 1, or 0 with the temporary file removed.
Dword WinTempFileCommit(Qlong handle, const std::string& temp, const char* target, bool replace);
// Closes and removes an unfinished temporary file (errno kept).
void WinTempFileAbandon(Qlong handle, const std::string& temp);
// Closes a temporary file that has been put in place by a rename of its
// own (errno kept).
void WinTempFileRelease(Qlong handle);
// Removes the temporary files of `target` that nobody holds open any more:
// the leftovers of writes that were killed. Errors are ignored.
void WinTempFileSweep(const char* target);
// True when `name` (no folder) is a temporary file name of `target_name`.
bool WinTempFileNameOf(const char* name, const char* target_name);

// Renames within the file system: over an existing `to` with `replace`,
// else failing with EEXIST when `to` exists. 1 or 0.
Dword WinFileRename(const char* from, const char* to, bool replace);
// A second name for a file (hard link); fails with EEXIST when taken. 1/0.
Dword WinFileLink(const char* existing, const char* name);
// Waits for the exclusive advisory lock (flock) of a folder itself, for
// changes of several files that readers must see as a whole. The handle,
// or -1; released by WinFolderLockRelease.
Qlong WinFolderLockAcquire(const char* folder);
void WinFolderLockRelease(Qlong handle);
// Flushes the folder holding `path` (its entries: renames, new names). 1/0.
Dword WinFolderSyncOf(const char* path);
