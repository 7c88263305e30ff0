// The reader of Bruker acquisition folders: one item under the data root
// per acquisition, its parameters from `acqus` (`acqu2s`, `difflist`) and
// one time-domain block (rows: time, real part, imaginary part) per decay
// of the `fid` or `ser` file.
#pragma once
#include "base/types.h"

class cKyData;

// Reads the acquisition whose data file is `path` (UTF-16); without a path
// the user picks the data file. Codes: 18 no root, 63 dialog cancelled,
// 59 a name other than fid or ser (case ignored), 56 a file missing or
// unreadable, 48 a required key missing (or no parameter file at all),
// 25/17/16 unusable values (see bruker_parameters.h), 28 a gradient list
// whose lines are not numbers, 62 a data file shorter than its blocks,
// 15 a DTYPA 2 sample that is infinite or NaN, 0x80001 without memory.
// After an error the root is as it was, and the error's detail line
// (base/error_detail.h) names the file and what is wrong with it.
LibErrorCode LoadBrukerData(cKyData* root, const char16_t* path);
