// The Student, Fisher-Snedecor and beta cumulative distributions far into
// both tails (down to 1e-300) and at shape parameters up to 1e8, against
// the mpmath table of tools/gen_prob_tail_reference.py.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "signal_fit/prob/probability.h"

namespace {

struct TailCase {
  const char* name;
  double (*fn)(double x, double p1, double p2);
  double x, p1, p2, expected;
};

double CfStudent0(double x, double nu, double) { return pCfStudent0(x, nu); }
double CfFisherSnedecor(double x, double d1, double d2) { return pCfFisherSnedecor(x, d1, d2); }
double CfBeta(double x, double a, double b) { return pCfBeta(x, a, b); }

const TailCase kCases[] = {
#define PROB_TAIL(f, x, a, b, v) {#f, f, x, a, b, v},
#include "prob_tail_reference.inc"
#undef PROB_TAIL
};

TEST(ProbTails, CumulativeDistributionsToTheLastNormalDouble) {
  for (const TailCase& c : kCases) {
    const double got = c.fn(c.x, c.p1, c.p2);
    EXPECT_LE(std::fabs(got - c.expected), 1e-12 * c.expected)
        << c.name << "(" << c.x << ", " << c.p1 << ", " << c.p2 << ") = " << got << ", expected "
        << c.expected << ", relative error " << (got - c.expected) / c.expected;
  }
}

// The general Student form shifts and scales into the standard one: the
// same tails through mu and sigma (exact in binary: sigma a power of 2).
TEST(ProbTails, StudentLocationAndScale) {
  for (const TailCase& c : kCases) {
    if (std::string(c.name) != "CfStudent0") continue;
    const double got = pCfStudent(4.0 * c.x + 3.0, c.p1, 3.0, 4.0);
    if (std::fabs(c.x) > 1e300 || std::fabs(4.0 * c.x + 3.0 - 3.0 - 4.0 * c.x) != 0.0) continue;
    EXPECT_LE(std::fabs(got - c.expected), 1e-12 * c.expected) << c.x << ", " << c.p1;
  }
}

}  // namespace
