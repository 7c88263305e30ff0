// PHASOR: a decay whose phase drifts as a polynomial in time is turned
// back to the real axis; the sign test keeps inverted (inversion-recovery)
// decays negative; the preparation's failures. PHASING mode 1 with the
// phases its preparation estimates.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <memory>
#include <numbers>

#include "proc_fixture.h"
#include "signal_fit/signal/fourier.h"

namespace {

constexpr Qword kN = 256;

// sign A exp(-i/80) exp(i (0.3 + 0.02 i - 1e-4 i^2)).
cKyData* NewDriftingDecay(double sign) {
  auto z = [sign](Qword i) {
    const double t = static_cast<double>(i);
    return sign * 5 * std::exp(-t / 80) * std::polar(1.0, 0.3 + 0.02 * t - 1e-4 * t * t);
  };
  return NewSignalBlock(
      kN, 0, 1, [z](Qword i) { return z(i).real(); }, [z](Qword i) { return z(i).imag(); });
}

TEST(ProcPhasor, DriftRemovedAndSignKept) {
  struct Case {
    double sign;
    const char* command;
    double result_sign;
  };
  const Case cases[] = {
      {1, "PHASOR, 1, 0, 0, , 0, 99, 3", 1},
      {1, "PHASOR, 1, 0, 0, , 99, 0, 3, 1", 1},    // reversed window; positive decay stays positive
      {-1, "PHASOR, 1, 0, 0, , 0, 99, 3", 1},      // without the test the fit takes the pi in
      {-1, "PHASOR, 1, 0, 0, , 0, 99, 3, 1", -1},  // the inversion keeps its sign
      {-1, "PHASOR, 1, 0, 0, , 0, -1, 3, 1", -1},
  };
  for (const Case& c : cases) {
    std::unique_ptr<cKyData> b(NewDriftingDecay(c.sign));
    const std::vector<double> before = MatrixCopy(b.get());
    const StepResult r = RunStep(b.get(), c.command);
    ASSERT_EQ(r.code, kErrNone) << c.command;
    EXPECT_TRUE(r.done);
    for (Qword i = 0; i < kN; ++i) {
      const double magnitude = std::hypot(before[kN + i], before[2 * kN + i]);
      EXPECT_NEAR(b->Row(1)[i], c.result_sign * magnitude, 1e-9) << c.command << " " << i;
      EXPECT_NEAR(b->Row(2)[i], 0.0, 1e-9) << c.command << " " << i;
    }
  }
}

TEST(ProcPhasor, PreparationFailures) {
  struct Case {
    const char* command;
    LibErrorCode code;
  };
  const Case cases[] = {
      {"PHASOR, 1, 0, 0, , 10, 11, 3", kErrIllegalArgument},  // 2 points, 3 coefficients
      {"PHASOR, 1, 0, 0, , 0, 99", kErrWrongInputFormat},     // no coefficient count
      {"PHASOR, 1, 0, 0, , 0, 99, 0", kErrMissingInputData},  // nothing prepared: the rotation's 14
      {"PHASOR, 2, 0, 0, , 0, 99, 2", kErrUnknownProcedureMode},
  };
  for (const Case& c : cases) {
    std::unique_ptr<cKyData> b(NewDriftingDecay(1));
    const std::vector<double> before = MatrixCopy(b.get());
    const StepResult r = RunStep(b.get(), c.command);
    EXPECT_EQ(r.code, c.code) << c.command;
    EXPECT_FALSE(r.done);
    EXPECT_EQ(MatrixCopy(b.get()), before) << c.command;
  }
}

TEST(ProcPhasing, EstimatedPhasesApplied) {
  // A Lorentzian line turned by a zero-order phase; the preparation's
  // estimate (the simplex) is applied negated.
  constexpr Qword n = 512;
  auto line = [](Qword i) {
    const std::complex<double> d(static_cast<double>(i) - 200.0, 4.0);
    return std::polar(1.0, 0.8) * (std::complex<double>(0, 1) * 4.0 / d);
  };
  std::unique_ptr<cKyData> b(NewSignalBlock(
      n, 0, 1, [&](Qword i) { return line(i).real(); }, [&](Qword i) { return line(i).imag(); }));
  std::vector<double> expected = RowCopy(b.get(), 1);
  const std::vector<double> im = RowCopy(b.get(), 2);
  expected.insert(expected.end(), im.begin(), im.end());
  double phi0 = 0, phi1 = 0;
  ASSERT_EQ(SArrFdCalcPhases(n, expected.data(), 2, &phi0, &phi1), kErrNone);
  ASSERT_EQ(SArrFdApplyPhases(n, expected.data(), expected.data(), -phi0, -phi1), kErrNone);
  const StepResult r = RunStep(b.get(), "PHASING, 1, 0, 0");
  ASSERT_EQ(r.code, kErrNone);
  EXPECT_FALSE(r.done);
  for (Qword i = 0; i < n; ++i) {
    EXPECT_EQ(b->Row(1)[i], expected[i]);
    EXPECT_EQ(b->Row(2)[i], expected[n + i]);
  }
  // The phased line is absorptive: its peak is the real maximum.
  EXPECT_NEAR(b->Row(1)[200], 1.0, 0.01);
}

}  // namespace
