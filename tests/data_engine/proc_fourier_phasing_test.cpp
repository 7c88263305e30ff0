// FOURIER and PHASING: an impulse, a tone at its mirrored index, the way
// back to the decay with its time axis, the x axis of the spectrum from
// the spectrometer parameters or kept without them, the message boxes of
// the failures, and the phasing modes.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <memory>
#include <numbers>
#include <string>

#include "proc_fixture.h"

namespace {

constexpr double kPi = std::numbers::pi;

cKyData* NewBlock(Qword points, const IndexFunction& re, const IndexFunction& im) {
  return NewSignalBlock(points, 0.0, 1e-4, re, im);
}

TEST(ProcFourier, ImpulseGivesAFlatSpectrum) {
  std::unique_ptr<cKyData> b(NewBlock(
      256, [](Qword i) { return i == 0 ? 1.0 : 0.0; }, [](Qword) { return 0.0; }));
  const StepResult r = RunStep(b.get(), "FOURIER, 1, 0, 0");
  ASSERT_EQ(r.code, kErrNone);
  EXPECT_TRUE(r.done);
  EXPECT_EQ(r.report, "");
  for (Qword i = 0; i < 256; ++i) {
    EXPECT_NEAR(b->Row(1)[i], 1.0 / 16, 1e-15);
    EXPECT_NEAR(b->Row(2)[i], 0.0, 1e-15);
    EXPECT_EQ(b->Row(0)[i], static_cast<double>(i));
  }
  EXPECT_EQ(b->x_first, 0.0);
  EXPECT_EQ(b->x_last, 255.0);
  EXPECT_EQ(b->TestFlags(kKyDataTimeDomain | kKyDataFrequencyDomain), kKyDataFrequencyDomain);
}

TEST(ProcFourier, ToneAtItsMirroredIndex) {
  constexpr Qword n = 512;
  constexpr double dwell = 1e-4;
  for (const double bins : {10.0, -30.0, 200.0}) {  // whole bins below Nyquist
    const double f = bins / (static_cast<double>(n) * dwell);
    auto phase = [f](Qword i) { return 2 * kPi * f * static_cast<double>(i) * dwell; };
    std::unique_ptr<cKyData> b(NewBlock(
        n, [&](Qword i) { return std::cos(phase(i)); },
        [&](Qword i) { return std::sin(phase(i)); }));
    ASSERT_EQ(RunStep(b.get(), "FOURIER, 1, 0, 0").code, kErrNone);
    const double at = static_cast<double>(n) / 2 - f * static_cast<double>(n) * dwell;
    const Qword peak = static_cast<Qword>(std::lround(at));
    for (Qword i = 0; i < n; ++i) {
      const double mag = std::hypot(b->Row(1)[i], b->Row(2)[i]);
      EXPECT_NEAR(mag, i == peak ? std::sqrt(static_cast<double>(n)) : 0.0, 1e-10) << f << " " << i;
    }
  }
}

TEST(ProcFourier, ThereAndBackWithTheAxes) {
  constexpr Qword n = 1024;
  cKyData item(0);
  item.parameters.AddEntry("SYF1", "79.4958", nullptr);
  item.parameters.AddEntry("SW", "20000", nullptr);
  item.parameters.AddEntry("XOFF", "0.00125", nullptr);
  item.parameters.AddEntry("DW", "5e-05", nullptr);
  cKyData* b = NewBlock(
      n, [](Qword i) { return Wiggle(i, 0.0); }, [](Qword i) { return Wiggle(i, 0.5); });
  item.AddChild(b);
  const std::vector<double> before = MatrixCopy(b);
  ASSERT_EQ(RunStep(b, "FOURIER, 1, 0, 0").code, kErrNone);
  EXPECT_DOUBLE_EQ(b->x_scale, -(20000 / 79.4958) / 1023);
  EXPECT_EQ(b->x_offset, 1023.0);
  ASSERT_NE(b->x_unit, nullptr);
  EXPECT_STREQ(b->x_unit, "ppm");
  const StepResult r = RunStep(b, "FOURIER, 2, 0, 0");
  ASSERT_EQ(r.code, kErrNone);
  EXPECT_TRUE(r.done);
  EXPECT_EQ(b->TestFlags(kKyDataTimeDomain | kKyDataFrequencyDomain), kKyDataTimeDomain);
  for (Qword i = 0; i < n; ++i) {
    EXPECT_NEAR(b->Row(1)[i], before[n + i], 1e-12);
    EXPECT_NEAR(b->Row(2)[i], before[2 * n + i], 1e-12);
    EXPECT_NEAR(b->Row(0)[i], 0.00125 + 5e-5 * static_cast<double>(i), 1e-15);
  }
  EXPECT_EQ(b->x_first, 0.00125);
  EXPECT_DOUBLE_EQ(b->x_last, 0.00125 + 5e-5 * 1023);
  EXPECT_EQ(b->x_scale, 1.0);
  EXPECT_EQ(b->x_offset, 0.0);
  EXPECT_STREQ(b->x_unit, "s");
}

TEST(ProcFourier, AxesKeptWithoutTheParameters) {
  // Parameters present but not those the axis needs (simulated items), or
  // a frequency of 0: the axis keeps its scale, offset and unit.
  for (const char* name : {"NUC", "SYF1"}) {
    cKyData item(0);
    item.parameters.AddEntry(name, name[0] == 'S' ? "0" : "29Si", nullptr);
    item.parameters.AddEntry("SW", "5000", nullptr);
    cKyData* b = NewBlock(
        64, [](Qword i) { return Wiggle(i, 0.0); }, [](Qword) { return 0.0; });
    item.AddChild(b);
    b->x_scale = 2.0;
    b->x_offset = 3.0;
    ASSERT_EQ(RunStep(b, "FOURIER, 1, 0, 0").code, kErrNone);
    EXPECT_EQ(b->x_scale, 2.0) << name;
    EXPECT_EQ(b->x_offset, 3.0);
    EXPECT_EQ(b->x_unit, nullptr);
    const std::vector<double> x = RowCopy(b, 0);
    ASSERT_EQ(RunStep(b, "FOURIER, 2, 0, 0").code, kErrNone);  // no XOFF, DW
    EXPECT_EQ(RowCopy(b, 0), x);
    EXPECT_EQ(b->x_last, 63.0);
    EXPECT_EQ(b->x_scale, 2.0);
  }
  // One point: no division by points - 1 reaches the scale.
  cKyData item(0);
  item.parameters.AddEntry("SYF1", "100", nullptr);
  item.parameters.AddEntry("SW", "5000", nullptr);
  cKyData* one = NewBlock(
      1, [](Qword) { return 2.0; }, [](Qword) { return 1.0; });
  item.AddChild(one);
  ASSERT_EQ(RunStep(one, "FOURIER, 1, 0, 0").code, kErrNone);
  EXPECT_EQ(one->x_scale, 1.0);
  EXPECT_EQ(one->x_unit, nullptr);
  EXPECT_EQ(one->Row(1)[0], 2.0);
}

TEST(ProcFourier, FailuresShowTheirMessage) {
  RecordedMessageBoxes boxes;
  std::unique_ptr<cKyData> b(NewBlock(
      1000, [](Qword i) { return Wiggle(i, 0.0); }, [](Qword) { return 0.0; }));
  const std::vector<double> before = MatrixCopy(b.get());
  const Dword flags = b->node_flags;
  StepResult r = RunStep(b.get(), "FOURIER, 1, 0, 0");
  EXPECT_EQ(r.code, kErrIllegalArgument);
  EXPECT_FALSE(r.done);
  ASSERT_EQ(RecordedMessageBoxes::Boxes().size(), 1u);
  EXPECT_EQ(RecordedMessageBoxes::Boxes()[0].text, "1000 points: needs to be 2^n");
  EXPECT_EQ(RecordedMessageBoxes::Boxes()[0].type, kUiError);
  EXPECT_EQ(MatrixCopy(b.get()), before);
  EXPECT_EQ(b->node_flags, flags);
  r = RunStep(b.get(), "FOURIER, 3, 0, 0");
  EXPECT_EQ(r.code, kErrUnknownProcedureMode);
  ASSERT_EQ(RecordedMessageBoxes::Boxes().size(), 2u);
  EXPECT_EQ(RecordedMessageBoxes::Boxes()[1].text, "Fourier Transform:\nUnknown EVP mode");
  cKyData empty(0);
  EXPECT_EQ(RunStep(&empty, "FOURIER, 1, 0, 0").code, kErrMissingInputData);
}

TEST(ProcPhasing, MagnitudePowerAndUnknownModes) {
  struct Case {
    const char* command;
    int form;  // 0 unchanged, 1 magnitude, 2 power
  };
  const Case cases[] = {{"PHASING, 2, 0, 0", 1}, {"PHASING, 3, 0, 0", 2}, {"PHASING, 7, 0, 0", 0}};
  for (const Case& c : cases) {
    std::unique_ptr<cKyData> b(NewBlock(
        32, [](Qword i) { return Wiggle(i, 0.0); }, [](Qword i) { return Wiggle(i, 2.0); }));
    const std::vector<double> before = MatrixCopy(b.get());
    const StepResult r = RunStep(b.get(), c.command);
    ASSERT_EQ(r.code, kErrNone);
    EXPECT_FALSE(r.done) << c.command;  // never a redraw request
    for (Qword i = 0; i < 32; ++i) {
      const double re = before[32 + i], im = before[64 + i];
      const double expected = c.form == 0   ? re
                              : c.form == 1 ? std::hypot(re, im)
                                            : re * re + im * im;
      EXPECT_NEAR(b->Row(1)[i], expected, 1e-15 * (1 + std::fabs(expected))) << c.command;
      EXPECT_EQ(b->Row(2)[i], im);
    }
  }
}

TEST(ProcPhasing, AppliesTheNegatedEstimates) {
  // The record carries the phases a preparation would have estimated.
  constexpr Qword n = 64;
  std::unique_ptr<cKyData> b(NewBlock(
      n, [](Qword i) { return Wiggle(i, 0.0); }, [](Qword i) { return Wiggle(i, 2.0); }));
  const std::vector<double> before = MatrixCopy(b.get());
  Evp evp;
  InitEvp(&evp);
  evp.id = kEvpPhasing;
  evp.mode = 1;
  evp.phase0 = 0.7;
  evp.phase1 = -1.9;
  ASSERT_EQ(b->RunEvp(&evp, nullptr), kErrNone);
  EXPECT_FALSE(evp.flags & kEvpDone);
  for (Qword i = 0; i < n; ++i) {
    // Point i turns by -phi0 + phi1/2 - i phi1/n.
    const double angle = -0.7 - 1.9 / 2 + static_cast<double>(i) * 1.9 / n;
    const std::complex<double> z =
        std::complex<double>(before[n + i], before[2 * n + i]) * std::polar(1.0, angle);
    EXPECT_NEAR(b->Row(1)[i], z.real(), 1e-13);
    EXPECT_NEAR(b->Row(2)[i], z.imag(), 1e-13);
  }
  ReleaseEvp(&evp);
}

}  // namespace
