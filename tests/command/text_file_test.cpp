// Code 142: text and comma-separated files written as new files, at a
// given path or through the save dialog.
#include <cstdio>
#include <string>
#include <vector>

#include "base/error_codes.h"
#include "base/platform/ui_hooks.h"
#include "command_fixture.h"
#include "support/temp_folder.h"
#include "support/write_fault.h"

namespace {

std::vector<UiFileDialogRequest> g_dialogs;
std::string g_dialog_answer;  // empty: cancel
std::vector<std::string> g_boxes;

bool ScriptedDialog(const UiFileDialogRequest& request, std::string* paths) {
  g_dialogs.push_back(request);
  if (g_dialog_answer.empty()) return false;
  *paths = g_dialog_answer;
  return true;
}

Long CountBox(const std::string&, const std::string& text, UiMessageType type) {
  g_boxes.push_back(text + (type == kUiError ? " [error]" : ""));
  return 1;
}

class TextFileTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    g_dialogs.clear();
    g_boxes.clear();
    g_dialog_answer.clear();
    UiHooks hooks{};
    hooks.file_dialog = ScriptedDialog;
    hooks.message_box = CountBox;
    UiHooksInstall(&hooks);
    record_ = LibCommand(kKyCmdCreate, nullptr);
    recorder_.Install(record_);
  }
  void TearDown() override {
    recorder_.Uninstall();
    LibCommand(kKyCmdFree, record_);
    TempFolderTest::TearDown();
  }
  Dword Write(Qword kind, const std::u16string* path, const char* text) {
    TextFileArgs args{kind, 0, path ? path->c_str() : nullptr, text};
    record_->argument = &args;
    LibCommand(kKyCmdWriteTextFile, record_);
    return record_->error;
  }
  KyAppRecord* record_ = nullptr;
  RecordingCallback recorder_;
};

TEST_F(TextFileTest, WritesTheTextAtTheGivenPath) {
  const std::u16string path = Wide(Path("out.txt"));
  EXPECT_EQ(Write(kKyTextFileText, &path, "line 1\r\nline 2\r\n"), 0u);
  EXPECT_EQ(ReadFile(Path("out.txt")), "line 1\r\nline 2\r\n");
  EXPECT_TRUE(g_dialogs.empty());
  EXPECT_TRUE(g_boxes.empty());
}

TEST_F(TextFileTest, EmptyTextMakesAnEmptyFile) {
  const std::u16string path = Wide(Path("empty.txt"));
  EXPECT_EQ(Write(kKyTextFileText, &path, ""), 0u);
  EXPECT_TRUE(Exists(Path("empty.txt")));
  EXPECT_EQ(ReadFile(Path("empty.txt")), "");
}

// An existing file is never overwritten, and the refusal is an error, not
// a success with a message box. The application shows the error (message
// 3); only a quiet record gets the command's own box, which names the file.
TEST_F(TextFileTest, ExistingFileIsRefusedWithAnError) {
  WriteFile("old.txt", "keep me");
  const std::u16string path = Wide(Path("old.txt"));
  EXPECT_EQ(Write(kKyTextFileText, &path, "new"), kErrFileNotAccessible);
  EXPECT_EQ(ReadFile(Path("old.txt")), "keep me");
  EXPECT_TRUE(g_boxes.empty());
  EXPECT_EQ(recorder_.Count(kKyMsgError), 1u);
  record_->flags |= kKyFlagQuiet;
  EXPECT_EQ(Write(kKyTextFileText, &path, "new"), kErrFileNotAccessible);
  EXPECT_EQ(recorder_.Count(kKyMsgError), 1u);
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(g_boxes[0].rfind("Invalid file.", 0), 0u);
  EXPECT_NE(g_boxes[0].find(Path("old.txt")), std::string::npos);
  EXPECT_NE(g_boxes[0].find("exists already"), std::string::npos);
  EXPECT_EQ(ReadFile(Path("old.txt")), "keep me");
}

TEST_F(TextFileTest, MissingFolderIsAFileError) {
  const std::u16string path = Wide(Path("no/such/folder.txt"));
  const Dword error = Write(kKyTextFileText, &path, "x");
  EXPECT_GE(error, kErrFileSystem);
  EXPECT_LE(error, kErrUndefinedFile);
  EXPECT_EQ(g_boxes.size() + recorder_.Count(kKyMsgError), 1u);
}

// A write that fails at any byte, or whose flush fails, answers the error
// and leaves neither the name nor a temporary file in the folder.
TEST_F(TextFileTest, FailedWritesLeaveNoFile) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "row " + std::to_string(i) + ",1.5,2.5\r\n";
  const std::u16string path = Wide(Path("table.csv"));
  for (Qword n = 0; n <= text.size(); ++n) {
    SCOPED_TRACE(n);
    const bool sync_fails = n == text.size();
    WriteFaultPlan plan;
    plan.fail_after_bytes = sync_fails ? ~Qword{0} : n;
    plan.fail_sync = sync_fails;
    Dword error;
    {
      WriteFaultGuard guard(plan);
      error = Write(kKyTextFileCsv, &path, text.c_str());
    }
    EXPECT_EQ(error, sync_fails ? kErrFileSystem : kErrDiskFull);
    EXPECT_EQ(FolderNames(dir_), std::vector<std::string>{});
  }
  EXPECT_EQ(Write(kKyTextFileCsv, &path, text.c_str()), 0u);
  EXPECT_EQ(ReadFile(Path("table.csv")), text);
}

TEST_F(TextFileTest, TextKindAsksOnceForATextFile) {
  g_dialog_answer = Path("chosen.txt");
  EXPECT_EQ(Write(kKyTextFileText, nullptr, "hello"), 0u);
  ASSERT_EQ(g_dialogs.size(), 1u);
  EXPECT_TRUE(g_dialogs[0].save);
  EXPECT_EQ(g_dialogs[0].title, "Select a new file");
  EXPECT_NE(g_dialogs[0].filter.find("*.txt"), std::string::npos);
  EXPECT_EQ(ReadFile(Path("chosen.txt")), "hello");
}

TEST_F(TextFileTest, CancelledDialogOrOtherKindEndsWithoutError) {
  EXPECT_EQ(Write(kKyTextFileCsv, nullptr, "a,b"), 0u);
  EXPECT_EQ(g_dialogs.size(), 1u);
  EXPECT_NE(g_dialogs[0].filter.find("*.csv"), std::string::npos);
  EXPECT_EQ(Write(7, nullptr, "a,b"), 0u);
  EXPECT_EQ(g_dialogs.size(), 1u);  // no dialog for another kind
  EXPECT_EQ(Write(kKyTextFileText, nullptr, nullptr), kErrMissingArguments);
}

// The comma-separated file read back by Python's csv module.
TEST_F(TextFileTest, CsvReadsBackWithPythonsCsvModule) {
  g_dialog_answer = Path("table.csv");
  const char* text =
      "name,concentration,unit\r\n"
      "\"sample, A\",1.25e-3,mol/L\r\n"
      "\"quoted \"\"B\"\"\",0.5,mM\r\n";
  ASSERT_EQ(Write(kKyTextFileCsv, nullptr, text), 0u);
  const std::string command =
      "python3 -c \"import csv,sys; "
      "rows=list(csv.reader(open(sys.argv[1], newline=''))); "
      "print('|'.join(';'.join(r) for r in rows))\" " +
      Path("table.csv");
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  char buffer[512] = {};
  const size_t n = fread(buffer, 1, sizeof buffer - 1, pipe);
  ASSERT_EQ(pclose(pipe), 0);
  EXPECT_EQ(std::string(buffer, n),
            "name;concentration;unit|sample, A;1.25e-3;mol/L|quoted \"B\";0.5;mM\n");
}

}  // namespace
