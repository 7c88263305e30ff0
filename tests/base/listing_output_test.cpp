// The output file of a listing and the console/file destination rule.
#include "base/listing_output.h"

#include <gtest/gtest.h>

#include <string>

#include "base/errors.h"
#include "base/files.h"
#include "base/memory.h"
#include "base/output_file.h"
#include "base/utf.h"
#include "support/output_file_script.h"
#include "support/pty_run.h"
#include "support/temp_folder.h"

namespace {

class OutputFileTest : public TempFolderTest {};

std::string Utf8(const char16_t* text) {
  std::string out(Utf16ToUtf8(text, kNoIndex, nullptr, 0), '\0');
  Utf16ToUtf8(text, kNoIndex, out.data(), out.size() + 1);
  return out;
}

TEST_F(OutputFileTest, CancelledDialogGivesNoHandleAndNoPath) {
  OutputFileScript::Install(false);
  char16_t* path = reinterpret_cast<char16_t*>(this);  // must be overwritten
  LibLastError = 77;
  EXPECT_EQ(FileOpenByDialog(u"Pick", &path), -1);
  EXPECT_EQ(path, nullptr);
  EXPECT_EQ(LibLastError, 0u);
  EXPECT_EQ(OutputFileScript::dialogs, 1);
  // A save dialog for text files, starting in the home folder.
  EXPECT_TRUE(OutputFileScript::request.save);
  EXPECT_FALSE(OutputFileScript::request.must_exist);
  EXPECT_EQ(OutputFileScript::request.title, "Pick");
  EXPECT_EQ(OutputFileScript::request.filter, "*.txt\t*.txt");
  if (const char* home = getenv("HOME"); home && home[0]) {
    EXPECT_EQ(OutputFileScript::request.folder, std::string(home));
  }
}

TEST_F(OutputFileTest, ChosenNameIsCreatedWithTheTextExtension) {
  OutputFileScript::Install(true, Path("table"));
  char16_t* path = nullptr;
  Qlong h = FileOpenByDialog(u"Pick", &path);
  ASSERT_NE(h, -1);
  ASSERT_NE(path, nullptr);
  EXPECT_EQ(Utf8(path), Path("table.txt"));
  EXPECT_TRUE(FileWriteA(h, "ok"));
  EXPECT_TRUE(FileClose(&h, 1));
  EXPECT_EQ(ReadFile(Path("table.txt")), "ok");
  KillString(&path);
  // Without a path out the handle alone comes back.
  OutputFileScript::Install(true, Path("second.txt"));
  h = FileOpenByDialog(u"Pick", nullptr);
  ASSERT_NE(h, -1);
  EXPECT_TRUE(FileClose(&h, 1));
  EXPECT_TRUE(Exists(Path("second.txt")));
}

TEST_F(OutputFileTest, ExistingFileIsNeitherOpenedNorChanged) {
  WriteFile("kept.txt", "old");
  OutputFileScript::Install(true, Path("kept.txt"));
  char16_t* path = nullptr;
  EXPECT_EQ(FileOpenByDialog(u"Pick", &path), -1);
  EXPECT_EQ(path, nullptr);
  EXPECT_NE(LibLastError, 0u);
  EXPECT_EQ(ReadFile(Path("kept.txt")), "old");
}

TEST_F(OutputFileTest, ListingAsksForAFileAndClosesItAtTheEnd) {
  OutputFileScript::Install(true, Path("list.txt"));
  {
    ListingOutput out(2, -1);
    EXPECT_TRUE(out.ToFile());
    EXPECT_FALSE(out.ToConsole());
    out.Put("a");
    out.Printf<char>("|%5.2f|%u\n", 3.14159, 7u);
  }
  EXPECT_EQ(OutputFileScript::dialogs, 1);
  EXPECT_EQ(ReadFile(Path("list.txt")), "a| 3.14|7\n");
}

TEST_F(OutputFileTest, WideListingWritesUtf16LeCodeUnits) {
  OutputFileScript::Install(true, Path("wide.txt"));
  {
    ListingOutput out(2, 0);  // 0 is no handle either
    out.Put(u"\u00e9");
    out.Printf<char16_t>(" %d", -5);
  }
  EXPECT_EQ(ReadFile(Path("wide.txt")), std::string("\xe9\0 \0-\0005\0", 8));
}

TEST_F(OutputFileTest, CallersHandleIsUsedAndStaysOpen) {
  OutputFileScript::Install(true, Path("never.txt"));
  Qlong h = FileOpenA(Path("mine.txt").c_str(), kOpenWrite | kOpenTruncate);
  ASSERT_NE(h, -1);
  {
    ListingOutput out(2, h);
    out.Put("x");
  }
  EXPECT_EQ(OutputFileScript::dialogs, 0);
  EXPECT_TRUE(FileWriteA(h, "y"));  // still open
  EXPECT_TRUE(FileClose(&h, 1));
  EXPECT_EQ(ReadFile(Path("mine.txt")), "xy");
}

TEST_F(OutputFileTest, CancelledChoiceDropsTheFileAndKeepsTheConsole) {
  const std::string dir = dir_;
  PtyResult r = RunInPty(
      [] {
        OutputFileScript::Install(false);
        ListingOutput both(3, -1);
        ListingOutput file_only(2, -1);
        both.Put("console ");
        file_only.Put("lost ");
        const bool ok = both.ToConsole() && !both.ToFile() && both.FileRefused() &&
                        both.RefusalCode() == 0 && !file_only.ToConsole() && !file_only.ToFile();
        return ok ? 0 : 1;
      },
      {}, false);
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.output, "console ");
}

TEST(OutputFileHeadless, NoTerminalMeansCancelled) {
  // The fallback dialog, with no terminal, answers "cancelled".
  PtyResult r = RunInPty(
      [] {
        UiHooksInstall(nullptr);
        return FileOpenByDialog(u"Pick", nullptr) == -1 ? 0 : 1;
      },
      {}, false);
  EXPECT_EQ(r.exit_code, 0) << r.output;
}

}  // namespace
