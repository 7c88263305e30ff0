// The calibration of the quantities against known concentrations: the
// checks of the rows, the table handed to the engine (QARRAY), and the
// concentrations read off the fitted line Q = a * C + b.
#pragma once
#include <string>
#include <vector>

#include "base/types.h"
#include "data_engine/evp.h"

// One row as the calibration table shows it.
struct CalibrationRowTexts {
  bool use = true;
  std::string c_in;  // typed concentration (may be empty)
  std::string q;     // the quantity Run Processing filled in (may be empty)
};

// A number from the whole text (blanks around it allowed); false for an
// empty text or one that is not entirely a finite number ("-", ".", "1e").
bool ParseWholeNumber(const std::string& text, double* value);

// Checks the rows in item order. On a fault the answer is false and
// `alert` holds the message: "Input concentration # n" for a used row
// without a concentration, or any row whose concentration is not a whole
// number; "Quantify data # n" for a used row without a quantity; "Select
// more than 1 data file." with fewer than two used rows.
bool CheckCalibrationRows(const std::vector<CalibrationRowTexts>& rows, std::string* alert);

// The QARRAY table: m rows (those with a concentration) by 3 columns,
// column-major: C in; Q of a used row; Q of a row not used; NaN elsewhere.
std::vector<double> CalibrationTable(const std::vector<CalibrationRowTexts>& rows, Qword* m);

// The "%llu, %u" parameter text of the QARRAY step.
std::string CalibrationTableParameters(Qword m);

// The QARRAY record Run Calibration sends first (mode 6 on the zone level)
// with the parameter text and the table borrowed: the caller keeps both and
// clears the two pointers once the record has run.
void InitCalibrationQArray(Evp* evp, std::string* parameters, std::vector<double>* table);

// The C out texts ("%g" of (Q - b) / a) of every row; a row without a
// quantity gets an empty text. False (and nothing filled) when the slope is
// zero or either coefficient is not finite.
bool ConcentrationsOut(const std::vector<CalibrationRowTexts>& rows, double a, double b,
                       std::vector<std::string>* c_out);

// The alert of an unusable calibration line.
extern const char* const kCalibrationSlopeAlert;
