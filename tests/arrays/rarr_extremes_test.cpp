// Extremes, counters, value search, histogram and the statistics record of
// real arrays, with their NaN rules.
#include "arrays/rarr_extremes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "support/alloc_failure.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(RealExtremes, FirstOccurrenceAndEmptyInput) {
  const double a[3] = {1, 3, 3}, b[3] = {2, 1, 1};
  Qlong i = 7;
  EXPECT_EQ(RArrMax(3, a, &i), 3.0);
  EXPECT_EQ(i, 1);
  EXPECT_EQ(RArrMin(3, b, &i), 1.0);
  EXPECT_EQ(i, 1);
  EXPECT_TRUE(std::isnan(RArrMax(0, a, &i)));
  EXPECT_EQ(i, -1);
  i = 7;
  EXPECT_TRUE(std::isnan(RArrMin(3, nullptr, &i)));
  EXPECT_EQ(i, -1);
  EXPECT_EQ(RArrMax(3, a, nullptr), 3.0);

  const double c[4] = {-4, 4, 1, -0.5};
  EXPECT_EQ(RArrAbsMax(4, c, &i), 4.0);
  EXPECT_EQ(i, 0);
  EXPECT_EQ(RArrAbsMin(4, c, &i), 0.5);
  EXPECT_EQ(i, 3);
}

TEST(RealExtremes, ExtremeAndRanges) {
  const double a[2] = {-5, 3}, b[2] = {-3, 3}, c[3] = {4, 1, 9};
  Qlong i = 9, lo = 9, hi = 9;
  EXPECT_EQ(RArrExtreme(2, a, &i), -5.0);
  EXPECT_EQ(i, 0);
  EXPECT_EQ(RArrExtreme(2, b, &i), 3.0);
  EXPECT_EQ(i, 1);
  EXPECT_EQ(RArrAbsExtreme(2, a, &i), 5.0);
  EXPECT_EQ(i, 0);
  EXPECT_TRUE(std::isnan(RArrExtreme(0, a, &i)));
  EXPECT_EQ(i, -1);
  EXPECT_EQ(RArrRangeMinMax(3, c, &lo, &hi), 8.0);
  EXPECT_EQ(lo, 1);
  EXPECT_EQ(hi, 2);
  const double d[4] = {-1, 6, -7, 2};
  EXPECT_EQ(RArrRangeAbsMinMax(4, d, &lo, &hi), 6.0);
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 2);
  EXPECT_TRUE(std::isnan(RArrRangeMinMax(0, c, &lo, &hi)));
  EXPECT_EQ(lo, -1);
  EXPECT_EQ(hi, -1);
}

TEST(RealExtremes, NaNRules) {
  Qlong i, lo, hi;
  // A NaN after a number is never taken.
  const double later[4] = {2, kNaN, 5, -1};
  EXPECT_EQ(RArrMax(4, later, &i), 5.0);
  EXPECT_EQ(i, 2);
  EXPECT_EQ(RArrMin(4, later, &i), -1.0);
  EXPECT_EQ(i, 3);
  EXPECT_EQ(RArrRangeMinMax(4, later, &lo, &hi), 6.0);
  EXPECT_EQ(lo, 3);
  EXPECT_EQ(hi, 2);
  // A NaN element 0 stays the result, with index 0.
  const double first[3] = {kNaN, 1, 2};
  EXPECT_TRUE(std::isnan(RArrMax(3, first, &i)));
  EXPECT_EQ(i, 0);
  EXPECT_TRUE(std::isnan(RArrRangeMinMax(3, first, &lo, &hi)));
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 0);
  EXPECT_TRUE(std::isnan(RArrExtreme(3, first, &i)));
  EXPECT_EQ(i, 0);
  const double lone_inf[1] = {-kInf};
  EXPECT_EQ(RArrExtreme(1, lone_inf, &i), -kInf);
  EXPECT_EQ(i, 0);
  // Infinities are ordinary extremes.
  const double inf[3] = {1, -kInf, kInf};
  EXPECT_EQ(RArrRangeMinMax(3, inf, &lo, &hi), kInf);
  EXPECT_EQ(lo, 1);
  EXPECT_EQ(hi, 2);
}

TEST(RealCounters, ThresholdsBandsAndValues) {
  const double a[3] = {1, 2, 3};
  EXPECT_EQ(RArrAboveCount(0, a, 1), -1);
  EXPECT_EQ(RArrBelowCount(3, nullptr, 1), -1);
  EXPECT_EQ(RArrAboveCount(3, a, 2), 1);
  EXPECT_EQ(RArrBelowCount(3, a, 2), 1);
  const double b[5] = {1, 2, 3, 4, kNaN};
  Qword above = 9, below = 9;
  EXPECT_EQ(RArrBandCount(4, b, 2, 3, &above, &below), 2);
  EXPECT_EQ(above, 1u);
  EXPECT_EQ(below, 1u);
  // NaN counts as inside.
  EXPECT_EQ(RArrBandCount(5, b, 2, 3, &above, &below), 3);
  EXPECT_EQ(RArrBandCount(0, b, 2, 3, &above, &below), 0);
  EXPECT_EQ(above + below, 0u);

  const double c[5] = {0.9, 1.0, 1.25, 2, kNaN};
  EXPECT_EQ(RArrValueCount(5, c, 1.0, 0.25), 3);
  EXPECT_EQ(RArrValueCount(0, c, 1.0, 0.25), 0);
  Qlong i = 5;
  EXPECT_TRUE(RArrIsValuePresent(5, c, 2.1, 0.125, &i));
  EXPECT_EQ(i, 3);
  EXPECT_FALSE(RArrIsValuePresent(4, c, 5, 0.5, &i));
  EXPECT_EQ(i, -1);
  // A NaN element is not "different", so it is found.
  EXPECT_TRUE(RArrIsValuePresent(5, c, 50, 0.5, &i));
  EXPECT_EQ(i, 4);
  EXPECT_FALSE(RArrIsValuePresent(0, c, 1, 1, &i));
}

TEST(RealCounters, LevelCrossings) {
  const double a[4] = {1, -1, 1, -1}, b[2] = {0, -1};
  Qword down = 9, up = 9;
  EXPECT_EQ(RArrSignInversionsCount(4, a, 0, &down, &up), 3);
  EXPECT_EQ(down, 2u);
  EXPECT_EQ(up, 1u);
  EXPECT_EQ(RArrSignInversionsCount(2, b, 0, &down, &up), 1);
  EXPECT_EQ(down, 1u);
  EXPECT_EQ(up, 0u);
  EXPECT_EQ(RArrSignInversionsCount(1, a, 0, &down, nullptr), 0);
  EXPECT_EQ(down, 0u);
}

// The definition itself, O(n^2).
Qlong GroupsByDefinition(const std::vector<double>& x, double tol) {
  Qlong n = 0;
  for (size_t i = 0; i < x.size(); ++i) {
    bool near = false;
    for (size_t j = 0; j < i; ++j) near = near || std::fabs(x[i] - x[j]) < std::fabs(tol);
    n += !near;
  }
  return n;
}

TEST(RealCounters, ChainedGroups) {
  const double a[4] = {0, 0.5, 1.0, 3};
  EXPECT_EQ(RArrChainedGroupsCount(4, a, 0.6), 2);
  EXPECT_EQ(RArrChainedGroupsCount(4, a, -0.6), 2);
  EXPECT_EQ(RArrChainedGroupsCount(4, a, 0), 4);
  EXPECT_EQ(RArrChainedGroupsCount(0, a, 1), 0);
  EXPECT_EQ(RArrChainedGroupsCount(4, nullptr, 1), 0);

  std::mt19937_64 rng(17);
  for (int trial = 0; trial < 40; ++trial) {
    const size_t n = 1 + rng() % 400;
    std::vector<double> x(n);
    for (auto& v : x) {
      const Qword r = rng() % 50;
      v = r == 0   ? kNaN
          : r == 1 ? kInf
          : r == 2 ? -kInf
                   : static_cast<double>(rng() % 1000) * 0.01 - 5;
    }
    const double tol = static_cast<double>(rng() % 100) * 0.013;
    ASSERT_EQ(RArrChainedGroupsCount(n, x.data(), tol), GroupsByDefinition(x, tol))
        << "trial " << trial;
    // The fallback without memory gives the same count.
    AllocFailureGuard fail(0);
    const Qlong fallback = RArrChainedGroupsCount(n, x.data(), tol);
    fail.Release();
    ASSERT_EQ(fallback, GroupsByDefinition(x, tol));
  }
}

TEST(RealHistogram, BinsClampingAndGuards) {
  const double x[3] = {-0.5, 0.2, 5};
  double bins[4] = {9, 9, 9, 9};
  EXPECT_EQ(RArrHistogram(3, x, bins, 4, 1.0, 0), 0u);
  EXPECT_EQ(std::vector<double>(bins, bins + 4), (std::vector<double>{0, 1, 1, 1}));
  // Odd bin count: [0, width) falls in bin floor(nbins/2).
  double odd[3];
  EXPECT_EQ(RArrHistogram(3, x, odd, 3, 1.0, 0), 0u);
  EXPECT_EQ(std::vector<double>(odd, odd + 3), (std::vector<double>{1, 1, 1}));

  EXPECT_EQ(RArrHistogram(0, x, bins, 4, 1.0, 0), 14u);
  EXPECT_EQ(RArrHistogram(3, nullptr, bins, 4, 1.0, 0), 14u);
  EXPECT_EQ(RArrHistogram(3, x, nullptr, 4, 1.0, 0), 18u);
  bins[0] = 9;
  EXPECT_EQ(RArrHistogram(3, x, bins, 4, 0.0, 0), 26u);
  EXPECT_EQ(RArrHistogram(3, x, bins, 4, kNaN, 0), 26u);
  EXPECT_EQ(RArrHistogram(3, x, bins, 0, 1.0, 0), 26u);
  EXPECT_EQ(bins[0], 9.0);  // nothing written before the checks pass

  // NaN elements are skipped, infinities clamp.
  const double y[5] = {kNaN, -kInf, kInf, 1e300, -1e300};
  EXPECT_EQ(RArrHistogram(5, y, bins, 4, 1e-300, 0), 0u);
  EXPECT_EQ(std::vector<double>(bins, bins + 4), (std::vector<double>{2, 0, 0, 2}));
  // skip: only elements skip .. count-skip-1; 2*skip >= count counts nothing.
  const double z[5] = {-9, 0.5, 0.5, 0.5, 9};
  EXPECT_EQ(RArrHistogram(5, z, bins, 4, 1.0, 1), 0u);
  EXPECT_EQ(std::vector<double>(bins, bins + 4), (std::vector<double>{0, 0, 3, 0}));
  for (Qword skip : {Qword{3}, Qword{5}, Qword{1} << 63, ~Qword{0}}) {
    EXPECT_EQ(RArrHistogram(5, z, bins, 4, 1.0, skip), 0u);
    EXPECT_EQ(bins[0] + bins[1] + bins[2] + bins[3], 0.0);
  }
}

TEST(RealStatistics, SmallArrays) {
  const double x[3] = {-3, 1, 2};
  RArrStatisticsRecord r;
  ASSERT_EQ(RArrStatistics(3, x, &r), 0u);
  EXPECT_EQ(r.max, 2.0);
  EXPECT_EQ(r.max_index, 2u);
  EXPECT_EQ(r.min, -3.0);
  EXPECT_EQ(r.min_index, 0u);
  EXPECT_EQ(r.abs_max, 3.0);
  EXPECT_EQ(r.abs_max_index, 0u);
  EXPECT_EQ(r.abs_min, 1.0);
  EXPECT_EQ(r.abs_min_index, 1u);
  EXPECT_EQ(r.range, 5.0);
  EXPECT_EQ(r.abs_range, 2.0);
  EXPECT_EQ(r.mean, 0.0);
  EXPECT_EQ(r.rms, std::sqrt(14.0 / 3.0));
  EXPECT_EQ(r.spread, std::sqrt(14.0 / 3.0));
  EXPECT_EQ(r.total_variation, 5.0);

  // A tie of magnitudes goes to the maximum.
  const double t[2] = {-4, 4};
  ASSERT_EQ(RArrStatistics(2, t, &r), 0u);
  EXPECT_EQ(r.abs_max_index, 1u);
  const double one[1] = {-2.5};
  ASSERT_EQ(RArrStatistics(1, one, &r), 0u);
  EXPECT_EQ(r.max, -2.5);
  EXPECT_EQ(r.abs_min, 2.5);
  EXPECT_EQ(r.spread, 0.0);
  EXPECT_EQ(r.total_variation, 0.0);
  EXPECT_EQ(RArrStatistics(0, x, &r), 14u);
  EXPECT_EQ(RArrStatistics(3, nullptr, &r), 14u);
  EXPECT_EQ(RArrStatistics(3, x, nullptr), 18u);
}

TEST(RealStatistics, SpreadSurvivesALargeOffset) {
  // 1e9 + (1, 2, 3, 4): population standard deviation sqrt(1.25) exactly in
  // exact arithmetic; the mean square less the squared mean loses it all.
  const double x[4] = {1e9 + 1, 1e9 + 2, 1e9 + 3, 1e9 + 4};
  RArrStatisticsRecord r;
  ASSERT_EQ(RArrStatistics(4, x, &r), 0u);
  EXPECT_NEAR(r.spread, std::sqrt(1.25), 4 * 2.220446049250313e-16 * std::sqrt(1.25));
  EXPECT_EQ(r.mean, 1e9 + 2.5);
}

}  // namespace
