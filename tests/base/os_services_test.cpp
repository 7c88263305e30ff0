#include "base/os_services.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "base/files.h"
#include "base/memory.h"
#include "base/time.h"
#include "base/utf.h"
#include "support/temp_folder.h"

namespace {

std::string Utf8(char16_t* text) {
  char* utf8 = NewUtf8FromUtf16(text);
  std::string out = text ? (utf8 ? utf8 : "") : "<null>";
  KillStringA(&utf8);
  KillString(&text);
  return out;
}
std::string Take8(char* text) {
  std::string out = text ? text : "<null>";
  KillStringA(&text);
  return out;
}

class OsServicesTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    const char* tmp = std::getenv("TMPDIR");
    had_tmpdir_ = tmp != nullptr;
    saved_tmpdir_ = tmp ? tmp : "";
    const char* path = std::getenv("PATH");
    saved_path_ = path ? path : "";
  }
  void TearDown() override {
    if (had_tmpdir_)
      setenv("TMPDIR", saved_tmpdir_.c_str(), 1);
    else
      unsetenv("TMPDIR");
    setenv("PATH", saved_path_.c_str(), 1);
    TempFolderTest::TearDown();
  }
  bool had_tmpdir_ = false;
  std::string saved_tmpdir_, saved_path_;
};

TEST_F(OsServicesTest, SystemStrings) {
  setenv("TMPDIR", dir_.c_str(), 1);
  EXPECT_EQ(Utf8(OsStringNewCopy(kOsTempFolder)), dir_ + "/");
  EXPECT_EQ(Take8(OsStringNewCopyA(kOsTempFolder)), dir_ + "/");
  EXPECT_EQ(Utf8(OsStringNewCopy(kOsCurrentFolder)),
            std::filesystem::current_path().string() + "/");
  const std::string exe = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::string folder = exe.substr(0, exe.rfind('/') + 1);
  const std::string name = exe.substr(exe.rfind('/') + 1);
  EXPECT_EQ(Utf8(OsStringNewCopy(kOsExecutablePath)), exe);
  EXPECT_EQ(Utf8(OsStringNewCopy(kOsExecutableFolder)), folder);
  EXPECT_EQ(Utf8(OsStringNewCopy(kOsExecutableName)), name);
  EXPECT_EQ(Take8(OsStringNewCopyA(kOsExecutableTitle)), name.substr(0, name.rfind('.')));
  EXPECT_EQ(LibLastError, 0u);
  // No Windows or system folder here: null with the missing-folder code.
  EXPECT_EQ(OsStringNewCopy(kOsWindowsFolder), nullptr);
  EXPECT_EQ(LibLastError, Dword{kErrMissingFolder});
  EXPECT_EQ(OsStringNewCopyA(kOsSystemFolder), nullptr);
  EXPECT_EQ(OsStringNewCopy(11), nullptr);
  EXPECT_EQ(OsStringNewCopy(0), nullptr);
  const std::string desktop = Utf8(OsStringNewCopy(kOsDesktopFolder));
  EXPECT_EQ(desktop.back(), '/');
  EXPECT_TRUE(std::filesystem::is_directory(desktop));
}

TEST_F(OsServicesTest, CommandLine) {
  // The arguments as /proc/self/cmdline holds them, read independently.
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  std::vector<std::string> args;
  std::string arg;
  while (std::getline(in, arg, '\0')) args.push_back(arg);
  std::string after, whole;
  for (size_t i = 0; i < args.size(); ++i) {
    if (i && !args[i].empty()) after += args[i] + " ";
    whole += (i ? " " : "") + args[i];
  }
  EXPECT_EQ(Utf8(OsStringNewCopy(kOsCommandLine)), after.empty() ? "<null>" : after);
  EXPECT_EQ(Take8(OsStringNewCopyA(kOsCommandLine)), whole);
}

TEST_F(OsServicesTest, TemporaryFilesAndFolders) {
  setenv("TMPDIR", dir_.c_str(), 1);
  const std::string made = Utf8(NewCreateTemporaryFile(nullptr, u"vel", 0));
  EXPECT_EQ(made.rfind(dir_ + "/vel", 0), 0u) << made;
  EXPECT_TRUE(std::filesystem::is_regular_file(made));
  EXPECT_EQ(std::filesystem::file_size(made), 0u);
  const std::string second = Utf8(NewCreateTemporaryFile(Wide(dir_).c_str(), u"vel", 0));
  EXPECT_NE(second, made);
  const std::string named = Utf8(NewCreateTemporaryFile(Wide(dir_).c_str(), u"p", 0x1A2B));
  EXPECT_EQ(named, dir_ + "/p1A2B.tmp");
  EXPECT_FALSE(Exists(named));
  EXPECT_EQ(NewCreateTemporaryFile(Wide(Path("none")).c_str(), u"p", 0), nullptr);
  EXPECT_EQ(LibLastError, Dword{kErrMissingFile});

  EXPECT_EQ(OsCreateFolder(Wide(Path("new")).c_str()), 0u);
  EXPECT_TRUE(std::filesystem::is_directory(Path("new")));
  EXPECT_EQ(OsCreateFolderA(Path("new").c_str()), Dword{kErrFileSystem});
  EXPECT_EQ(OsCreateFolderA(Path("a/b").c_str()), Dword{kErrMissingFile});
  EXPECT_EQ(LibLastError, Dword{kErrMissingFile});
}

TEST_F(OsServicesTest, EnvironmentVariables) {
  const std::string value64(64, 'v');
  EXPECT_TRUE(OsSetEnvironmentVariableA("VELTRIA_T", value64.c_str()));
  EXPECT_EQ(Take8(OsEnvironmentVariableNewCopyA("VELTRIA_T")), value64);
  EXPECT_TRUE(OsSetEnvironmentVariable(u"VELTRIA_T", u"caf\u00e9"));
  EXPECT_STREQ(std::getenv("VELTRIA_T"), "caf\xC3\xA9");
  EXPECT_EQ(Utf8(OsEnvironmentVariableNewCopy(u"VELTRIA_T")), "caf\xC3\xA9");
  EXPECT_TRUE(OsSetEnvironmentVariableA("VELTRIA_T", nullptr));
  EXPECT_EQ(std::getenv("VELTRIA_T"), nullptr);
  EXPECT_EQ(OsEnvironmentVariableNewCopyA("VELTRIA_T"), nullptr);
  EXPECT_EQ(LibLastError, Dword{ENOENT});  // the raw system error
  EXPECT_FALSE(OsSetEnvironmentVariableA("A=B", "x"));
  EXPECT_EQ(LibLastError, Dword{EINVAL});
  setenv("VELTRIA_T", "", 1);
  EXPECT_EQ(OsEnvironmentVariableNewCopyA("VELTRIA_T"), nullptr);
  unsetenv("VELTRIA_T");
}

TEST_F(OsServicesTest, ModulesAndProcedures) {
  void* libm = OsLoadModuleA("libm.so.6");
  ASSERT_NE(libm, nullptr);
  auto cosine = reinterpret_cast<double (*)(double)>(OsProcAddress("cos", libm));
  ASSERT_NE(cosine, nullptr);
  EXPECT_EQ(cosine(0.5), std::cos(0.5));
  // A leading underscore too many is dropped; one too few is added.
  EXPECT_EQ(OsProcAddress("_cos", libm), reinterpret_cast<void*>(cosine));
  void* libc = OsModuleHandleA("libc.so.6", 0);
  ASSERT_NE(libc, nullptr);
  EXPECT_NE(OsProcAddress("_libc_start_main", libc), nullptr);
  EXPECT_EQ(OsProcAddress("_libc_start_main", libc), OsProcAddress("__libc_start_main", libc));
  EXPECT_EQ(OsProcAddress("no_such_procedure_anywhere", libm), nullptr);
  EXPECT_NE(OsOsProcAddress("malloc"), nullptr);
  EXPECT_NE(OsModuleHandle(nullptr, 0), nullptr);
  EXPECT_EQ(OsModuleHandleA("libveltria_absent.so", 0), nullptr);
  EXPECT_EQ(OsModuleHandleA("libveltria_absent.so", 1), nullptr);
  EXPECT_EQ(OsFreeModule(&libm), 1);
  EXPECT_EQ(libm, nullptr);
  EXPECT_EQ(OsFreeModule(&libm), 1);
  EXPECT_EQ(OsFreeModule(nullptr), 1);
  EXPECT_EQ(OsNoEmailsToMs(u"Pelorin"), 0);
}

TEST_F(OsServicesTest, HandlesAndBuffers) {
  Qlong h = FileOpenA(Path("h").c_str(), 0x1);
  ASSERT_NE(h, -1);
  EXPECT_TRUE(OsFlushFileOrPortBuffers(h));
  EXPECT_EQ(OsKillHandle(&h), 1);
  EXPECT_EQ(h, -1);
  EXPECT_EQ(OsKillHandle(&h), 0);
  EXPECT_EQ(LibLastError, Dword{EBADF});
  EXPECT_FALSE(OsFlushFileOrPortBuffers(h));
  Qlong none = 0;
  EXPECT_EQ(OsKillHandle(&none), 1);
  EXPECT_EQ(OsKillHandle(nullptr), 1);
}

class ShellTest : public OsServicesTest {
 protected:
  // A stub xdg-open first on PATH that records its one argument.
  void Stub(int exit_code) {
    std::filesystem::create_directories(Path("bin"));
    WriteFile("bin/xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > '" + Path("opened") + "'\nexit " +
                                  std::to_string(exit_code) + "\n");
    chmod(Path("bin/xdg-open").c_str(), 0755);
    setenv("PATH", (Path("bin") + ":" + saved_path_).c_str(), 1);
    std::filesystem::remove(Path("opened"));
  }
  std::string Opened() { return Exists(Path("opened")) ? ReadFile(Path("opened")) : "<none>"; }
};

TEST_F(ShellTest, OpenLinksAndMail) {
  Stub(0);
  struct Row {
    const char* address;
    const char* opened;
  };
  const Row urls[] = {
      {"http://example.org/a b", "http://example.org/a b"},
      {"https://x", "https://x"},  // a secure link stays as it is
      {"ftp://host/file", "ftp://host/file"},
      {"example.org", "http://example.org"},
      {"HTTP//odd", "http://HTTP//odd"},
      {"a;rm -rf ~", "http://a;rm -rf ~"},  // no shell sees the text
  };
  for (const Row& r : urls) {
    std::filesystem::remove(Path("opened"));
    EXPECT_EQ(OsOpenUrlA(r.address), 0u) << r.address;
    EXPECT_EQ(Opened(), r.opened);
    std::filesystem::remove(Path("opened"));
    EXPECT_EQ(OsOpenUrl(Wide(r.address).c_str()), 0u);
    EXPECT_EQ(Opened(), r.opened);
  }
  std::filesystem::remove(Path("opened"));
  EXPECT_EQ(OsMailToA("a@b.org", "Hi there"), 0u);
  EXPECT_EQ(Opened(), "mailto:a@b.org?subject=Hi there");
  EXPECT_EQ(OsMailTo(u"mailto:c@d.org", nullptr), 0u);
  EXPECT_EQ(Opened(), "mailto:c@d.org");
  EXPECT_EQ(OsMailTo(u"", u"x"), Dword{kErrMissingArguments});
  EXPECT_EQ(OsMailToA(nullptr, "x"), Dword{kErrMissingArguments});
  EXPECT_EQ(OsShellOpen(Wide(Path("doc.svg")).c_str()), 0u);
  EXPECT_EQ(Opened(), Path("doc.svg"));
}

TEST_F(ShellTest, RefusalIsCode4) {
  Stub(3);
  EXPECT_EQ(OsShellOpenA(Path("doc.svg").c_str()), Dword{kErrShellCommand});
  EXPECT_EQ(Opened(), Path("doc.svg"));
  setenv("PATH", Path("empty").c_str(), 1);  // no opener at all
  EXPECT_EQ(OsShellOpenA("x"), Dword{kErrShellCommand});
}

TEST_F(OsServicesTest, ClipboardRoundTrips) {
  EXPECT_EQ(OsTextToClipboard(u"Gr\u00fc\u00dfe \U0001D11E"), 0u);
  EXPECT_EQ(LibLastError, 0u);
  char16_t* back = NewOsTextFromClipboard();
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(std::u16string(back), u"Gr\u00fc\u00dfe \U0001D11E");
  KillString(&back);
  EXPECT_EQ(Take8(NewOsTextFromClipboardA()),
            "Gr\xC3\xBC\xC3\x9F"
            "e \xF0\x9D\x84\x9E");
  EXPECT_EQ(OsTextToClipboardA("plain"), 0u);
  EXPECT_EQ(Utf8(NewOsTextFromClipboard()), "plain");
}

struct MessageScript {
  static inline std::vector<std::string> shown;
  static inline Long answer = 1;
  static inline int pumps = 0;
  static Long Box(const std::string& title, const std::string& text, UiMessageType type) {
    shown.push_back(title + "|" + text + "|" + std::to_string(type));
    return answer;
  }
  static void Pump() { ++pumps; }
  static void Install(Long give) {
    shown.clear();
    answer = give;
    pumps = 0;
    UiHooks hooks{};
    hooks.message_box = Box;
    hooks.pump_messages = Pump;
    UiHooksInstall(&hooks);
  }
};

TEST_F(OsServicesTest, MessageBoxes) {
  MessageScript::Install(0);
  EXPECT_EQ(OsMessage(5, u"never", u"t"), -1);
  EXPECT_EQ(OsMessage(-1, u"never", u"t"), -1);
  EXPECT_TRUE(MessageScript::shown.empty());
  EXPECT_EQ(OsMessage(kOsQuestionYesNo, u"Sure?", u"Q"), 0);
  MessageScript::answer = -1;
  EXPECT_EQ(OsMessageA(kOsQuestionYesNoCancel, "Save?", "Q"), -1);
  MessageScript::answer = 1;
  EXPECT_EQ(OsMessageA(kOsWarning, "caf\xC3\xA9", nullptr), 1);
  EXPECT_EQ(OsMessagefA(kOsError, "%d files", 3), 1);
  EXPECT_EQ(OsMessagef(kOsInformation, u"%s", "done"), 1);
  const std::string exe = std::filesystem::read_symlink("/proc/self/exe").filename().string();
  const std::string title = exe.substr(0, exe.rfind('.'));
  EXPECT_EQ(MessageScript::shown,
            (std::vector<std::string>{"Q|Sure?|3", "Q|Save?|4", title + "|caf\xC3\xA9|1",
                                      title + "|3 files|2", title + "|done|0"}));
}

TEST_F(OsServicesTest, WaitPumpsAndPollsTheSessionClock) {
  MessageScript::Install(1);
  EXPECT_EQ(tOsWaitInMs(0, 1), 0u);
  EXPECT_EQ(MessageScript::pumps, 0);
  const Qword before = tOsSessionTimeInMs();
  EXPECT_GE(tOsWaitInMs(15, 0), 1u);
  EXPECT_GE(tOsSessionTimeInMs() - before, 15u);
  EXPECT_EQ(tOsWaitInMs(5, 1), 0u);  // the toolkit does not count its events
  EXPECT_GE(MessageScript::pumps, 1);
  EXPECT_EQ(OsProcessQueuedMessages(), 0u);
}

TEST_F(OsServicesTest, WhatThisPlatformLacks) {
  Long a = 11, b = 12, c = 13, d = 14;
  EXPECT_EQ(OsActiveWindow(), 0u);
  EXPECT_EQ(OsForegroundWindow(), 0u);
  EXPECT_EQ(OsDesktopWindow(), 0u);
  EXPECT_FALSE(OsWindowLocAndSize(0, &a, &b, &c, &d, 1));
  EXPECT_FALSE(OsActiveWindowLocAndSize(&a, &b, &c, &d, 0));
  EXPECT_FALSE(DesktopSize(&a, &b));
  EXPECT_EQ(a + b + c + d, 50);  // nothing written
  Dword bits = 9, planes = 9;
  EXPECT_EQ(OsDesktopColors(&bits, &planes), 0);
  EXPECT_EQ(OsIsWindowPresentA("Pelorin"), ~Qword{0});
  Dword mask = 9;
  EXPECT_EQ(OsDiskDrives(&mask), 0u);
  EXPECT_EQ(mask, 0u);
  EXPECT_EQ(OsProcessors(&mask), std::thread::hardware_concurrency());
  EXPECT_NE(mask, 0u);
  EXPECT_EQ(OsBeep(10, 440), 1);
}

}  // namespace
