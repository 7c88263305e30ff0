// The program's two callbacks into the framework and the support
// operations the windows share.
#pragma once
#include "base/types.h"
#include "framework/ky_app_record.h"

class cCanvas;

Dword AppCommandCallback(Dword message, KyAppRecord* record);
Qlong CanvasDrawCallback(void* target, Dword message, Qlong x1, Qlong y1, Qlong x2, Qlong y2,
                         const void* state_or_text);

void RefreshAllCanvases(bool items, bool calibration);
void ReportError(KyAppRecord* record);

// Clips a segment to the square of coordinates X11 can carry; false when
// nothing of it is left.
bool ClipSegmentToScreen(double* x1, double* y1, double* x2, double* y2);

// The reader and writer of Bruker acquisition folders. The program's
// start-up plugs them in; without them data type 8 is as unknown as any
// other (65).
typedef Dword (*ForeignReader)(cKyData* root, const char16_t* path);
typedef Dword (*ForeignWriter)(cKyData* node, const char16_t* path);
void SetBrukerReaderWriter(ForeignReader reader, ForeignWriter writer);
