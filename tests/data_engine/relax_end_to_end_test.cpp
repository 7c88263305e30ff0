// The relaxometry procedures through LibCommand as the program and task
// scripts run them: a simulated saturation recovery to its rate, the
// calibration line (code 95: QARRAY mode 6, then FIT mode 1) against
// numpy.polyfit, and an ILT at the root that leaves the undo chain alone.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "command/command_fixture.h"
#include "command/ky_command_args.h"
#include "command/ky_commands.h"
#include "data_engine/evp.h"
#include "data_engine/ilt_progress.h"
#include "data_engine/ilt_progress_testing.h"
#include "data_engine/ky_data.h"

namespace {

#include "relax_reference.inc"

constexpr const char* kSaturationRecovery =
    "EXP=SR/S\rNBLK=12\rBINI=0.005\rBEND=1\rBGRD=LOG\rNRLX=1\rTRLX=0.1\rWRLX=1\rSRLX=0\r"
    "BS=64\rDW=10\rXOFF=0\rNLPL=1\rTDCY=0.001\rWDCY=1\rNOIS=0\rBSLN=0\rF1=0\rRPHS=0\r";

class RelaxEndToEnd : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    IltProgressResetForTesting();
  }
  Dword Load(const char* lines) {
    LoadDataArgs args{kKyDataSimulation, nullptr, 0, lines};
    return Run(kKyCmdLoadData, &args);
  }
  Dword Script(const char* script) { return Run(kKyCmdRunTaskScript, const_cast<char*>(script)); }
};

TEST_F(RelaxEndToEnd, SaturationRecoveryToItsRate) {
  ASSERT_EQ(Load(kSaturationRecovery), 0u);
  ASSERT_EQ(Script("#QARRAY, 1, 0, 1, , 0, 9#FIT, 3, 0, 1, , 0, -1, 1"), 0u);
  EXPECT_EQ(recorder_.Count(kKyMsgTaskReport), 2u);
  cKyData* zone = record_->data_root->Child(0);
  ASSERT_EQ(zone->points, 12u);
  EXPECT_EQ(zone->results[0], 1.0);
  EXPECT_NEAR(zone->results[2], 10.0, 0.1);
  // The zone's companion holds the one component.
  ASSERT_NE(zone->linked, nullptr);
  EXPECT_EQ(zone->linked->points, 1u);
  EXPECT_EQ(zone->linked->Row(0)[0], zone->results[2]);
}

TEST_F(RelaxEndToEnd, CalibrationLineThroughCode95EqualsPolyfit) {
  ASSERT_EQ(Load("EXP=S1P\rBS=4\rDW=100\rXOFF=0\rNLPL=1\rTDCY=0.001\rWDCY=1\rNOIS=0\rBSLN=0\rF1="
                 "0\rRPHS=0\r"),
            0u);
  std::vector<double> table(kCalibX, kCalibX + 6);
  table.insert(table.end(), kCalibY, kCalibY + 6);
  Evp qarray;
  InitEvp(&qarray);
  qarray.id = kEvpQArray;
  qarray.mode = 6;
  qarray.level = 2;
  char qpars[] = "6,2";
  qarray.parameters = qpars;
  qarray.caller_matrix = table.data();
  ASSERT_EQ(Run(kKyCmdRunTaskRecord, &qarray), 0u);
  qarray.parameters = nullptr;
  Evp fit;
  InitEvp(&fit);
  fit.id = kEvpFit;
  fit.mode = 1;
  fit.level = 2;
  char fpars[] = "0,-1";
  fit.parameters = fpars;
  ASSERT_EQ(Run(kKyCmdRunTaskRecord, &fit), 0u);
  fit.parameters = nullptr;
  ASSERT_NE(fit.result_pointer, nullptr);
  EXPECT_EQ(fit.result_pointer, record_->data_root->results);
  EXPECT_NEAR(fit.result_pointer[0], kCalibSlope, 1e-12 * kCalibSlope);
  EXPECT_NEAR(fit.result_pointer[1], kCalibIntercept, 1e-9 * std::fabs(kCalibIntercept));
}

TEST_F(RelaxEndToEnd, IltAtTheRootLeavesTheUndoChainIntact) {
  ASSERT_EQ(Load(kSaturationRecovery), 0u);
  ASSERT_EQ(Script("#QARRAY, 1, 0, 1, , 0, 9"), 0u);
  ASSERT_EQ(Script("#QARRAY, 7, 0, 2, , 0"), 0u);  // the root takes zone 0's curve
  ASSERT_NE(record_->data_root->matrix, nullptr);
  const Qword versions = KyDataPreviousCount(record_->data_root);
  cKyData* previous = record_->data_root->linked;
  ASSERT_NE(previous, nullptr);
  EXPECT_EQ(Script("#ILT, 2, 0, 2, , 0, -1"), kErrIllegalData);
  EXPECT_EQ(KyDataPreviousCount(record_->data_root), versions);
  EXPECT_EQ(record_->data_root->linked, previous);
  // Undo still walks back to the tree before the zone's curve.
  EXPECT_EQ(Run(kKyCmdUndoData), 0u);
  EXPECT_EQ(record_->result.u64, 1u);
  EXPECT_EQ(KyDataPreviousCount(record_->data_root), versions - 1);
}

}  // namespace
