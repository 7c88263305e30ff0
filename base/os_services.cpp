#include "base/os_services.h"

#include <cstdio>
#include <string>

#include "base/errors.h"
#include "base/path_text.h"
#include "base/paths.h"
#include "base/platform/file_io.h"
#include "base/platform/last_error.h"
#include "base/platform/os_objects.h"
#include "base/platform/process_env.h"
#include "base/platform/ui_hooks.h"
#include "base/string_core.h"

namespace {

// Ensures the closing separator of a folder text.
std::string AsFolder(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

// The UTF-8 text of a system string, or false (LibLastError then holds why).
bool SystemString(Dword id, bool wide, std::string* text) {
  std::string exe;
  switch (id) {
    case kOsWindowsFolder:
    case kOsSystemFolder:
      LibLastError = kErrMissingFolder;  // no such folders here
      return false;
    case kOsDesktopFolder:
      if (!WinDesktopFolder(text)) break;
      *text = AsFolder(*text);
      return true;
    case kOsTempFolder:
      if (!WinTempFolder(text)) break;
      *text = AsFolder(*text);
      return true;
    case kOsCurrentFolder:
      if (!WinCurrentFolder(text)) break;
      *text = AsFolder(*text);
      return true;
    case kOsExecutablePath:
    case kOsExecutableFolder:
    case kOsExecutableName:
    case kOsExecutableTitle: {
      if (!WinModuleFileName(&exe)) break;
      static constexpr Dword kPart[] = {0, kPathFolder, kPathName, kPathNameNoExtension};
      if (id == kOsExecutablePath) {
        *text = exe;
        return true;
      }
      char* part = NewFilePathFractionA(exe.c_str(), kPart[id - kOsExecutablePath]);
      if (!part) {
        LibLastError = kErrAlloc;
        return false;
      }
      *text = part;
      KillPtr(&part);
      return true;
    }
    case kOsCommandLine:
      if (!WinCommandLineArguments(text, !wide)) break;
      if (text->empty()) {
        LibLastError = 0;
        return false;
      }
      return true;
    default:
      return false;
  }
  FileSaveLastError();
  return false;
}

template <class Ch>
Ch* StringNewCopy(Dword id) {
  FileClearLastError();
  std::string text;
  if (!SystemString(id, sizeof(Ch) == 2, &text)) return nullptr;
  Ch* copy = NewTextFromUtf8<Ch>(text);
  if (!copy) LibLastError = kErrAlloc;
  return copy;
}

template <class Ch>
Dword CreateFolder(const Ch* path) {
  FileClearLastError();
  Utf8Path native(path);
  if (!native.ok()) return LibLastError = kErrAlloc;
  if (WinCreateFolder(native.get())) return 0;
  return FileSaveLastError();
}

template <class Ch>
Ch* EnvironmentVariable(const Ch* name) {
  WinSetLastError(0);
  const std::string wanted = Utf8String(name);
  std::string value;
  if (!WinEnvironmentVariable(wanted.c_str(), &value)) {
    WinFetchLastError();
    return nullptr;
  }
  if (value.empty()) return nullptr;
  return NewTextFromUtf8<Ch>(value);
}

template <class Ch>
unsigned char SetEnvironmentVariable(const Ch* name, const Ch* value) {
  WinSetLastError(0);
  const std::string key = Utf8String(name);
  const std::string text = Utf8String(value);
  if (WinSetEnvironmentVariable(key.c_str(), value ? text.c_str() : nullptr)) return 1;
  WinFetchLastError();
  return 0;
}

template <class Ch>
void* ModuleHandle(const Ch* name, unsigned char load) {
  if (!name || !name[0]) return WinModuleHandle(nullptr);
  const std::string wanted = Utf8String(name);
  void* module = WinModuleHandle(wanted.c_str());
  if (!module && load) module = WinLoadModule(wanted.c_str());
  return module;
}

// The procedure by its name, "_" and the name, or the name without its
// leading underscore, in this order.
void* ProcAddress(void* module, const char* name) {
  if (!name) return nullptr;
  if (void* address = WinProcAddress(module, name)) return address;
  constexpr size_t kRoom = 1024;  // the alternative names' buffer
  const std::string plain = name;
  if (plain.size() + 2 > kRoom) return nullptr;
  if (void* address = WinProcAddress(module, ("_" + plain).c_str())) return address;
  if (plain.size() > 1 && plain[0] == '_') return WinProcAddress(module, plain.c_str() + 1);
  return nullptr;
}

// The shell's "open" through the desktop's opener; 0 or 4.
Dword ShellOpen(const std::string& target) {
  WinSetLastError(0);
  if (!target.empty() && UiHooksGet().open_document(target)) return 0;
  WinFetchLastError();
  return kErrShellCommand;
}

// A text that already names its scheme ("https://", "ftp://", ...).
bool HasScheme(const std::string& text) {
  const size_t colon = text.find("://");
  if (colon == std::string::npos || colon == 0) return false;
  if (!str::IsLetter(text[0])) return false;
  for (size_t i = 1; i < colon; ++i) {
    const char c = text[i];
    if (!str::IsLetter(c) && !str::IsDigit(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

template <class Ch>
Dword OpenUrl(const Ch* address) {
  std::string url = Utf8String(address);
  // A web address without a scheme is taken for http; one with a scheme
  // (a secure one included) is opened as it stands.
  if (!HasScheme(url)) url = "http://" + url;
  return ShellOpen(url);
}

template <class Ch>
Dword MailTo(const Ch* address, const Ch* subject) {
  if (!address || !address[0]) return kErrMissingArguments;
  std::string link = Utf8String(address);
  if (link.rfind("mailto:", 0) != 0) link = "mailto:" + link;
  const std::string topic = Utf8String(subject);
  if (!topic.empty()) link += "?subject=" + topic;
  return ShellOpen(link);
}

template <class Ch>
Dword TextToClipboard(const Ch* text) {
  if (str::Len(text) * sizeof(Ch) > 0xFFFFFFFC) return kErrIllegalDataSize;
  WinSetLastError(0);
  return UiHooksGet().clipboard_set_text(Utf8String(text)) ? Dword{0} : Dword{kErrClipboardAccess};
}

template <class Ch>
Ch* TextFromClipboard() {
  std::string text;
  if (!UiHooksGet().clipboard_get_text(&text)) return nullptr;
  return NewTextFromUtf8<Ch>(text);
}

}  // namespace

// This platform has no windows of its own to report: every window query
// answers "none" and every geometry query fails without writing.
VELTRIA_API Qword OsActiveWindow(void) { return 0; }
VELTRIA_API Qword OsForegroundWindow(void) { return 0; }
VELTRIA_API Qword OsDesktopWindow(void) { return 0; }
VELTRIA_API unsigned char OsWindowLocAndSize(Qword, Long*, Long*, Long*, Long*, Dword) { return 0; }
VELTRIA_API unsigned char OsActiveWindowLocAndSize(Long* left, Long* top, Long* height, Long* width,
                                                   Dword flags) {
  return OsWindowLocAndSize(OsActiveWindow(), left, top, height, width, flags);
}
VELTRIA_API unsigned char OsForegroundWindowLocAndSize(Long* left, Long* top, Long* height,
                                                       Long* width, Dword flags) {
  return OsWindowLocAndSize(OsForegroundWindow(), left, top, height, width, flags);
}
VELTRIA_API unsigned char DesktopSize(Long* first, Long* second) {
  return OsWindowLocAndSize(OsDesktopWindow(), first, second, first, second, 0);
}
VELTRIA_API Qlong OsDesktopColors(Dword* bits_per_pixel, Dword* planes) {
  if (bits_per_pixel) *bits_per_pixel = 0;
  if (planes) *planes = 0;
  return 0;
}
// Other programs' windows cannot be enumerated here: the enumeration fails.
VELTRIA_API Qword OsIsWindowPresent(const char16_t*) { return ~Qword{0}; }
VELTRIA_API Qword OsIsWindowPresentA(const char*) { return ~Qword{0}; }

VELTRIA_API Long OsBeep(Dword duration_ms, Dword frequency_hz) {
  UiHooksGet().beep(frequency_hz, duration_ms);
  return 1;
}

template <class Ch>
static Long Message(Long type, const Ch* text, const Ch* title) {
  if (type < kOsInformation || type > kOsQuestionYesNoCancel) return -1;
  std::string heading;
  if (title) {
    heading = Utf8String(title);
  } else {
    const Dword saved = LibLastError;  // the box leaves LibLastError alone
    SystemString(kOsExecutableTitle, true, &heading);
    LibLastError = saved;
  }
  const UiHooks& hooks = UiHooksGet();
  hooks.beep(750, 100);
  const Long answer =
      hooks.message_box(heading, Utf8String(text), static_cast<UiMessageType>(type));
  return answer == 1 || answer == 0 ? answer : -1;
}
VELTRIA_API Long OsMessage(Long type, const char16_t* text, const char16_t* title) {
  return Message(type, text, title);
}
VELTRIA_API Long OsMessageA(Long type, const char* text, const char* title) {
  return Message(type, text, title);
}

// The toolkit handles its pending events but does not count them.
VELTRIA_API Dword OsProcessQueuedMessages(void) {
  UiHooksGet().pump_messages();
  return 0;
}

VELTRIA_API char16_t* OsStringNewCopy(Dword id) { return StringNewCopy<char16_t>(id); }
VELTRIA_API char* OsStringNewCopyA(Dword id) { return StringNewCopy<char>(id); }

VELTRIA_API char16_t* NewCreateTemporaryFile(const char16_t* folder, const char16_t* prefix,
                                             Dword unique) {
  FileClearLastError();
  std::string where;
  if (folder) {
    where = Utf8String(folder);
  } else if (!WinTempFolder(&where)) {
    FileSaveLastError();
    return nullptr;
  }
  const std::string start = Utf8String(prefix);
  std::string path;
  if (unique == 0) {
    if (!WinCreateTemporaryFile(where.c_str(), start.c_str(), &path)) {
      FileSaveLastError();
      return nullptr;
    }
  } else {
    // The name from the number; nothing is created.
    char number[16];
    std::snprintf(number, sizeof number, "%X", unique);
    path = AsFolder(where) + start + number + ".tmp";
  }
  char16_t* result = NewTextFromUtf8<char16_t>(path);
  if (!result) LibLastError = kErrAlloc;
  return result;
}

VELTRIA_API Dword OsCreateFolder(const char16_t* path) { return CreateFolder(path); }
VELTRIA_API Dword OsCreateFolderA(const char* path) { return CreateFolder(path); }

VELTRIA_API char16_t* OsEnvironmentVariableNewCopy(const char16_t* name) {
  return EnvironmentVariable(name);
}
VELTRIA_API char* OsEnvironmentVariableNewCopyA(const char* name) {
  return EnvironmentVariable(name);
}
VELTRIA_API unsigned char OsSetEnvironmentVariable(const char16_t* name, const char16_t* value) {
  return SetEnvironmentVariable(name, value);
}
VELTRIA_API unsigned char OsSetEnvironmentVariableA(const char* name, const char* value) {
  return SetEnvironmentVariable(name, value);
}

VELTRIA_API void* OsLoadModule(const char16_t* name) {
  return WinLoadModule(Utf8String(name).c_str());
}
VELTRIA_API void* OsLoadModuleA(const char* name) { return WinLoadModule(name); }
VELTRIA_API Long OsFreeModule(void** module) {
  if (!module || !*module) return 1;
  const Long released = static_cast<Long>(WinFreeModule(*module));
  *module = nullptr;
  return released;
}
VELTRIA_API void* OsModuleHandle(const char16_t* name, unsigned char load) {
  return ModuleHandle(name, load);
}
VELTRIA_API void* OsModuleHandleA(const char* name, unsigned char load) {
  return ModuleHandle(name, load);
}
VELTRIA_API void* OsProcAddress(const char* name, void* module) {
  if (!module || module == reinterpret_cast<void*>(~std::uintptr_t{0}))
    module = WinModuleHandle(nullptr);
  return ProcAddress(module, name);
}
// The modules already loaded into the process stand for the system's.
VELTRIA_API void* OsOsProcAddress(const char* name) { return ProcAddress(nullptr, name); }
// No error-reporting service to leave: nothing is loaded, the answer is 0.
VELTRIA_API Long OsNoEmailsToMs(const char16_t*) { return 0; }

VELTRIA_API Long OsKillHandle(Qlong* handle) {
  WinSetLastError(0);
  if (!handle || *handle == 0) return 1;
  const Qlong closing = *handle;
  *handle = -1;
  if (WinKillHandle(closing)) return 1;
  WinFetchLastError();
  return 0;
}

VELTRIA_API unsigned char OsFlushFileOrPortBuffers(Qlong handle) {
  FileClearLastError();
  if (WinFlushFileBuffers(handle)) return 1;
  FileSaveLastError();
  return 0;
}

VELTRIA_API Dword OsShellOpen(const char16_t* target) { return ShellOpen(Utf8String(target)); }
VELTRIA_API Dword OsShellOpenA(const char* target) { return ShellOpen(Utf8String(target)); }
VELTRIA_API Dword OsOpenUrl(const char16_t* address) { return OpenUrl(address); }
VELTRIA_API Dword OsOpenUrlA(const char* address) { return OpenUrl(address); }
VELTRIA_API Dword OsMailTo(const char16_t* address, const char16_t* subject) {
  return MailTo(address, subject);
}
VELTRIA_API Dword OsMailToA(const char* address, const char* subject) {
  return MailTo(address, subject);
}

VELTRIA_API Dword OsTextToClipboard(const char16_t* text) { return TextToClipboard(text); }
VELTRIA_API Dword OsTextToClipboardA(const char* text) { return TextToClipboard(text); }
VELTRIA_API char16_t* NewOsTextFromClipboard(void) { return TextFromClipboard<char16_t>(); }
VELTRIA_API char* NewOsTextFromClipboardA(void) { return TextFromClipboard<char>(); }

// POSIX has no drive letters: no drives.
VELTRIA_API Dword OsDiskDrives(Dword* drive_mask) {
  if (drive_mask) *drive_mask = 0;
  return 0;
}
VELTRIA_API Dword OsProcessors(Dword* mask) { return WinProcessors(mask); }
