// The zero- and first-order phase estimate of a spectrum by the simplex
// (mode 2 of SArrFdCalcPhases).
#pragma once
#include "base/types.h"

// phi0, phi1: the phases to remove; the caller has set both to NaN and
// checked the spectrum. Budget exhaustion counts as success.
Dword SArrFdCalcPhasesBySimplex(Qword n, const double* spectrum, double* phi0, double* phi1);
