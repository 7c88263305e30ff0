#include "base/os_process.h"
#include "base/platform/critical_section.h"

VELTRIA_API OsCriticalSection* OsMakeCriticalSection(void) { return WinMakeCriticalSection(); }

VELTRIA_API OsCriticalSection** OsDeleteCriticalSection(OsCriticalSection** section) {
  if (section && *section) {
    WinDeleteCriticalSection(*section);
    *section = nullptr;
  }
  return section;
}

// A null section is refused quietly rather than crashing the caller.
VELTRIA_API void OsEnterCriticalSection(OsCriticalSection* section) {
  if (section) WinEnterCriticalSection(section);
}

VELTRIA_API void OsLeaveCriticalSection(OsCriticalSection* section) {
  if (section) WinLeaveCriticalSection(section);
}

VELTRIA_API Long OsTryEnterCriticalSection(OsCriticalSection* section) {
  return section && WinTryEnterCriticalSection(section) ? 1 : 0;
}
