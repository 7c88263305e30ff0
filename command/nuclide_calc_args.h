// The argument record of code 107, the nuclide calculator. The caller owns
// it and passes its address in the record's argument field.
#pragma once
#include "base/types.h"

// Modes 1 to 4: `input` points to the double input and `symbol` to the
// nuclide symbol. Mode 5: `input` points to the symbol (an 8-bit text) and
// `symbol` is not read.
struct NuclideCalcArgs {
  Dword mode;
  const void* input;
  const char* symbol;
};

enum : Dword {
  kNuclideHzToTesla = 1,
  kNuclideTeslaToHz = 2,
  kNuclidePulseToB1 = 3,
  kNuclideB1ToPulse = 4,
  kNuclideCard = 5,
};
