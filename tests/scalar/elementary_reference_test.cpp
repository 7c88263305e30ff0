// The elementary functions against mpmath references (tools/
// gen_elementary_ref.py): relative error in units of epsilon, per row and
// as the worst and RMS of each function.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <string>

#include "scalar/elementary.h"
#include "scalar/real_helpers.h"
#include "support/accuracy.h"

namespace {

struct RefRow {
  const char* fn;
  double x, y, z;
  double ref;
};

const RefRow kRows[] = {
#include "elementary_ref.inc"
};

using Fn = std::function<double(double, double, double)>;
struct Entry {
  Fn fn;
  double tol_eps;  // allowed relative error, in units of ___EpsReal
};

Qword N(double v) { return static_cast<Qword>(v); }  // table counts are small integers

// Tolerance classes: 2 for one correctly rounded operation and a few exact
// ones, 4 to 16 for short compositions, larger only where the
// formula the library uses carries its argument's rounding (noted per line).
const std::map<std::string, Entry>& Table() {
  static const std::map<std::string, Entry> t = {
      {"rExp", {[](double x, double, double) { return rExp(x); }, 2}},
      {"rLog2", {[](double x, double, double) { return rLog2(x); }, 2}},
      {"rLog", {[](double x, double, double) { return rLog(x); }, 2}},
      {"rLog10", {[](double x, double, double) { return rLog10(x); }, 2}},
      {"rLogInBase", {[](double x, double b, double) { return rLogInBase(x, b); }, 4}},
      {"rLogRatio", {[](double x, double b, double) { return rLogRatio(x, b); }, 4}},
      {"rLogSym", {[](double x, double, double) { return rLogSym(x); }, 2}},
      {"rLogSym10", {[](double x, double, double) { return rLogSym10(x); }, 4}},
      {"rExpSym", {[](double x, double, double) { return rExpSym(x); }, 2}},
      // ln 10 rounded, times x up to 2.4, in the exponent.
      {"rExpSym10", {[](double x, double, double) { return rExpSym10(x); }, 16}},
      {"rLogA", {[](double x, double, double) { return rLogA(x); }, 8}},
      {"rExpt", {[](double x, double n, double) { return rExpt(x, N(n)); }, 16}},
      {"rExpM1", {[](double x, double, double) { return rExpM1(x); }, 2}},
      {"rExpT1", {[](double x, double, double) { return rExpT1(x); }, 4}},
      {"rExpT2", {[](double x, double, double) { return rExpT2(x); }, 4}},
      {"rLogT1", {[](double x, double, double) { return rLogT1(x); }, 4}},
      {"rSqrtT1", {[](double x, double, double) { return rSqrtT1(x); }, 4}},
      {"rCbrtT1", {[](double x, double, double) { return rCbrtT1(x); }, 4}},
      {"rCosT2", {[](double x, double, double) { return rCosT2(x); }, 4}},
      {"rCosT1", {[](double x, double, double) { return rCosT1(x); }, 4}},
      {"rHsinc", {[](double x, double, double) { return rHsinc(x); }, 4}},
      {"rTanT3", {[](double x, double, double) { return rTanT3(x); }, 4}},
      {"rSqrtA", {[](double x, double, double) { return rSqrtA(x); }, 4}},
      {"rSqrtD", {[](double x, double, double) { return rSqrtD(x); }, 2}},
      {"rCbrtA", {[](double x, double, double) { return rCbrtA(x); }, 8}},
      {"rCbrtD", {[](double x, double, double) { return rCbrtD(x); }, 4}},
      // exp(b ln|a|): the exponent's rounding times |ln result|.
      {"rRoot", {[](double x, double n, double) { return rRoot(x, N(n)); }, 8}},
      {"rSignedPower", {[](double a, double b, double) { return rSignedPower(a, b); }, 8}},
      {"rSqrt1DivBplusAxA",
       {[](double x, double b, double a) { return rSqrt1DivBplusAxA(x, b, a); }, 4}},
      {"rAcos", {[](double x, double, double) { return rAcos(x); }, 2}},
      {"rAtanD", {[](double x, double, double) { return rAtanD(x); }, 2}},
      {"rTanA", {[](double x, double, double) { return rTanA(x); }, 16}},
      {"rTanD", {[](double x, double, double) { return rTanD(x); }, 4}},
      {"rSec", {[](double x, double, double) { return rSec(x); }, 2}},
      {"rSech", {[](double x, double, double) { return rSech(x); }, 4}},
      {"rCosh", {[](double x, double, double) { return rCosh(x); }, 2}},
      // n x rounded before the exponential: about n x / 4 eps.
      {"rCoshNRatio", {[](double x, double n, double) { return rCoshNRatio(x, N(n)); }, 32}},
      {"rSinhNRatio", {[](double x, double n, double) { return rSinhNRatio(x, N(n)); }, 32}},
      {"rDegToRad", {[](double x, double, double) { return rDegToRad(x); }, 2}},
      {"rRadToDeg", {[](double x, double, double) { return rRadToDeg(x); }, 2}},
      {"rSinc", {[](double x, double, double) { return rSinc(x); }, 2}},
      // pi x rounded before the sine.
      {"rSincNormalized", {[](double x, double, double) { return rSincNormalized(x); }, 16}},
      {"rCosFromSin", {[](double x, double, double) { return rCosFromSin(x); }, 2}},
      {"rSinFromCos", {[](double x, double, double) { return rSinFromCos(x); }, 2}},
      {"rCosSinFromTan", {[](double t, double, double) { return rCosSinFromTan(t, nullptr); }, 4}},
      {"rCosSinFromTan.sin",
       {[](double t, double, double) {
          double s = 0;
          rCosSinFromTan(t, &s);
          return s;
        },
        4}},
      {"rSinCosFromTan", {[](double t, double, double) { return rSinCosFromTan(t, nullptr); }, 4}},
      {"rCoshSinhFromTanh",
       {[](double u, double, double) { return rCoshSinhFromTanh(u, nullptr); }, 4}},
      {"rCoshSinhFromTanh.sinh",
       {[](double u, double, double) {
          double s = 0;
          rCoshSinhFromTanh(u, &s);
          return s;
        },
        4}},
      {"rSinhCoshFromTanh",
       {[](double u, double, double) { return rSinhCoshFromTanh(u, nullptr); }, 4}},
      {"rSinhFromCosh", {[](double c, double, double) { return rSinhFromCosh(c); }, 4}},
      {"rCoshFromSinh", {[](double s, double, double) { return rCoshFromSinh(s); }, 4}},
      {"rTanhFromCosh", {[](double c, double, double) { return rTanhFromCosh(c); }, 4}},
      {"rTanhFromSinh", {[](double s, double, double) { return rTanhFromSinh(s); }, 4}},
      {"rTan2XFromTanX", {[](double t, double, double) { return rTan2XFromTanX(t); }, 4}},
      {"rTanXFromTan2X", {[](double t, double, double) { return rTanXFromTan2X(t); }, 4}},
      {"rAtanXY", {[](double x, double y, double) { return rAtanXY(x, y); }, 4}},
      {"rAcotanXY", {[](double x, double y, double) { return rAcotanXY(x, y); }, 4}},
      {"rAzimuth", {[](double x, double y, double) { return rAzimuth(x, y); }, 4}},
      {"rAcosXR", {[](double x, double r, double) { return rAcosXR(x, r); }, 4}},
      {"rAsinXR", {[](double y, double r, double) { return rAsinXR(y, r); }, 4}},
      {"rAcosXY", {[](double x, double y, double) { return rAcosXY(x, y); }, 8}},
      {"rAsinXY", {[](double x, double y, double) { return rAsinXY(x, y); }, 8}},
      {"rHypot", {[](double a, double b, double) { return rHypot(a, b); }, 4}},
      {"rNorm2D", {[](double a, double b, double) { return rNorm2D(a, b); }, 4}},
      {"rNorm3D", {[](double a, double b, double c) { return rNorm3D(a, b, c); }, 4}},
      {"rSqrNorm2D", {[](double a, double b, double) { return rSqrNorm2D(a, b); }, 4}},
      {"rSqrNorm3D", {[](double a, double b, double c) { return rSqrNorm3D(a, b, c); }, 4}},
      {"rAriSum", {[](double n, double a, double d) { return rAriSum(N(n), a, d); }, 16}},
      {"rAriSumFl", {[](double n, double a, double c) { return rAriSumFl(N(n), a, c); }, 16}},
      {"rAriSumPow2", {[](double n, double a, double d) { return rAriSumPow2(N(n), a, d); }, 16}},
      // Powers up to the thousandth: errors grow with the exponent's size.
      {"rGeoSum", {[](double n, double a, double r) { return rGeoSum(N(n), a, r); }, 64}},
      {"rGeoSumPow2", {[](double n, double a, double r) { return rGeoSumPow2(N(n), a, r); }, 64}},
      {"rGeoSumFl", {[](double n, double a, double c) { return rGeoSumFl(N(n), a, c); }, 64}},
      {"rGeoAri", {[](double n, double a, double b) { return rGeoAri(N(n), a, b); }, 64}},
  };
  return t;
}

TEST(ElementaryReference, EveryRowWithinItsTolerance) {
  // One tally per function; a zero reference is measured against the
  // smallest normal number.
  std::map<std::string, AccuracyTally> tallies;
  for (const RefRow& r : kRows) {
    const auto it = Table().find(r.fn);
    ASSERT_NE(it, Table().end()) << "no adapter for " << r.fn;
    AccuracyTally& tally = tallies.try_emplace(r.fn, r.fn, it->second.tol_eps).first->second;
    tally.CheckScaled(it->second.fn(r.x, r.y, r.z), r.ref, r.ref == 0 ? ___MinRegularReal : 0,
                      At(r.x, r.y, r.z));
  }
  // Every function of the table is exercised.
  for (const auto& [name, entry] : Table()) EXPECT_TRUE(tallies.count(name)) << name;
}

}  // namespace
