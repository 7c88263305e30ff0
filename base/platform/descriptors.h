// Small pieces shared by the platform's file code: where a new descriptor
// lands and an exclusive lock that waits.
#pragma once
#include "base/types.h"

// Descriptors 0 to 2 belong to the standard streams: a new one there is
// moved above them (the original closed). -1 stays -1; errno is kept.
int KeepAboveStreams(int fd);

// Waits for an exclusive flock on fd; on failure closes fd and answers -1
// with errno of the failure, else answers fd.
Qlong LockExclusiveOrClose(int fd);
