// APODIZE: every window against its formula recomputed here at the x
// values of the points, windows on part of the row, the mean decay of the
// "Stanning" preparation and the unknown window.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>

#include "proc_fixture.h"
#include "signal_fit/signal/fourier.h"

namespace {

constexpr Qword kPoints = 1024;
constexpr double kDwell = 1e-5;
constexpr double kPi = std::numbers::pi;

cKyData* NewDecay() {
  return NewSignalBlock(
      kPoints, 0.0, kDwell,
      [](Qword i) { return std::exp(-static_cast<double>(i) / 300.0) * (1 + Wiggle(i, 0)); },
      [](Qword i) { return std::exp(-static_cast<double>(i) / 300.0) * Wiggle(i, 1.0); });
}

// The windows, from their definitions.
double Window(Qword mode, double t, double p0, double p1) {
  const double gauss = (kPi * p0) * (kPi * p0) * t * t / (4 * std::numbers::ln2);
  switch (mode) {
    case 1:
      return std::exp(-kPi * p0 * t);
    case 2:  // p1 = T here
    case 3: {
      const double T = mode == 2 ? p1 : p0;
      if (t >= T) return 0.0;
      const double c = std::cos(kPi * t / (2 * T));
      return c * c;
    }
    case 4:
      return std::exp(-gauss);
    case 5:
      return std::exp(-gauss - kPi * p1 * t);
    case 6:
      return t == 0 ? 1.0 : std::sin(kPi * p0 * t) / (kPi * p0 * t);
    case 7:
      return (t / p0) * (t / p0) * std::exp(-(t / p0) * (t / p0));
    default: {
      const double u = std::pow(t / p0, std::round(p1));
      return u / (1 + u);
    }
  }
}

void ExpectWindowed(const std::vector<double>& before, const cKyData* b, Qword row, Qword first,
                    Qword last, Qword mode, double p0, double p1, const std::string& what) {
  for (Qword i = 0; i < kPoints; ++i) {
    const double old = before[row * kPoints + i];
    const double now = b->Row(row)[i];
    if (i < first || i > last) {
      ASSERT_EQ(now, old) << what << " point " << i;
      continue;
    }
    const double expected = old * Window(mode, b->Row(0)[i], p0, p1);
    ASSERT_NEAR(now, expected, 1e-12 * std::fabs(old) + 1e-300) << what << " point " << i;
  }
}

TEST(ProcApodize, WindowsOverTheWholeRow) {
  struct Case {
    const char* command;
    Qword mode;
    double p0, p1;
    const char* name;
  };
  const Case cases[] = {
      {"APODIZE, 1, 0, 0, , 0,-1, 300", 1, 300, 0, "Exponential"},
      {"APODIZE, 3, 0, 0, , 0,-1, 0.0061234", 3, 0.0061234, 0, "Cos2Tmax"},
      {"APODIZE, 4, 0, 0, , 0,-1, 250", 4, 250, 0, "Gauss"},
      {"APODIZE, 5, 0, 0, , 0,-1, 250, 80", 5, 250, 80, "Gauss-Lorentz"},
      {"APODIZE, 6, 0, 0, , 0,-1, 70", 6, 70, 0, "Sinc"},
      {"APODIZE, 7, 0, 0, , 0,-1, 0.004", 7, 0.004, 0, "Maxwell-Boltzmann"},
      {"APODIZE, 8, 0, 0, , 0,-1, 0.0003, 2", 8, 0.0003, 2, "Smoothstep"},
      {"APODIZE, 8, 0, 0, , 0,-1, 0.0011, 3.4", 8, 0.0011, 3, "Smoothstep"},
  };
  for (const Case& c : cases) {
    std::unique_ptr<cKyData> b(NewDecay());
    const std::vector<double> before = MatrixCopy(b.get());
    const StepResult r = RunStep(b.get(), c.command);
    ASSERT_EQ(r.code, kErrNone) << c.command;
    EXPECT_TRUE(r.done);
    EXPECT_EQ(r.report, std::string(" Mode: ") + c.name + "\n");
    ExpectWindowed(before, b.get(), 1, 0, kPoints - 1, c.mode, c.p0, c.p1, c.command);
    ExpectWindowed(before, b.get(), 2, 0, kPoints - 1, c.mode, c.p0, c.p1, c.command);
    EXPECT_EQ(RowCopy(b.get(), 0), std::vector<double>(before.begin(), before.begin() + kPoints));
  }
}

TEST(ProcApodize, WindowOfPartOfTheRow) {
  // Points 100 to 199 only; the window is taken at their own x values.
  for (const char* command :
       {"APODIZE, 1, 0, 0, , 100, 199, 500", "APODIZE, 1, 0, 0, , 199, 100, 500"}) {
    std::unique_ptr<cKyData> b(NewDecay());
    const std::vector<double> before = MatrixCopy(b.get());
    ASSERT_EQ(RunStep(b.get(), command).code, kErrNone);
    ExpectWindowed(before, b.get(), 1, 100, 199, 1, 500, 0, command);
    ExpectWindowed(before, b.get(), 2, 100, 199, 1, 500, 0, command);
  }
}

TEST(ProcApodize, StanningScalesWithTheMeanDecay) {
  std::unique_ptr<cKyData> b(NewDecay());
  const std::vector<double> before = MatrixCopy(b.get());
  const double decay =
      SArrMeanDecayInPhysicalUnits(kPoints, b->Row(1), 0.0, b->Row(0)[kPoints - 1], nullptr);
  ASSERT_TRUE(std::isfinite(decay));
  const double T = std::fmin(2 * decay, b->Row(0)[kPoints - 1]);
  const StepResult r = RunStep(b.get(), "APODIZE, 2, 0, 0, , 0, -1, 2");
  ASSERT_EQ(r.code, kErrNone);
  EXPECT_EQ(r.report, " Mode: Stanning\n");
  ExpectWindowed(before, b.get(), 1, 0, kPoints - 1, 2, 2, T, "stanning");
  ExpectWindowed(before, b.get(), 2, 0, kPoints - 1, 2, 2, T, "stanning");
}

TEST(ProcApodize, FailuresLeaveTheNode) {
  struct Case {
    const char* command;
    LibErrorCode code;
    const char* report;
  };
  const Case cases[] = {
      {"APODIZE, 9, 0, 0, , 0,-1, 1", kErrUnknownId, " Mode: \n"},
      {"APODIZE, 8, 0, 0, , 0,-1, -0.001, 2", kErrIllegalArgument, " Mode: Smoothstep\n"},
      {"APODIZE, 3, 0, 0, , 0,-1", kErrIllegalArgument, " Mode: Cos2Tmax\n"},  // no Tmax
  };
  for (const Case& c : cases) {
    std::unique_ptr<cKyData> b(NewDecay());
    const std::vector<double> before = MatrixCopy(b.get());
    const StepResult r = RunStep(b.get(), c.command);
    EXPECT_EQ(r.code, c.code) << c.command;
    EXPECT_FALSE(r.done);
    EXPECT_EQ(r.report, c.report);
    EXPECT_EQ(MatrixCopy(b.get()), before) << c.command;
  }
  cKyData empty(0);
  EXPECT_EQ(RunStep(&empty, "APODIZE, 1, 0, 0, , 0,-1, 1").code, kErrMissingInputData);
}

}  // namespace
