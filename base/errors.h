// Error texts and the library's last-error word.
#pragma once
#include "base/error_codes.h"
#include "base/types.h"

// The library's single last-error word (not exported; defined in base/error_text.cpp).
extern Dword LibLastError;

VELTRIA_API const char* KyErrorStringA(Dword code);
VELTRIA_API const char16_t* KyErrorString(Dword code);
VELTRIA_API Dword FileClearLastError(void);
VELTRIA_API Dword FileSaveLastError(void);
VELTRIA_API Dword CrcFromMem(Qword memory, Qword a, Qword b, Qword c);
