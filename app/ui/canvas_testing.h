// Test-only: the canvases issue their plot commands through `runner`
// (record, code, argument, quiet) instead of LibCommand; null goes back.
#pragma once
#include "app/ui/canvas.h"

typedef Dword (*CanvasCommandRunner)(KyAppRecord* record, Dword code, void* argument, bool quiet);
void CanvasCommandOverrideForTesting(CanvasCommandRunner runner);
