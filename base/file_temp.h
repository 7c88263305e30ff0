// Temporary files for writes that leave the old file or the complete new
// one: a temporary file with a unique name beside its target, flushed and
// then renamed over the target (or, for a file that is to be new, given the
// name only while it is free). Temporary files of writes that were killed
// are removed by the next write to the same target. Paths are UTF-8;
// failures store the mapped system error in LibLastError.
#pragma once
#include "base/types.h"

// Creates an empty temporary file beside `target` for writing. With
// `mode_of` (an existing file) it gets that file's permission bits, else
// those of any new file. The temporary path is copied into `temp` (room
// for `temp_size` bytes with the terminator). The handle, or -1.
VELTRIA_API Qlong FileTempCreateA(const char* target, const char* mode_of, char* temp,
                                  Qword temp_size);
// Flushes the temporary file to the disk; it stays open. 1 or 0.
VELTRIA_API unsigned char FileTempSync(Qlong handle);
// Flushes it, puts it under the target's name (over an existing file with
// `replace`, else only while no file has that name) and closes it; on
// failure it is removed. *handle becomes -1 either way. 1 or 0.
VELTRIA_API unsigned char FileTempCommitA(Qlong* handle, const char* temp, const char* target,
                                          unsigned char replace);
// Closes and removes an unfinished temporary file; *handle becomes -1.
VELTRIA_API void FileTempAbandonA(Qlong* handle, const char* temp);
// Closes a temporary file whose name has been given away by FileRenameA.
VELTRIA_API void FileTempRelease(Qlong* handle);
// Removes the temporary files of `target` that no running write holds.
VELTRIA_API void FileTempSweepA(const char* target);
// 1 when `name` (no folder) is a temporary file name of `target_name`.
VELTRIA_API unsigned char FileTempIsNameOfA(const char* name, const char* target_name);

// Renames a file (over an existing `to` with `replace`, else failing when
// `to` exists). 1 or 0.
VELTRIA_API unsigned char FileRenameA(const char* from, const char* to, unsigned char replace);
// Gives a file a second name (fails when the name is taken). 1 or 0.
VELTRIA_API unsigned char FileLinkA(const char* existing, const char* name);
// Waits for the exclusive lock of a folder (advisory, between programs
// that take it: a writer changing several of its files, a reader of them).
// The handle, or -1; FileUnlockFolder releases it and sets it to -1.
VELTRIA_API Qlong FileLockFolderA(const char* folder);
VELTRIA_API void FileUnlockFolder(Qlong* handle);
// Flushes the entries of the folder holding `path` to the disk. 1 or 0.
VELTRIA_API unsigned char FileSyncFolderOfA(const char* path);
