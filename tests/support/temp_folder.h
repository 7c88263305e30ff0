// A fresh temporary folder per test, removed with everything in it.
#pragma once
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/errors.h"
#include "base/platform/ui_hooks.h"

class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && tmp[0] ? tmp : "/tmp") + "/veltria-files-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    UiHooksInstall(nullptr);
    LibLastError = 0;
  }
  void TearDown() override {
    UiHooksInstall(nullptr);
    std::error_code ignored;
    // Read-only files inside must not stop the clean-up.
    for (auto& entry : std::filesystem::recursive_directory_iterator(dir_, ignored))
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(dir_, ignored);
  }
  // The path of a name inside the folder.
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  void WriteFile(const std::string& name, const std::string& bytes) const {
    std::ofstream out(Path(name), std::ios::binary);
    out << bytes;
  }
  std::string ReadFile(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool Exists(const std::string& path) const {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
  }
  std::string dir_;
};

// UTF-16 text from ASCII.
inline std::u16string Wide(const std::string& text) {
  return std::u16string(text.begin(), text.end());
}
