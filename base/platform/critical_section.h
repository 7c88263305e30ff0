// Critical sections on POSIX: recursive mutexes, so the owner may enter
// again (and leaves as often as it entered), as Windows allows.
#pragma once

struct PlatformCriticalSection;

// A new initialised section, or null with errno.
PlatformCriticalSection* WinMakeCriticalSection(void);
// Destroys and frees it; null does nothing.
void WinDeleteCriticalSection(PlatformCriticalSection* section);
void WinEnterCriticalSection(PlatformCriticalSection* section);
void WinLeaveCriticalSection(PlatformCriticalSection* section);
// True when entered without waiting.
bool WinTryEnterCriticalSection(PlatformCriticalSection* section);
