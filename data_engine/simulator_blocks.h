// Internal building blocks of the simulator's generators.
#pragma once
#include <functional>

#include "data_engine/simulator.h"

// (point index, time, out real part, out imaginary part).
using SimSampleFn = std::function<void(Qword, double, double*, double*)>;

double SimDecay(const SimPars& p, double t);
double SimRelaxation(const SimPars& p, double tau);
void SimSample(const SimPars& p, double t, double amplitude, double* re, double* im);
// NBLK values of the grid "BGRD" from BINI to BEND (one block: BINI); 21
// without NBLK or ends, 25 for a logarithmic grid with an end <= 0.
LibErrorCode SimSeriesValues(const SimPars& p, double** values);
// 21 without "BS" (or "DW" when needed); 0x80001 when `blocks` blocks of
// BS points could not fit in memory.
LibErrorCode SimCheckSize(const SimPars& p, Qword blocks, bool needs_dwell);
// A new block of BS points at the given times, appended to the item.
LibErrorCode SimAppendBlock(cKyData* item, const SimPars& p, const double* times,
                            const SimSampleFn& sample);
// The item (the root's last child) and its parameters, optional ones 0.
LibErrorCode SimRead(cKyData* root, SimPars* p, cKyData** item);
// DW and XOFF in seconds, and the grid a series used, into the item.
void SimWriteBack(cKyData* item, const SimPars& p, bool series);
