// The write, flush and rename calls of the file layer, each passing by the
// test-only fault hook (file_fault_testing.h) so tests can make them fail
// anywhere across a file. Without a hook they are the system calls.
#pragma once
#include <sys/types.h>

#include <cstddef>

ssize_t PlatformWrite(int fd, const void* bytes, size_t count);
int PlatformFsync(int fd);
// rename(), or with `replace` false a rename that refuses an existing target.
int PlatformRename(const char* from, const char* to, bool replace);
