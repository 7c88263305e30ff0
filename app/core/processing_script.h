// The evaluation task script of Run Processing: per data set the lines of
// group-delay correction, zero filling, apodization and quantification
// that its nuclide's setup column asks for.
#pragma once
#include <string>
#include <vector>

#include "app/core/setup_values.h"
#include "base/types.h"

// The column of a nuclide text ("29Si" or "13C", case ignored); -1 for any
// other text.
int FindSetupColumn(const std::string& nuclide);

// The lines of item `item` from one column, each ended by CR LF.
std::string ProcessingScriptLines(const SetupColumn& column, Qword item);

// The script for items with these nuclide texts, in item order. Every item
// is checked before anything is written: with an unknown nuclide the
// answer is false, `*bad_item` its 0-based index and the script empty.
bool BuildProcessingScript(const SetupValues& setup, const std::vector<std::string>& nuclides,
                           std::string* script, Qword* bad_item);

// "Invalid nuclide in data #<item + 1>."
std::string InvalidNuclideAlert(Qword item);
