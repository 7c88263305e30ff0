// Leaves of functions of x with a parameter: a number prints the value,
// anything else tabulates the function over a grid the user describes.
// Also the Debye function with its operation count and water's
// self-diffusion.
#include <cmath>

#include "arrays/console_tabulate.h"
#include "base/console_in.h"
#include "base/console_out.h"
#include "nmrphys/console/con_leaves.h"
#include "nmrphys/console/con_physics.h"
#include "nmrphys/nuclides.h"
#include "nmrphys/physics.h"

namespace {

constexpr const char16_t* kWrong = u" Wrong input";
// Status bits that leave no usable unsigned 64-bit count.
constexpr NumStatus kNotAQword = NUM_UNDEFINED | NUM_ILLEGALCHAR | NUM_FRACTIONAL | NUM_NOSTRUCT |
                                 NUM_OVERFLOW | NUM_UNDERFLOW | NUM_U64OVERFLOW_ABOVE |
                                 NUM_U64OVERFLOW_BELOW;

struct PlainFunction {
  const char16_t* name;
  RFunctionR f;
};

// Einstein 1..4 and Planck 1..2, by the row argument.
const PlainFunction kEinstein[] = {{u"rEinstein1", rEinstein1},
                                   {u"rEinstein2", rEinstein2},
                                   {u"rEinstein3", rEinstein3},
                                   {u"rEinstein4", rEinstein4}};
const PlainFunction kPlanck[] = {{u"rPlanckL", rPlanckL}, {u"rPlanckF", rPlanckF}};

struct SpinFunction {
  const char16_t* name;
  const char16_t* label;
  RFunctionRD f;
};
const SpinFunction kSpin[] = {
    {u"rPartiSpin", u"\n Z(x) = ", rPartiSpin},
    {u"rPartiSpinMeanSz", u"\n <m>(x) = ", rPartiSpinMeanSz},
    {u"rPartiSpinMeanSz2", u"\n <m^2>(x) = ", rPartiSpinMeanSz2},
};

struct OscillatorFunction {
  const char16_t* name;
  const char16_t* formula;
  const char16_t* label;
  RFunctionRR f;
};
const OscillatorFunction kOscillator[] = {
    {u"rPartiHarmonicOsci", u"\n Z(x) = exp(-delta x) / (1 - exp(-x))", u"\n Z(x) = ",
     rPartiHarmonicOsci},
    {u"rPartiHarmonicOsciMeanE", u"\n <E>(x) = (delta + (1 - delta) exp(-x)) / (1 - exp(-x))",
     u"\n <E>(x) = ", rPartiHarmonicOsciMeanE},
};

// The value of x, or NaN for anything else (which asks for a table).
double ReadX() {
  NumStatus status = 0;
  const double x = CinReal(u"\n x (anything else: a table):", &status);
  return std::isfinite(x) ? x : NAN;
}

LibErrorCode PlainLeaf(const PlainFunction& fn) {
  const double x = ReadX();
  if (std::isnan(x)) return ConTabulateRFunctionR(fn.f, fn.name);
  CoutReal(u"\n E(x) = ", fn.f(x), nullptr, 0, 10);
  return 0;
}

// An unsigned parameter; false (and the message) when none was typed.
bool ReadDword(const char16_t* prompt, Dword* value) {
  NumStatus status = 0;
  *value = CinDword(prompt, &status);
  if (status == 0) return true;
  Cout(kWrong);
  return false;
}

}  // namespace

LibErrorCode ConEinsteinLeaf(Long which, void*) {
  if (which < 1 || which > 4) return 0;
  return PlainLeaf(kEinstein[which - 1]);
}

LibErrorCode ConPlanckLeaf(Long which, void*) {
  if (which < 1 || which > 2) return 0;
  const PlainFunction& fn = kPlanck[which - 1];
  const double x = ReadX();
  if (std::isnan(x)) return ConTabulateRFunctionR(fn.f, fn.name);
  CoutReal(u"\n P(x) = ", fn.f(x), nullptr, 0, 10);
  return 0;
}

LibErrorCode ConOscillatorLeaf(Long which, void*) {
  if (which < 0 || which > 1) return 0;
  const OscillatorFunction& fn = kOscillator[which];
  Cout(fn.formula);
  const double x = ReadX();
  Dword delta = 0;
  if (!ReadDword(u"\n delta (unsigned integer):", &delta)) return 0;
  if (std::isnan(x)) return ConTabulateRFunctionRR(fn.f, fn.name, delta);
  CoutReal(fn.label, fn.f(x, delta), nullptr, 0, 10);
  return 0;
}

LibErrorCode ConSpinStatisticsLeaf(Long which, void*) {
  if (which < 0 || which > 2) return 0;
  const SpinFunction& fn = kSpin[which];
  const double x = ReadX();
  Dword two_s = 0;
  if (!ReadDword(u"\n 2S (unsigned integer):", &two_s)) return 0;
  if (std::isnan(x)) return ConTabulateRFunctionRD(fn.f, fn.name, two_s);
  CoutReal(fn.label, fn.f(x, two_s), nullptr, 0, 10);
  return 0;
}

LibErrorCode ConDebyeLeaf(Long, void*) {
  for (;;) {
    NumStatus status = 0;
    const Qword n = CinQword(u"\n n (unsigned integer):", &status);
    if (status & kNotAQword) break;
    const double x = CinReal(u"\n x:", &status);
    if (!std::isfinite(x)) break;
    Qword count = 0;
    const double d = rDebyeU(x, n, &count);
    CoutReal(u" rDebyeU(x,n) = ", d, nullptr, 0, 10);
    CoutQword(u" aocount = ", count, nullptr, 10);
  }
  Cout(kWrong);
  return 0;
}

LibErrorCode ConSelfDifCoefWater(Long, void*) {
  Cout(u" Self-diffusion coefficient of water\n");
  for (;;) {
    Cout(u"\n");
    NumStatus status = 0;
    const double t = CinReal(u"Input temperature T [Kelvin] = ", &status);
    if (!std::isfinite(t)) {
      Cout(kWrong);
      return 0;
    }
    CoutReal(u" D(T) = ", 1e-5 * SelfDifCoefWater(t), u" [cm^2/s]", 0, 10);
  }
}
