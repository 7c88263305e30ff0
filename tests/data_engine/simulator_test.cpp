// The relaxation-data simulator: closed-form values without noise, the
// noise's standard deviation, and the refusals of bad parameter sets.
#include "data_engine/simulator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "arrays/random.h"
#include "arrays/random_testing.h"
#include "data_engine/ky_data.h"

namespace {

// A root with one item holding the parameter lines.
cKyData* Root(const std::string& lines) {
  auto* root = new cKyData(0);
  auto* item = new cKyData(0);
  item->parameters.AddLines(lines.c_str());
  root->AddChild(item);
  return root;
}

const char* kDecay = "BS=4\rDW=100\rXOFF=0\rNLPL=1\rTDCY=0.001\rWDCY=1\rNOIS=0\rBSLN=0\rF1=0\r";

TEST(Simulator, SinglePulseAndPhase) {
  for (double rphs : {0.0, 90.0}) {
    cKyData* root = Root(std::string("EXP=S1P\rRPHS=") + std::to_string(rphs) + "\r" + kDecay);
    ASSERT_EQ(SimulateRelaxationData(root), 0u);
    cKyData* b = root->Child(0)->Child(0);
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->rows, 3u);
    for (Qword i = 0; i < 4; ++i) {
      const double t = 1e-4 * static_cast<double>(i);
      const double d = std::exp(-t / 0.001);
      EXPECT_NEAR(b->Row(0)[i], t, 1e-18);
      EXPECT_NEAR(b->Row(1)[i], rphs == 0 ? d : 0.0, 1e-15);
      EXPECT_NEAR(b->Row(2)[i], rphs == 0 ? 0.0 : d, 1e-15);
    }
    // The tree holds seconds.
    EXPECT_EQ(root->Child(0)->parameters.GetReal("DW"), 1e-4);
    EXPECT_EQ(root->Child(0)->data_type, kKyDataSimulation);
    delete root;
  }
}

TEST(Simulator, RecoverySeriesOnALogGrid) {
  for (const char* exp : {"SR/S", "IR/S"}) {
    const bool inversion = exp[0] == 'I';
    cKyData* root =
        Root(std::string("EXP=") + exp +
             "\rNBLK=5\rBINI=0.001\rBEND=1\rNRLX=1\rTRLX=0.1\rWRLX=1\rSRLX=0\r" + kDecay);
    ASSERT_EQ(SimulateRelaxationData(root), 0u) << exp;
    cKyData* item = root->Child(0);
    ASSERT_EQ(item->ChildCount(), 5u);
    for (Qword k = 0; k < 5; ++k) {
      const double tau = 0.001 * std::pow(1000.0, static_cast<double>(k) / 4);
      const double r = std::exp(-tau / 0.1);
      const double a = inversion ? 1 - 2 * r : 1 - r;
      EXPECT_NEAR(item->Child(k)->Row(1)[0], a, 1e-12) << exp << k;
      EXPECT_NEAR(item->Child(k)->Row(1)[2], a * std::exp(-2e-4 / 0.001), 1e-12);
    }
    char grid[1024];
    item->parameters.GetString("BGRD", grid);
    EXPECT_EQ(std::string(grid).substr(0, 3) == "Log" || std::string(grid).substr(0, 3) == "LOG",
              true)
        << grid;
    delete root;
  }
}

TEST(Simulator, SpreadRatesStillStartAtOne) {
  cKyData* root =
      Root(std::string("EXP=SR/S\rNBLK=3\rBINI=0\rBEND=0.2\rBGRD=lin\rNRLX=1\rTRLX=0.1\r"
                       "WRLX=1\rSRLX=0.5\r") +
           kDecay);
  ASSERT_EQ(SimulateRelaxationData(root), 0u);
  // R(0) = 1: no recovery at delay 0.
  EXPECT_NEAR(root->Child(0)->Child(0)->Row(1)[0], 0.0, 1e-15);
  const double mid = root->Child(0)->Child(1)->Row(1)[0];
  EXPECT_GT(mid, 0.0);
  EXPECT_LT(mid, 1.0);
  delete root;
}

TEST(Simulator, Refusals) {
  struct Case {
    const char* lines;
    LibErrorCode error;
  };
  const Case cases[] = {
      {"BS=4\r", kErrMissingParameters},                                  // no EXP
      {"EXP=SR/S\rNBLK=3\rBINI=0.001\rBEND=1\r", kErrMissingParameters},  // NRLX 0: 0/0
      {"EXP=SR/S\rNBLK=3\rBINI=0\rBEND=1\rNRLX=1\rTRLX=0.1\rWRLX=1\rSRLX=0\r",
       kErrIllegalParameters},
      {"EXP=SR/S\rBINI=0.1\rBEND=1\rNRLX=1\rTRLX=0.1\rWRLX=1\rSRLX=0\r", kErrMissingParameters},
      {"EXP=S1P\rDW=100\r", kErrMissingParameters},  // no BS
      {"EXP=S1P\rBS=4\r", kErrMissingParameters},    // no DW
      {"EXP=S1P\rBS=4\rDW=1\rNLPL=2\rTDCY=1\rWDCY=1\r", kErrWrongInputFormat},
      {"EXP=S1P\rBS=4\rDW=1\rNLPL=1\rWDCY=1\r", kErrNotThisListItem},
      {"EXP=ANGLE\rNBLK=2\rBINI=1\rBEND=2\rNRLX=1\rTRLX=1\rWRLX=1\rSRLX=0\r",
       kErrMissingParameters},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines);
    cKyData* root = Root(std::string(c.lines) +
                         (std::string(c.lines).find("DW=") == std::string::npos &&
                                  std::string(c.lines).find("BS=4\r") == std::string::npos &&
                                  std::string(c.lines).find("S1P") == std::string::npos
                              ? "BS=4\rDW=100\r"
                              : ""));
    EXPECT_EQ(SimulateRelaxationData(root), c.error);
    EXPECT_EQ(root->Child(0)->ChildCount(), 0u);
    EXPECT_EQ(root->Child(0)->data_type, 0u);
    delete root;
  }
  EXPECT_EQ(SimulateRelaxationData(nullptr), kErrMissingDataObject);
  cKyData empty(0);
  EXPECT_EQ(SimulateRelaxationData(&empty), kErrMissingDataObject);
}

TEST(Simulator, OneBlockSeriesUsesTheFirstValue) {
  cKyData* root =
      Root(std::string("EXP=SR/S\rNBLK=1\rBINI=0.1\rBEND=1\rNRLX=1\rTRLX=0.1\rWRLX=1\rSRLX=0\r") +
           kDecay);
  ASSERT_EQ(SimulateRelaxationData(root), 0u);
  EXPECT_NEAR(root->Child(0)->Child(0)->Row(1)[0], 1 - std::exp(-1.0), 1e-15);
  delete root;
}

TEST(Simulator, UnknownExperimentSucceedsWithoutBlocks) {
  cKyData* root = Root("EXP=Other\r");
  ASSERT_EQ(SimulateRelaxationData(root), 0u);
  EXPECT_EQ(root->Child(0)->ChildCount(), 0u);
  EXPECT_EQ(root->Child(0)->data_type, kKyDataSimulation);
  EXPECT_STREQ(root->Child(0)->experiment_name, "Other");
  delete root;
}

TEST(Simulator, FlipAngleSeries) {
  cKyData* root = Root(std::string("EXP=ANGLE\rNBLK=3\rBINI=1e-5\rBEND=2e-5\rBGRD=LIN\rPW90=1e-5\r"
                                   "NRLX=1\rTRLX=1\rWRLX=1\rSRLX=0\r") +
                       kDecay);
  ASSERT_EQ(SimulateRelaxationData(root), 0u);
  cKyData* item = root->Child(0);
  ASSERT_EQ(item->ChildCount(), 3u);
  const double pi = 3.14159265358979323846;
  for (Qword k = 0; k < 3; ++k) {
    const double v = 1e-5 + 0.5e-5 * static_cast<double>(k);
    const double a = std::sin(pi * v / 2e-5) * std::exp(-v);
    EXPECT_NEAR(item->Child(k)->Row(1)[0], a, 1e-15) << k;
  }
  delete root;
}

TEST(Simulator, CpmgTrain) {
  cKyData* root =
      Root("EXP=CPMG\rBS=5\rEDLY=0.01\rPW90=0\rNRLX=1\rTRLX=0.1\rWRLX=1\rSRLX=0\rNOIS=0\r");
  ASSERT_EQ(SimulateRelaxationData(root), 0u);
  cKyData* b = root->Child(0)->Child(0);
  for (Qword i = 0; i < 5; ++i) {
    EXPECT_NEAR(b->Row(0)[i], 0.02 * static_cast<double>(i), 1e-15);
    EXPECT_NEAR(b->Row(1)[i], std::exp(-0.02 * static_cast<double>(i) / 0.1), 1e-15);
  }
  delete root;
}

// The noise grows from none to NOIS; its standard deviation is met within
// 3 % on 20000 points per part.
TEST(Simulator, PhantomNoiseGrowsLinearly) {
  RandomTestReset(20261211);
  cKyData* root =
      Root("EXP=Phantom decay\rNBLK=3\rBS=20000\rDW=1\rNOIS=2\rNLPL=1\rTDCY=0\rWDCY=1\r");
  ASSERT_EQ(SimulateRelaxationData(root), 0u);
  cKyData* item = root->Child(0);
  ASSERT_EQ(item->ChildCount(), 3u);
  const double expected[] = {0.0, 1.0, 2.0};
  for (Qword k = 0; k < 3; ++k) {
    const cKyData* b = item->Child(k);
    for (Qword row = 1; row <= 2; ++row) {
      double sum = 0, squares = 0;
      for (Qword i = 0; i < b->points; ++i) {
        sum += b->Row(row)[i];
        squares += b->Row(row)[i] * b->Row(row)[i];
      }
      const double n = static_cast<double>(b->points);
      const double sd = std::sqrt(squares / n - (sum / n) * (sum / n));
      if (expected[k] == 0)
        EXPECT_EQ(sd, 0.0);
      else
        EXPECT_NEAR(sd, expected[k], 0.03 * expected[k]) << k << " " << row;
    }
  }
  RandomTestReset(-1);
  delete root;
}

}  // namespace
