// The one reading of the "BGRD" parameter (the grid of the block axis)
// shared by every procedure and the simulator.
#pragma once
#include "base/types.h"

class cKyAsciPars;

// Grid type of a BGRD text: blanks at both ends ignored, then a prefix
// "LIN" gives 1 (linear) and "LOG" 2 (logarithmic), whatever the case;
// anything else, an empty text and null give 0.
Qword BgrdGridType(const char* text);
// BgrdGridType of the store's "BGRD" entry; 0 without a store or entry.
Qword BgrdGridTypeOf(const cKyAsciPars* parameters);
