// Test-only: a hook called before every write, flush and rename of the file
// layer. Answering an errno value makes the step fail with it; a write hook
// may also shorten the write by lowering *count (a partial write). A null
// hook switches the faults off.
#pragma once
#include "base/types.h"

enum class PlatformFileStep : Dword { kWrite, kSync, kRename };

using PlatformFileFaultHook = int (*)(PlatformFileStep step, Qword* count, void* context);

void PlatformFileFaultHookForTesting(PlatformFileFaultHook hook, void* context);
