// The data and task commands through LibCommand: loading simulated data
// and through the application's reader, task runs with the undo snapshot,
// undo, item restores, parameters, item fields, copying a block, saving.
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/memory.h"
#include "base/platform/allocator.h"
#include "command/ky_command_args.h"
#include "command/ky_commands.h"
#include "command_fixture.h"
#include "data_engine/engine_text.h"
#include "data_engine/evp.h"
#include "data_engine/evp_testing.h"
#include "data_engine/ky_data.h"
#include "support/alloc_failure.h"
#include "support/write_fault.h"

namespace {

constexpr const char* kSinglePulse =
    "EXP=S1P\rBS=4\rDW=100\rXOFF=0\rNLPL=1\rTDCY=0.001\rWDCY=1\rNOIS=0\rBSLN=0\rF1=0\rRPHS=0\r";

// A stand-in GROUPDELAY that doubles row 1 of each block it visits and
// fails on blocks whose first value is `g_fail_value`.
double g_fail_value = -1;
LibErrorCode Doubling(cKyData* node, Evp* evp, KyAppRecord*) {
  if (node->Row(1)[0] == g_fail_value) return kErrUnknownProcedureMode;
  for (Qword i = 0; i < node->points; ++i) node->Row(1)[i] *= 2;
  SetEvpFlags(evp, kEvpDone);
  return kErrNone;
}

// Everything of a tree that a run could change, as text, for exact
// comparisons.
std::string Describe(const cKyData* node) {
  std::string s = "[" + std::to_string(node->rows) + "x" + std::to_string(node->points);
  for (Qword i = 0; i < node->rows * node->points; ++i) {
    char b[32];
    std::snprintf(b, sizeof b, " %.17g", node->matrix[i]);
    s += b;
  }
  if (node->parameters.Text()) s += std::string(" {") + node->parameters.Text() + "}";
  for (const cKyData* c = node->FirstChild(); c; c = c->NextSibling()) s += Describe(c);
  return s + "]";
}

class DataCommandTest : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    g_fail_value = -1;
    EvpTestOverrideProcedure(kEvpGroupDelay, Doubling, false, nullptr);
  }
  void TearDown() override {
    EvpTestResetProcedures();
    CommandTest::TearDown();
  }
  Dword LoadSimulation(const char* lines) {
    LoadDataArgs args{kKyDataSimulation, nullptr, 0, lines};
    return Run(kKyCmdLoadData, &args);
  }
  Dword RunScript(const char* script) {
    return Run(kKyCmdRunTaskScript, const_cast<char*>(script));
  }
  // Three simulated items of one block each.
  void LoadThree() {
    for (int i = 0; i < 3; ++i) ASSERT_EQ(LoadSimulation(kSinglePulse), 0u);
  }
};

TEST_F(DataCommandTest, SimulatedSinglePulseLoads) {
  ASSERT_EQ(LoadSimulation(kSinglePulse), 0u);
  ASSERT_NE(record_->data_root, nullptr);
  EXPECT_EQ(Run(kKyCmdItemCount), 0u);
  EXPECT_EQ(record_->result.u64, 1u);
  cKyData* block = record_->data_root->Child(0)->Child(0);
  ASSERT_NE(block, nullptr);
  ASSERT_EQ(block->points, 4u);
  for (Qword i = 0; i < 4; ++i) {
    const double t = static_cast<double>(i) * 1e-4;
    EXPECT_NEAR(block->Row(0)[i], t, 1e-18);
    EXPECT_NEAR(block->Row(1)[i], std::exp(-t / 0.001), 1e-15);
    EXPECT_EQ(block->Row(2)[i], 0.0);
  }
  EXPECT_EQ(Run(kKyCmdItemDataType, reinterpret_cast<void*>(0)), 0u);
  EXPECT_EQ(record_->result.u64, 12u);
  EXPECT_EQ(Run(kKyCmdItemTypeName, reinterpret_cast<void*>(0)), 0u);
  EXPECT_STREQ(static_cast<const char*>(record_->result.pointer), "SIMULATION");
  EXPECT_EQ(Run(kKyCmdItemExperiment, reinterpret_cast<void*>(0)), 0u);
  EXPECT_STREQ(static_cast<const char*>(record_->result.pointer), "S1P");
  EXPECT_EQ(Run(kKyCmdBlockPoints, reinterpret_cast<void*>(0)), 0u);
  EXPECT_EQ(record_->result.u64, 4u);
  EXPECT_EQ(Run(kKyCmdBlockXLast, reinterpret_cast<void*>(0)), 0u);
  EXPECT_NEAR(record_->result.real, 3e-4, 1e-18);
  EXPECT_EQ(Run(kKyCmdItemBlockCount, reinterpret_cast<void*>(1)), kErrIllegalArgument);
}

TEST_F(DataCommandTest, FailedSimulationLeavesTheTree) {
  // Without a tree: the root made for the load goes again.
  EXPECT_EQ(LoadSimulation("BS=4\r"), kErrMissingParameters);
  EXPECT_EQ(record_->data_root, nullptr);
  ASSERT_EQ(LoadSimulation(kSinglePulse), 0u);
  // With a tree: the item made for the load goes again.
  EXPECT_EQ(LoadSimulation("EXP=S1P\rDW=100\r"), kErrMissingParameters);
  EXPECT_EQ(record_->data_root->ChildCount(), 1u);
}

TEST_F(DataCommandTest, ApplicationReaderThroughMessage30) {
  const char16_t* seen_path = u"unset";
  Qword seen_type = 0;
  cKyData* seen_root = nullptr;
  Dword answer = 0;
  recorder_.On(kKyMsgReadRequest, [&](KyAppRecord* r) {
    const auto* req = static_cast<const ReaderRequest*>(r->argument);
    seen_path = req->path;
    seen_type = req->data_type;
    seen_root = req->root;
    EXPECT_EQ(req->unused, nullptr);
    if (answer == 0) req->root->AddChild(new cKyData(0));
    return answer;
  });
  LoadDataArgs args{kKyDataBruker, u"/data/1", 0, nullptr};
  EXPECT_EQ(Run(kKyCmdLoadData, &args), 0u);
  EXPECT_EQ(recorder_.Count(kKyMsgReadRequest), 1u);
  EXPECT_EQ(seen_type, kKyDataBruker);
  EXPECT_EQ(seen_path, nullptr);  // without 0x200 the reader asks the user
  EXPECT_EQ(seen_root, record_->data_root);
  args.flags = kKyLoadPathRequired;
  answer = kErrMissingFile;
  EXPECT_EQ(Run(kKyCmdLoadData, &args), kErrMissingFile);
  EXPECT_EQ(std::u16string(seen_path), u"/data/1");
  EXPECT_NE(record_->data_root, nullptr);  // it existed before: kept
  EXPECT_EQ(Run(kKyCmdFreeData), 0u);
  EXPECT_EQ(Run(kKyCmdLoadData, &args), kErrMissingFile);
  EXPECT_EQ(record_->data_root, nullptr);  // made for this load: gone
  args.path = nullptr;
  EXPECT_EQ(Run(kKyCmdLoadData, &args), kErrMissingFile);
  EXPECT_EQ(Run(kKyCmdLoadData, nullptr), kErrMissingArguments);
}

TEST_F(DataCommandTest, FailingScriptRestoresTheTreeExactly) {
  LoadThree();
  const std::string before = Describe(record_->data_root);
  g_fail_value = 1.0;  // every block starts with exp(0) = 1: the first fails
  record_->data_root->Child(0)->Child(0)->Row(1)[0] = 0.5;
  const std::string changed = Describe(record_->data_root);
  EXPECT_EQ(RunScript("#GROUPDELAY, 1, 0, 0"), kErrUnknownProcedureMode);
  EXPECT_EQ(Describe(record_->data_root), changed);
  EXPECT_EQ(KyDataPreviousCount(record_->data_root), 0u);
  EXPECT_NE(before, changed);
  // With the no-undo flag the partly processed tree stays, without a version.
  record_->flags |= kKyFlagNoUndo;
  EXPECT_EQ(RunScript("#GROUPDELAY, 1, 0, 0"), kErrUnknownProcedureMode);
  EXPECT_EQ(record_->data_root->Child(0)->Child(0)->Row(1)[0], 1.0);
  EXPECT_EQ(KyDataPreviousCount(record_->data_root), 0u);
}

TEST_F(DataCommandTest, RunsUndoAndMessage54) {
  LoadThree();
  const std::string v0 = Describe(record_->data_root);
  EXPECT_EQ(RunScript("#GROUPDELAY, 1, 0, 0z0"), 0u);
  const std::string v1 = Describe(record_->data_root);
  EXPECT_EQ(RunScript("#GROUPDELAY, 1, 0, 0z1"), 0u);
  EXPECT_EQ(record_->data_root->Child(1)->Child(0)->Row(1)[0], 2.0);
  recorder_.Clear();
  EXPECT_EQ(Run(kKyCmdUndoData), 0u);
  EXPECT_EQ(record_->result.u64, 1u);
  EXPECT_EQ(Describe(record_->data_root), v1);
  EXPECT_EQ(Run(kKyCmdUndoData), 0u);
  EXPECT_EQ(record_->result.u64, 1u);
  EXPECT_EQ(Describe(record_->data_root), v0);
  EXPECT_EQ(recorder_.Count(kKyMsgUndone), 2u);
  EXPECT_EQ(Run(kKyCmdUndoData), 0u);
  EXPECT_EQ(record_->result.pointer, nullptr);
  EXPECT_EQ(recorder_.Count(kKyMsgUndone), 2u);
}

TEST_F(DataCommandTest, RecordRunThroughCode95) {
  LoadThree();
  Evp evp;
  InitEvp(&evp);
  evp.id = kEvpGroupDelay;
  evp.mode = 1;
  evp.zone = 2;
  EXPECT_EQ(Run(kKyCmdRunTaskRecord, &evp), 0u);
  EXPECT_EQ(record_->data_root->Child(2)->Child(0)->Row(1)[0], 2.0);
  EXPECT_EQ(record_->data_root->Child(1)->Child(0)->Row(1)[0], 1.0);
  EXPECT_EQ(recorder_.Count(kKyMsgTaskReport), 1u);
  EXPECT_EQ(evp.report, nullptr);
  EXPECT_EQ(Run(kKyCmdRunTaskRecord, nullptr), kErrMissingArguments);
  EXPECT_EQ(Run(kKyCmdFreeData), 0u);
  EXPECT_EQ(Run(kKyCmdRunTaskRecord, &evp), kErrMissingInputData);
  EXPECT_EQ(RunScript("#GROUPDELAY, 1, 0, 0"), kErrMissingInputData);
}

TEST_F(DataCommandTest, RestoresFromPreviousAndOldest) {
  LoadThree();
  for (int run = 0; run < 3; ++run) ASSERT_EQ(RunScript("#GROUPDELAY, 1, 0, 0z1"), 0u);
  EXPECT_EQ(record_->data_root->Child(1)->Child(0)->Row(1)[0], 8.0);
  EXPECT_EQ(Run(kKyCmdRestorePrevious, reinterpret_cast<void*>(1)), 0u);
  EXPECT_EQ(record_->data_root->Child(1)->Child(0)->Row(1)[0], 4.0);
  EXPECT_EQ(Run(kKyCmdRestoreOldest, reinterpret_cast<void*>(1)), 0u);
  EXPECT_EQ(record_->data_root->Child(1)->Child(0)->Row(1)[0], 1.0);
  EXPECT_EQ(Run(kKyCmdRestoreOldest, reinterpret_cast<void*>(5)), kErrIllegalArgument);
  // An item that no version holds has nothing to go back to: the command
  // says so and leaves the item alone.
  ASSERT_EQ(LoadSimulation(kSinglePulse), 0u);
  record_->data_root->Child(3)->Child(0)->Row(1)[0] = 7;
  EXPECT_EQ(Run(kKyCmdRestoreOldest, reinterpret_cast<void*>(3)), kErrMissingInputData);
  EXPECT_EQ(record_->data_root->Child(3)->Child(0)->Row(1)[0], 7.0);
  // The next run holds it: from then on it goes back to that state.
  ASSERT_EQ(RunScript("#GROUPDELAY, 1, 0, 0z3"), 0u);
  EXPECT_EQ(record_->data_root->Child(3)->Child(0)->Row(1)[0], 14.0);
  EXPECT_EQ(Run(kKyCmdRestoreOldest, reinterpret_cast<void*>(3)), 0u);
  EXPECT_EQ(record_->data_root->Child(3)->Child(0)->Row(1)[0], 7.0);
}

TEST_F(DataCommandTest, ParametersRoundTrip) {
  ParameterArgs set{0, "QTY", nullptr, "1.25"};
  EXPECT_EQ(Run(kKyCmdSetParameter, &set), kErrMissingDataObject);
  LoadThree();
  EXPECT_EQ(Run(kKyCmdSetParameter, &set), 0u);
  ParameterArgs get{0, "QTY", nullptr, nullptr};
  EXPECT_EQ(Run(kKyCmdGetParameter, &get), 0u);
  ASSERT_NE(record_->result.pointer, nullptr);
  EXPECT_STREQ(static_cast<char*>(record_->result.pointer), "1.25");
  void* text = record_->result.pointer;
  EXPECT_EQ(Run(kKyCmdKill, &text), 0u);
  get.item = 1;
  EXPECT_EQ(Run(kKyCmdGetParameter, &get), kErrMissingParameters);
  EXPECT_EQ(record_->result.pointer, nullptr);
  set.item = -1;
  set.value = "x";
  EXPECT_EQ(Run(kKyCmdSetParameter, &set), 0u);
  for (Qlong i = 0; i < 3; ++i) {
    get.item = i;
    EXPECT_EQ(Run(kKyCmdGetParameter, &get), 0u);
    EXPECT_STREQ(static_cast<char*>(record_->result.pointer), "x");
    text = record_->result.pointer;
    Run(kKyCmdKill, &text);
  }
  get.item = 3;
  EXPECT_EQ(Run(kKyCmdGetParameter, &get), kErrIllegalArgument);
  EXPECT_EQ(Run(kKyCmdGetParameter, nullptr), kErrMissingInputData);
  EXPECT_EQ(Run(kKyCmdItemParameterList, reinterpret_cast<void*>(0)), 0u);
  const std::string list = static_cast<char*>(record_->result.pointer);
  EXPECT_EQ(list.find("EXP\tS1P\t"), 0u);
  EXPECT_NE(list.find("QTY\tx\t"), std::string::npos);
  text = record_->result.pointer;
  Run(kKyCmdKill, &text);
}

TEST_F(DataCommandTest, ProcessingStateAndCopyBlock) {
  LoadThree();
  EXPECT_EQ(Run(kKyCmdItemState, reinterpret_cast<void*>(1)), 0u);
  EXPECT_EQ(record_->result.u64, kNoIndex);
  const Dword one = 1;
  StateArgs state{1, &one};
  EXPECT_EQ(Run(kKyCmdSetItemState, &state), 0u);
  EXPECT_EQ(Run(kKyCmdItemState, reinterpret_cast<void*>(1)), 0u);
  EXPECT_EQ(record_->result.u64, 1u);
  EXPECT_EQ(Run(kKyCmdSetItemState, nullptr), kErrMissingArguments);
  ParameterArgs exp{1, "EXP", nullptr, "SR/S"};
  ASSERT_EQ(Run(kKyCmdSetParameter, &exp), 0u);
  KillPtr(&record_->data_root->Child(1)->experiment_name);
  record_->data_root->Child(1)->experiment_name = static_cast<char*>(PlatformAlloc(5));
  std::memcpy(record_->data_root->Child(1)->experiment_name, "SR/S", 5);
  EXPECT_EQ(Run(kKyCmdCopyBlock, reinterpret_cast<void*>(1 + (0 << 12))), 0u);
  ASSERT_EQ(record_->data_root->ChildCount(), 4u);
  cKyData* copy = record_->data_root->Child(3);
  EXPECT_STREQ(copy->experiment_name, "SR");
  char value[1024];
  copy->parameters.GetString("EXP", value);
  EXPECT_STREQ(value, "SR");
  copy->parameters.GetString("NBLK", value);
  EXPECT_STREQ(value, "1");
  EXPECT_EQ(copy->ChildCount(), 1u);
  EXPECT_EQ(copy->processing_state, kNoIndex);
  EXPECT_EQ(Run(kKyCmdCopyBlock, reinterpret_cast<void*>(1 + (3 << 12))), kErrIllegalArgument);
  EXPECT_EQ(Run(kKyCmdCopyBlock, reinterpret_cast<void*>(9)), kErrIllegalArgument);
}

// A snapshot that cannot be made stops the run before it changes anything.
TEST_F(DataCommandTest, AllocationFailureLeavesTheTree) {
  LoadThree();
  cKyData* root = record_->data_root;
  const std::string before = Describe(root);
  AllocFailureGuard fail(2);
  const Dword e = RunScript("#GROUPDELAY, 1, 0, 0");
  fail.Release();
  EXPECT_EQ(e, kErrAlloc);
  EXPECT_EQ(record_->data_root, root);
  EXPECT_EQ(Describe(record_->data_root), before);
}

// A report handler that tries to free the tree under the running engine
// is refused, and the run finishes on the tree it started with.
TEST_F(DataCommandTest, TreeChangingCommandsAreRefusedDuringARun) {
  LoadThree();
  std::vector<Dword> answers;
  recorder_.On(kKyMsgTaskReport, [&](KyAppRecord* r) {
    const Dword kept = r->error;
    for (Dword code : {kKyCmdFreeData, kKyCmdUndoData, kKyCmdRunTaskScript, kKyCmdRestoreOldest}) {
      r->argument = nullptr;
      LibCommand(code, r);
      answers.push_back(r->error);
    }
    LibCommand(kKyCmdItemCount, r);
    answers.push_back(static_cast<Dword>(r->result.u64));
    r->error = kept;
    return Dword{0};
  });
  EXPECT_EQ(RunScript("#GROUPDELAY, 1, 0, 0 #GROUPDELAY, 1, 0, 0z0"), 0u);
  ASSERT_NE(record_->data_root, nullptr);
  EXPECT_EQ(record_->data_root->Child(0)->Child(0)->Row(1)[0], 4.0);
  const std::vector<Dword> refused = {kErrImpossibleTask, kErrImpossibleTask, kErrImpossibleTask,
                                      kErrImpossibleTask, 3};
  ASSERT_EQ(answers.size(), 10u);
  EXPECT_EQ(std::vector<Dword>(answers.begin(), answers.begin() + 5), refused);
  // After the run the same commands work again.
  EXPECT_EQ(Run(kKyCmdUndoData), 0u);
  EXPECT_EQ(record_->result.u64, 1u);
}

// End to end: simulated saturation recovery, then QARRAY builds the item's
// recovery curve: x on the log grid of the delays, row 1 the mean of each
// block's real part over points 0 to 9.
TEST_F(DataCommandTest, SaturationRecoveryThroughQarray) {
  ASSERT_EQ(LoadSimulation("EXP=SR/S\rNBLK=5\rBINI=0.001\rBEND=1\rBGRD=LOG\rNRLX=1\rTRLX=0.1\r"
                           "WRLX=1\rSRLX=0\rBS=10\rDW=100\rXOFF=0\rNLPL=1\rTDCY=0.001\rWDCY=1\r"
                           "NOIS=0\r"),
            0u);
  ASSERT_EQ(RunScript("#QARRAY,1,0,1,,0,9"), 0u);
  const cKyData* item = record_->data_root->Child(0);
  ASSERT_EQ(item->rows, 3u);
  ASSERT_EQ(item->points, 5u);
  // Mean of exp(-i * 0.1) for i = 0..9, in closed form.
  const double mean_decay = (1 - std::exp(-1.0)) / (10 * (1 - std::exp(-0.1)));
  for (Qword k = 0; k < 5; ++k) {
    const double tau = 0.001 * std::pow(1000.0, static_cast<double>(k) / 4);
    EXPECT_NEAR(item->Row(0)[k], tau, 1e-15 * tau);
    EXPECT_NEAR(item->Row(1)[k], (1 - std::exp(-tau / 0.1)) * mean_decay, 1e-14) << k;
  }
}

// Code 108: a block saved as CSV to a temporary folder; an existing file
// becomes 59; an unknown format goes to the application (message 40).
TEST_F(DataCommandTest, SaveThroughCode108) {
  LoadThree();
  char folder[] = "/tmp/veltria-save-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string file = std::string(folder) + "/block.csv";
  const std::u16string path(file.begin(), file.end());
  SaveDataArgs args{static_cast<Dword>(kKyDataExcel), path.c_str(), nullptr, 1, 0, 0};
  EXPECT_EQ(Run(kKyCmdSaveData, &args), 0u);
  EXPECT_EQ(args.node, record_->data_root->Child(1)->Child(0));
  FILE* f = std::fopen(file.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  char line[128] = {};
  ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
  std::fclose(f);
  EXPECT_STREQ(line, ",0,1.00000,0\r\n");
  EXPECT_EQ(Run(kKyCmdSaveData, &args), kErrIllegalFileName);
  // A full disk is reported as such, not as a bad name, and leaves no file.
  const std::string full = std::string(folder) + "/full.csv";
  const std::u16string full_path(full.begin(), full.end());
  args.path = full_path.c_str();
  {
    WriteFaultPlan plan;
    plan.fail_after_bytes = 10;
    WriteFaultGuard guard(plan);
    EXPECT_EQ(Run(kKyCmdSaveData, &args), kErrDiskFull);
  }
  EXPECT_NE(access(full.c_str(), F_OK), 0);
  args.path = path.c_str();
  args.block = 5;
  EXPECT_EQ(Run(kKyCmdSaveData, &args), kErrMissingDataObject);
  EXPECT_EQ(args.node, nullptr);
  args.item = 7;
  EXPECT_EQ(Run(kKyCmdSaveData, &args), kErrIllegalArgument);
  EXPECT_EQ(Run(kKyCmdSaveData, nullptr), kErrIllegalArgument);
  recorder_.On(kKyMsgWriteRequest, [](KyAppRecord* r) {
    return static_cast<const SaveDataArgs*>(r->argument)->node != nullptr ? Dword{0} : Dword{23};
  });
  args = SaveDataArgs{static_cast<Dword>(kKyDataBruker), nullptr, nullptr, -1, -1, 0};
  EXPECT_EQ(Run(kKyCmdSaveData, &args), 0u);
  EXPECT_EQ(args.node, record_->data_root);
  EXPECT_EQ(recorder_.Count(kKyMsgWriteRequest), 1u);
  std::remove(file.c_str());
  rmdir(folder);
}

// Item fields are the node's own texts and values; no tree is 23, a
// missing item 26.
TEST_F(DataCommandTest, ItemFields) {
  EXPECT_EQ(Run(kKyCmdItemFolder, reinterpret_cast<void*>(0)), kErrMissingDataObject);
  EXPECT_EQ(Run(kKyCmdItemCount), 0u);
  EXPECT_EQ(record_->result.u64, 0u);
  LoadThree();
  cKyData* item = record_->data_root->Child(2);
  LibErrorCode e = kErrNone;
  item->folder = EngineCopyW(u"/data/", &e);
  item->file_name = EngineCopyW(u"fid", &e);
  item->full_path = EngineCopyW(u"/data/fid", &e);
  item->x_first = 0.25;
  item->x_last = 4.0;
  item->x_grid_type = 2;
  item->x_unit = EngineCopyA("s", &e);
  void* const two = reinterpret_cast<void*>(2);
  struct Case {
    Dword code;
    const void* pointer;
  };
  const Case texts[] = {{kKyCmdItemFolder, item->folder},
                        {kKyCmdItemFolder2, item->folder},
                        {kKyCmdItemFileName, item->file_name},
                        {kKyCmdItemFullPath, item->full_path},
                        {kKyCmdItemXUnit, item->x_unit}};
  for (const Case& c : texts) {
    EXPECT_EQ(Run(c.code, two), 0u) << c.code;
    EXPECT_EQ(record_->result.pointer, c.pointer) << c.code;
  }
  EXPECT_EQ(Run(kKyCmdItemXFirst, two), 0u);
  EXPECT_EQ(record_->result.real, 0.25);
  EXPECT_EQ(Run(kKyCmdItemXLast, two), 0u);
  EXPECT_EQ(record_->result.real, 4.0);
  EXPECT_EQ(Run(kKyCmdItemXGrid, two), 0u);
  EXPECT_EQ(record_->result.u64, 2u);
  EXPECT_EQ(Run(kKyCmdItemBlockCount, two), 0u);
  EXPECT_EQ(record_->result.u64, 1u);
  EXPECT_EQ(Run(kKyCmdItemParameterCount, two), 0u);
  EXPECT_EQ(record_->result.u64, item->parameters.EntryCount());
  EXPECT_EQ(Run(kKyCmdBlockXGrid, two), 0u);
  EXPECT_EQ(record_->result.u64, 1u);
  EXPECT_EQ(Run(kKyCmdItemXFirst, reinterpret_cast<void*>(3)), kErrIllegalArgument);
  item->DeleteAll(true);
  EXPECT_EQ(Run(kKyCmdBlockPoints, two), kErrIllegalArgument);
}

}  // namespace
