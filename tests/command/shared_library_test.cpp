// The program reaches the framework only through the shared library's
// exported LibCommand: the same commands, loaded as the program loads them.
#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <string>

#include "base/error_codes.h"
#include "command_fixture.h"

namespace {

std::string SharedLibraryPath() {
  char exe[PATH_MAX] = {};
  const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (n <= 0) return {};
  std::string path(exe, static_cast<size_t>(n));
  path = path.substr(0, path.rfind('/'));  // .../tests
  return path.substr(0, path.rfind('/')) + "/libveltria.so";
}

TEST(SharedLibraryTest, ExportedLibCommandRunsTheFrame) {
  const std::string path = SharedLibraryPath();
  if (access(path.c_str(), R_OK) != 0) GTEST_SKIP() << "shared library not built: " << path;
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  using Entry = KyAppRecord* (*)(Dword, KyAppRecord*);
  auto entry = reinterpret_cast<Entry>(dlsym(library, "LibCommand"));
  ASSERT_NE(entry, nullptr);

  KyAppRecord* record = entry(kKyCmdCreate, nullptr);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->command, 1u);
  ErrorTextArgs args{kErrUnknownCommand, nullptr, nullptr};
  record->argument = &args;
  EXPECT_EQ(entry(kKyCmdErrorTextA, record), record);
  EXPECT_EQ(record->error, 0u);
  EXPECT_STREQ(args.narrow, "Unknown command");
  EXPECT_EQ(entry(137, record), record);
  EXPECT_EQ(record->error, 10u);
  EXPECT_EQ(record->argument, &args);
  EXPECT_EQ(entry(kKyCmdFree, record), nullptr);
  dlclose(library);
}

}  // namespace
