// Lookups in the nuclide and element tables, the quantities derived from a
// row, and the self-diffusion coefficient of water.
#include <cmath>
#include <cstring>

#include "nmrphys/nuclides.h"
#include "nmrphys/physics.h"
#include "scalar/elementary.h"

namespace {

constexpr double kPlanck = 6.62606957e-34;           // J s
constexpr double kNuclearMagneton = 5.05078353e-27;  // J/T
constexpr double kBohrMagneton = 9.27400968e-24;     // J/T
constexpr double kMuonGfactor = -2.0023318418;

constexpr ElementRecord kElements[] = {
    {1, "H", 1},    {1, "D", 2},    {3, "Li", 6},   {4, "Be", 9},  {5, "B", 11},
    {6, "C", 12},   {7, "N", 14},   {8, "O", 16},   {9, "F", 19},  {11, "Na", 23},
    {12, "Mg", 24}, {13, "Al", 27}, {14, "Si", 28}, {15, "P", 31}, {16, "S", 32},
    {17, "Cl", 35}, {35, "Br", 79}, {53, "I", 127}, {0, "", 0},
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

double GammaHz(const NuclideRecord* row) { return row->gamma * 1e6; }

}  // namespace

const NuclideRecord* FindNuclide(const char* symbol) {
  if (symbol == nullptr || symbol[0] == 0) return nullptr;
  // A query without a mass number names an element or particle: compare it
  // with each symbol after its digits.
  const bool bare = !IsDigit(symbol[0]);
  for (const NuclideRecord* row = NuclideTable(); row->id != 0; ++row) {
    const char* name = row->symbol;
    if (bare)
      while (IsDigit(*name)) ++name;
    if (std::strcmp(name, symbol) == 0) return row;
  }
  return nullptr;
}

double rNucTeslaToHz(const char* symbol, double b) {
  const NuclideRecord* row = FindNuclide(symbol);
  return row ? rNmrTeslaToHz(b, GammaHz(row)) : NAN;
}

double rNucHzToTesla(const char* symbol, double f) {
  const NuclideRecord* row = FindNuclide(symbol);
  return row ? rNmrHzToTesla(f, GammaHz(row)) : NAN;
}

double rNucMagneticMoment(const char* symbol) {
  const NuclideRecord* row = FindNuclide(symbol);
  return row ? 0.5 * row->spin * kPlanck * GammaHz(row) : NAN;
}

double rNucGfactor(const char* symbol) {
  const NuclideRecord* row = FindNuclide(symbol);
  if (row == nullptr) return NAN;
  if (row->A != 0) return GammaHz(row) * kPlanck / kNuclearMagneton;
  // The electron (5.5e-4 u) in Bohr magnetons; a bound of 1e-4 u would miss
  // it and hand it the muon's value.
  if (row->mass < 1e-3) return GammaHz(row) * kPlanck / kBohrMagneton;
  return kMuonGfactor;
}

const ElementRecord* GetElement(const char* symbol) {
  if (symbol == nullptr) return nullptr;
  for (const ElementRecord* row = kElements; row->atomic_number != 0; ++row)
    if (std::strncmp(row->symbol, symbol, sizeof row->symbol) == 0 &&
        std::strlen(symbol) < sizeof row->symbol)
      return row;
  return nullptr;
}

const ElementRecord* GetElementByAnum(Long atomic_number) {
  if (atomic_number == 0) return nullptr;
  for (const ElementRecord* row = kElements; row->atomic_number != 0; ++row)
    if (row->atomic_number == atomic_number) return row;
  return nullptr;
}

double SelfDifCoefWater(double t) {
  // The fit holds between freezing and boiling; NaN fails both tests.
  if (!(t >= 273.15 && t <= 373.15)) return NAN;
  return rExp(4.51145231045878 - 327362.4928869647 / (t * t));
}
