// The NMR calculator: 1H field and frequency conversions, the same for any
// nuclide of the table, 90-degree pulse length and B1, and the nuclide
// information loop.
#include <cmath>

#include "base/console_in.h"
#include "base/console_out.h"
#include "base/error_codes.h"
#include "nmrphys/console/con_physics.h"
#include "nmrphys/nuclides.h"

namespace {

constexpr double kGamma1H = 42576388.1;  // Hz/T, the shielded proton

// One number; false (and the row's message) when it is no finite number,
// which is also what the end of the input gives.
bool ReadNumber(const char16_t* prompt, const char16_t* wrong, double* x) {
  NumStatus status = 0;
  *x = CinReal(prompt, &status);
  if (std::isfinite(*x)) return true;
  Cout(wrong);
  return false;
}

// A symbol line; an unknown or empty symbol only makes the result NaN.
void ReadSymbol(char* symbol, Qword capacity) {
  if (CinToBufferA("\n\n Nuclide:", symbol, capacity, 0) != 0) symbol[0] = 0;
}

LibErrorCode HzToTesla1H(Long, void*) {
  double f;
  while (ReadNumber(u"\n Larmor frequency [Mhz]:", u" Wrong input", &f))
    CoutReal(u" Magnetic field: ", f * 1e6 / kGamma1H, u" T", 0, 10);
  return 0;
}

LibErrorCode TeslaToHz1H(Long, void*) {
  double b;
  while (ReadNumber(u"\n Magnetic field [Tesla]:", u"\n Wrong input", &b))
    CoutReal(u" Larmor frequency: ", 1e-6 * b * kGamma1H, u" MHz", 0, 10);
  return 0;
}

LibErrorCode NuclideHzToTesla(Long, void*) {
  for (;;) {
    char symbol[64];
    ReadSymbol(symbol, sizeof symbol);
    double f;
    if (!ReadNumber(u"\n Larmor frequency [Mhz]:", u" Wrong input", &f)) return 0;
    CoutReal(u" Magnetic field: ", rNucHzToTesla(symbol, f * 1e6), u" T", 0, 10);
  }
}

LibErrorCode NuclideTeslaToHz(Long, void*) {
  for (;;) {
    char symbol[64];
    ReadSymbol(symbol, sizeof symbol);
    double b;
    if (!ReadNumber(u"\n Magnetic field [Tesla]:", u"\n Wrong input", &b)) return 0;
    CoutReal(u" Larmor frequency: ", 1e-6 * rNucTeslaToHz(symbol, b), u" MHz", 0, 10);
  }
}

LibErrorCode PulseToB1(Long, void*) {
  double t;
  while (ReadNumber(u"\n 1H 90-degrees flip B1 pulse duration [s]:", u"\n Wrong input", &t))
    CoutReal(u" B1 magnitude: ", 0.25 / (t * kGamma1H), u" T", 0, 10);
  return 0;
}

LibErrorCode B1ToPulse(Long, void*) {
  double b1;
  while (ReadNumber(u"\n B1 magnitude [T]:", u"\n Wrong input", &b1))
    CoutReal(u" 1H 90-degrees flip B1 pulse duration: ", 0.25 / (b1 * kGamma1H), u" s", 0, 10);
  return 0;
}

const ConMenuItem kNmrCalculator[] = {
    {u"\n\t NMR Calculator:", nullptr, 0},
    {u"i Info about a nuclide", ConNuclideInfo, 0},
    {u"h 1H Larmor frequency [Mhz] to magnetic field [T]", HzToTesla1H, 0},
    {u"t Magnetic field [T] to 1H Larmor frequency [MHz]", TeslaToHz1H, 0},
    {u"0 B0 from a nuclide Larmor frequency", NuclideHzToTesla, 0},
    {u"l Nuclide Larmor frequency from B0", NuclideTeslaToHz, 0},
    {u"b B1 magnitude from duration", PulseToB1, 0},
    {u"s B1 duration from magnitude", B1ToPulse, 0},
    {nullptr, nullptr, 0},
};

}  // namespace

LibErrorCode ConMenuNmrCalculator(Long, void*) {
  return ConMenu(kNmrCalculator, kConMenuClear, nullptr);
}

LibErrorCode ConNuclideInfo(Long, void*) {
  for (;;) {
    char symbol[64];
    if (CinToBufferA("\n\n Which nuclide are you interested in? ", symbol, sizeof symbol, 0) != 0)
      symbol[0] = 0;
    const NuclideRecord* row = FindNuclide(symbol);
    if (row == nullptr) {
      CoutA("\n ! Nuclide not found !");
      break;
    }
    CoutLongA("\n Atomic number [Z]     ", row->Z, nullptr, 0, 10);
    CoutLongA("\n Mass number [A]       ", row->A, nullptr, 0, 10);
    CoutDwordA("\n Spin [hbar/2]         ", row->spin, nullptr, 0, 10);
    CoutRealA("\n Mass [AU]             ", row->mass, nullptr, 0, 10);
    CoutRealA("\n Gamma ratio [MHz/T]   ", row->gamma, nullptr, 0, 10);
    CoutRealA("\n g-factor              ", rNucGfactor(row->symbol), nullptr, 0, 10);
    CoutRealA("\n Magnetic moment [J/T] ", rNucMagneticMoment(row->symbol), nullptr, 0, 10);
    CoutRealA("\n Quadrupole momentum   ", row->quadrupole, nullptr, 0, 10);
    CoutRealA("\n Abundance [%]         ", row->abundance * 100, nullptr, 0, 10);
  }
  CoutA("\n ..........\n");
  return kErrMissingListItem;
}
