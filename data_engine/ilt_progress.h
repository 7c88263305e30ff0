// Progress of a running inverse Laplace transform: framework messages 60
// (start), 53 (an intermediate distribution in the transformed node's
// companion, every tenth new best point), 63 (every new best point, with
// the stop request read back from the record's result field) and 64 (end);
// and the merge of a distribution behind the components of the last
// multi-exponential FIT.
#pragma once
#include "base/types.h"
#include "data_engine/ky_data.h"
#include "signal_fit/fit/minimizer.h"

// The minimizer's progress callback of ILT mode 1; its progress data is the
// KyAppRecord, whose argument is the transformed node when the run starts.
Dword IltProgressCallback(Minimizer* m, Dword code);

// The number of components of the last multi-exponential FIT at the head of
// the node's companion: the companion's result 0, limited to its points; 0
// without a companion or with a count that is not a positive number.
Qword IltCompanionComponents(const cKyData* node);

// Merges `count` rates and amplitudes into the node's companion behind its
// IltCompanionComponents; the companion keeps that count as its result 0.
LibErrorCode IltMergeDistribution(cKyData* node, const double* rates, const double* amplitudes,
                                  Qword count);
