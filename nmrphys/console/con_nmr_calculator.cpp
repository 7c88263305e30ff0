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

// One conversion of the 1H rows: its prompt, the message for a wrong input,
// the result's label and unit, and the conversion itself.
struct Conversion {
  const char16_t* prompt;
  const char16_t* wrong;
  const char16_t* label;
  const char16_t* unit;
  double (*convert)(double x);
};

const Conversion kConversions1H[] = {
    {u"\n Larmor frequency [Mhz]:", u" Wrong input", u" Magnetic field: ", u" T",
     [](double f) { return f * 1e6 / kGamma1H; }},
    {u"\n Magnetic field [Tesla]:", u"\n Wrong input", u" Larmor frequency: ", u" MHz",
     [](double b) { return 1e-6 * b * kGamma1H; }},
    {u"\n 1H 90-degrees flip B1 pulse duration [s]:", u"\n Wrong input", u" B1 magnitude: ", u" T",
     [](double t) { return 0.25 / (t * kGamma1H); }},
    {u"\n B1 magnitude [T]:", u"\n Wrong input", u" 1H 90-degrees flip B1 pulse duration: ", u" s",
     [](double b1) { return 0.25 / (b1 * kGamma1H); }},
};

// Converts numbers until one is no finite number.
LibErrorCode Convert1H(Long which, void*) {
  const Conversion& c = kConversions1H[which];
  double x;
  while (ReadNumber(c.prompt, c.wrong, &x)) CoutReal(c.label, c.convert(x), c.unit, 0, 10);
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

const ConMenuItem kNmrCalculator[] = {
    {u"\n\t NMR Calculator:", nullptr, kConMenuClear},
    {u"i Info about a nuclide", ConNuclideInfo, 0},
    {u"h 1H Larmor frequency [Mhz] to magnetic field [T]", Convert1H, 0},
    {u"t Magnetic field [T] to 1H Larmor frequency [MHz]", Convert1H, 1},
    {u"0 B0 from a nuclide Larmor frequency", NuclideHzToTesla, 0},
    {u"l Nuclide Larmor frequency from B0", NuclideTeslaToHz, 0},
    {u"b B1 magnitude from duration", Convert1H, 2},
    {u"s B1 duration from magnitude", Convert1H, 3},
    {nullptr, nullptr, 0},
};

}  // namespace

LibErrorCode ConMenuNmrCalculator(Long, void*) { return ConMenuOfTable(kNmrCalculator, nullptr); }

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
