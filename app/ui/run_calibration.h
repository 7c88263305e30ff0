// Run Calibration: the quantities of the rows against their known
// concentrations (QARRAY and a linear FIT through code 95), and every
// row's concentration read off the line.
#pragma once
#include <vector>

#include "app/core/calibration.h"
#include "base/types.h"

class Fl_Widget;

// The rows as the calibration table shows them.
std::vector<CalibrationRowTexts> CalibrationRowsNow();
// Fills every row's C out from Q = a * C + b. False (fields unchanged) for
// a zero or non-finite slope.
bool FillConcentrationsOut(double a, double b);
// Clears what the last calibration showed: every C out, the reports of the
// calibration log and the calibration plot (its line would pass for a
// result of the data now loaded or processed).
void ClearCalibrationResults();
// An item's numeric parameter; NaN when it has none (after the error box).
double GetNumericParameter(Qword item, const char* name);
