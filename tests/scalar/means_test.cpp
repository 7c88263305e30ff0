// Two-argument means against mpmath references (tools/gen_means_ref.py),
// their domain rules, and the variadic aggregates.
#include "scalar/means.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "scalar/real_helpers.h"

namespace {

struct MeanRef {
  const char* fn;
  double a, b, param, value;
};

#include "means_ref.inc"

double Evaluate(const MeanRef& r) {
  const std::string fn = r.fn;
  if (fn == "G") return rMeanG(r.a, r.b);
  if (fn == "H") return rMeanH(r.a, r.b);
  if (fn == "H2") return rMeanH2(r.a, r.b);
  if (fn == "Rms") return rMeanRms(r.a, r.b);
  if (fn == "Hero") return rMeanHero(r.a, r.b);
  if (fn == "HeroK") return rMeanHeroK(r.a, r.b, static_cast<Qword>(r.param));
  if (fn == "AGM") return rMeanAGM(r.a, r.b);
  if (fn == "MAGM") return rMeanMAGM(r.a, r.b);
  if (fn == "Hoelder") return rMeanHoelder(r.a, r.b, r.param);
  if (fn == "HoelderI") return rMeanHoelderI(r.a, r.b, static_cast<Qlong>(r.param));
  if (fn == "Lehmer") return rMeanLehmer(r.a, r.b, r.param);
  if (fn == "LehmerI") return rMeanLehmerI(r.a, r.b, static_cast<Qlong>(r.param));
  ADD_FAILURE() << "unknown function " << fn;
  return 0;
}

// Tolerances in eps, the same in every build. The power and Lehmer means go
// through rPow, exp(p ln|x|), whose error grows with |p ln x|; they work on
// ratios <= 1, which keeps that to a few hundred eps at most here.
double ToleranceEps(const std::string& fn) {
  if (fn == "G" || fn == "Rms" || fn == "H" || fn == "H2") return 4;
  if (fn == "Hero" || fn == "AGM" || fn == "MAGM") return 16;
  if (fn == "HeroK") return 64;
  return 512;
}

TEST(Means, MatchMpmathReferences) {
  std::map<std::string, double> worst;
  for (const MeanRef& r : kMeanRef) {
    const double got = Evaluate(r);
    // Relative error, measured against the smallest normal number for
    // subnormal references.
    const double scale = std::fmax(std::fabs(r.value), DBL_MIN);
    const double err = std::fabs(got - r.value) / scale / DBL_EPSILON;
    worst[r.fn] = std::fmax(worst[r.fn], err);
    EXPECT_LE(err, ToleranceEps(r.fn)) << r.fn << "(" << r.a << ", " << r.b << ", " << r.param
                                       << "): got " << got << ", want " << r.value;
  }
  for (const auto& [fn, e] : worst) std::printf("  worst %-9s %8.2f eps\n", fn.c_str(), e);
}

TEST(Means, DomainRulesAndExactCases) {
  EXPECT_EQ(rMeanG(-4, -9), 6);
  EXPECT_TRUE(std::isnan(rMeanG(-4, 9)));
  EXPECT_EQ(rMeanH(2, 0), 0);
  EXPECT_TRUE(std::isnan(rMeanH(1, -1)));
  EXPECT_EQ(rMeanH(3, 6), 4);
  EXPECT_EQ(rMeanH(-3, -6), -4);
  EXPECT_EQ(rMeanA(___MaxReal, ___MaxReal), ___MaxReal);
  EXPECT_EQ(rMeanH2(0, 5), 0);
  EXPECT_EQ(rMeanAGM(1, 0), 0);
  EXPECT_EQ(rMeanAGM(2.385, 2.385), 2.385);
  EXPECT_TRUE(std::isnan(rMeanAGM(-1, 2)));
  EXPECT_TRUE(std::isnan(rMeanMAGM(2, -1)));
  EXPECT_EQ(rMeanMAGM(3, 0), 0);
  EXPECT_TRUE(std::isnan(rMeanHeroK(2, 3, 0)));
  EXPECT_EQ(rMeanHeroK(2, 3, 1), rMeanA(2, 3));
  EXPECT_EQ(rMeanHeroK(2, 3, 2), rMeanHero(2, 3));
  // Equal arguments give themselves.
  for (double x : {2.385, 1e-300, 1e300, 4.9e-324}) {
    EXPECT_EQ(rMeanRms(x, x), x) << x;
    EXPECT_EQ(rMeanG(x, x), x) << x;
    EXPECT_DOUBLE_EQ(rMeanH2(x, x), x) << x;
    EXPECT_DOUBLE_EQ(rMeanHeroK(x, x, 1000000), x) << x;
    EXPECT_DOUBLE_EQ(rMeanHeroK(x, x, ~Qword{0}), x) << x;
  }
  // Integer orders agree with the real ones.
  for (Qlong k : {-2, -1, 0, 1, 2}) {
    const double want = rMeanHoelder(2.385, 7.25, static_cast<double>(k));
    EXPECT_NEAR(rMeanHoelderI(2.385, 7.25, k), want, 64 * DBL_EPSILON * want) << k;
  }
  EXPECT_EQ(rMeanLehmerI(2.385, 7.25, 0), rMeanH(2.385, 7.25));
  EXPECT_EQ(rMeanLehmerI(2.385, 7.25, 1), rMeanA(2.385, 7.25));
  EXPECT_EQ(rMeanLehmer(2.385, 7.25, 0), rMeanH(2.385, 7.25));
}

TEST(Means, ArithmeticGeometricMeansEndOnTinyAndHugeArguments) {
  const double tiny = 4.9406564584124654e-324;
  // 2 and 1 units of the smallest subnormal: unscaled, the rounding repeats
  // this pair for ever.
  const double m = rMeanAGM(2 * tiny, tiny);
  EXPECT_GE(m, tiny);
  EXPECT_LE(m, 2 * tiny);
  // A subnormal mean is the nearest subnormal to the scaled one.
  EXPECT_EQ(rMeanAGM(0x1p-1070, 0x1p-1072), std::ldexp(rMeanAGM(4, 1), -1072));
  EXPECT_EQ(rMeanMAGM(0x1p-1050, 0x1p-1052), std::ldexp(rMeanMAGM(4, 1), -1052));
  EXPECT_DOUBLE_EQ(rMeanAGM(___MaxReal, ___MaxReal / 4) / (___MaxReal / 4), rMeanAGM(4, 1));
  EXPECT_DOUBLE_EQ(rMeanMAGM(___MaxReal, ___MaxReal / 4) / (___MaxReal / 4), rMeanMAGM(4, 1));
  EXPECT_EQ(rMeanAGM(___MaxReal, ___MaxReal), ___MaxReal);
  EXPECT_TRUE(std::isnan(rMeanAGM(___NAN, 1)));
  EXPECT_EQ(rMeanHeroK(___PlsINF, 1, ~Qword{0}), ___PlsINF);
}

// Rows of a table: the list is fixed per row, so each row is its own call.
TEST(VariadicAggregates, Values) {
  EXPECT_EQ(rVaSum(0), 0);
  EXPECT_EQ(rVaSum(3, 1.5, 2.25, -0.75), 3.0);
  EXPECT_EQ(rVaProduct(0), 1);
  EXPECT_EQ(rVaProduct(3, 1.5, 2.0, -4.0), -12.0);
  EXPECT_EQ(rVaSumSquares(0), 0);
  EXPECT_EQ(rVaSumSquares(2, 3.0, -4.0), 25.0);
  EXPECT_EQ(rVaSumInv(2, 2.0, 0.0), 0);
  EXPECT_EQ(rVaSumInv(2, 3.0, 6.0), 2.0);
  EXPECT_TRUE(std::isinf(rVaSumInv(0)));
  EXPECT_TRUE(std::isnan(rVaSumLnAbs(1, 0.0)));
  EXPECT_DOUBLE_EQ(rVaSumLnAbs(3, 2.0, -3.0, 0.5), std::log(3.0));
  EXPECT_EQ(rVaSumLnAbs(0), 0);
  EXPECT_TRUE(std::isnan(rVaMeanA(0)));
  EXPECT_EQ(rVaMeanA(4, 1.0, 2.0, 3.0, 6.0), 3.0);
  EXPECT_EQ(rVaMeanH(2, 3.0, 6.0), 4.0);
  EXPECT_EQ(rVaMeanH(3, 3.0, 0.0, 6.0), 0);
  EXPECT_TRUE(std::isnan(rVaMeanH(0)));
  EXPECT_EQ(rVaMeanRms(2, 1.0, 7.0), 5.0);
  EXPECT_TRUE(std::isnan(rVaMeanRms(0)));
  double (*square)(double) = [](double x) { return x * x; };
  EXPECT_EQ(rVaSumFunc(3, square, 1.0, 2.0, 3.0), 14.0);
  EXPECT_EQ(rVaSumFunc(0, square), 0);
  EXPECT_EQ(rVaProductFunc(2, square, 2.0, 3.0), 36.0);
  EXPECT_EQ(rVaProductFunc(0, square), 1);
  EXPECT_TRUE(std::isnan(rVaSumFunc(2, nullptr, 1.0, 2.0)));
  EXPECT_TRUE(std::isnan(rVaProductFunc(1, nullptr, 1.0)));
}

// The list is walked in order from the first value: only the given count is
// read, the rest of the arguments are never touched.
TEST(VariadicAggregates, ReadOnlyTheCountedValues) {
  EXPECT_EQ(rVaSum(2, 1.0, 2.0, ___NAN), 3.0);
  EXPECT_EQ(rVaProduct(1, 5.0, ___NAN), 5.0);
  // Summed from the first value on: (1e16 + 1) + 1 rounds twice.
  EXPECT_EQ(rVaSum(3, 1e16, 1.0, 1.0), 1e16);
  EXPECT_EQ(rVaSum(3, 1.0, 1.0, 1e16), 1e16 + 2);
}

}  // namespace
