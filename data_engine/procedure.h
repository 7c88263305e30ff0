// The contract of an evaluation procedure and the procedure table.
//
// A procedure (and its preparation step) takes the node the router chose,
// the record and the application record (null when there is none), reads
// its parameters only through the Evp accessors, appends readable lines to
// the record's report, sets kEvpDone when it changed the node, and returns
// a LibErrorCode (69 for a mode it does not know). Each procedure lives in
// its own file proc_<name>.cpp and is plugged in by naming it in its row
// of the table in evp_procedures.cpp.
#pragma once
#include "base/string_lists.h"
#include "base/types.h"
#include "data_engine/evp.h"
#include "data_engine/ky_data.h"
#include "framework/ky_app_record.h"

typedef LibErrorCode (*EvpProcedure)(cKyData* node, Evp* evp, KyAppRecord* record);

struct EvpProcedureRow {
  Dword id;
  const char* name;
  EvpProcedure run;      // null: not built yet, the step answers 9
  bool has_prepare;      // the procedure has a preparation step
  EvpProcedure prepare;  // null with has_prepare: not built yet, answers 9
};

// The rows in lookup order (the order matters for the prefix lookup).
const EvpProcedureRow* EvpProcedureRows(Qword* count);
// The row of an id, null when the id has none.
const EvpProcedureRow* EvpFindProcedure(Qword id);
// The same table as NamedId rows ended by id 0, for NamedId_GetIdA.
extern const NamedId* const EvpProcedureTable;

// The procedures and preparation steps, by the files that build them.
LibErrorCode EvpFunction(cKyData*, Evp*, KyAppRecord*);          // proc_function.cpp
LibErrorCode EvpWindow(cKyData*, Evp*, KyAppRecord*);            // proc_window.cpp
LibErrorCode EvpPhasor(cKyData*, Evp*, KyAppRecord*);            // proc_phasor.cpp
LibErrorCode EvpPreparePhasor(cKyData*, Evp*, KyAppRecord*);     // proc_phasor.cpp
LibErrorCode EvpQuantify(cKyData*, Evp*, KyAppRecord*);          // proc_quantify.cpp
LibErrorCode EvpQArray(cKyData*, Evp*, KyAppRecord*);            // proc_qarray.cpp
LibErrorCode EvpFitProcedure(cKyData*, Evp*, KyAppRecord*);      // proc_fit.cpp
LibErrorCode EvpIlt(cKyData*, Evp*, KyAppRecord*);               // proc_ilt.cpp
LibErrorCode EvpFfcProfile(cKyData*, Evp*, KyAppRecord*);        // proc_ffcprofile.cpp
LibErrorCode EvpDenoising(cKyData*, Evp*, KyAppRecord*);         // proc_denoising.cpp
LibErrorCode EvpApodize(cKyData*, Evp*, KyAppRecord*);           // proc_apodize.cpp
LibErrorCode EvpPrepareApodize(cKyData*, Evp*, KyAppRecord*);    // proc_apodize.cpp
LibErrorCode EvpNormalize(cKyData*, Evp*, KyAppRecord*);         // proc_normalize.cpp
LibErrorCode EvpPrepareNormalize(cKyData*, Evp*, KyAppRecord*);  // proc_normalize.cpp
LibErrorCode EvpGroupDelay(cKyData*, Evp*, KyAppRecord*);        // proc_groupdelay.cpp
LibErrorCode EvpZeroFill(cKyData*, Evp*, KyAppRecord*);          // proc_zerofill.cpp
LibErrorCode EvpFourier(cKyData*, Evp*, KyAppRecord*);           // proc_fourier.cpp
LibErrorCode EvpPhasing(cKyData*, Evp*, KyAppRecord*);           // proc_phasing.cpp
LibErrorCode EvpPreparePhasing(cKyData*, Evp*, KyAppRecord*);    // proc_phasing.cpp
LibErrorCode EvpBaseline(cKyData*, Evp*, KyAppRecord*);  // proc_baseline.cpp (modes other than 1)
LibErrorCode EvpPrepareBaseline(cKyData*, Evp*, KyAppRecord*);  // proc_baseline.cpp
LibErrorCode EvpDosy(cKyData*, Evp*, KyAppRecord*);             // proc_dosy.cpp
LibErrorCode EvpDerivative(cKyData*, Evp*, KyAppRecord*);       // proc_derivative.cpp
