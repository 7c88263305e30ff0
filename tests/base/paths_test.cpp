#include "base/paths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/memory.h"
#include "base/utf.h"
#include "support/temp_folder.h"
#include "text_test_util.h"

namespace {

TEST(OffsetToCleanNameInPath, BothWidths) {
  struct Row {
    const char* path;
    Qlong offset;
  };
  const Row rows[] = {
      {"/home/u/data.csv", 8}, {"data.csv", 0}, {"/home/u/", 8}, {"", 0}, {"/", 1},
      {"a/b.c/d", 6},          {"C:name", 0},  // a colon is an ordinary character in POSIX names
  };
  for (const Row& r : rows) {
    EXPECT_EQ(OffsetToCleanNameInPathA(r.path), r.offset) << r.path;
    EXPECT_EQ(OffsetToCleanNameInPath(W(r.path).c_str()), r.offset) << r.path;
  }
  EXPECT_EQ(OffsetToCleanNameInPathA(nullptr), 0);
  EXPECT_EQ(OffsetToCleanNameInPath(nullptr), 0);
}

TEST(NewFilePathFraction, PartsOfPaths) {
  struct Row {
    const char* path;
    Dword part;
    const char* expected;  // "<null>" for null
  };
  const Row rows[] = {
      {"/data/run.1/fid", 1, "<null>"},  // the point is in a folder name
      {"/data/run.1/fid", 2, "fid"},
      {"/data/run.1/fid", 3, "fid"},
      {"/data/run.1/fid", 4, "/data/run.1/"},
      {"/data/spec.tar.gz", 1, "gz"},
      {"/data/spec.tar.gz", 2, "spec.tar"},
      {"/data/spec.tar.gz", 3, "spec.tar.gz"},
      {"name.", 1, ""},
      {"name.", 2, "name"},
      {"bare", 4, "<null>"},
      {"/x/y", 5, "<null>"},  // no drives on POSIX
      {"/x/y", 0, "/x/y"},
      {"/x/y", 99, "/x/y"},
      {"/x/", 3, ""},
      {".profile", 1, "profile"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(Take(NewFilePathFractionA(r.path, r.part)), r.expected) << r.path << " " << r.part;
    EXPECT_EQ(Take(NewFilePathFraction(W(r.path).c_str(), r.part)), r.expected)
        << r.path << " " << r.part;
  }
  EXPECT_EQ(NewFilePathFractionA(nullptr, 3), nullptr);
}

TEST(NewFilePathCombination, OneSeparatorBetween) {
  struct Row {
    const char* folder;
    const char* name;
    const char* expected;
  };
  const Row rows[] = {
      {"/a/b", "c.txt", "/a/b/c.txt"},
      {"/a/b/", "c.txt", "/a/b/c.txt"},
      {"", "c.txt", "/c.txt"},
      {"/a", "", "/a/"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(Take(NewFilePathCombinationA(r.folder, r.name)), r.expected);
    EXPECT_EQ(Take(NewFilePathCombination(W(r.folder).c_str(), W(r.name).c_str())), r.expected);
  }
  EXPECT_EQ(NewFilePathCombinationA(nullptr, "x"), nullptr);
  EXPECT_EQ(NewFilePathCombinationA("x", nullptr), nullptr);
}

TEST(StringAppendChrIfMissing, AppendsOnce) {
  char text[8] = "ab";
  EXPECT_STREQ(StringAppendChrIfMissingA(text, '/'), "ab/");
  EXPECT_STREQ(StringAppendChrIfMissingA(text, '/'), "ab/");
  char empty[2] = "";
  EXPECT_STREQ(StringAppendChrIfMissingA(empty, '/'), "/");
  char16_t wide[4] = u"a";
  EXPECT_EQ(std::u16string(StringAppendChrIfMissing(wide, u'/')), u"a/");
  EXPECT_EQ(StringAppendChrIfMissingA(nullptr, '/'), nullptr);
}

class PathLocatorTest : public TempFolderTest {};

std::string TakeUtf8(char16_t* text) {
  char* utf8 = NewUtf8FromUtf16(text);
  std::string out = utf8 ? utf8 : "<null>";
  KillStringA(&utf8);
  KillString(&text);
  return out;
}

TEST_F(PathLocatorTest, SearchPathExtensionAndPosition) {
  std::filesystem::create_directory(Path("one"));
  std::filesystem::create_directory(Path("two"));
  WriteFile("two/tool.cfg", "x");
  const std::u16string list = Wide(Path("one") + ":" + Path("two"));
  for (const char16_t* ext : {u"cfg", u".cfg"}) {
    char16_t* position = nullptr;
    char16_t* found = NewFilePathLocator(u"tool", ext, list.c_str(), &position);
    ASSERT_NE(found, nullptr);
    ASSERT_NE(position, nullptr);
    EXPECT_EQ(std::u16string(position), u"tool.cfg");
    EXPECT_EQ(TakeUtf8(found), Path("two/tool.cfg"));
  }
  // A name that has an extension keeps it.
  char16_t* position = reinterpret_cast<char16_t*>(1);
  EXPECT_EQ(NewFilePathLocator(u"tool.txt", u"cfg", list.c_str(), &position), nullptr);
  EXPECT_EQ(position, nullptr);
  EXPECT_EQ(LibLastError, Dword{kErrMissingFile});
}

TEST_F(PathLocatorTest, DefaultOrderCurrentFolderThenPath) {
  std::filesystem::create_directory(Path("bin"));
  WriteFile("bin/helper.sh", "x");
  WriteFile("here.dat", "y");
  const std::string saved_cwd = std::filesystem::current_path();
  const char* saved_path = std::getenv("PATH");
  const std::string old_path = saved_path ? saved_path : "";
  std::filesystem::current_path(dir_);
  setenv("PATH", Path("bin").c_str(), 1);
  EXPECT_EQ(TakeUtf8(NewFilePathLocator(u"here.dat", nullptr, nullptr, nullptr)), Path("here.dat"));
  EXPECT_EQ(TakeUtf8(NewFilePathLocator(u"helper", u"sh", nullptr, nullptr)),
            Path("bin/helper.sh"));
  EXPECT_EQ(NewFilePathLocator(u"absent.xyz", nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(LibLastError, Dword{kErrMissingFile});
  setenv("PATH", old_path.c_str(), 1);
  std::filesystem::current_path(saved_cwd);
}

// Scripted dialogs: the hooks record the request and give the answer.
struct DialogScript {
  static inline UiFileDialogRequest request;
  static inline std::string answer;
  static inline bool answered = false;
  static inline int beeps = 0;
  static bool File(const UiFileDialogRequest& r, std::string* paths) {
    request = r;
    if (answered) *paths = answer;
    return answered;
  }
  static bool Folder(const std::string&, const std::string&, std::string* folder) {
    if (answered) *folder = answer;
    return answered;
  }
  static void Beep(Dword, Dword) { ++beeps; }
  static void Install(bool give, const std::string& path) {
    answered = give;
    answer = path;
    beeps = 0;
    UiHooks hooks{};
    hooks.file_dialog = File;
    hooks.folder_dialog = Folder;
    hooks.beep = Beep;
    UiHooksInstall(&hooks);
  }
};

class DialogTest : public TempFolderTest {};

TEST_F(DialogTest, CancelledFileDialogGivesNullAndNoError) {
  DialogScript::Install(false, "");
  LibLastError = 77;
  Dword raw = 0;
  EXPECT_EQ(NewOsFileSelectDialog(u"Open", nullptr, nullptr, nullptr, 0x2, 0, &raw), nullptr);
  EXPECT_EQ(LibLastError, 0u);
  EXPECT_EQ(raw, 0x2u);
  EXPECT_EQ(DialogScript::request.filter, "All:\t*.*");
  EXPECT_TRUE(DialogScript::request.must_exist);
  EXPECT_FALSE(DialogScript::request.save);
  EXPECT_EQ(DialogScript::beeps, 1);
}

TEST_F(DialogTest, SaveDialogFilterAndDefaultExtension) {
  DialogScript::Install(true, Path("result"));
  char16_t* path =
      NewOsFileSelectDialog(u"Save as", Wide(dir_).c_str(), u"csv",
                            u"Text files (*.txt)|*.txt|Tables|*.csv;*.tsv|", 0x20001, 0, nullptr);
  EXPECT_EQ(TakeUtf8(path), Path("result.csv"));
  EXPECT_TRUE(DialogScript::request.save);
  EXPECT_EQ(DialogScript::request.title, "Save as");
  EXPECT_EQ(DialogScript::request.folder, dir_);
  EXPECT_EQ(DialogScript::request.filter, "Text files (*.txt)\t*.txt\nTables\t*.csv;*.tsv");
  EXPECT_EQ(DialogScript::beeps, 0);  // 0x20000: no beep
  // A chosen name with an extension keeps it; non-ASCII names survive.
  DialogScript::Install(true, Path("\xC3\xA9t\xC3\xA9.txt"));
  EXPECT_EQ(TakeUtf8(NewOsFileSelectDialog(u"t", nullptr, u"csv", nullptr, 0, 0, nullptr)),
            Path("\xC3\xA9t\xC3\xA9.txt"));
}

TEST_F(DialogTest, PathLongerThanTheDialogBufferIsAnError) {
  DialogScript::Install(true, "/" + std::string(5000, 'a'));
  EXPECT_EQ(NewOsFileSelectDialog(u"t", nullptr, nullptr, nullptr, 0, 0, nullptr), nullptr);
  EXPECT_EQ(LibLastError, 0x3003u);
}

TEST_F(DialogTest, FolderDialogEmptyWhenCancelled) {
  DialogScript::Install(false, "");
  char16_t* folder = NewOsFolderSelectDialog(u"Pick", 0, 0);
  ASSERT_NE(folder, nullptr);
  EXPECT_EQ(folder[0], 0);
  folder[259] = u'x';  // the promised room of 260 characters
  KillString(&folder);
  DialogScript::Install(true, dir_);
  EXPECT_EQ(TakeUtf8(NewOsFolderSelectDialog(u"Pick", 0, 0)), dir_);
}

}  // namespace
