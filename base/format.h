// The formatter's exported entry points: a new string, an append to a heap
// string, and a copy into a caller buffer, each wide and 8-bit (A). The
// format language is the library's own (base/format_engine.h).
#pragma once
#include "base/types.h"

VELTRIA_API char16_t* NewSprintf(const char16_t* format, ...);
VELTRIA_API char* NewSprintfA(const char* format, ...);
VELTRIA_API char16_t* SprintfAppend(char16_t** address, const char16_t* format, ...);
VELTRIA_API char* SprintfAppendA(char** address, const char* format, ...);
VELTRIA_API Qword SprintfToBuffer(char16_t* buffer, Qword capacity, const char16_t* format, ...);
VELTRIA_API Qword SprintfToBufferA(char* buffer, Qword capacity, const char* format, ...);
