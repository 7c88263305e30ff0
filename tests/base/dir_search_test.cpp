#include "base/dir_search.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <set>
#include <string>

#include "base/files.h"
#include "base/memory.h"
#include "base/utf.h"
#include "support/temp_folder.h"

namespace {

std::string Utf8(const char16_t* text) {
  char* utf8 = NewUtf8FromUtf16(text);
  std::string out = utf8 ? utf8 : "";
  KillStringA(&utf8);
  return out;
}

class DirSearchTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    WriteFile("a.txt", "alpha");
    WriteFile("b.txt", "bravo!");
    WriteFile("c.dat", "charlie");
    WriteFile("noext", "n");
    std::filesystem::create_directory(Path("sub"));
    WriteFile("sub/inner.txt", "inner");
  }
  // Every name a search of the pattern yields.
  std::multiset<std::string> Names(const std::string& pattern) {
    std::multiset<std::string> names;
    char16_t* name = nullptr;
    Qlong search = FileFindFirst(Wide(pattern).c_str(), &name, nullptr);
    if (search == -1) return names;
    do names.insert(Utf8(name));
    while (FileFindNext(search, &name, nullptr));
    EXPECT_EQ(LibLastError, Dword{kErrMissingFile});  // the end of the search
    EXPECT_TRUE(FileFindClose(search, &name));
    EXPECT_EQ(name, nullptr);
    return names;
  }
};

TEST_F(DirSearchTest, PatternsAgainstTheFileSystem) {
  // "*.*" matches every name, with or without a point, "." and ".." too.
  std::multiset<std::string> all = {".", ".."};
  for (const auto& entry : std::filesystem::directory_iterator(dir_))
    all.insert(entry.path().filename().string());
  EXPECT_EQ(Names(dir_ + "/*.*"), all);
  EXPECT_EQ(Names(dir_ + "/*"), all);
  EXPECT_EQ(Names(dir_ + "/*.txt"), (std::multiset<std::string>{"a.txt", "b.txt"}));
  EXPECT_EQ(Names(dir_ + "/?.dat"), (std::multiset<std::string>{"c.dat"}));
  EXPECT_EQ(Names(dir_ + "/*x*t"), (std::multiset<std::string>{"a.txt", "b.txt", "noext"}));
  EXPECT_EQ(Names(dir_ + "/sub"), (std::multiset<std::string>{"sub"}));
  EXPECT_EQ(Names(dir_ + "/b.txt"), (std::multiset<std::string>{"b.txt"}));
}

TEST_F(DirSearchTest, NothingFoundLeavesNoError) {
  char16_t* name = nullptr;
  FileInfo info;
  InitializeFileInfo(&info);
  EXPECT_EQ(FileFindFirst(Wide(dir_ + "/*.none").c_str(), &name, &info), -1);
  EXPECT_EQ(LibLastError, 0u);
  EXPECT_EQ(name, nullptr);
  EXPECT_EQ(FileFindFirst(Wide(dir_ + "/missing/*.*").c_str(), &name, &info), -1);
  EXPECT_EQ(LibLastError, 0u);
  EXPECT_FALSE(FileFindNext(12345, &name, &info));  // not a live search
  EXPECT_FALSE(FileFindClose(12345, nullptr));
}

Qword FileTimeOf(const struct timespec& t) {
  return 116444736000000000ULL + static_cast<Qword>(t.tv_sec) * 10000000ULL +
         static_cast<Qword>(t.tv_nsec) / 100;
}

TEST_F(DirSearchTest, InfoRecordOfASearchStep) {
  chmod(Path("c.dat").c_str(), 0444);
  FileInfo info;
  InitializeFileInfo(&info);
  EXPECT_EQ(info.attributes, 0xFFFFFFFFu);
  char16_t* name = nullptr;
  Qlong search = FileFindFirst(Wide(Path("c.dat")).c_str(), &name, &info);
  ASSERT_NE(search, -1);
  struct stat st;
  ASSERT_EQ(stat(Path("c.dat").c_str(), &st), 0);
  EXPECT_EQ(Utf8(name), "c.dat");
  EXPECT_EQ(info.valid, 0x2Bu);
  EXPECT_EQ(info.size, 7u);
  EXPECT_EQ(info.write_time, FileTimeOf(st.st_mtim));
  EXPECT_EQ(info.access_time, FileTimeOf(st.st_atim));
  EXPECT_EQ(info.attributes & 0x1, 0x1u);  // read-only
  EXPECT_TRUE(FileFindClose(search, &name));
  search = FileFindFirst(Wide(Path("sub")).c_str(), nullptr, &info);
  EXPECT_EQ(info.attributes & 0x10, 0x10u);
  FileFindClose(search, nullptr);
  EraseFileInfo(&info);
  EXPECT_EQ(info.valid, 0u);
}

TEST_F(DirSearchTest, FullInformation) {
  FileInfo info;
  InitializeFileInfoA(&info);
  char* name = nullptr;
  ASSERT_TRUE(FileGetFullInfoA(Path("b.txt").c_str(), &name, &info));
  EXPECT_STREQ(name, "b.txt");
  KillStringA(&name);
  struct stat st;
  ASSERT_EQ(stat(Path("b.txt").c_str(), &st), 0);
  EXPECT_EQ(info.size, 6u);
  EXPECT_EQ(info.compressed_size, static_cast<Qword>(st.st_blocks) * 512);
  EXPECT_EQ(info.valid & 0x10, 0x10u);
  EXPECT_EQ(info.valid & (0x80 | 0x200 | 0x4), 0u);  // no version resource, no binary type
  EXPECT_EQ(info.binary_type, 0xFFFFFFFFu);
  EXPECT_FALSE(FileGetFullInfo(Wide(Path("absent")).c_str(), nullptr, &info));
  // Without a record: true and the name address untouched.
  char16_t* wide_name = nullptr;
  EXPECT_TRUE(FileGetFullInfo(Wide(Path("a.txt")).c_str(), &wide_name, nullptr));
  EXPECT_EQ(wide_name, nullptr);
  EraseFileInfoA(&info);
}

TEST_F(DirSearchTest, PatternCopyModes) {
  std::filesystem::create_directory(Path("out"));
  const std::u16string target = Wide(Path("out"));
  Dword count = 99;
  // Folders, "." and ".." are skipped; every file is copied.
  ASSERT_TRUE(FilesCopy(Wide(dir_ + "/*.*").c_str(), target.c_str(), 0, &count));
  EXPECT_EQ(count, 4u);
  for (const char* f : {"a.txt", "b.txt", "c.dat", "noext"})
    EXPECT_EQ(ReadFile(Path(std::string("out/") + f)), ReadFile(Path(f))) << f;
  EXPECT_FALSE(Exists(Path("out/sub")));
  // Mode 0 with every target present copies nothing.
  WriteFile("out/a.txt", "changed");
  ASSERT_TRUE(FilesCopy(Wide(dir_ + "/*.txt").c_str(), target.c_str(), 0, &count));
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(ReadFile(Path("out/a.txt")), "changed");
  // Mode 1 overwrites them.
  ASSERT_TRUE(FilesCopy(Wide(dir_ + "/*.txt").c_str(), target.c_str(), 1, &count));
  EXPECT_EQ(count, 2u);
  EXPECT_EQ(ReadFile(Path("out/a.txt")), "alpha");
}

struct Decision {
  static inline std::set<std::string> asked;
  static unsigned char OnlyB(const char16_t* target) {
    const std::string path = Utf8(target);
    asked.insert(path);
    return path.size() >= 5 && path.compare(path.size() - 5, 5, "b.txt") == 0;
  }
};

TEST_F(DirSearchTest, PatternCopyAsksTheDecisionFunction) {
  std::filesystem::create_directory(Path("out"));
  WriteFile("out/a.txt", "old a");
  WriteFile("out/b.txt", "old b");
  Decision::asked.clear();
  Dword count = 0;
  ASSERT_TRUE(FilesCopy(Wide(dir_ + "/*.txt").c_str(), Wide(Path("out")).c_str(),
                        reinterpret_cast<Qword>(&Decision::OnlyB), &count));
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(Decision::asked, (std::set<std::string>{Path("out/a.txt"), Path("out/b.txt")}));
  EXPECT_EQ(ReadFile(Path("out/a.txt")), "old a");
  EXPECT_EQ(ReadFile(Path("out/b.txt")), "bravo!");
}

TEST_F(DirSearchTest, PatternCopyStopsAtAFailedCopy) {
  Dword count = 0;
  EXPECT_FALSE(FilesCopy(Wide(dir_ + "/*.txt").c_str(), Wide(Path("nowhere")).c_str(), 1, &count));
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(LibLastError, Dword{kErrMissingFile});
}

TEST_F(DirSearchTest, PatternDelete) {
  Dword count = 0;
  EXPECT_TRUE(FilesDelete(Wide(dir_ + "/*.txt").c_str(), &count));
  EXPECT_EQ(count, 2u);
  EXPECT_FALSE(Exists(Path("a.txt")));
  EXPECT_FALSE(Exists(Path("b.txt")));
  EXPECT_TRUE(Exists(Path("c.dat")));
  EXPECT_TRUE(Exists(Path("sub/inner.txt")));
  EXPECT_TRUE(FilesDelete(Wide(dir_ + "/*.none").c_str(), &count));
  EXPECT_EQ(count, 0u);
}

}  // namespace
