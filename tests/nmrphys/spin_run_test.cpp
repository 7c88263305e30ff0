// Simulation runs: windows, limits, the line list and its full mark, the
// selection of a subtree, binning, group spectra, decays and the transform,
// and the release of every output.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>

#include "nmrphys/spin/spin_system.h"
#include "spin_fixture.h"
#include "support/alloc_failure.h"

namespace {

SpinSpec Single(double shift, Dword user_id = 1) {
  SpinSpec s;
  s.groups = {{1, 1, shift}};
  s.user_id = user_id;
  return s;
}

SpinSpec Abx(Dword user_id = 1) {
  SpinSpec s;
  s.groups = {{1, 1, 10.0}, {1, 1, 30.0}, {1, 1, 40.0}};
  s.J = {{1, 0, 2.0}, {2, 0, 1.5}, {2, 1, 5.0}};
  s.user_id = user_id;
  return s;
}

struct Engine {
  ssConfiguration* config = nullptr;
  cSpinForest* forest = ssOpenInstance(&config);
  std::deque<SpinInput> inputs;
  ssSimulationRequest r{};
  ~Engine() { ssCloseInstance(&forest, &r); }
  void Add(const SpinSpec& s) {
    inputs.emplace_back(s);
    ASSERT_NE(ssAddSpinSystem(forest, &inputs.back().in), nullptr);
  }
  LibErrorCode Run() { return ssRunSimulation(forest, &r); }
};

void ExpectNoOutputs(const ssSimulationRequest& r) {
  EXPECT_EQ(r.Lines, nullptr);
  EXPECT_EQ(r.Bins, nullptr);
  EXPECT_EQ(r.Decay, nullptr);
  EXPECT_EQ(r.GroupSpectra, nullptr);
  EXPECT_EQ(r.LinesKept, 0u);
  EXPECT_EQ(r.BinCount, 0u);
  EXPECT_EQ(r.GroupCount, 0u);
}

TEST(SpinRun, EmptyInstanceGivesZeros) {
  Engine e;
  e.r.Flags = kSsLineList | kSsBinnedSpectrum | kSsDecay;
  e.r.LineCapacity = 10;
  e.r.Points = 64;
  e.r.From = 0;
  e.r.To = 64;
  ASSERT_EQ(e.Run(), kErrNone);
  EXPECT_EQ(e.r.Lines, nullptr);
  EXPECT_EQ(e.r.LinesKept, 0u);
  ASSERT_NE(e.r.Bins, nullptr);
  ASSERT_NE(e.r.Decay, nullptr);
  for (Dword i = 0; i < 64; ++i) EXPECT_EQ(e.r.Bins[i], 0.0);
  for (Dword i = 0; i < 128; ++i) EXPECT_EQ(e.r.Decay[i], 0.0);
  EXPECT_EQ(e.r.Profile->ExecutionTime, 0.0);
  EXPECT_EQ(e.r.IntensityThreshold, 1e-8);  // the override written back
}

TEST(SpinRun, WindowFromDecayPoints) {
  Engine e;
  e.r.Flags = kSsWindowFromDecay;
  e.r.Dwell = 0.001;
  e.r.Centre = 100.0;
  e.r.DecayPoints = 1024;
  e.r.T0 = 0.25;
  ASSERT_EQ(e.Run(), kErrNone);
  EXPECT_DOUBLE_EQ(e.r.From, -400.0);
  EXPECT_DOUBLE_EQ(e.r.To, 600.0);
  EXPECT_EQ(e.r.Points, 1024u);
  EXPECT_DOUBLE_EQ(e.r.PiT0, 0.25 * M_PI);
  EXPECT_DOUBLE_EQ(e.r.Step, 1000.0 / 1023.0);
  e.r.DecayPoints = 1;
  ASSERT_EQ(e.Run(), kErrNone);
  EXPECT_EQ(e.r.Points, 0u);
  EXPECT_EQ(e.r.Step, 0.0);
}

// Bins are rounded: [from, to) with the last half bin before `to` dropped.
TEST(SpinRun, LinesAtTheUpperEdgeAreListedButNotBinned) {
  const double width = 100.0 / 50;  // 50 bins over [0, 100)
  const double shifts[] = {100.0, 100.0 - 0.3 * width, 100.0 - 0.7 * width, 0.0, 0.4 * width};
  const Long bins[] = {-1, -1, 49, 0, 0};
  for (int i = 0; i < 5; ++i) {
    Engine e;
    e.Add(Single(shifts[i]));
    e.r.Flags = kSsLineList | kSsBinnedSpectrum;
    e.r.LineCapacity = 4;
    e.r.Points = 50;
    e.r.From = 0.0;
    e.r.To = 100.0;
    ASSERT_EQ(e.Run(), kErrNone);
    ASSERT_EQ(e.r.LinesKept, 1u);
    EXPECT_DOUBLE_EQ(e.r.Lines[0].Frequency, shifts[i]);
    EXPECT_DOUBLE_EQ(e.r.Lines[0].Intensity, 1.0);
    double sum = 0.0;
    for (Dword b = 0; b < 50; ++b) sum += e.r.Bins[b];
    EXPECT_EQ(sum, bins[i] < 0 ? 0.0 : 1.0) << i;
    if (bins[i] >= 0) {
      EXPECT_EQ(e.r.Bins[bins[i]], 1.0) << i;
    }
  }
}

// A full list: two lines stored, the mark set; the next run stores lines
// again and the manifolds are empty after each run.
TEST(SpinRun, FullLineListMarkedAndClearedPerRun) {
  Engine e;
  e.Add(Abx());
  e.r.Flags = kSsLineList;
  e.r.LineCapacity = 2;
  for (int run = 0; run < 3; ++run) {
    ASSERT_EQ(e.Run(), kErrNone);
    EXPECT_EQ(e.r.LinesKept, 2u) << run;
    EXPECT_TRUE(e.r.Flags & kSsLineListFull) << run;
    const cSpinSystem* s = e.forest->Find(1, 0);
    for (Dword K = 0; K < s->profile.NumberOfManifolds; ++K) {
      const cSpinManifold& m = s->manifolds[K];
      EXPECT_EQ(m.Basis, nullptr);
      EXPECT_EQ(m.Eigenvectors, nullptr);
      EXPECT_EQ(m.Eigenvalues, nullptr);
      EXPECT_EQ(m.RaisingPairs, nullptr);
      EXPECT_EQ(m.Iz, nullptr);
    }
  }
  e.r.LineCapacity = 100;
  ASSERT_EQ(e.Run(), kErrNone);
  EXPECT_EQ(e.r.LinesKept, 15u);  // above the default threshold 1e-8, orders 0 and 1
  EXPECT_FALSE(e.r.Flags & kSsLineListFull);
}

TEST(SpinRun, KeepBitsKeepManifoldData) {
  const struct {
    Dword flags;
    bool iz, eigen, raising, basis;
  } cases[] = {
      {0, false, false, false, false},
      {kSsKeepIz, true, false, false, false},
      {kSsKeepRaising, false, true, true, false},
      {kSsKeepIz | kSsKeepRaising, true, true, true, false},
  };
  for (const auto& c : cases) {
    Engine e;
    e.Add(Abx());
    e.r.Flags = kSsLineList | c.flags;
    e.r.LineCapacity = 100;
    ASSERT_EQ(e.Run(), kErrNone);
    const cSpinSystem* s = e.forest->Find(1, 0);
    const cSpinManifold& m = s->manifolds[1];
    EXPECT_EQ(m.Iz != nullptr, c.iz);
    EXPECT_EQ(m.Eigenvectors != nullptr, c.eigen);
    EXPECT_EQ(m.RaisingPairs != nullptr, c.raising);
    EXPECT_EQ(m.Basis != nullptr, c.basis);
    // A second run with kept data gives the same lines.
    std::vector<double> first;
    for (Dword i = 0; i < e.r.LinesKept; ++i) first.push_back(e.r.Lines[i].Frequency);
    ASSERT_EQ(e.Run(), kErrNone);
    ASSERT_EQ(e.r.LinesKept, first.size());
    for (Dword i = 0; i < e.r.LinesKept; ++i) EXPECT_EQ(e.r.Lines[i].Frequency, first[i]);
    // The free message releases by its own flag word.
    ssMessageArgument arg{0, 0, 0, nullptr, nullptr, nullptr};
    e.forest->Broadcast(ssMessageFreeManifoldData, &arg, nullptr);
    EXPECT_EQ(s->manifolds[1].Iz, nullptr);
    EXPECT_EQ(s->manifolds[1].Eigenvectors, nullptr);
  }
}

// Only the selected system computes: its profile sets the limits and the
// size of the line list.
TEST(SpinRun, SelectedSubtreeOnly) {
  Engine e;
  e.Add(Abx(1));
  e.Add(Single(55.0, 2));
  e.r.Flags = kSsLineList | kSsBinnedSpectrum;
  e.r.UserId = 2;
  e.r.LineCapacity = 100;
  e.r.Points = 100;
  e.r.From = 0;
  e.r.To = 100;
  ASSERT_EQ(e.Run(), kErrNone);
  ASSERT_EQ(e.r.LinesKept, 1u);
  EXPECT_EQ(e.r.Lines[0].UserId, 2u);
  EXPECT_EQ(e.r.Profile, &e.forest->Find(2, 0)->profile);
  EXPECT_FALSE(e.r.Flags & kSsLineListFull);
  double sum = 0;
  for (Dword b = 0; b < 100; ++b) sum += e.r.Bins[b];
  EXPECT_EQ(sum, 1.0);
  e.r.UserId = 0;
  ASSERT_EQ(e.Run(), kErrNone);
  EXPECT_EQ(e.r.LinesKept, 16u);
  e.r.UserId = 3;
  EXPECT_EQ(e.Run(), kErrUnknownId);
  ExpectNoOutputs(e.r);
  e.r.UserId = 1;
  e.r.SubId = 5;
  EXPECT_EQ(e.Run(), kErrUnknownId);
}

TEST(SpinRun, SubsystemBySubId) {
  Engine e;
  SpinSpec s;
  s.groups = {{1, 1, 10.0}, {1, 1, 50.0}};  // uncoupled: two components
  e.Add(s);
  e.r.Flags = kSsLineList;
  e.r.LineCapacity = 10;
  e.r.UserId = 1;
  e.r.SubId = 2;
  ASSERT_EQ(e.Run(), kErrNone);
  ASSERT_EQ(e.r.LinesKept, 1u);
  EXPECT_DOUBLE_EQ(e.r.Lines[0].Frequency, 50.0);
  EXPECT_EQ(e.r.Lines[0].GroupCode, 1u);  // the root's group index
}

TEST(SpinRun, LimitsRefuseBeforeAnything) {
  {
    Engine e;
    e.config->MaxManifoldDimension = 2;
    e.Add(Abx());
    e.r.Flags = kSsLineList | kSsBinnedSpectrum;
    e.r.Points = 16;
    e.r.To = 1;
    EXPECT_EQ(e.Run(), kErrTooManyItems);
    ExpectNoOutputs(e.r);
    // Raising the limit later does not build the manifolds that were left
    // without states: the run refuses instead of leaving lines out.
    e.config->MaxManifoldDimension = 65535;
    EXPECT_EQ(e.Run(), kErrTooManyItems);
    ExpectNoOutputs(e.r);
  }
  {
    Engine e;
    e.Add(Abx());
    e.config->MaxExecutionTime = 1e-9;
    e.r.Flags = kSsLineList;
    EXPECT_EQ(e.Run(), kErrTimeLimitExceeded);
  }
  {
    Engine e;
    e.Add(Abx());
    e.config->MaxNumberOfTransitions = 14;  // estimate 12 + 3
    e.r.Flags = kSsLineList;
    e.r.LineCapacity = 100;
    EXPECT_EQ(e.Run(), kErrTooManyItems);
    e.config->MaxNumberOfTransitions = 15;
    EXPECT_EQ(e.Run(), kErrNone);
    e.r.Flags = kSsLineList | kSsAllTransitions;
    EXPECT_EQ(e.Run(), kErrNone);
    EXPECT_EQ(e.r.LinesKept, 15u);  // three spins have no line of order 2
  }
}

// Two state indices pack into one 32-bit raising element, so no manifold
// above 65535 states is laid out whatever the configuration says: 19
// coupled spins 1/2 (middle manifold 92378) are refused.
TEST(SpinRun, ManifoldsNeverExceedSixteenBits) {
  Engine e;
  e.config->MaxManifoldDimension = 100000;
  e.config->FragmentIfEqvSizeExceeds = 100;
  SpinSpec s;
  for (Dword g = 0; g < 19; ++g) s.groups.push_back({1, 1, 10.0 * g});
  for (Dword g = 1; g < 19; ++g) s.J.push_back({g, g - 1, 1.0});
  e.Add(s);
  const cSpinSystem* sys = e.forest->Find(1, 0);
  EXPECT_EQ(sys->profile.LargestManifoldDimension, 92378.0);
  EXPECT_EQ(sys->manifolds[9].Dimension, 0u);
  EXPECT_EQ(sys->manifolds[9].CountedDimension, 92378.0);
  EXPECT_EQ(sys->manifolds[6].Dimension, 27132u);
  e.r.Flags = kSsBinnedSpectrum;
  e.r.Points = 8;
  e.r.To = 1.0;
  EXPECT_EQ(e.Run(), kErrTooManyItems);
}

TEST(SpinRun, TransformNeedsPowerOfTwo) {
  Engine e;
  e.Add(Abx());
  e.r.Flags = kSsSpectrumFromDecay | kSsLineList;
  e.r.LineCapacity = 100;
  e.r.Points = 1000;
  e.r.From = -20;
  e.r.To = 100;
  EXPECT_EQ(e.Run(), kErrIllegalArgument);
  ExpectNoOutputs(e.r);
}

TEST(SpinRun, NullCouplingPointersReadAsZero) {
  SpinSpec s = Abx();
  s.J.push_back({1, 0, 0.0});  // replaced: (1, 0) stays coupled below
  s.J = {{2, 0, 1.5}, {2, 1, 5.0}};
  s.quadratic = {0.0, 0.0, 0.0};
  s.linewidths = {0.0, 0.5, 0.0};
  Engine a, b;
  a.inputs.emplace_back(s, true);
  b.inputs.emplace_back(s, false);
  ASSERT_NE(ssAddSpinSystem(a.forest, &a.inputs.back().in), nullptr);
  ASSERT_NE(ssAddSpinSystem(b.forest, &b.inputs.back().in), nullptr);
  for (Engine* e : {&a, &b}) {
    e->r.Flags = kSsLineList | kSsAllTransitions | kSsSortFrequency;
    e->r.LineCapacity = 100;
    e->r.IntensityThreshold = 1e-12;
    e->r.BaseLinewidth = 0.25;
    ASSERT_EQ(e->Run(), kErrNone);
  }
  ASSERT_EQ(a.r.LinesKept, b.r.LinesKept);
  for (Dword i = 0; i < a.r.LinesKept; ++i) {
    EXPECT_EQ(a.r.Lines[i].Frequency, b.r.Lines[i].Frequency);
    EXPECT_EQ(a.r.Lines[i].Intensity, b.r.Lines[i].Intensity);
    EXPECT_EQ(a.r.Lines[i].Linewidth, b.r.Lines[i].Linewidth);
    const Dword group = a.r.Lines[i].GroupCode & 0xFFFF;
    EXPECT_EQ(a.r.Lines[i].Linewidth, group == 1 ? 0.75 : 0.25);
  }
}

TEST(SpinRun, SortByKeys) {
  Engine e;
  e.Add(Abx(3));
  SpinSpec other = Abx(1);
  other.groups[0].shift = 15.0;
  e.Add(other);
  const Dword keys[] = {kSsSortFrequency, kSsSortIntensity | kSsSortDescending,
                        kSsSortUserId | kSsSortGroup | kSsSortFrequency,
                        kSsSortGroup | kSsSortIntensity | kSsSortDescending};
  for (Dword k : keys) {
    e.r.Flags = kSsLineList | k;
    e.r.LineCapacity = 100;
    ASSERT_EQ(e.Run(), kErrNone);
    ASSERT_GE(e.r.LinesKept, 26u);
    auto key = [k](const ssLine& l) {
      std::vector<double> v;
      if (k & kSsSortUserId) v.push_back(l.UserId);
      if (k & kSsSortGroup) v.push_back(l.GroupCode & 0xFFFF);
      if (k & kSsSortFrequency) v.push_back(l.Frequency);
      if (k & kSsSortIntensity) v.push_back(l.Intensity);
      return v;
    };
    for (Dword i = 1; i < e.r.LinesKept; ++i) {
      if (k & kSsSortDescending) {
        EXPECT_GE(key(e.r.Lines[i - 1]), key(e.r.Lines[i]));
      } else {
        EXPECT_LE(key(e.r.Lines[i - 1]), key(e.r.Lines[i]));
      }
    }
  }
}

// Group spectra: one per enabled group, keyed by user id and root group;
// their sum is the spectrum.
TEST(SpinRun, GroupSpectra) {
  Engine e;
  SpinSpec s = Abx(7);
  s.linewidths = {0.0, 0.0, 2.0};
  e.Add(s);
  e.r.Flags = kSsBinnedSpectrum | kSsGroupSpectra | kSsGroupDecays | kSsDecay;
  e.r.Points = 256;
  e.r.From = -20;
  e.r.To = 100;
  e.r.BaseLinewidth = 0.5;
  ASSERT_EQ(e.Run(), kErrNone);
  ASSERT_EQ(e.r.GroupCount, 3u);
  std::vector<Dword> keys;
  for (Dword g = 0; g < 3; ++g) keys.push_back(e.r.GroupSpectra[g].Key);
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(keys, (std::vector<Dword>{7 * 65536u, 7 * 65536u + 1, 7 * 65536u + 2}));
  for (Dword b = 0; b < 256; ++b) {
    double sum = 0;
    for (Dword g = 0; g < 3; ++g) sum += e.r.GroupSpectra[g].Bins[b];
    EXPECT_NEAR(sum, e.r.Bins[b], 1e-15);
  }
  // Each group's decay has its own linewidth; the total is their sum.
  for (Dword g = 0; g < 3; ++g) {
    const ssGroupSpectrum& entry = e.r.GroupSpectra[g];
    std::vector<double> want(512, 0.0);
    const double lw = 0.5 + ((entry.Key & 0xFFFF) == 2 ? 2.0 : 0.0);
    ASSERT_EQ(ssSynthesizeFID(256, entry.Bins, e.r.From, e.r.To, 256, e.r.Centre, e.r.T0, e.r.Dwell,
                              e.r.Phase, lw, want.data(), want.data() + 256),
              kErrNone);
    for (Dword x = 0; x < 512; ++x) EXPECT_EQ(entry.Decay[x], want[x]);
  }
  for (Dword x = 0; x < 512; ++x)
    EXPECT_NEAR(
        e.r.Decay[x],
        e.r.GroupSpectra[0].Decay[x] + e.r.GroupSpectra[1].Decay[x] + e.r.GroupSpectra[2].Decay[x],
        1e-12);
}

// Keys of group spectra are user id x 65536 + group: id 0 would read as a
// free entry, so group spectra need a non-zero id.
TEST(SpinRun, GroupSpectraNeedAUserId) {
  Engine e;
  e.Add(Abx(0));
  e.r.Flags = kSsGroupSpectra;
  e.r.Points = 16;
  e.r.To = 50;
  EXPECT_EQ(e.Run(), kErrIllegalArgument);
  ExpectNoOutputs(e.r);
  e.r.Flags = kSsBinnedSpectrum;
  EXPECT_EQ(e.Run(), kErrNone);
}

// The decay against its definition: sum over the bins of
// I_b exp(i (w_b t + phase)) exp(-pi LW t), t = t0 + l dwell.
TEST(SpinRun, SynthesizedDecayAgainstDirectSum) {
  std::vector<double> bins(40, 0.0);
  bins[3] = 0.7;
  bins[17] = -0.2;
  bins[39] = 1.3;
  const double from = -15.0, to = 25.0, centre = 4.0, t0 = 0.013, dwell = 0.021, phase = 0.4,
               lw = 1.7;
  std::vector<double> re(300, 0.5), im(300, -0.25);
  ASSERT_EQ(ssSynthesizeFID(40, bins.data(), from, to, 300, centre, t0, dwell, phase, lw, re.data(),
                            im.data()),
            kErrNone);
  for (int l = 0; l < 300; ++l) {
    const double t = t0 + l * dwell;
    std::complex<double> sum = 0;
    for (int b = 0; b < 40; ++b) {
      const double w = 2 * M_PI * (from + b * (to - from) / 40 - centre);
      sum += bins[b] * std::exp(std::complex<double>(0, w * t + phase));
    }
    sum *= std::exp(-M_PI * lw * t);
    EXPECT_NEAR(re[l], 0.5 + sum.real(), 1e-11) << l;
    EXPECT_NEAR(im[l], -0.25 + sum.imag(), 1e-11) << l;
  }
  EXPECT_EQ(ssSynthesizeFID(0, bins.data(), from, to, 300, centre, t0, dwell, phase, lw, re.data(),
                            im.data()),
            kErrMissingInputData);
  EXPECT_EQ(ssSynthesizeFID(40, bins.data(), from, to, 0, centre, t0, dwell, phase, lw, re.data(),
                            im.data()),
            kErrMissingOutputBuffer);
  std::vector<double> zero(40, 0.0);
  EXPECT_EQ(ssSynthesizeFID(40, zero.data(), from, to, 300, centre, t0, dwell, phase, lw, re.data(),
                            nullptr),
            kErrMissingOutputBuffer);
}

// A line at the window's centre lands in bin N/2 and is synthesised at the
// carrier: without linewidth the decay is constant (the bins and the
// synthesis use the same spacing).
TEST(SpinRun, LineAtTheCentreGivesAConstantDecay) {
  Engine e;
  e.Add(Single(40.0));
  e.r.Flags = kSsDecay;
  e.r.Points = 1024;
  e.r.From = -20;
  e.r.To = 100;
  e.r.Phase = 0.3;
  e.r.PiT0 = M_PI * 0.01;
  ASSERT_EQ(e.Run(), kErrNone);
  EXPECT_EQ(e.r.Centre, 40.0);
  EXPECT_EQ(e.r.Bins[512], 1.0);
  for (Dword l = 0; l < 1024; ++l) {
    EXPECT_NEAR(e.r.Decay[l], std::cos(0.3), 1e-12) << l;
    EXPECT_NEAR(e.r.Decay[1024 + l], std::sin(0.3), 1e-12) << l;
  }
}

// The transformed decay runs against the bins: a line in bin b of N peaks
// at index N - b.
TEST(SpinRun, TransformedDecayIsMirrored) {
  const Dword bins[] = {545, 512, 100, 1000};
  for (Dword b : bins) {
    Engine e;
    e.Add(Single(b * (120.0 / 1024) - 20.0));
    e.r.Flags = kSsSpectrumFromDecay;
    e.r.Points = 1024;
    e.r.From = -20;
    e.r.To = 100;
    e.r.BaseLinewidth = 0.5;
    ASSERT_EQ(e.Run(), kErrNone);
    ASSERT_EQ(e.r.Bins[b], 1.0);
    Dword peak = 0;
    for (Dword i = 1; i < 1024; ++i)
      if (e.r.Decay[i] > e.r.Decay[peak]) peak = i;
    EXPECT_EQ(peak, 1024 - b) << b;
  }
}

TEST(SpinRun, RepeatedRunsGiveIdenticalOutputs) {
  Engine e;
  SpinSpec s;
  s.groups = {{2, 1, 12.3}, {1, 2, 31.7}, {1, 1, 20.0}};
  s.J = {{1, 0, 7.1}, {2, 1, 3.0}};
  e.Add(s);
  e.r.Flags = kSsLineList | kSsBinnedSpectrum | kSsSpectrumFromDecay | kSsSortFrequency;
  e.r.LineCapacity = 1000;
  e.r.Points = 512;
  e.r.From = -10;
  e.r.To = 60;
  e.r.BaseLinewidth = 0.3;
  ASSERT_EQ(e.Run(), kErrNone);
  std::vector<ssLine> lines(e.r.Lines, e.r.Lines + e.r.LinesKept);
  std::vector<double> decay(e.r.Decay, e.r.Decay + 1024);
  for (int run = 0; run < 2; ++run) {
    ASSERT_EQ(e.Run(), kErrNone);
    ASSERT_EQ(e.r.LinesKept, lines.size());
    for (Dword i = 0; i < e.r.LinesKept; ++i) {
      EXPECT_EQ(e.r.Lines[i].Frequency, lines[i].Frequency);
      EXPECT_EQ(e.r.Lines[i].Intensity, lines[i].Intensity);
      EXPECT_EQ(e.r.Lines[i].GroupCode, lines[i].GroupCode);
    }
    for (Dword x = 0; x < 1024; ++x) EXPECT_EQ(e.r.Decay[x], decay[x]);
  }
}

// Spectator groups record no lines: in weakly coupled fragments every
// group's lines come from the one fragment that owns it, and the lines of a
// group carry about one unit of intensity per spin.
TEST(SpinRun, FragmentLinesOncePerGroup) {
  Engine e;
  SpinSpec s;
  for (Dword g = 0; g < 13; ++g) s.groups.push_back({1, 1, 100.0 * g});
  for (Dword g = 1; g < 13; ++g) s.J.push_back({g, g - 1, 1.5});
  e.Add(s);
  e.r.Flags = kSsLineList;
  e.r.LineCapacity = 10000;
  ASSERT_EQ(e.Run(), kErrNone);
  std::vector<double> per_group(13, 0.0);
  for (Dword i = 0; i < e.r.LinesKept; ++i) {
    const ssLine& l = e.r.Lines[i];
    const Dword g = l.GroupCode & 0xFFFF;
    per_group[g] += l.Intensity;
    if ((l.GroupCode >> 16) == 0) {
      EXPECT_NEAR(l.Frequency, 100.0 * g, 2.0);
    }
  }
  for (double w : per_group) EXPECT_NEAR(w, 1.0, 1e-3);
}

// Without memory anywhere in a run: the code is 0x80001, no output is left
// and no manifold keeps data; a later run succeeds.
TEST(SpinRun, FailedAllocationReleasesEverything) {
  Engine e;
  SpinSpec s;
  s.groups = {{2, 1, 12.3}, {1, 2, 31.7}, {1, 1, 20.0}};
  s.J = {{1, 0, 7.1}, {2, 1, 3.0}};
  s.user_id = 4;
  e.Add(s);
  Qlong allowed = 0;
  for (;; ++allowed) {
    e.r.Flags =
        kSsLineList | kSsBinnedSpectrum | kSsGroupSpectra | kSsGroupDecays | kSsSpectrumFromDecay;
    e.r.LineCapacity = 1000;
    e.r.Points = 256;
    e.r.From = -10;
    e.r.To = 60;
    AllocFailureGuard fail(allowed);
    const LibErrorCode code = e.Run();
    fail.Release();
    if (code == kErrNone) break;
    EXPECT_EQ(code, kErrAlloc);
    ExpectNoOutputs(e.r);
    cSpinSystem* root = e.forest->Find(4, 0);
    for (cKyTreeNode* n = root; n; n = n->NextInTree(root)) {
      const cSpinSystem* x = static_cast<const cSpinSystem*>(n);
      for (Dword K = 0; x->manifolds && K < x->profile.NumberOfManifolds; ++K) {
        EXPECT_EQ(x->manifolds[K].Eigenvectors, nullptr);
        EXPECT_EQ(x->manifolds[K].Basis, nullptr);
      }
    }
    ASSERT_LT(allowed, 2000);
  }
  EXPECT_GT(allowed, 10);
  EXPECT_GT(e.r.LinesKept, 0u);
  EXPECT_NE(e.r.Decay, nullptr);
}

// The engine reads the values through the caller's pointers at every run.
TEST(SpinRun, ValuesChangedBetweenRunsAreUsed) {
  Engine e;
  e.Add(Single(40.0));
  e.r.Flags = kSsLineList;
  e.r.LineCapacity = 4;
  ASSERT_EQ(e.Run(), kErrNone);
  ASSERT_EQ(e.r.LinesKept, 1u);
  EXPECT_EQ(e.r.Lines[0].Frequency, 40.0);
  *e.inputs.back().in.Couplings[0] = 52.5;
  e.inputs.back().scale_ = 3.0;
  ASSERT_EQ(e.Run(), kErrNone);
  ASSERT_EQ(e.r.LinesKept, 1u);
  EXPECT_EQ(e.r.Lines[0].Frequency, 52.5);
  EXPECT_EQ(e.r.Lines[0].Intensity, 3.0);
}

TEST(SpinRun, NullArguments) {
  cSpinForest* forest = ssOpenInstance(nullptr);
  ssSimulationRequest r{};
  EXPECT_EQ(ssRunSimulation(nullptr, &r), kErrMissingArguments);
  EXPECT_EQ(ssRunSimulation(forest, nullptr), kErrMissingArguments);
  ssCloseInstance(&forest, &r);
}

}  // namespace
