#include "base/os_process.h"

#include <cerrno>
#include <string>
#include <vector>

#include "base/command_line.h"
#include "base/errors.h"
#include "base/memory.h"
#include "base/os_services.h"
#include "base/path_text.h"
#include "base/paths.h"
#include "base/platform/last_error.h"
#include "base/platform/os_objects.h"
#include "base/platform/process.h"
#include "base/string_groom.h"
#include "base/strings.h"

namespace {

// A handle that names nothing: null or the library's closed value.
bool NoHandle(Qlong handle) { return handle == 0 || handle == -1; }

}  // namespace

VELTRIA_API OsProcess* OsProcessLaunch(char16_t* command_line, const char16_t* folder) {
  std::vector<std::string> argv;
  if (!SplitCommandLine(Utf8String(command_line), &argv)) {
    WinSetLastError(ENOMEM);
    return nullptr;
  }
  Dword error = 0;
  OsProcess* record = NewArrFill<OsProcess>(&error, 1);
  if (!record) {
    WinSetLastError(ENOMEM);
    return nullptr;
  }
  *record = OsProcess{-1, -1, 0, 0, kStillActive};
  if (!WinProcessLaunch(argv, Utf8String(folder), &record->process, &record->thread,
                        &record->process_id)) {
    WinFetchLastError();
    KillPtr(&record);
    return nullptr;
  }
  record->thread_id = record->process_id;  // the first thread's id is the process id
  WinSetLastError(0);
  return record;
}

VELTRIA_API Long OsProcessTest(OsProcess* process) {
  if (!process) return -3;
  if (NoHandle(process->process)) return -2;
  Dword code = 0;
  if (!WinProcessTest(process->process, &code)) return -1;
  process->exit_code = code;
  return code == kStillActive ? 0 : 1;
}

VELTRIA_API Long OsProcessWaitForTermination(OsProcess* process) {
  if (!process) return -3;
  if (NoHandle(process->process)) return -2;
  if (!WinProcessWaitForTermination(process->process)) return -1;
  return OsProcessTest(process);
}

VELTRIA_API void OsProcessDetach(OsProcess** process) {
  if (!process || !*process) return;
  OsKillHandle(&(*process)->thread);
  OsKillHandle(&(*process)->process);
  KillPtr(process);
}

VELTRIA_API unsigned char OsProcessTimes(Qlong process, FILETIME* creation, FILETIME* exit,
                                         FILETIME* kernel, FILETIME* user) {
  if (!creation || !exit || !kernel || !user) return 0;
  return WinProcessTimes(process, creation, exit, kernel, user) ? 1 : 0;
}

VELTRIA_API Qlong OsCurrentProcess(Dword* process_id) { return WinCurrentProcess(process_id); }

VELTRIA_API Long OsRunApplication(const char16_t* application, const char16_t* folder,
                                  Qword ignored, Long quiet, Dword* exit_code) {
  (void)ignored;
  char16_t* desktop = OsStringNewCopy(kOsDesktopFolder);
  char16_t* path = nullptr;
  if (application) {
    path = NewCopyString(application, 0, ~Qword{0});
  } else {
    path = NewOsFileSelectDialog(u"Specify an application to run", desktop, u"exe",
                                 u"Executable files (*.exe,*.com)|*.exe;*.com;*.cmd|",
                                 kDialogMustExist, 0, nullptr);
    if (!path) {
      KillString(&desktop);
      return -1;
    }
  }
  Long result = 1;
  if (path) {
    StringGroom(path, 0);
    // The path goes between double quotes unless it brings its own.
    std::u16string line =
        path[0] == u'"' ? std::u16string(path) : u"\"" + std::u16string(path) + u"\"";
    char16_t* work = (folder && folder[0]) ? NewCopyString(folder, 0, ~Qword{0}) : nullptr;
    OsProcess* process = OsProcessLaunch(line.data(), work);
    if (process) {
      if (exit_code && OsProcessWaitForTermination(process) > 0) *exit_code = process->exit_code;
      OsProcessDetach(&process);
      result = 0;
    } else if (!quiet) {
      const std::u16string text = u"Failed to launch\n" + std::u16string(path);
      OsMessage(kOsWarning, text.c_str(), nullptr);
    }
    KillString(&work);
  }
  KillString(&path);
  KillString(&desktop);
  return result;
}
