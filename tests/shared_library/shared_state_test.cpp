// A program linked like the windowed program: against the shared library
// alone. The hook table it installs is the one the library calls, and the
// library's functions it calls live in the shared object, so there is one
// copy of every process-wide state.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/errors.h"
#include "base/files.h"
#include "base/os_services.h"
#include "base/platform/ui_hooks.h"
#include "framework/ky_app_record.h"

namespace {

Dword g_frequency = 0, g_duration = 0;
void RecordBeep(Dword frequency_hz, Dword duration_ms) {
  g_frequency = frequency_hz;
  g_duration = duration_ms;
}

std::string ObjectOf(const void* address) {
  Dl_info info{};
  if (!dladdr(address, &info) || !info.dli_fname) return "";
  return info.dli_fname;
}

TEST(SharedLibrary, InterfaceAndHooksLiveInTheLibrary) {
  for (const void* f :
       {reinterpret_cast<const void*>(&UiHooksInstall), reinterpret_cast<const void*>(&OsBeep),
        reinterpret_cast<const void*>(&FileSaveLastError)})
    EXPECT_NE(ObjectOf(f).find("libveltria.so"), std::string::npos) << ObjectOf(f);
}

// The host programs start their application information from the library's
// defaults instead of keeping copies of them.
TEST(SharedLibrary, ApplicationInformationDefaultsComeFromTheLibrary) {
  EXPECT_NE(ObjectOf(reinterpret_cast<const void*>(&KyAppInfoInit)).find("libveltria.so"),
            std::string::npos);
  KyAppInfo info;
  std::memset(&info, 0xA5, sizeof info);
  KyAppInfoInit(&info);
  EXPECT_EQ(info.text_capacity, 1024u);
  EXPECT_EQ(info.mode, 2u);
  EXPECT_EQ(info.app_version[0], 1u);
  EXPECT_EQ(info.app_version[1], 0u);
  EXPECT_EQ(info.app_version[2], 10u);
  EXPECT_EQ(info.title[0], 0);
  EXPECT_EQ(info.exe_name[0], 0);
  EXPECT_EQ(info.exe_folder[0], 0);
  EXPECT_EQ(info.draw_callback, nullptr);
  for (Dword v : info.lib_version) EXPECT_EQ(v, 0u);
  EXPECT_EQ(info.lib_version_text[0], 0);
}

TEST(SharedLibrary, ProgramAndLibraryShareOneHookTable) {
  UiHooks hooks = UiHooksFallback();
  hooks.beep = RecordBeep;
  UiHooksInstall(&hooks);
  EXPECT_EQ(OsBeep(250, 880), 1);  // the library sounds through the installed table
  EXPECT_EQ(g_frequency, 880u);
  EXPECT_EQ(g_duration, 250u);
  EXPECT_EQ(UiHooksGet().beep, &RecordBeep);
  UiHooksInstall(nullptr);
  EXPECT_NE(UiHooksGet().beep, &RecordBeep);
}

TEST(SharedLibrary, ProgramAndLibraryShareOneLastError) {
  FileClearLastError();
  EXPECT_LT(FileOpenA("/nonexistent-folder/none.txt", 0), 0);
  const Dword after_failure = FileSaveLastError();
  EXPECT_NE(after_failure, 0u);
  EXPECT_EQ(FileClearLastError(), 0u);
  EXPECT_EQ(FileSaveLastError(), 0u);
}

}  // namespace
