// Test only: stands a recording stub in for the procedure of one table row,
// so the router and the reports are tested without the real procedures.
#pragma once
#include "data_engine/procedure.h"

// The row of `id` answers with these functions until the reset (up to
// eight rows; a second call for a row replaces the first).
void EvpTestOverrideProcedure(Qword id, EvpProcedure run, bool has_prepare, EvpProcedure prepare);
void EvpTestResetProcedures();
