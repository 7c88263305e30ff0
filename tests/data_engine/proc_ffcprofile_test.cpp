// FFCPROFILE: zones chosen by index or by experiment name, the nested FIT
// reports, the sort by field, missing rates as NaN, and a profile whose
// relaxation rates follow BPP recovered by FIT mode 6.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "data_engine/engine_text.h"
#include "node_invariants.h"
#include "proc_fixture.h"
#include "relax_fixture.h"
#include "support/recording_callback.h"

namespace {

// A zone holding a recovery curve 1 - sum_j w_j exp(-r_j t) at field `brlx`.
cKyData* NewRelaxZone(double brlx, std::vector<double> rates, std::vector<double> weights,
                      const char* experiment = nullptr) {
  cKyData* z = NewCurve(LogSpaced(1e-4, 2, 48), [rates, weights](double t) {
    double v = 1;
    for (size_t j = 0; j < rates.size(); ++j) v -= weights[j] * std::exp(-rates[j] * t);
    return v;
  });
  char text[64];
  std::snprintf(text, sizeof text, "%.17g", brlx);
  z->parameters.AddEntry("BRLX", text, nullptr);
  if (experiment) {
    LibErrorCode e = kErrNone;
    z->experiment_name = EngineCopyA(experiment, &e);
  }
  return z;
}

double BppRate(double nu, double c, double tau) {
  return c / (1 + (tau * nu) * (tau * nu)) + c / (0.25 + (tau * nu) * (tau * nu));
}

TEST(ProcFfcProfile, KZeroAndTooFewZones) {
  std::unique_ptr<cKyData> root(new cKyData(0));
  root->AddChild(NewRelaxZone(1, {5}, {1}));
  EXPECT_EQ(RunRelax(root.get(), "FFCPROFILE, 1, 0, 2, , 1").code, kErrIllegalData);
  root->AddChild(NewRelaxZone(2, {5}, {1}));
  const RelaxStep r = RunRelax(root.get(), "FFCPROFILE, 1, 0, 2, , 0");
  EXPECT_EQ(r.code, kErrNone);
  EXPECT_FALSE(r.done);
  EXPECT_EQ(root->matrix, nullptr);
  EXPECT_TRUE(std::isnan(root->Child(0)->results[0])) << "no FIT ran";
}

TEST(ProcFfcProfile, ZonesByIndexSortedByField) {
  std::unique_ptr<cKyData> root(new cKyData(0));
  root->AddChild(NewRelaxZone(10, {4, 60}, {0.6, 0.4}));
  root->AddChild(NewRelaxZone(1, {3, 50}, {0.6, 0.4}));
  root->AddChild(NewRelaxZone(5, {8, 90}, {0.5, 0.5}));
  KyAppRecord record;
  std::memset(&record, 0, sizeof record);
  RecordingCallback rec;
  rec.Install(&record);
  const RelaxStep r = RunRelax(root.get(), "FFCPROFILE, 1, 0, 2, , 2, 0, 2", &record);
  rec.Uninstall();
  ASSERT_EQ(r.code, kErrNone);
  EXPECT_TRUE(r.done);
  // One report of its own per fitted zone.
  EXPECT_EQ(rec.Count(kKyMsgTaskReport), 2u);
  ASSERT_EQ(root->points, 2u);
  ASSERT_EQ(root->rows, 3u);
  EXPECT_EQ(root->Row(0)[0], 5.0);
  EXPECT_EQ(root->Row(0)[1], 10.0);
  EXPECT_EQ(root->x_first, 5.0);
  EXPECT_EQ(root->x_last, 10.0);
  EXPECT_NEAR(root->Row(1)[0], 8, 0.08);
  EXPECT_NEAR(root->Row(2)[0], 90, 0.9);
  EXPECT_NEAR(root->Row(1)[1], 4, 0.04);
  EXPECT_NEAR(root->Row(2)[1], 60, 0.6);
  for (Qword row = 0; row < 3; ++row) EXPECT_EQ(root->row_flags[row], kKyRowProfile);
  EXPECT_NE(r.report.find(" Components: 2\n # BRLX [MHz]  Rates [1/s]\n   1         10"),
            std::string::npos)
      << r.report;
  EXPECT_NE(r.report.find("\n   3          5"), std::string::npos) << r.report;
  EXPECT_TRUE(std::isnan(root->Child(1)->results[0])) << "zone 1 was not chosen";
  ExpectNodeInvariants(*root);
}

TEST(ProcFfcProfile, ZonesByExperimentNameAndMissingCurve) {
  std::unique_ptr<cKyData> root(new cKyData(0));
  root->AddChild(NewRelaxZone(2, {7}, {1}, "PP/S"));
  root->AddChild(NewRelaxZone(3, {9}, {1}, "T1"));
  root->AddChild(NewRelaxZone(4, {11}, {1}, "NP1E/S"));
  ASSERT_EQ(RunRelax(root.get(), "FFCPROFILE, 1, 0, 2, , 1").code, kErrNone);
  ASSERT_EQ(root->points, 2u);
  ASSERT_EQ(root->rows, 2u);
  EXPECT_EQ(root->Row(0)[0], 2.0);
  EXPECT_EQ(root->Row(0)[1], 4.0);
  EXPECT_NEAR(root->Row(1)[0], 7, 0.07);
  EXPECT_NEAR(root->Row(1)[1], 11, 0.11);
  // A chosen zone without a curve.
  root->Child(2)->FreeMatrix();
  RecordedMessageBoxes boxes;
  EXPECT_EQ(RunRelax(root.get(), "FFCPROFILE, 1, 0, 2, , 1").code, kErrMissingInputData);
  ASSERT_EQ(RecordedMessageBoxes::Boxes().size(), 1u);
  EXPECT_EQ(RecordedMessageBoxes::Boxes()[0].text, "Need to build Relax curve in zone 3");
  // No zone with a profile experiment: nothing to build.
  std::unique_ptr<cKyData> other(new cKyData(0));
  other->AddChild(NewRelaxZone(2, {7}, {1}, "T1"));
  other->AddChild(NewRelaxZone(3, {7}, {1}));
  EXPECT_EQ(RunRelax(other.get(), "FFCPROFILE, 1, 0, 2, , 1").code, kErrMissingInputData);
}

TEST(ProcFfcProfile, RepeatedAndMissingIndexesAddNoPoints) {
  std::unique_ptr<cKyData> root(new cKyData(0));
  root->AddChild(NewRelaxZone(3, {7}, {1}));
  root->AddChild(NewRelaxZone(1, {9}, {1}));
  ASSERT_EQ(RunRelax(root.get(), "FFCPROFILE, 1, 0, 2, , 1, 1, 0, 1, 7").code, kErrNone);
  ASSERT_EQ(root->points, 2u);
  EXPECT_EQ(root->Row(0)[0], 1.0);
  EXPECT_EQ(root->Row(0)[1], 3.0);
}

TEST(ProcFfcProfile, AutomaticCountFromTheFirstZoneFillsMissingRatesWithNaN) {
  std::unique_ptr<cKyData> root(new cKyData(0));
  root->AddChild(NewRelaxZone(1, {5, 200}, {0.5, 0.5}));
  cKyData* flat = NewCurve(LogSpaced(1e-4, 2, 48), [](double t) { return 1 - std::exp(-30 * t); });
  flat->parameters.AddEntry("BRLX", "2", nullptr);
  root->AddChild(flat);
  ASSERT_EQ(RunRelax(root.get(), "FFCPROFILE, 1, 0, 2, , , 0, 1").code, kErrNone);
  const double found_first = root->Child(0)->results[0];
  const double found_second = root->Child(1)->results[0];
  EXPECT_EQ(found_second, 1.0) << "the case of fewer components";
  ASSERT_EQ(found_first, 2.0);
  ASSERT_EQ(root->rows, 3u);
  // Each zone's column holds its own rates, then NaN.
  for (Qword j = 0; j < 2; ++j) {
    const double found = j == 0 ? found_first : found_second;
    for (Qword r = 0; r < 2; ++r) {
      if (static_cast<double>(r) < found)
        EXPECT_EQ(root->Row(r + 1)[j], root->Child(j)->results[r + 2]);
      else
        EXPECT_TRUE(std::isnan(root->Row(r + 1)[j]));
    }
  }
}

TEST(ProcFfcProfile, BppProfileRecoveredByFitMode6) {
  const double c = 20.0, tau = 0.4;
  std::unique_ptr<cKyData> root(new cKyData(0));
  for (const double nu : {0.5, 3.0, 20.0})
    root->AddChild(NewRelaxZone(nu, {BppRate(nu, c, tau)}, {1}, "NP/S"));
  ASSERT_EQ(RunRelax(root.get(), "FFCPROFILE, 1, 0, 2, , 1").code, kErrNone);
  ASSERT_EQ(root->points, 3u);
  for (Qword j = 0; j < 3; ++j) {
    const double nu = root->Row(0)[j];
    EXPECT_NEAR(root->Row(1)[j], BppRate(nu, c, tau), 1e-3 * BppRate(nu, c, tau));
  }
  // Offset fixed at 0: c and tau from three points.
  const RelaxStep r = RunRelax(root.get(), "FIT, 6, 0, 2, , 0, -1, 1, 0");
  ASSERT_EQ(r.code, kErrNone);
  EXPECT_EQ(root->results[1], 0.0);
  EXPECT_NEAR(root->results[2], tau, 0.01 * tau);
  EXPECT_NEAR(root->results[3], c, 0.01 * c);
}

}  // namespace
