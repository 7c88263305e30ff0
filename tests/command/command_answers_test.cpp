// Error answers of the data, task and file commands, each case with the
// number of error reports the user gets (message 3 to the application plus
// the command's own message boxes): a missing argument record, a tree
// change asked for during a task run, a procedure mode checked before the
// data, a text file that cannot be created.
#include <functional>
#include <string>
#include <vector>

#include "base/error_codes.h"
#include "base/platform/ui_hooks.h"
#include "command/ky_command_args.h"
#include "command/ky_commands.h"
#include "command/lib_command.h"
#include "data_engine/ky_data.h"
#include "support/recording_callback.h"
#include "support/temp_folder.h"

namespace {

constexpr const char* kSinglePulse =
    "EXP=S1P\rBS=4\rDW=100\rXOFF=0\rNLPL=1\rTDCY=0.001\rWDCY=1\rNOIS=0\rBSLN=0\rF1=0\rRPHS=0\r";

std::vector<std::string> g_boxes;

Long CountBox(const std::string&, const std::string& text, UiMessageType) {
  g_boxes.push_back(text);
  return 1;
}

class CommandAnswersTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    g_boxes.clear();
    UiHooks hooks{};
    hooks.message_box = CountBox;
    UiHooksInstall(&hooks);
    record_ = LibCommand(kKyCmdCreate, nullptr);
    ASSERT_NE(record_, nullptr);
    recorder_.Install(record_);
  }
  void TearDown() override {
    recorder_.Uninstall();
    LibCommand(kKyCmdFree, record_);
    TempFolderTest::TearDown();
  }
  Dword Run(Dword code, void* argument) {
    record_->argument = argument;
    LibCommand(code, record_);
    return record_->error;
  }
  // One simulated item of one block, with the group delay `gdly`.
  void LoadItem(const char* gdly) {
    LoadDataArgs load{kKyDataSimulation, nullptr, 0, kSinglePulse};
    ASSERT_EQ(Run(kKyCmdLoadData, &load), 0u);
    ParameterArgs set{0, "GDLY", nullptr, gdly};
    ASSERT_EQ(Run(kKyCmdSetParameter, &set), 0u);
  }
  Qword Items() {
    EXPECT_EQ(Run(kKyCmdItemCount, nullptr), 0u);
    return record_->result.u64;
  }
  // Runs `script`; while it reports, issues `code` with `argument` and
  // keeps that command's answer. Returns the run's answer.
  Dword RunIssuing(const char* script, Dword code, void* argument, Dword* nested) {
    *nested = ~Dword{0};
    recorder_.On(kKyMsgTaskReport, [&](KyAppRecord* r) {
      if (*nested != ~Dword{0}) return Dword{0};  // the first report only
      const Dword kept = r->error;
      void* const kept_argument = r->argument;
      r->argument = argument;
      LibCommand(code, r);
      *nested = r->error;
      r->argument = kept_argument;
      r->error = kept;
      return Dword{0};
    });
    const Dword e = Run(kKyCmdRunTaskScript, const_cast<char*>(script));
    recorder_.On(kKyMsgTaskReport, [](KyAppRecord*) { return Dword{0}; });
    return e;
  }
  Qword Reports() const { return g_boxes.size() + recorder_.Count(kKyMsgError); }
  KyAppRecord* record_ = nullptr;
  RecordingCallback recorder_;
};

TEST_F(CommandAnswersTest, ErrorAnswersAndWhatTheUserSees) {
  struct Case {
    const char* what;
    std::function<Dword()> act;  // the answer
    Dword error;
    Qword reports;
  };
  const std::string existing = Path("old.txt");
  WriteFile("old.txt", "keep me");
  const std::u16string existing_w(existing.begin(), existing.end());
  const std::string nowhere = Path("no/such/folder/new.txt");
  const std::u16string nowhere_w(nowhere.begin(), nowhere.end());
  const Case cases[] = {
      {"load without its argument record", [this]() { return this->Run(kKyCmdLoadData, nullptr); },
       kErrMissingArguments, 1},
      {"save without its argument record", [this]() { return this->Run(kKyCmdSaveData, nullptr); },
       kErrIllegalArgument, 1},
      {"copy block while a task runs",
       [this]() {
         this->LoadItem("0.3");
         Dword nested = 0;
         EXPECT_EQ(this->RunIssuing("#GROUPDELAY, 1, 0, 0z0", kKyCmdCopyBlock, nullptr, &nested),
                   0u);
         EXPECT_EQ(this->Items(), 1u);  // no item was added under the engine
         // Outside a run the same copy is made.
         EXPECT_EQ(this->Run(kKyCmdCopyBlock, nullptr), 0u);
         EXPECT_EQ(this->Items(), 2u);
         return nested;
       },
       kErrImpossibleTask, 1},
      {"GROUPDELAY of an unknown mode, delay rounding to no points",
       [this]() {
         this->LoadItem("0.3");
         return this->Run(kKyCmdRunTaskScript, const_cast<char*>("#GROUPDELAY, 2, 0, 0z0"));
       },
       kErrUnknownProcedureMode, 1},
      {"GROUPDELAY of an unknown mode, no delay at all",
       [this]() {
         LoadDataArgs load{kKyDataSimulation, nullptr, 0, kSinglePulse};
         EXPECT_EQ(this->Run(kKyCmdLoadData, &load), 0u);
         return this->Run(kKyCmdRunTaskScript, const_cast<char*>("#GROUPDELAY, 3, 0, 0z0"));
       },
       kErrUnknownProcedureMode, 1},
      {"text file over an existing file",
       [this, &existing_w]() {
         TextFileArgs args{kKyTextFileText, 0, existing_w.c_str(), "new"};
         return this->Run(kKyCmdWriteTextFile, &args);
       },
       kErrFileNotAccessible, 1},
      {"text file over an existing file, quiet record",
       [this, &existing_w]() {
         this->record_->flags |= kKyFlagQuiet;
         TextFileArgs args{kKyTextFileCsv, 0, existing_w.c_str(), "new"};
         return this->Run(kKyCmdWriteTextFile, &args);
       },
       kErrFileNotAccessible, 1},
      {"text file in a missing folder",
       [this, &nowhere_w]() {
         TextFileArgs args{kKyTextFileText, 0, nowhere_w.c_str(), "new"};
         const Dword e = this->Run(kKyCmdWriteTextFile, &args);
         // Some file error; the case checks it is one of them, reported once.
         return e >= kErrFileSystem && e <= kErrUndefinedFile ? kErrFileSystem : e;
       },
       kErrFileSystem, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // Each case without a tree, flags or reports of the one before.
    record_->flags = 0;
    ASSERT_EQ(Run(kKyCmdFreeData, nullptr), 0u);
    recorder_.Clear();
    g_boxes.clear();
    EXPECT_EQ(c.act(), c.error);
    EXPECT_EQ(Reports(), c.reports);
  }
  EXPECT_EQ(ReadFile(existing), "keep me");
}

// Every command that changes the tree is refused while a task runs, and
// the tree the run works on stays whole; reading commands still answer.
TEST_F(CommandAnswersTest, TreeChangesAreRefusedDuringARun) {
  struct Case {
    Dword code;
    Dword error;
  };
  const Case cases[] = {
      {kKyCmdFree, kErrImpossibleTask},
      {kKyCmdCopyBlock, kErrImpossibleTask},
      {kKyCmdRunTaskRecord, kErrImpossibleTask},
      {kKyCmdLoadData, kErrImpossibleTask},
      {kKyCmdFreeData, kErrImpossibleTask},
      {kKyCmdUndoData, kErrImpossibleTask},
      {kKyCmdRunDefaultTask, kErrImpossibleTask},
      {kKyCmdRunTaskScript, kErrImpossibleTask},
      {kKyCmdRestorePrevious, kErrImpossibleTask},
      {kKyCmdRestoreOldest, kErrImpossibleTask},
      {kKyCmdItemCount, kErrNone},
      {kKyCmdItemBlockCount, kErrNone},
  };
  LoadItem("0.3");
  LoadDataArgs load{kKyDataSimulation, nullptr, 0, kSinglePulse};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    // Arguments that would make each command act, were it allowed.
    void* argument = nullptr;
    if (c.code == kKyCmdLoadData) argument = &load;
    if (c.code == kKyCmdRunTaskScript) argument = const_cast<char*>("#GROUPDELAY, 1, 0, 0z0");
    Dword nested = 0;
    const cKyData* root = record_->data_root;
    EXPECT_EQ(RunIssuing("#GROUPDELAY, 1, 0, 0z0", c.code, argument, &nested), 0u);
    EXPECT_EQ(nested, c.error);
    ASSERT_NE(record_->data_root, nullptr);
    EXPECT_EQ(record_->data_root->linked, root);  // the run's snapshot, nothing else
    EXPECT_EQ(Items(), 1u);
    ASSERT_EQ(Run(kKyCmdUndoData, nullptr), 0u);
    EXPECT_EQ(record_->data_root, root);
  }
}

}  // namespace
