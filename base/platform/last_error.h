// The system's last error (errno on this platform) and its mapping to the
// library's codes. Every failing platform call leaves errno set; the
// operations below move it into LibLastError.
#pragma once
#include "base/types.h"

// Sets the system's last error and LibLastError to `code`; returns it.
Dword WinSetLastError(Dword code);
// Stores the system's last error unmapped in LibLastError; returns it.
Dword WinFetchLastError(void);
// Maps a system error number to a LibErrorCode (48 to 58, or 0).
Dword WinErrorToLibraryError(Dword system_error);
// The system's last error as the platform keeps it.
Dword PlatformGetSystemError(void);
void PlatformSetSystemError(Dword code);
