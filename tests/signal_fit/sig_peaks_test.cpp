// Signal regions, the streaming peak picker, local extremes, special
// points and the weight scores.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "base/memory.h"
#include "signal_fit/signal/peaks.h"
#include "support/random_inputs.h"

namespace {
std::vector<Long> Marks(const std::vector<double>& x, double delta, Long kind = 0) {
  std::vector<Long> m(x.size(), 99);
  EXPECT_EQ(PpFillLocalExtremesIarr(x.size(), x.data(), m.data(), delta, 1.0, kind), 0u);
  return m;
}

TEST(SigPeaks, DocumentedSeries) {
  const std::vector<double> x = {0, 5, 0, 5, 0};
  EXPECT_EQ(Marks(x, 1), (std::vector<Long>{0, 1, -1, 1, -1}));
  EXPECT_EQ(Marks(x, 6), (std::vector<Long>(5, 0)));
  EXPECT_EQ(Marks(x, 1, 1), (std::vector<Long>{0, 1, 0, 1, 0}));
  EXPECT_EQ(Marks(x, 1, -1), (std::vector<Long>{0, 0, -1, 0, -1}));
  EXPECT_EQ(Marks({0, 5}, 1), (std::vector<Long>{0, 1}));
}

TEST(SigPeaks, LastMaximumOfANegativeSeriesIsKept) {
  // The end call must lie below every value, also below negative ones.
  EXPECT_EQ(Marks({-10, -1, -10, -1}, 1, 1), (std::vector<Long>{0, 1, 0, 1}));
  EXPECT_EQ(Marks({-5, -1}, 1, 1), (std::vector<Long>{0, 1}));
  // And the last minimum of a positive series.
  EXPECT_EQ(Marks({10, 1, 10, 1}, 1, -1), (std::vector<Long>{0, -1, 0, -1}));
}

TEST(SigPeaks, SeparatedEqualPeaksAreCountedExactly) {
  for (int peaks : {1, 3, 7}) {
    const int n = 60 * peaks;
    std::vector<double> x(n, 0.0);
    for (int p = 0; p < peaks; ++p)
      for (int i = 0; i < n; ++i) {
        const double d = (i - (30 + 60 * p)) / 4.0;
        x[i] += std::exp(-d * d);
      }
    const std::vector<Long> m = Marks(x, 0.5, 1);
    int count = 0;
    for (int i = 0; i < n; ++i)
      if (m[i] == 1) {
        ++count;
        EXPECT_EQ((i - 30) % 60, 0) << i;
      }
    EXPECT_EQ(count, peaks);
  }
}

TEST(SigPeaks, StateRecordAndRestart) {
  PpState* s = PpStartPeakPicking(1.0);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->delta, 1.0);
  EXPECT_EQ(s->last_index, ~Qword{0});
  EXPECT_EQ(PpPickNextPeak(0, 0, s), 0u);
  EXPECT_EQ(PpPickNextPeak(1, 5, s), 0u);
  EXPECT_EQ(PpPickNextPeak(2, 0, s), 2u);
  EXPECT_EQ(s->peak_index, 1u);
  EXPECT_EQ(s->peak_value, 5.0);
  // A repeated index restarts: the next fall reports nothing.
  EXPECT_EQ(PpPickNextPeak(2, 5, s), 0u);
  EXPECT_EQ(PpPickNextPeak(3, 4.5, s), 0u);
  PpStateKill(&s);
  EXPECT_EQ(s, nullptr);
  PpStateKill(&s);  // nothing held: nothing happens
}

TEST(SigPeaks, NewLocalExtremes) {
  const std::vector<double> x = {0, 5, 0};
  Long* m = nullptr;
  ASSERT_EQ(PpNewLocalExtremesIarr(3, x.data(), &m, 1, 1, 0), 0u);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m[1], 1);
  IArrKill(&m);
  EXPECT_EQ(PpNewLocalExtremesIarr(0, x.data(), &m, 1, 1, 0), 14u);
  EXPECT_EQ(m, nullptr);
  EXPECT_EQ(PpFillLocalExtremesIarr(3, x.data(), nullptr, 1, 1, 0), 18u);
}

TEST(SigPeaks, SignalRegionsAroundALine) {
  const Qword n = 1000;
  std::vector<double> s(2 * n, 0.0);
  BasicRandomInputs<std::mt19937> random(5);
  for (Qword i = 0; i < n; ++i) {
    const double d = (static_cast<double>(i) - 500) / 10;
    s[i] = 10 / (1 + d * d) + random.Normal(0.0, 0.01);
    s[n + i] = random.Normal(0.0, 0.01);
  }
  std::vector<Dword> marks(n, 7);
  ASSERT_EQ(SArrFindSignalRegions(n, s.data(), marks.data(), 1, 0, 0), 0u);
  EXPECT_EQ(marks[500], 1u);
  EXPECT_EQ(marks[480], 1u);
  EXPECT_EQ(marks[520], 1u);
  EXPECT_EQ(marks[100], 0u);
  EXPECT_EQ(marks[900], 0u);
  // One region only: the gaps inside the line are closed.
  int edges = 0;
  for (Qword i = 1; i < n; ++i) edges += marks[i] != marks[i - 1];
  EXPECT_EQ(edges, 2);
}

TEST(SigPeaks, SignalRegionsOfShortRecords) {
  std::vector<double> s(18, 1.0);
  std::vector<Dword> marks(9, 7);
  ASSERT_EQ(SArrFindSignalRegions(9, s.data(), marks.data(), 1, 7, 0), 0u);
  EXPECT_EQ(marks, std::vector<Dword>(9, 0u));
  EXPECT_EQ(SArrFindSignalRegions(9, nullptr, marks.data(), 1, 7, 0), 14u);
  EXPECT_EQ(SArrFindSignalRegions(9, s.data(), nullptr, 1, 7, 0), 18u);
}

TEST(SigPeaks, SpecialPointsMarkThePeak) {
  const Qlong n = 201;
  std::vector<double> x(n);
  for (Qlong i = 0; i < n; ++i) {
    const double d = (static_cast<double>(i) - 100.3) / 6;
    x[i] = 10 * std::exp(-d * d);
  }
  Qword* labels = nullptr;
  double* smoothed = nullptr;
  ASSERT_EQ(PpNewSpecialPointsLabels(n, x.data(), 0.01, 5, 4, &labels, &smoothed), 0u);
  ASSERT_NE(labels, nullptr);
  ASSERT_NE(smoothed, nullptr);
  // One data maximum, carrying the peak mark, on the line's centre; the
  // slope extremes sit on its flanks.
  int maxima = 0;
  for (Qlong i = 0; i < n; ++i)
    if (labels[i] & kPpDataMax) {
      ++maxima;
      EXPECT_NEAR(static_cast<double>(i), 100.3, 1.0);
      EXPECT_TRUE(labels[i] & kPpPeak);
    }
  EXPECT_EQ(maxima, 1);
  // Within the line (the flat tails end in extremes confirmed by the end of
  // the series).
  int rising = 0, falling = 0;
  for (Qlong i = 80; i <= 120; ++i) {
    if (labels[i] & kPpSlopeMax) {
      ++rising;
      EXPECT_LT(i, 100);
    }
    if (labels[i] & kPpSlopeMin) {
      ++falling;
      EXPECT_GT(i, 100);
    }
  }
  EXPECT_EQ(rising, 1);
  EXPECT_EQ(falling, 1);
  EXPECT_NEAR(smoothed[100], x[100], 0.1);
  UQArrKill(&labels);
  RArrKill(&smoothed);
  EXPECT_EQ(PpNewSpecialPointsLabels(0, x.data(), 0.01, 5, 4, &labels, nullptr), 14u);
  EXPECT_EQ(labels, nullptr);
}

TEST(SigPeaks, BagsOfWeights) {
  const std::vector<double> w = {1, 3};
  EXPECT_EQ(RArrBagsTotalWeightFactor(2, w.data(), 2), 0.5);
  EXPECT_EQ(RArrBagsTotalWeightFactor(0, w.data(), 2), 0.0);
  const double one = 1;
  double c1, c2, c3, s1, s2, s3;
  ASSERT_EQ(RArrBagsToBest3Counts(1, &one, &c1, &s1, &c2, &s2, &c3, &s3), 0u);
  EXPECT_NEAR(c1, 0.9984, 1e-13);
  EXPECT_NEAR(s1, (1 - 0.0032 * 0.0032) * std::exp(-(0.9984 / 9) * (0.9984 / 9)), 1e-13);
  EXPECT_GE(s1, s2);
  EXPECT_GE(s2, s3);
  EXPECT_NEAR(c2, std::round(c2), 0.05);  // the next integral count
  EXPECT_EQ(RArrBagsToBest3Counts(0, &one, &c1, &s1, &c2, &s2, &c3, &s3), 14u);
  const double zero = 0;
  EXPECT_EQ(RArrBagsToBest3Counts(1, &zero, &c1, &s1, &c2, &s2, &c3, &s3), 26u);
}

TEST(SigPeaks, EffectivePeaks) {
  const std::vector<double> w = {2, 2, 2};
  const std::vector<double> p = {10, 30, 50};
  double r = -1;
  for (Dword a : {1u, 3u}) {
    ASSERT_EQ(RArrEffectivePeaks(3, w.data(), p.data(), 1.0, &r, 0, a), 0u);
    EXPECT_NEAR(r, 3.0, 1e-12) << a;
  }
  // Coinciding positions are one peak.
  const std::vector<double> same = {10, 10, 10};
  ASSERT_EQ(RArrEffectivePeaks(3, w.data(), same.data(), 1.0, &r, 0, 2), 0u);
  EXPECT_NEAR(r, 1.0, 1e-12);
  const std::vector<double> bad = {10, std::nan(""), 12};
  EXPECT_EQ(RArrEffectivePeaks(3, w.data(), bad.data(), 1.0, &r, 0, 1), 26u);
  EXPECT_EQ(r, 0.0);
  EXPECT_EQ(RArrEffectivePeaks(3, w.data(), p.data(), 0.0, &r, 0, 1), 26u);
  EXPECT_EQ(RArrEffectivePeaks(3, w.data(), p.data(), 1.0, &r, 0, 0), 26u);
  EXPECT_EQ(RArrEffectivePeaks(0, w.data(), p.data(), 1.0, &r, 0, 1), 0u);
}
}  // namespace

namespace {
// Regions of two narrow lines d samples apart in weak noise.
int RegionCount(double d, Qword gap) {
  const Qword n = 2000;
  std::vector<double> s(2 * n, 0.0);
  BasicRandomInputs<std::mt19937> random(9);
  for (Qword i = 0; i < n; ++i) {
    const double a = (static_cast<double>(i) - 800) / 3;
    const double b = (static_cast<double>(i) - 800 - d) / 3;
    s[i] = 10 / (1 + a * a) + 10 / (1 + b * b) + random.Normal(0.0, 0.01);
    s[n + i] = random.Normal(0.0, 0.01);
  }
  std::vector<Dword> marks(n);
  EXPECT_EQ(SArrFindSignalRegions(n, s.data(), marks.data(), 0, 7, gap), 0u);
  int regions = 0;
  for (Qword i = 0; i < n; ++i) regions += marks[i] == 1 && (i == 0 || marks[i - 1] == 0);
  return regions;
}

TEST(SigPeaks, SignalRegionsCloseShortGapsOnly) {
  EXPECT_EQ(RegionCount(400, 0), 2);    // far apart: two regions
  EXPECT_EQ(RegionCount(400, 600), 1);  // a gap shorter than 600 is closed
}
}  // namespace
