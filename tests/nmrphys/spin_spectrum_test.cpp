// Simulated spectra against independent oracles: the AB quartet's closed
// form, a brute force over the full product space of the single spins, and
// the numbers of the console example.
#include <gtest/gtest.h>

#include <cmath>

#include "spin_fixture.h"

namespace {

// AB quartet: centre c, D = sqrt(dnu^2 + J^2); the inner lines c +- (D - J)/2
// carry (1 + J/D)/2, the outer c +- (D + J)/2 carry (1 - J/D)/2.
TEST(SpinSpectrum, AbQuartetClosedForm) {
  const double cases[][3] = {
      {10.0, 17.5, 6.25}, {-3.0, 2.0, 12.0}, {100.0, 140.0, -7.5}, {0.0, 0.125, 3.0}};
  for (const auto& c : cases) {
    SpinSpec s;
    s.groups = {{1, 1, c[0]}, {1, 1, c[1]}};
    s.J = {{1, 0, c[2]}};
    const std::vector<Line> got = EngineLines(s);
    ASSERT_EQ(got.size(), 4u);
    const double centre = 0.5 * (c[0] + c[1]), J = c[2];
    const double D = std::hypot(c[1] - c[0], J);
    std::vector<Line> want = {{centre - (D + J) / 2, (1 - J / D) / 2},
                              {centre - (D - J) / 2, (1 + J / D) / 2},
                              {centre + (D - J) / 2, (1 + J / D) / 2},
                              {centre + (D + J) / 2, (1 - J / D) / 2}};
    std::sort(want.begin(), want.end(), [](const Line& a, const Line& b) { return a.f < b.f; });
    for (int i = 0; i < 4; ++i) {
      EXPECT_NEAR(got[i].f, want[i].f, 1e-10) << i;
      EXPECT_NEAR(got[i].intensity, want[i].intensity, 1e-12) << i;
    }
  }
}

struct BruteCase {
  const char* name;
  SpinSpec spec;
};

std::vector<BruteCase> BruteCases() {
  std::vector<BruteCase> v;
  SpinSpec s;
  s.groups = {{2, 1, 12.3}, {1, 1, 31.7}};  // A2B
  s.J = {{1, 0, 7.1}};
  v.push_back({"A2B", s});
  s = {};
  s.groups = {{1, 2, 5.5}, {1, 1, -20.2}};  // spin 1 with a quadratic term, and a spin 1/2
  s.J = {{1, 0, 4.4}};
  s.quadratic = {3.3, 0.0};
  v.push_back({"spin 1 + 1/2", s});
  s = {};
  s.groups = {{3, 1, 2.0}, {1, 1, 9.0}};  // A3X, strongly coupled: degenerate lines
  s.J = {{1, 0, 6.5}};
  v.push_back({"A3B", s});
  s = {};
  s.groups = {{2, 1, 0.0}, {2, 1, 11.0}};  // A2B2 with dipolar couplings
  s.J = {{1, 0, 3.0}};
  s.D = {{1, 0, 1.7}};
  s.self_dipolar = {0.9, -0.4};
  v.push_back({"A2B2 dipolar", s});
  s = {};
  s.groups = {{1, 3, -4.0}, {1, 1, 8.0}, {1, 2, 19.0}};  // AMX with spins 3/2 and 1
  s.J = {{1, 0, 2.5}, {2, 0, -1.25}, {2, 1, 6.0}};
  s.scale = 2.5;
  v.push_back({"3/2, 1/2, 1", s});
  s = {};
  s.groups = {{1, 1, 3.0}, {1, 1, 9.0, 0, 2}, {2, 2, 14.0}};  // two species, an uncoupled group
  s.J = {{1, 0, 40.0}, {2, 1, 5.0}};
  v.push_back({"species and components", s});
  s = {};
  s.groups = {{2, 1, 20.0}, {2, 1, 20.0}, {1, 1, 25.0}};  // equal shifts: degenerate states
  s.J = {{1, 0, 0.0}, {2, 0, 4.0}, {2, 1, 4.0}};
  v.push_back({"equal shifts", s});
  return v;
}

TEST(SpinSpectrum, MatchesFullSpaceBruteForce) {
  for (const BruteCase& c : BruteCases()) {
    SCOPED_TRACE(c.name);
    const std::vector<Line> got = EngineLines(c.spec), want = BruteForceLines(c.spec);
    double total = 0.0;
    for (const Line& l : got) total += l.intensity;
    double spins = 0.0;
    for (const SpinGroup& g : c.spec.groups) spins += g.spins;
    // Every spin carries intensity 1 (times the scale): the trace of I- I+.
    double spin_weight = 0.0;
    for (const SpinGroup& g : c.spec.groups)
      spin_weight += g.spins * (g.two_i * (g.two_i + 2.0)) / 3.0;
    EXPECT_NEAR(total, spin_weight * c.spec.scale, 1e-9);
    ExpectSameSpectrum(got, want);
  }
}

// Without the all-transitions flag only lines of combination order 0 and 1
// are kept; each line is labelled with the group whose Iz grows most. Both
// against the brute force's own Iz expectation values, on systems without
// degenerate states (so the eigenstates are defined). The list holds at most
// the estimate of such state pairs, which strong mixing can exceed (the
// list is then marked full); the bins take every kept line.
TEST(SpinSpectrum, CombinationOrdersAndDominantGroups) {
  std::vector<SpinSpec> cases;
  SpinSpec s;
  s.groups = {{1, 1, 0.0}, {1, 1, 9.0}, {1, 1, 21.0}, {1, 1, 26.5}, {1, 1, 33.0}};
  s.J = {{1, 0, 8.0},  {2, 0, -3.5}, {3, 0, 2.25}, {2, 1, 6.0},
         {3, 1, -1.5}, {3, 2, 11.0}, {4, 3, 7.0},  {4, 1, 2.5}};
  cases.push_back(s);
  s = {};
  s.groups = {{1, 2, 3.0}, {1, 1, 7.5}, {1, 1, 18.0}, {1, 3, 25.0}};
  s.J = {{1, 0, 4.0}, {2, 1, 9.0}, {3, 2, 5.5}, {3, 0, 1.25}};
  s.quadratic = {0.6, 0.0, 0.0, -0.35};
  cases.push_back(s);
  for (const SpinSpec& c : cases) {
    std::vector<Line> want;
    Dword highest = 0;
    for (const Line& l : BruteForceLines(c, 1e-10)) {
      highest = std::max(highest, l.order);
      if (l.order <= 1) want.push_back(l);
    }
    EXPECT_GE(highest, 2u);  // the filter has something to remove
    bool full = false;
    const std::vector<Line> got = EngineLines(c, 1e-10, 11, 0, &full);
    EXPECT_EQ(full, got.size() < want.size());
    EXPECT_LE(got.size(), want.size());
    for (const Line& l : got) {
      auto it = std::find_if(want.begin(), want.end(), [&](const Line& w) {
        return std::fabs(w.f - l.f) < 1e-8 && std::fabs(w.intensity - l.intensity) < 1e-10;
      });
      ASSERT_NE(it, want.end()) << l.f;
      EXPECT_EQ(l.group, it->group) << l.f;
      EXPECT_EQ(l.order, it->order) << l.f;
    }
    // Binned, every line of order 0 and 1 counts.
    cSpinForest* forest = ssOpenInstance(nullptr);
    SpinInput input(c);
    ASSERT_NE(ssAddSpinSystem(forest, &input.in), nullptr);
    ssSimulationRequest r{};
    r.Flags = kSsBinnedSpectrum | kSsLineList;
    r.LineCapacity = 5;
    r.IntensityThreshold = 1e-10;
    r.Points = 2000;
    r.From = -100.0;
    r.To = 100.0;
    ASSERT_EQ(ssRunSimulation(forest, &r), kErrNone);
    EXPECT_EQ(r.LinesKept, 5u);
    EXPECT_TRUE(r.Flags & kSsLineListFull);
    std::vector<double> bins(2000, 0.0);
    for (const Line& l : want) bins[static_cast<size_t>((l.f + 100.0) / 0.1 + 0.5)] += l.intensity;
    for (int b = 0; b < 2000; ++b) EXPECT_NEAR(r.Bins[b], bins[b], 1e-10) << b;
    ssCloseInstance(&forest, &r);
  }
}

// Degenerate spectra as binned sums over a window: the split of a line
// among degenerate states does not matter there.
TEST(SpinSpectrum, BinnedSumsMatchBruteForce) {
  for (const BruteCase& c : BruteCases()) {
    SCOPED_TRACE(c.name);
    ssConfiguration* config = nullptr;
    cSpinForest* forest = ssOpenInstance(&config);
    config->BinsPerPoint = 2;
    SpinInput input(c.spec);
    ASSERT_NE(ssAddSpinSystem(forest, &input.in), nullptr);
    ssSimulationRequest r{};
    r.Flags = kSsBinnedSpectrum | kSsAllTransitions;
    r.IntensityThreshold = 1e-13;
    r.Points = 300;
    r.From = -40.0;
    r.To = 60.0;
    ASSERT_EQ(ssRunSimulation(forest, &r), kErrNone);
    ASSERT_EQ(r.BinCount, 600u);
    std::vector<double> want(600, 0.0);
    for (const Line& l : BruteForceLines(c.spec, 1e-13)) {
      if (!(l.f >= r.From && l.f < r.To)) continue;
      const double x = (l.f - r.From) / (100.0 / 600.0);
      const Qlong b = static_cast<Qlong>(x + 0.5);
      // Lines within rounding of a bin edge may fall either side.
      ASSERT_GT(std::fabs(x - std::floor(x) - 0.5), 1e-9);
      if (b < 600) want[b] += l.intensity;
    }
    for (int b = 0; b < 600; ++b) EXPECT_NEAR(r.Bins[b], want[b], 1e-9) << b;
    ssCloseInstance(&forest, &r);
  }
}

// The example of the console task: three spins 1/2, threshold 1e-5, lines
// of combination orders 0 and 1, sorted by descending frequency.
TEST(SpinSpectrum, ConsoleExample) {
  cSpinForest* forest = ssOpenInstance(nullptr);
  SpinSpec s;
  s.groups = {{1, 1, 10.0}, {1, 1, 30.0}, {1, 1, 40.0}};
  s.J = {{1, 0, 2.0}, {2, 0, 1.5}, {2, 1, 5.0}};
  s.user_id = 666;
  SpinInput input(s);
  ASSERT_NE(ssAddSpinSystem(forest, &input.in), nullptr);
  ssSimulationRequest r{};
  r.Flags = 0x2540;
  r.LineCapacity = 100000;
  r.IntensityThreshold = 1e-5;
  r.BaseLinewidth = 0.1;
  r.Points = 8192;
  r.From = -20.0;
  r.To = 100.0;
  ASSERT_EQ(ssRunSimulation(forest, &r), kErrNone);
  ASSERT_EQ(r.LinesKept, 13u);
  double sum = 0.0;
  int order1 = 0;
  for (Dword i = 0; i < r.LinesKept; ++i) {
    const ssLine& l = r.Lines[i];
    sum += l.Intensity;
    EXPECT_EQ(l.UserId, 666u);
    EXPECT_EQ(l.Linewidth, 0.1);
    if (i > 0) {
      EXPECT_GE(r.Lines[i - 1].Frequency, l.Frequency);
    }
    if (l.GroupCode >> 16) {
      ++order1;
      EXPECT_NEAR(l.Frequency, 21.0823, 1e-4);
      EXPECT_NEAR(l.Intensity, 8.09e-5, 0.005e-5);
    }
  }
  EXPECT_EQ(order1, 1);
  EXPECT_NEAR(sum, 3.0, 1e-6);
  EXPECT_NEAR(r.Lines[0].Frequency, 43.8613, 1e-4);
  EXPECT_EQ(r.Lines[0].GroupCode, 2u);  // dominated by the spin at 40 Hz
  EXPECT_NEAR(r.Lines[r.LinesKept - 1].Frequency, 8.1821, 1e-4);
  EXPECT_EQ(r.Lines[r.LinesKept - 1].GroupCode, 0u);
  // The profile that governed the run is the global one.
  ASSERT_NE(r.Profile, nullptr);
  EXPECT_EQ(r.Profile->MainTransitions, 12.0);
  EXPECT_EQ(r.Profile->AllTransitions, 15.0);
  // The transformed decay: 8192 points, the window's centre at 4096.
  ASSERT_NE(r.Decay, nullptr);
  EXPECT_EQ(r.DecayPoints, 8192u);
  EXPECT_NEAR(r.Centre, 40.0, 1e-12);
  EXPECT_NEAR(r.Dwell, 1.0 / 120.0, 1e-15);
  ssCloseInstance(&forest, &r);
  EXPECT_EQ(forest, nullptr);
  EXPECT_EQ(r.Lines, nullptr);
  EXPECT_EQ(r.Decay, nullptr);
  EXPECT_EQ(r.Bins, nullptr);
}

}  // namespace
