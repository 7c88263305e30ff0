// The measurement that QUANTIFY and QARRAY share: two quantities of one
// block over a point window, by mode (1 average, 2 maximum, 3 integral,
// 4 Savitzky-Golay and 5 Chebyshev extrapolation to x = 0).
#pragma once
#include "base/types.h"
#include "data_engine/evp.h"

// EVP flags of the quantification.
enum : Dword {
  kQuantWriteBack = 0x20u,   // the window gets the quantities afterwards
  kQuantFirstOnly = 0x100u,  // no second quantity
  kQuantMagnitude = 0x200u,  // QUANTIFY measures |z|
  kQuantPower = 0x400u,      // QUANTIFY measures |z|^2
  kQuantWholeRow = 0x800u,   // modes 1-3: second quantity over the whole first row
};

struct QuantityRows {
  const double* x;   // row 0
  const double* re;  // the measured first row (real part, magnitude or power)
  const double* im;  // the second row
  Qword points;
  Qword first;
  Qword last;
};

struct Quantities {
  double q1;
  double q2;
  bool second;  // q2 was measured (and is reported and written back)
};

// True for the modes 1 to 5.
bool QuantityModeKnown(Qword mode);
// The report line of the mode with its "%llu" pair for first and last.
const char* QuantityReportFormat(Qword mode);
// Measures both quantities; q1 and q2 stay NaN where they are not
// measured. Returns the first error of the extrapolations (25 when mode 4
// has no point after the first to take the x step from), 11 for an
// unknown mode.
LibErrorCode MeasureQuantities(const QuantityRows& rows, Qword mode, Dword flags, Qword order,
                               Quantities* out);
