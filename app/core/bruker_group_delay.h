// The group delay of the spectrometer's digital filter, in points, by
// decimation factor (DECIM) and DSP firmware version (DSPFVS), for
// acquisitions whose `acqus` gives GRPDLY -1.
#pragma once
#include "base/types.h"

// Rows: DECIM 2, 3, 4, 6, 8, 12, ... 1536, 2048; columns: DSPFVS 10, 11, 12.
// -1 where the maker defines no delay.
extern const double BrukerGroupDelayTable[21][3];

// The table entry for DECIM and DSPFVS, or -1. DECIM between table rows
// falls on the row of the nearest power of two (times 3).
double BrukerGroupDelay(Qword decim, Qword dspfvs);
