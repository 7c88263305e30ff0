// Advisory locks between processes: an exclusive lock held on a lock file
// beside the file it guards, for read-modify-write edits that two running
// programs must not interleave. Paths are UTF-8; failures leave errno.
#pragma once
#include "base/types.h"

// Opens (creating it when missing) the lock file and waits until the
// exclusive lock is granted. The handle, or -1.
Qlong WinFileLockAcquire(const char* lock_path);
// Releases the lock and closes the handle; -1 does nothing.
void WinFileLockRelease(Qlong handle);
