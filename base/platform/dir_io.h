// Directory search on POSIX with the library's patterns: '*' any run of
// characters, '?' one character, and "*.*" every name (with or without a
// point). Names compare case-sensitively, as the file system does. A
// pattern whose last part has no wildcard yields that one entry itself.
#pragma once
#include <string>

#include "base/types.h"

// One entry of a search: what a search step hands to the library.
struct PlatformFindData {
  std::string name;  // the name alone, UTF-8
  Dword attributes;  // the bits of base/platform/file_io.h
  Qword size;
  Qword creation_time;  // file times (100 ns since 1601-01-01 UTC)
  Qword access_time;
  Qword write_time;
};

// True when the name matches the pattern (the last part of a search path).
bool PlatformNameMatches(const char* pattern, const char* name);

// Starts a search; the handle, or -1 with errno set (ENOENT when nothing
// matches). The first entry goes to *data.
Qlong WinFileFindFirst(const char* pattern, PlatformFindData* data);
// The next entry; 1, or 0 with errno ENOENT at the end of the search.
Dword WinFileFindNext(Qlong handle, PlatformFindData* data);
// Ends a search; 0 with EBADF for a handle that is not a live search.
Dword WinFileFindClose(Qlong handle);
// Bytes the file occupies on disk; 1/0.
Dword WinCompressedFileSize(const char* path, Qword* size);
