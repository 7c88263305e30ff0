// Task scripts through RunTask on built trees: routing to the nodes of the
// step's level (recorded by stand-in procedures), reports and messages
// through the recording callback.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "data_engine/engine_text.h"
#include "data_engine/evp.h"
#include "data_engine/evp_testing.h"
#include "data_engine/ky_data.h"
#include "support/recording_callback.h"
#include "tree_fixture.h"

namespace {

// Where a stand-in ran: "run z.b" or "prep z.b" with the node's item and
// block index ("root" and "z" for the upper levels).
std::vector<std::string> g_calls;
const cKyData* g_fail_on = nullptr;

std::string Where(const cKyData* node) {
  const cKyData* parent = node->Parent();
  if (!parent) return "root";
  if (!parent->Parent()) return std::to_string(node->SiblingIndex());
  return std::to_string(parent->SiblingIndex()) + "." + std::to_string(node->SiblingIndex());
}

LibErrorCode StubRun(cKyData* node, Evp* evp, KyAppRecord*) {
  g_calls.push_back("run " + Where(node));
  if (node == g_fail_on) return kErrUnknownProcedureMode;
  EvpAppendReport(evp, "  stub done\n");
  SetEvpFlags(evp, kEvpDone);
  return kErrNone;
}

LibErrorCode StubPrepare(cKyData* node, Evp*, KyAppRecord*) {
  g_calls.push_back("prep " + Where(node));
  return kErrNone;
}

// A stand-in that changes nothing: no done flag, no redraw.
LibErrorCode StubQuiet(cKyData* node, Evp*, KyAppRecord*) {
  g_calls.push_back("quiet " + Where(node));
  return kErrNone;
}

class EvpRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_calls.clear();
    g_fail_on = nullptr;
    EvpTestOverrideProcedure(kEvpGroupDelay, StubRun, false, nullptr);
    EvpTestOverrideProcedure(kEvpApodize, StubRun, true, StubPrepare);
    EvpTestOverrideProcedure(kEvpZeroFill, StubQuiet, false, nullptr);
    std::memset(&record_, 0, sizeof record_);
    recorder_.Install(&record_);
    recorder_.On(kKyMsgTaskReport, [this](KyAppRecord* r) {
      const Evp* evp = static_cast<const Evp*>(r->argument);
      reports_.push_back(evp->report ? evp->report : "(null)");
      errors_.push_back(r->error);
      return Dword{0};
    });
    root_ = NewTestTree(3, 4, 8);
  }
  void TearDown() override {
    EvpTestResetProcedures();
    recorder_.Uninstall();
    delete root_;
  }
  std::vector<std::string> Run(const char* script, LibErrorCode expected = kErrNone) {
    g_calls.clear();
    EXPECT_EQ(root_->RunTask(script, &record_), expected) << script;
    return g_calls;
  }

  KyAppRecord record_;
  RecordingCallback recorder_;
  std::vector<std::string> reports_;
  std::vector<Dword> errors_;
  cKyData* root_ = nullptr;
};

using Calls = std::vector<std::string>;

TEST_F(EvpRunTest, RoutingByLevelZoneAndBlock) {
  struct Case {
    const char* script;
    Calls calls;
  };
  const Case cases[] = {
      {"#GROUPDELAY, 1, 0, 0z1", {"run 1.0", "run 1.1", "run 1.2", "run 1.3"}},
      {"#GROUPDELAY, 1, 0, 0z1b3", {"run 1.3"}},
      {"#GROUPDELAY, 1, 0, 0z1b4", {}},
      {"#GROUPDELAY, 1, 0, 0b2", {"run 0.2", "run 1.2", "run 2.2"}},
      {"#GROUPDELAY, 1, 0, 1z2", {"run 2"}},
      {"#GROUPDELAY, 1, 0, 1z7", {}},
      {"#GROUPDELAY, 1, 0, 1", {"run 0", "run 1", "run 2"}},
      {"#GROUPDELAY, 1, 0, 2", {"run root"}},
      {"#GROUPDELAY, 1, 0, 3", {}},
      {"#GROUPDELAY, 1, 0, 0z-1", {}},
      // Preparation on each node, or once on a reference child.
      {"#APODIZE, 1, 0, 0z0b1", {"prep 0.1", "run 0.1"}},
      {"#APODIZE, 1, 1, 1z0",
       {"prep 0.0", "run 0.0", "prep 0.1", "run 0.1", "prep 0.2", "run 0.2", "prep 0.3",
        "run 0.3"}},
      {"#APODIZE, 1, 3, 1z0", {"prep 0.0", "run 0.0", "run 0.1", "run 0.2", "run 0.3"}},
      {"#APODIZE, 1, 5, 1z2", {"prep 2.3", "run 2.0", "run 2.1", "run 2.2", "run 2.3"}},
      // Blocks of item 1 have the largest power in block 3 (row 1 grows
      // with the block index).
      {"#APODIZE, 1, 9, 1z1", {"prep 1.3", "run 1.0", "run 1.1", "run 1.2", "run 1.3"}},
      // Flag 0x1 on leaves: no children, nothing runs.
      {"#APODIZE, 1, 1, 0z0b0", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Run(c.script), c.calls) << c.script;
}

TEST_F(EvpRunTest, ScriptStructure) {
  // Text before the first "#" is ignored; mode 0 and a lone name skip.
  EXPECT_EQ(
      Run("GROUPDELAY, 1, 0, 2\r\n#QUANTIFY\r\n#GROUPDELAY, 0, 0, 2\r\n#GROUPDELAY, 1, 0, 1z0\r\n"),
      Calls({"run 0"}));
  // A "#" inside a comment starts the next command.
  EXPECT_EQ(Run("#ZEROFILL, 1, 0, 1z0 // remark #APODIZE, 1, 0, 0z0b0"),
            Calls({"quiet 0", "prep 0.0", "run 0.0"}));
  // Without "#": 67; the node's default script stands in for none.
  Run("no command here", kErrBadTaskScript);
  Run(nullptr, kErrBadTaskScript);
  Run("", kErrBadTaskScript);
  LibErrorCode e = kErrNone;
  root_->default_script = EngineCopyA("#GROUPDELAY, 1, 0, 1z1", &e);
  EXPECT_EQ(Run(""), Calls({"run 1"}));
  // An unknown name stops the script before anything of it runs.
  EXPECT_EQ(
      Run("#GROUPDELAY, 1, 0, 1z0 #NOSUCH, 1, 0, 1z1 #GROUPDELAY, 1, 0, 1z2", kErrUnknownProcedure),
      Calls({"run 0"}));
  // The first failing step stops the script.
  g_fail_on = root_->Child(1);
  EXPECT_EQ(Run("#GROUPDELAY, 1, 0, 1 #GROUPDELAY, 1, 0, 1z2", kErrUnknownProcedureMode),
            Calls({"run 0", "run 1"}));
}

TEST_F(EvpRunTest, ReportsAndMessages) {
  Run("#GROUPDELAY, 1, 0, 0z0b1 #ZEROFILL, 1, 0, 0z0b1 #EXPORT, 1, 0, 0 #GROUPDELAY, 0, 0, 0",
      kErrNotYetImplemented);
  ASSERT_EQ(reports_.size(), 3u);
  EXPECT_EQ(reports_[0], "#GROUPDELAY: completed\n  stub done\n\n");
  EXPECT_EQ(reports_[1], "#ZEROFILL: completed\n\n");
  EXPECT_EQ(reports_[2], "#EXPORT\n Error: Not yet implemented\n Stop evaluation\n\n");
  // The step's code is in the record while its report is read.
  EXPECT_EQ(errors_, std::vector<Dword>({0, 0, kErrNotYetImplemented}));
  // One redraw for the node the first step changed; none for the quiet one.
  EXPECT_EQ(recorder_.Messages(), (std::vector<Dword>{53, 20, 20, 20}));

  reports_.clear();
  recorder_.Clear();
  g_fail_on = root_->Child(0)->Child(2);
  Run("#GROUPDELAY, 1, 0, 0z0", kErrUnknownProcedureMode);
  ASSERT_EQ(reports_.size(), 1u);
  EXPECT_EQ(reports_[0],
            "#GROUPDELAY\n Error: Unknown evaluation procedure mode\n Stop evaluation\n"
            "  stub done\n  stub done\n\n");
  EXPECT_EQ(recorder_.Count(kKyMsgRedraw), 2u);
  EXPECT_EQ(errors_.back(), kErrUnknownProcedureMode);

  // A level above the tree runs nothing and reports success.
  reports_.clear();
  Run("#GROUPDELAY, 1, 0, 1z7");
  ASSERT_EQ(reports_.size(), 1u);
  EXPECT_EQ(reports_[0], "#GROUPDELAY: completed\n\n");
}

// Message 53 names the zone and block of the node that changed.
TEST_F(EvpRunTest, RedrawNamesTheChangedNode) {
  std::vector<std::pair<Qword, Qword>> named;
  recorder_.On(kKyMsgRedraw, [&](KyAppRecord* r) {
    const Evp* evp = static_cast<const Evp*>(r->argument);
    named.emplace_back(evp->zone, evp->block);
    return Dword{0};
  });
  Run("#GROUPDELAY, 1, 0, 0b2 #GROUPDELAY, 1, 0, 1z1 #GROUPDELAY, 1, 0, 2");
  const std::vector<std::pair<Qword, Qword>> expected = {
      {0, 2}, {1, 2}, {2, 2}, {1, kNoIndex}, {kNoIndex, kNoIndex}};
  EXPECT_EQ(named, expected);
}

TEST_F(EvpRunTest, QuietRecordSendsNothingAndReleasesTheReport) {
  record_.flags = kKyFlagQuiet;
  EXPECT_EQ(Run("#GROUPDELAY, 1, 0, 0z0"), Calls({"run 0.0", "run 0.1", "run 0.2", "run 0.3"}));
  EXPECT_EQ(recorder_.Log().size(), 0u);
  Evp evp;
  InitEvp(&evp);
  evp.id = kEvpGroupDelay;
  evp.mode = 1;
  evp.level = 1;
  evp.zone = 0;
  EXPECT_EQ(root_->ExecuteEvp(&evp, &record_), 0u);
  EXPECT_EQ(evp.report, nullptr);
  EXPECT_EQ(evp.flags & kEvpDone, kEvpDone);
  // Without any record the step runs just the same.
  EXPECT_EQ(root_->ExecuteEvp(&evp, nullptr), 0u);
  EXPECT_EQ(evp.report, nullptr);
}

TEST_F(EvpRunTest, CallerRecordsAndSpecialIds) {
  Evp evp;
  InitEvp(&evp);
  EXPECT_EQ(root_->ExecuteEvp(nullptr, &record_), 0u);
  evp.mode = 1;
  evp.id = 0;  // a valid record that does nothing, reported with no name
  EXPECT_EQ(root_->ExecuteEvp(&evp, &record_), 0u);
  ASSERT_EQ(reports_.size(), 1u);
  EXPECT_EQ(reports_[0], "#: completed\n\n");
  evp.id = 101;
  EXPECT_EQ(root_->ExecuteEvp(&evp, &record_), kErrNotYetImplemented);
  evp.id = 77;  // outside the table
  evp.level = 0;
  EXPECT_EQ(root_->ExecuteEvp(&evp, &record_), kErrUnknownProcedureMode);
  EXPECT_EQ(reports_.back(), "#\n Error: Unknown evaluation procedure mode\n Stop evaluation\n\n");
  evp.mode = 0;
  reports_.clear();
  EXPECT_EQ(root_->ExecuteEvp(&evp, &record_), 0u);
  EXPECT_TRUE(reports_.empty());
}

// Items of different heights: a level-0 step on an item without blocks
// answers 14 instead of running on the item.
TEST_F(EvpRunTest, ItemWithoutBlocksAnswersMissingData) {
  auto* bare = new cKyData(0);
  bare->SetSize(4, 3, 1, 0.0, 3.0);
  root_->AddChild(bare);
  EXPECT_EQ(Run("#GROUPDELAY, 1, 0, 0z3", kErrMissingInputData), Calls({}));
  EXPECT_EQ(Run("#GROUPDELAY, 1, 0, 1z3", kErrMissingInputData), Calls({}));
  EXPECT_EQ(Run("#GROUPDELAY, 1, 0, 0z2b0"), Calls({"run 2.0"}));
}

TEST_F(EvpRunTest, BaselineModeOneIsTheDispatchersOwn) {
  cKyData* block = root_->Child(0)->Child(0);
  for (Qword i = 0; i < block->points; ++i) block->Row(1)[i] = 5.0;
  EXPECT_EQ(Run("#BASELINE, 1, 0, 0z0b0"), Calls({}));
  // A constant is its own baseline: the corrected row is zero.
  for (Qword i = 0; i < block->points; ++i) EXPECT_NEAR(block->Row(1)[i], 0.0, 1e-12);
  EXPECT_EQ(recorder_.Count(kKyMsgRedraw), 0u);
}

}  // namespace
