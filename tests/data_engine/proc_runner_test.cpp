// Procedures seen through the runner: the report of a failing step with
// the procedure's own lines after the error block, and the quantity of a
// QUANTIFY that visits several blocks.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/errors.h"
#include "proc_fixture.h"
#include "support/recording_callback.h"
#include "tree_fixture.h"

namespace {

class ProcRunner : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(&record_, 0, sizeof record_);
    recorder_.Install(&record_);
    recorder_.On(kKyMsgTaskReport, [this](KyAppRecord* r) {
      const Evp* evp = static_cast<const Evp*>(r->argument);
      reports_.push_back(evp->report ? evp->report : "");
      quantities_.push_back(evp->quantity);
      return Dword{0};
    });
    root_.reset(NewTestTree(2, 3, 8));
  }
  KyAppRecord record_;
  RecordingCallback recorder_;
  std::vector<std::string> reports_;
  std::vector<double> quantities_;
  std::unique_ptr<cKyData> root_;
};

TEST_F(ProcRunner, FailingApodizeKeepsItsModeLine) {
  EXPECT_EQ(root_->RunTask("#APODIZE, 9, 0, 0z0, , 0,-1, 1", &record_), kErrUnknownId);
  ASSERT_EQ(reports_.size(), 1u);
  EXPECT_EQ(reports_[0], std::string("#APODIZE\n Error: ") + KyErrorStringA(kErrUnknownId) +
                             "\n Stop evaluation\n Mode: \n\n");
}

TEST_F(ProcRunner, QuantityOfTheLastBlock) {
  // Block b of item 1 has real values 100 + b + i/1000.
  ASSERT_EQ(root_->RunTask("#QUANTIFY, 2, 256, 0z1, , 0, -1", &record_), kErrNone);
  ASSERT_EQ(quantities_.size(), 1u);
  EXPECT_DOUBLE_EQ(quantities_[0], 102.007);
  EXPECT_EQ(reports_[0],
            "#QUANTIFY: completed\n Maximum in [0, 7]\n Real: 100.007\n Maximum in [0, 7]\n Real: "
            "101.007\n"
            " Maximum in [0, 7]\n Real: 102.007\n\n");
  // A failing step in the middle of a script stops it there.
  reports_.clear();
  EXPECT_EQ(root_->RunTask("#QUANTIFY, 1, 0, 0z0, , 0, 3 #QUANTIFY, 6, 0, 0z0 #QUANTIFY, 1, 0, 0z1",
                           &record_),
            kErrIllegalMode);
  EXPECT_EQ(reports_.size(), 2u);
}

}  // namespace
