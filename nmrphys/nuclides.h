// The nuclide and element tables and their lookups: spin, mass, gamma,
// quadrupole moment and abundance of the NMR nuclides and three particles,
// a small table of element symbols, and the self-diffusion coefficient of
// water. Both tables are constant; lookups hand out pointers into them that
// the caller neither frees nor changes.
#pragma once
#include "base/types.h"

// One row of the nuclide table; a row with id 0 ends it.
struct NuclideRecord {
  Dword id;
  const char* symbol;  // "1H", "13C"; particles "e", "u", "1n"
  Long Z;
  Long A;
  Dword spin;         // 2I
  double mass;        // u
  double gamma;       // gamma / 2 pi, MHz/T, signed
  double quadrupole;  // fm^2
  double abundance;   // fraction; 0 without a stable natural share
};

// One row of the element table; a row with atomic number 0 ends it.
struct ElementRecord {
  Long atomic_number;
  char symbol[4];  // zero-filled
  Long mass_number;
};
static_assert(sizeof(ElementRecord) == 12);

// The row of a symbol: "13C" compares whole symbols, a name without leading
// digits ("C", "Li", "n") compares after each row's mass number, so it finds
// the first nuclide of that element. Exact and case-sensitive; null when no
// row matches.
VELTRIA_API const NuclideRecord* FindNuclide(const char* symbol);
VELTRIA_API Dword uListedNuclidesCount(void);
// Larmor frequency [Hz] of field b [T]; NaN for an unknown symbol.
VELTRIA_API double rNucTeslaToHz(const char* symbol, double b);
// Field [T] of Larmor frequency f [Hz]; NaN for an unknown symbol.
VELTRIA_API double rNucHzToTesla(const char* symbol, double f);
// Magnetic moment I h gamma [J/T]; NaN for an unknown symbol.
VELTRIA_API double rNucMagneticMoment(const char* symbol);
// g-factor: in nuclear magnetons for nuclei and the neutron, in Bohr
// magnetons for the electron, the free value for the muon.
VELTRIA_API double rNucGfactor(const char* symbol);

VELTRIA_API const ElementRecord* GetElement(const char* symbol);
VELTRIA_API const ElementRecord* GetElementByAnum(Long atomic_number);

// Self-diffusion coefficient of water at T [K], in 1e-9 m^2/s; NaN outside
// 273.15 to 373.15 K.
VELTRIA_API double SelfDifCoefWater(double t);

// The whole nuclide table, terminator included (for the tests).
const NuclideRecord* NuclideTable(void);
