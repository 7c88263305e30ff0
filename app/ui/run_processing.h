// Run Processing: every data item processed the same way, with the setup
// column of its nuclide, by one task script (code 122).
#pragma once
#include <string>

#include "app/core/setup_values.h"
#include "base/types.h"

// Runs the setup (null: 21; no data: 23). An item whose nuclide has no
// column, or a setup value that is not usable, is reported in an alert and
// answered with 16 or 25 before anything changes; otherwise the record's
// error after code 122 (0 when nothing was written).
LibErrorCode BuildAndRunTaskScript(const SetupValues* setup);

// The nuclide of an item: its "NUC" parameter in the data tree.
std::string ItemNuclide(Qword item);
