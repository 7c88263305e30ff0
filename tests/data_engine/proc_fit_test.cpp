// FIT: the calibration line against numpy.polyfit, the polynomial, the
// multi-exponential decay with its companion node, the Gaussian decay, the
// dispersion models from closed forms, the aqua-ion profile on a window,
// and the guards of bad input.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "node_invariants.h"
#include "proc_fixture.h"
#include "relax_fixture.h"
#include "signal_fit/fit/term_fits.h"

namespace {

#include "relax_reference.inc"

std::vector<double> Vec(const double* a, Qword n) { return std::vector<double>(a, a + n); }

TEST(ProcFit, LineThroughExactPointsSetsTheResultPointer) {
  std::unique_ptr<cKyData> node(NewCurve({1, 2, 3}, std::vector<double>{2, 4, 6}));
  const RelaxStep r = RunRelax(node.get(), "FIT, 1, 0, 0, , 0, -1");
  ASSERT_EQ(r.code, kErrNone);
  EXPECT_TRUE(r.done);
  EXPECT_DOUBLE_EQ(node->results[0], 2.0);
  EXPECT_NEAR(node->results[1], 0.0, 1e-14);
  EXPECT_EQ(r.result_pointer, node->results);
  EXPECT_NE(r.report.find(" Linear fit: y = a * x + b\n a: "), std::string::npos);
  EXPECT_NE(r.report.find(" R^2:             1\n"), std::string::npos) << r.report;
  ASSERT_EQ(node->rows, 3u);
  EXPECT_EQ(node->row_flags[2], kKyRowResult);
  for (Qword i = 0; i < 3; ++i) EXPECT_NEAR(node->Row(2)[i], 2.0 * (i + 1), 1e-13);
}

TEST(ProcFit, LineEqualsNumpyPolyfitAndSkipsNaNPairs) {
  struct Case {
    std::vector<double> x, y;
    double slope, intercept, r2;
  };
  const Case cases[] = {
      {Vec(kCalibX, 6), Vec(kCalibY, 6), kCalibSlope, kCalibIntercept, kCalibR2},
      {Vec(kGapX, 9), Vec(kGapY, 9), kGapSlope, kGapIntercept, kGapR2},
  };
  for (const Case& c : cases) {
    std::unique_ptr<cKyData> node(NewCurve(c.x, c.y));
    const RelaxStep r = RunRelax(node.get(), "FIT, 1, 0, 0, , 0, -1");
    ASSERT_EQ(r.code, kErrNone);
    EXPECT_NEAR(node->results[0], c.slope, 1e-12 * std::fabs(c.slope));
    EXPECT_NEAR(node->results[1], c.intercept, 1e-9 * std::fabs(c.intercept) + 1e-12);
    EXPECT_NE(r.report.find(Cfmt(" R^2: %13.4g\n", c.r2)), std::string::npos) << r.report;
    // Every window point gets a value of the line, the NaN pair included.
    for (Qword i = 0; i < c.x.size(); ++i)
      EXPECT_NEAR(node->Row(2)[i], c.slope * c.x[i] + c.intercept,
                  1e-9 * std::fabs(c.slope * c.x[i]) + 1e-9);
  }
}

TEST(ProcFit, LineOnConstantDataHasRSquaredOne) {
  std::unique_ptr<cKyData> node(NewCurve({1, 2, 3, 4}, [](double) { return 7.0; }));
  const RelaxStep r = RunRelax(node.get(), "FIT, 1, 0, 0, , 0, -1");
  ASSERT_EQ(r.code, kErrNone);
  EXPECT_EQ(node->results[0], 0.0);
  EXPECT_EQ(node->results[1], 7.0);
  EXPECT_NE(r.report.find(" R^2:             1\n"), std::string::npos) << r.report;
}

TEST(ProcFit, PolynomialCoefficientsAndMissingDegree) {
  std::unique_ptr<cKyData> node(NewCurve(LinSpaced(-2, 3, 11), [](double x) { return 1 + x * x; }));
  RelaxStep r = RunRelax(node.get(), "FIT, 2, 0, 0, , 0, -1, 2");
  ASSERT_EQ(r.code, kErrNone);
  EXPECT_EQ(node->results[0], 3.0);
  EXPECT_NEAR(node->results[1], 1.0, 1e-12);
  EXPECT_NEAR(node->results[2], 0.0, 1e-12);
  EXPECT_NEAR(node->results[3], 1.0, 1e-12);
  EXPECT_NE(r.report.find(" Polynomial fit: y = Sum_k (a_k * x^k)\n Order 2\n a0: "),
            std::string::npos);
  for (Qword i = 0; i < 11; ++i) EXPECT_NEAR(node->Row(2)[i], node->Row(1)[i], 1e-11);
  {
    RecordedMessageBoxes boxes;
    r = RunRelax(node.get(), "FIT, 2, 0, 0, , 0, -1");
    EXPECT_EQ(r.code, kErrMissingParameters);
    ASSERT_EQ(RecordedMessageBoxes::Boxes().size(), 1u);
    EXPECT_EQ(RecordedMessageBoxes::Boxes()[0].text, "Missing polynomial degree.");
    EXPECT_EQ(RecordedMessageBoxes::Boxes()[0].type, 2);
  }
  // More coefficients than window points.
  EXPECT_EQ(RunRelax(node.get(), "FIT, 2, 0, 0, , 0, 2, 3").code, kErrIllegalParameters);
}

double BiExp(double x) { return 0.2 + 0.5 * std::exp(-10 * x) + 0.3 * std::exp(-100 * x); }

TEST(ProcFit, MultiExponentialPresetAndAutomatic) {
  for (const char* command : {"FIT, 3, 0, 0, , 0, -1, 2", "FIT, 3, 0, 0, , 0, -1"}) {
    std::unique_ptr<cKyData> node(NewCurve(LogSpaced(1e-4, 1, 64), BiExp));
    const RelaxStep r = RunRelax(node.get(), command);
    ASSERT_EQ(r.code, kErrNone) << command;
    EXPECT_EQ(node->results[0], 2.0) << command;
    EXPECT_NEAR(node->results[1], 0.2, 0.01);
    EXPECT_NEAR(node->results[2], 10.0, 0.1);
    EXPECT_NEAR(node->results[3], 100.0, 1.0);
    const bool automatic = std::string(command).find(", 2") == std::string::npos;
    EXPECT_NE(r.report.find(automatic ? " Components Found: 2\n" : " Components Preset: 2\n"),
              std::string::npos);
    // The fit row is the model: close to the noise-free data.
    for (Qword i = 0; i < 64; ++i) EXPECT_NEAR(node->Row(2)[i], node->Row(1)[i], 2e-3);
    EXPECT_EQ(node->linked, nullptr) << "only a zone keeps its components";
  }
}

TEST(ProcFit, MultiExponentialGuards) {
  std::unique_ptr<cKyData> node(NewCurve(LogSpaced(1e-3, 1, 3), BiExp));
  EXPECT_EQ(RunRelax(node.get(), "FIT, 3, 0, 0, , 0, -1, 2").code, kErrWindowTooSmall);
  std::unique_ptr<cKyData> more(NewCurve(LogSpaced(1e-3, 1, 10), BiExp));
  EXPECT_EQ(RunRelax(more.get(), "FIT, 3, 0, 0, , 0, -1, 0").code, kErrIllegalParameters);
  EXPECT_EQ(RunRelax(more.get(), "FIT, 3, 0, 0, , 0, -1, 19").code, kErrIllegalParameters);
  EXPECT_EQ(RunRelax(more.get(), "FIT, 10, 0, 0, , 0, -1").code, kErrUnknownProcedureMode);
  // No matrix: an empty window, nothing to do.
  cKyData empty(0);
  const RelaxStep r = RunRelax(&empty, "FIT, 3, 0, 0, , 0, -1");
  EXPECT_EQ(r.code, kErrNone);
  EXPECT_FALSE(r.done);
}

// A zone under a root whose companion holds `previous` components (its
// result 0) and a distribution behind them.
struct ZoneWithCompanion {
  std::unique_ptr<cKyData> root{new cKyData(0)};
  cKyData* zone;
  ZoneWithCompanion(double previous, Qword held, Qword distribution) {
    zone = NewCurve(LogSpaced(1e-4, 1, 64), BiExp);
    root->AddChild(zone);
    auto* companion = new cKyData(0);
    const Qword total = held + distribution;
    companion->SetSize(total, 2, 0, 0, 1);
    for (Qword i = 0; i < total; ++i) {
      companion->Row(0)[i] = 1000.0 + static_cast<double>(i);
      companion->Row(1)[i] = -static_cast<double>(i);
    }
    companion->results[0] = previous;
    zone->linked = companion;
  }
};

TEST(ProcFit, MultiExponentialKeepsTheDistributionBehindNewComponents) {
  ZoneWithCompanion z(2, 2, 50);
  // A straight-line fit overwrote the zone's result 0 meanwhile: the count
  // of previous components comes from the companion.
  z.zone->results[0] = 1e6;
  const RelaxStep r = RunRelax(z.zone, "FIT, 3, 0, 1, , 0, -1, 2");
  ASSERT_EQ(r.code, kErrNone);
  cKyData* c = z.zone->linked;
  ASSERT_NE(c, nullptr);
  ASSERT_EQ(c->points, 52u);
  ASSERT_EQ(c->rows, 2u);
  EXPECT_EQ(c->results[0], 2.0);
  EXPECT_NEAR(c->Row(0)[0], 10.0, 0.1);
  EXPECT_NEAR(c->Row(0)[1], 100.0, 1.0);
  EXPECT_NEAR(c->Row(1)[0], 0.5, 0.01);
  EXPECT_NEAR(c->Row(1)[1], 0.3, 0.01);
  for (Qword i = 0; i < 50; ++i) {
    EXPECT_EQ(c->Row(0)[2 + i], 1002.0 + static_cast<double>(i));
    EXPECT_EQ(c->Row(1)[2 + i], -2.0 - static_cast<double>(i));
  }
  EXPECT_EQ(c->x_first, c->Row(0)[0]);
  EXPECT_EQ(c->x_last, 1051.0);
  ExpectNodeInvariants(*c);
}

TEST(ProcFit, MultiExponentialCompanionCountBeyondItsPoints) {
  // A count above the companion's points keeps nothing of it (no underflow).
  ZoneWithCompanion z(5, 3, 0);
  ASSERT_EQ(RunRelax(z.zone, "FIT, 3, 0, 1, , 0, -1, 2").code, kErrNone);
  EXPECT_EQ(z.zone->linked->points, 2u);
  // A NaN count keeps everything behind the new components.
  ZoneWithCompanion nan_count(NAN, 0, 4);
  ASSERT_EQ(RunRelax(nan_count.zone, "FIT, 3, 0, 1, , 0, -1, 2").code, kErrNone);
  EXPECT_EQ(nan_count.zone->linked->points, 6u);
}

TEST(ProcFit, SecondFitReplacesTheFitRow) {
  std::unique_ptr<cKyData> node(NewCurve(LinSpaced(0, 1, 8), [](double x) { return 3 * x - 1; }));
  ASSERT_EQ(RunRelax(node.get(), "FIT, 1, 0, 0, , 0, -1").code, kErrNone);
  ASSERT_EQ(RunRelax(node.get(), "FIT, 2, 0, 0, , 0, -1, 1").code, kErrNone);
  EXPECT_EQ(node->rows, 3u);
  EXPECT_EQ(node->results[0], 2.0);  // the polynomial's coefficient count
}

TEST(ProcFit, GaussianDecayLeavesTheNodeAxisAlone) {
  const auto x = LinSpaced(0, 2, 40);
  std::unique_ptr<cKyData> node(
      NewCurve(x, [](double t) { return 2 * std::exp(-3 * t * t) + 0.5; }));
  const RelaxStep r = RunRelax(node.get(), "FIT, 4, 0, 0, , 0, -1");
  ASSERT_EQ(r.code, kErrNone);
  EXPECT_NEAR(node->results[0], 0.5, 1e-3);
  EXPECT_NEAR(node->results[1], 2.0, 1e-3);
  EXPECT_NEAR(node->results[2], 3.0, 3e-3);
  for (Qword i = 0; i < x.size(); ++i) EXPECT_EQ(node->Row(0)[i], x[i]);
  EXPECT_NE(r.report.find(" Gaussian fit: A*exp(-(R*x)^2)+B\n"), std::string::npos);
  // Every x of the window 0: the fit's own error.
  std::unique_ptr<cKyData> zeros(NewCurve({0, 0, 0, 0}, std::vector<double>{1, 2, 3, 4}));
  EXPECT_EQ(RunRelax(zeros.get(), "FIT, 4, 0, 0, , 0, -1").code, 2u);
}

TEST(ProcFit, GaussianPlusExponentialRowMatchesItsResults) {
  const auto x = LinSpaced(0, 3, 60);
  std::unique_ptr<cKyData> node(NewCurve(x, [](double t) {
    return 0.7 * std::exp(-(1.5 * t) * (1.5 * t)) + 0.4 * std::exp(-0.8 * t) + 0.1;
  }));
  const RelaxStep r = RunRelax(node.get(), "FIT, 5, 0, 0, , 0, -1");
  ASSERT_EQ(r.code, kErrNone);
  const double* p = node->results;
  for (Qword i = 0; i < x.size(); ++i) {
    const double model =
        p[1] * std::exp(-(p[2] * x[i]) * (p[2] * x[i])) + p[3] * std::exp(-p[4] * x[i]) + p[0];
    EXPECT_NEAR(node->Row(2)[i], model, 1e-12);
    EXPECT_NEAR(node->Row(2)[i], node->Row(1)[i], 2e-3);
  }
}

double Bpp(double v, double c, double tau) {
  return c / (1 + (tau * v) * (tau * v)) + c / (0.25 + (tau * v) * (tau * v));
}

TEST(ProcFit, BppRecoversAmplitudeAndCorrelationTime) {
  const auto nu = LogSpaced(0.01, 40, 30);
  std::unique_ptr<cKyData> node(NewCurve(nu, [](double v) { return 0.4 + Bpp(v, 2.0, 0.5); }));
  const RelaxStep r = RunRelax(node.get(), "FIT, 6, 0, 0, , 0, -1, 1");
  ASSERT_EQ(r.code, kErrNone);
  EXPECT_EQ(node->results[0], 1.0);
  EXPECT_NEAR(node->results[1], 0.4, 1e-3);
  EXPECT_NEAR(node->results[2], 0.5, 1e-3);
  EXPECT_NEAR(node->results[3], 2.0, 1e-3);
  EXPECT_NE(r.report.find(" Components: 1\n Offset: "), std::string::npos);
  // Offset fixed at 0 by parameter 3 = 0.
  std::unique_ptr<cKyData> fixed(NewCurve(nu, [](double v) { return Bpp(v, 1.0, 2.0); }));
  ASSERT_EQ(RunRelax(fixed.get(), "FIT, 6, 0, 0, , 0, -1, , 0").code, kErrNone);
  EXPECT_EQ(fixed->results[1], 0.0);
  EXPECT_NEAR(fixed->results[2], 2.0, 2e-3);
  EXPECT_NEAR(fixed->results[3], 1.0, 1e-3);
}

TEST(ProcFit, WeibullAndSolomonLayout) {
  const auto nu = LogSpaced(0.01, 40, 30);
  for (const Qword mode : {7u, 8u}) {
    std::unique_ptr<cKyData> node(NewCurve(nu, [mode](double v) {
      return 0.3 + TermFunctionValue(mode == 7 ? kTermWeibull : kTermSolomon, 1.5, 0.4,
                                     mode == 7 ? 1.6 : 100.0, v);
    }));
    const std::string command = "FIT, " + std::to_string(mode) + ", 0, 0, , 0, -1";
    const RelaxStep r = RunRelax(node.get(), command.c_str());
    ASSERT_EQ(r.code, kErrNone) << mode;
    const double* p = node->results;
    EXPECT_EQ(p[0], 1.0);
    if (mode == 8) {
      EXPECT_EQ(p[2], 100.0);  // eta held fixed
    }
    for (Qword i = 0; i < nu.size(); ++i) {
      const double model = p[1] + TermFunctionValue(mode == 7 ? kTermWeibull : kTermSolomon, p[4],
                                                    p[3], p[2], nu[i]);
      EXPECT_NEAR(node->Row(2)[i], model, 1e-9 * std::fabs(model) + 1e-12);
    }
    EXPECT_NE(r.report.find(" Eta: "), std::string::npos);
  }
}

TEST(ProcFit, TooManyDispersionComponents) {
  const auto nu = LogSpaced(0.01, 40, 30);
  struct Case {
    const char* command;
    const char* box;
  } cases[] = {{"FIT, 6, 0, 0, , 0, -1, 10", "Too many components for BPP"},
               {"FIT, 7, 0, 0, , 0, -1, 7", "Too many components"},
               {"FIT, 8, 0, 0, , 0, -1, 7", "Too many components"}};
  for (const Case& c : cases) {
    std::unique_ptr<cKyData> node(NewCurve(nu, [](double v) { return Bpp(v, 1, 1); }));
    RecordedMessageBoxes boxes;
    EXPECT_EQ(RunRelax(node.get(), c.command).code, kErrIllegalParameters);
    ASSERT_EQ(RecordedMessageBoxes::Boxes().size(), 1u);
    EXPECT_EQ(RecordedMessageBoxes::Boxes()[0].text, c.box);
    EXPECT_EQ(node->rows, 2u);
  }
}

TEST(ProcFit, AquaIonProfileFitsOnlyTheWindow) {
  const double p0[10] = {0.5, 2, 2.7e-10, 1000, 1e10, 1e-7, 1e-9, 1e-10, 1e-9, 1e-10};
  const auto nu = LogSpaced(0.01, 400, 25);
  std::unique_ptr<cKyData> node(
      NewCurve(nu, [&](double v) { return AquaionsProfileRate(p0, 11, v); }));
  const RelaxStep r = RunRelax(node.get(), "FIT, 9, 0, 0, , 5, -1");
  ASSERT_EQ(r.code, kErrNone);
  for (Qword i = 0; i < 5; ++i) EXPECT_TRUE(std::isnan(node->Row(2)[i]));
  for (Qword i = 5; i < nu.size(); ++i)
    EXPECT_NEAR(node->Row(2)[i], AquaionsProfileRate(node->results, 11, nu[i]),
                1e-9 * std::fabs(node->Row(2)[i]));
  EXPECT_EQ(node->results[0], 0.0);  // the offset is not varied
  EXPECT_NE(r.report.find(" mode: Solomon-Bloembergen-Morgan\n offset = "), std::string::npos);
}

}  // namespace
