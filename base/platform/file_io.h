// Files on POSIX. A file handle is a descriptor widened to 64 bits and kept
// at 3 or above, so it never stands for a standard stream; -1 is invalid.
// Paths are UTF-8. Every failing call leaves errno for FileSaveLastError.
#pragma once
#include "base/types.h"

// How an open treats an existing or missing file.
enum PlatformCreation : Dword {
  kCreateNew = 1,         // fail if it exists
  kCreateAlways = 2,      // create or truncate
  kOpenExisting = 3,      // fail if missing
  kOpenAlways = 4,        // open or create
  kTruncateExisting = 5,  // fail if missing, else truncate
};

// Attribute bits of the entries (the values the library's records use):
// read-only, hidden (a name beginning with a point), folder, normal file.
enum : Dword {
  kAttrReadOnly = 0x1,
  kAttrHidden = 0x2,
  kAttrDirectory = 0x10,
  kAttrNormal = 0x80,
  kAttrSymlink = 0x400,
};

// Opens or creates; a new file gets no write permission when read_only.
// An existing file without write permission refuses write access, and a
// folder refuses to open, as the library's callers expect of a file.
Qlong WinFileOpen(const char* path, bool write, PlatformCreation creation, bool read_only);
// Reads/writes count bytes in pieces of at most 0xFFFFFFFE; *done receives
// the bytes moved. 1, or 0 when a piece failed.
Dword WinFileReadBinary(Qlong handle, void* buffer, Qword count, Qword* done);
Dword WinFileWriteBinary(Qlong handle, const void* buffer, Qword count, Qword* done);
// origin 0 start, 1 current, 2 end; 1/0.
Dword WinFileSetPointer(Qlong handle, Qlong distance, Dword origin, Qword* position);
Dword WinFileGetSize(Qlong handle, Qlong* size);
// Ends the file at the current pointer.
Dword WinFileTruncate(Qlong handle);
Dword WinFileDelete(const char* path);
// Copies contents and permission bits through a temporary file in the
// target's folder renamed into place, so the target is the old or the new
// file, never a mix.
Dword WinFileCopy(const char* source, const char* target, bool fail_if_exists);
// Attribute bits above, or 0xFFFFFFFF when the path names nothing.
Dword WinFileGetAttributes(const char* path);
// 0xFFFFFFFF kept; directory 0x10 -> 0x10000, read-only 0x1 -> 0x20000.
Dword WinFileAttributesToFlags(Dword attributes);
Dword WinFileClose(Qlong handle);
Dword WinFlushFileBuffers(Qlong handle);
