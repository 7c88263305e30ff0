// Synthetic relaxometry data (data type 12): decays of one or several
// components with phase, baseline and Gaussian noise, arranged as the
// experiments of a relaxometer record them. The item (the root's last
// child) names the experiment in "EXP" and describes sample and
// acquisition in its other parameters; every decay becomes a new block of
// three rows (time in seconds, real part, imaginary part).
#pragma once
#include "base/types.h"

class cKyAsciPars;
class cKyData;

struct SimPars {
  double f1;     // "F1", Hz
  double rphs;   // "RPHS", degrees
  Qword bs;      // "BS", points per decay
  double dw;     // "DW", read in microseconds, held in seconds
  double xoff;   // "XOFF", read in microseconds, held in seconds
  double gdly;   // "GDLY"
  double bsln;   // "BSLN"
  double nois;   // "NOIS", times the sum of "WDCY" when decay components exist
  Qword nlpl;    // "NLPL"
  Qword ngss;    // "NGSS"
  double* tdcy;  // "TDCY", NLPL + NGSS values
  double* wdcy;  // "WDCY"
  Qword nblk;    // "NBLK"
  Qword bgrd;    // "BGRD": 1 linear, 2 logarithmic (also when absent)
  double bini;   // "BINI"
  double bend;   // "BEND"
  Qword nrlx;    // "NRLX"
  double edly;   // "EDLY"
  double pw90;   // "PW90"
  double* trlx;  // "TRLX", NRLX values
  double* wrlx;  // "WRLX"
  double* srlx;  // "SRLX", spreads in decades
};

void SimParsClear(SimPars* pars);
// Releases the arrays and clears the record.
void SimParsRelease(SimPars* pars);
// 22 without a store, 18 without a record, 12 or 28 for missing or bad
// arrays, 0x80001; on error the record holds no arrays.
LibErrorCode SimParsRead(const cKyAsciPars* store, SimPars* pars);

// Runs the generator that the item's "EXP" names on the root's last child:
// 23 without root or item, 21 without "EXP". On failure the item keeps
// the blocks it had.
LibErrorCode SimulateRelaxationData(cKyData* root);

LibErrorCode SimulateSinglePulse(cKyData* root);
LibErrorCode SimulateSaturationRecovery(cKyData* root);
LibErrorCode SimulateInversionRecovery(cKyData* root);
LibErrorCode SimulateCpmg(cKyData* root);
LibErrorCode SimulateFlipAngle(cKyData* root);
LibErrorCode SimulatePhantomDecay(cKyData* root);
