// The pieces of the FIT procedure shared by its files: the working set of
// one run (copies of the node's x and y rows, the fit row and the
// residuals) and the fits of the modes that live in files of their own.
#pragma once
#include "base/types.h"
#include "data_engine/evp.h"
#include "data_engine/ky_data.h"
#include "framework/ky_app_record.h"

struct FitRun {
  cKyData* node;
  Evp* evp;
  KyAppRecord* record;
  Qword points;
  Qword first;
  Qword last;
  Qword n;
  // Copies of rows 0 and 1: a stored fit row may move the node's matrix,
  // and no fit may change the caller's data.
  double* x;
  double* y;
  // points values each, NaN outside the window.
  double* row;
  double* res;
};

// Model minus data over the window.
void FitResidualsFromRow(FitRun* run);
// The standard deviation of the window's residuals.
double FitResidualSigma(const FitRun* run);
// The root mean square of the window's residuals.
double FitResidualRms(const FitRun* run);

// Mode 3 (proc_fit_multiexp.cpp).
LibErrorCode FitMultiExp(FitRun* run);
// Modes 6, 7 and 8 (proc_fit_dispersion.cpp).
LibErrorCode FitDispersion(FitRun* run, Qword mode);
