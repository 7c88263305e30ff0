// Whole-file reads, safe writes and the ".backup" copies.
#include "app/core/bruker_files.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace {

class BrukerFiles : public TempFolderTest {};

TEST_F(BrukerFiles, PathParts) {
  EXPECT_EQ(BrukerFolderOf("/a/b/fid"), "/a/b/");
  EXPECT_EQ(BrukerNameOf("/a/b/fid"), "fid");
  EXPECT_EQ(BrukerFolderOf("fid"), "");
  EXPECT_EQ(BrukerNameOf("fid"), "fid");
  EXPECT_EQ(BrukerJoin("/a/b", "acqus"), "/a/b/acqus");
  EXPECT_EQ(BrukerJoin("/a/b/", "acqus"), "/a/b/acqus");
}

TEST_F(BrukerFiles, ReadWholeFile) {
  WriteFile("data", std::string("ab\0cd", 5));
  std::string bytes;
  EXPECT_EQ(BrukerReadWholeFile(Path("data"), 100, &bytes), 0u);
  EXPECT_EQ(bytes, std::string("ab\0cd", 5));
  EXPECT_EQ(BrukerReadWholeFile(Path("data"), 4, &bytes), 17u);
  EXPECT_EQ(BrukerReadWholeFile(Path("none"), 100, &bytes), 56u);
  EXPECT_EQ(BrukerReadWholeFile(dir_, 100, &bytes), 56u);  // a folder is no file
}

TEST_F(BrukerFiles, SafeWriteReplacesTheWholeFileAndLeavesNoTemporaryFile) {
  WriteFile("acqus", std::string(5000, 'x'));
  ASSERT_EQ(BrukerWriteFileSafely(Path("acqus"), "new"), 0u);
  EXPECT_EQ(ReadFile(Path("acqus")), "new");
  ASSERT_EQ(BrukerWriteFileSafely(Path("fresh"), std::string("\0\1", 2)), 0u);
  EXPECT_EQ(ReadFile(Path("fresh")), std::string("\0\1", 2));
  int count = 0;
  for (auto& e : std::filesystem::directory_iterator(dir_)) {
    (void)e;
    ++count;
  }
  EXPECT_EQ(count, 2);
  EXPECT_EQ(BrukerWriteFileSafely(Path("missing/folder/x"), "y"), 48u);
}

TEST_F(BrukerFiles, BackupKeepsTheFirstCopy) {
  EXPECT_EQ(BrukerBackupOnce(Path("fid")), 0u);  // nothing to keep
  EXPECT_FALSE(Exists(Path("fid.backup")));
  WriteFile("fid", "first");
  EXPECT_EQ(BrukerBackupOnce(Path("fid")), 0u);
  EXPECT_EQ(ReadFile(Path("fid.backup")), "first");
  WriteFile("fid", "second");
  EXPECT_EQ(BrukerBackupOnce(Path("fid")), 0u);
  EXPECT_EQ(ReadFile(Path("fid.backup")), "first");
}

}  // namespace

namespace {

TEST_F(BrukerFiles, SafeWriteKeepsTheUsualPermissions) {
  ASSERT_EQ(BrukerWriteFileSafely(Path("new"), "x"), 0u);
  struct stat st;
  ASSERT_EQ(stat(Path("new").c_str(), &st), 0);
  const mode_t mask = umask(0);
  umask(mask);
  EXPECT_EQ(st.st_mode & 0777, 0666u & ~mask);
  // A leftover file of an interrupted write does not stop the next one.
  WriteFile("new.pelorin-0", "stale");
  ASSERT_EQ(BrukerWriteFileSafely(Path("new"), "y"), 0u);
  EXPECT_EQ(ReadFile(Path("new")), "y");
}

}  // namespace
