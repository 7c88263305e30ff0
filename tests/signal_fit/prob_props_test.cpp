#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "base/double_to_int.h"
#include "signal_fit/prob/props.h"

namespace {

using Fill = PdProps* (*)(double, double, double, PdProps*);

PdProps* Bernoulli(double a, double, double, PdProps* r) { return pPropsBernoulli(a, r); }
PdProps* Beta(double a, double b, double, PdProps* r) { return pPropsBeta(a, b, r); }
PdProps* Cauchy(double a, double b, double, PdProps* r) { return pPropsCauchy(a, b, r); }
PdProps* ChiSquare(double a, double, double, PdProps* r) {
  return pPropsChiSquare(DoubleToQword(a), r);
}
PdProps* Exponential(double a, double, double, PdProps* r) { return pPropsExponential(a, r); }
PdProps* FisherSnedecor(double a, double b, double, PdProps* r) {
  return pPropsFisherSnedecor(a, b, r);
}
PdProps* Normal(double a, double b, double, PdProps* r) { return pPropsNormal(a, b, r); }
PdProps* Poisson(double a, double, double, PdProps* r) { return pPropsPoisson(a, r); }
PdProps* Student(double a, double b, double c, PdProps* r) { return pPropsStudent(a, b, c, r); }
PdProps* Uniform(double a, double b, double, PdProps* r) { return pPropsUniform(a, b, r); }

struct PropsCase {
  const char* family;
  Fill fill;
  double p1, p2, p3;
  const char* field;
  double PdProps::*member;
  double expected, tol;
};

#define PROB_CASE(f, x, a, b, c, v, tol)
#define PROB_CHF(f, t, a, b, c, re, im, tol)
#define PROB_CHI2_SF(dof, x, sf)
#define PROB_KS_CRITICAL(n, d)
#define PROB_PROPS(fam, a, b, c, field, v, tol) \
  {#fam, fam, a, b, c, #field, &PdProps::field, v, tol},
const PropsCase kCases[] = {
#include "tests/signal_fit/prob_reference.inc"
};
#undef PROB_CASE
#undef PROB_CHF
#undef PROB_CHI2_SF
#undef PROB_KS_CRITICAL
#undef PROB_PROPS

TEST(ProbProps, ReferenceTable) {
  for (const PropsCase& c : kCases) {
    PdProps r;
    ASSERT_EQ(c.fill(c.p1, c.p2, c.p3, &r), &r);
    const double got = r.*c.member;
    EXPECT_NEAR(got, c.expected, c.tol * std::fabs(c.expected) + 1e-300)
        << c.family << "(" << c.p1 << ", " << c.p2 << ", " << c.p3 << ")." << c.field;
  }
}

bool IsErased(const PdProps& r) {
  const double* d = &r.SupportLow;
  for (int i = 0; i < 19; ++i)
    if (!std::isnan(d[i])) return false;
  return r.Flags == 0xFFFFFF00u;
}

TEST(ProbProps, InvalidParametersLeaveTheRecordErased) {
  PdProps r;
  EXPECT_TRUE(IsErased(*pDPropsErase(&r)));
  EXPECT_TRUE(IsErased(*pPropsNormal(0.0, 0.0, &r)));
  pPropsNormal(0.0, 1.0, &r);  // a filled record is erased again
  EXPECT_TRUE(IsErased(*pPropsBernoulli(1.5, &r)));
  EXPECT_TRUE(IsErased(*pPropsBeta(0.0, 1.0, &r)));
  EXPECT_TRUE(IsErased(*pPropsCauchy(0.0, -1.0, &r)));
  EXPECT_TRUE(IsErased(*pPropsChiSquare(0, &r)));
  EXPECT_TRUE(IsErased(*pPropsExponential(0.0, &r)));
  EXPECT_TRUE(IsErased(*pPropsFisherSnedecor(1.0, 0.0, &r)));
  EXPECT_TRUE(IsErased(*pPropsPoisson(0.0, &r)));
  EXPECT_TRUE(IsErased(*pPropsStudent(0.0, 0.0, 1.0, &r)));
  EXPECT_TRUE(IsErased(*pPropsUniform(0.0, 0.0, &r)));
}

TEST(ProbProps, FamilyDetails) {
  PdProps r;
  pPropsNormal(0.0, 1.0, &r);
  EXPECT_EQ(r.Flags, 0u);
  EXPECT_DOUBLE_EQ(r.Entropy, 1.4189385332046727);
  EXPECT_DOUBLE_EQ(r.HalfHeightWidth, 2.3548200450309493);
  EXPECT_EQ(r.SupportLow, -HUGE_VAL);

  pPropsStudent(1.0, 0.0, 1.0, &r);
  EXPECT_TRUE(std::isnan(r.Mean));
  EXPECT_TRUE(std::isnan(r.Variance));
  EXPECT_TRUE(std::isnan(r.StdDev));
  EXPECT_TRUE(std::isnan(r.MeanAbsDev));
  EXPECT_NEAR(r.ModeDensity, 1.0 / M_PI, 1e-15);

  pPropsExponential(2.0, &r);
  EXPECT_DOUBLE_EQ(r.Mean, 0.5);
  EXPECT_DOUBLE_EQ(r.Median, std::log(2.0) / 2);
  EXPECT_DOUBLE_EQ(r.MeanAbsDev, 1.0 / M_E);

  pPropsBeta(1.0, 1.0, &r);
  EXPECT_TRUE(std::isnan(r.Mode));

  pPropsBernoulli(0.25, &r);
  EXPECT_EQ(r.Flags, 1u);
  EXPECT_EQ(r.NhciCenter, 0.0);
  EXPECT_EQ(r.Mode, 0.0);
  EXPECT_EQ(r.ModeDensity, 0.75);
  pPropsBernoulli(0.0, &r);
  EXPECT_EQ(r.Entropy, 0.0);  // 0 ln 0 taken as 0

  // Poisson: the mode is the most probable count; lambda = 0.5 mean
  // absolute deviation 2 lambda e^-lambda (floor(lambda) = 0).
  pPropsPoisson(0.5, &r);
  EXPECT_EQ(r.Mode, 0.0);
  EXPECT_NEAR(r.MeanAbsDev, 2 * 0.5 * std::exp(-0.5), 1e-15);
  EXPECT_TRUE(std::isnan(r.Entropy));

  // Fisher-Snedecor with d1 = 2: mode 0 with density 1; d1 = 3: no lower
  // inflection inside the support.
  pPropsFisherSnedecor(2.0, 5.0, &r);
  EXPECT_EQ(r.Mode, 0.0);
  EXPECT_EQ(r.ModeDensity, 1.0);
  pPropsFisherSnedecor(3.0, 7.0, &r);
  EXPECT_TRUE(std::isnan(r.LowerInflex));
  EXPECT_GT(r.UpperInflex, r.Mode);

  pPropsUniform(1.0, 3.0, &r);
  EXPECT_EQ(r.SupportLow, -0.5);
  EXPECT_EQ(r.SupportHigh, 2.5);
  EXPECT_DOUBLE_EQ(r.NhciWidth, 1.5);
}

TEST(ProbProps, Listing) {
  PdProps r;
  pDPropsErase(&r);
  testing::internal::CaptureStdout();
  CoutPdPropsA("Erased", &r);
  const std::string erased = testing::internal::GetCapturedStdout();
  EXPECT_EQ(erased.rfind("Erased\n Flags = 4294967040", 0), 0u) << erased;
  const char* labels[] = {"SupportLow",  "SupportHigh", "Mode",       "ModeDensity",
                          "Mean",        "MeanDensity", "Median",     "MedianDensity",
                          "StdDev",      "Variance",    "MeanAbsDev", "HalfHeightWidth",
                          "LowerInflex", "UpperInflex", "NhciWidth",  "NhciCenter",
                          "Skewness",    "ExKurtosis",  "Entropy"};
  size_t pos = 0;
  for (const char* l : labels) {
    const size_t at = erased.find(std::string("\n ") + l + " = ", pos);
    ASSERT_NE(at, std::string::npos) << l;
    pos = at + 1;
  }
  // Every value after Flags is NaN: nineteen of them in the listing.
  size_t nans = 0;
  for (size_t at = erased.find("NaN"); at != std::string::npos; at = erased.find("NaN", at + 1))
    ++nans;
  EXPECT_EQ(nans, 19u) << erased;

  pPropsUniform(0.0, 2.0, &r);
  testing::internal::CaptureStdout();
  CoutPdProps(u"U", &r);
  const std::string wide = testing::internal::GetCapturedStdout();
  EXPECT_NE(wide.find("\n SupportHigh = 1"), std::string::npos) << wide;
  // -6/5 as a double is -1.19999999999999995559...: its digits are cut, not
  // rounded, so fifteen of them read -1.19999999999999.
  EXPECT_NE(wide.find("\n ExKurtosis = -1.19999999999999\n"), std::string::npos) << wide;
}

}  // namespace
