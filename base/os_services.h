// Operating-system services: windows and the desktop, beeps and message
// boxes, system folders and strings, temporary files, folders, environment
// variables, modules and procedure addresses, the shell's "open" for
// documents, links and mail, clipboard text, drives and processors.
// What this platform lacks answers with the operation's failure result;
// base/platform/README.md lists those answers. Returned texts are new
// strings (KillString / KillStringA).
#pragma once
#include "base/types.h"

// Codes of OsStringNewCopy.
enum OsStringId : Dword {
  kOsWindowsFolder = 1,  // none on this platform: null
  kOsSystemFolder = 2,   // none on this platform: null
  kOsDesktopFolder = 3,
  kOsTempFolder = 4,
  kOsCurrentFolder = 5,
  kOsExecutablePath = 6,
  kOsExecutableFolder = 7,
  kOsExecutableName = 8,
  kOsExecutableTitle = 9,  // the name without extension; the default box title
  kOsCommandLine = 10,
};

// Types of OsMessage; answers 1 OK or Yes, 0 No, -1 otherwise.
enum : Long {
  kOsInformation = 0,
  kOsWarning = 1,
  kOsError = 2,
  kOsQuestionYesNo = 3,
  kOsQuestionYesNoCancel = 4,
};

VELTRIA_API Qword OsActiveWindow(void);
VELTRIA_API Qword OsForegroundWindow(void);
VELTRIA_API Qword OsDesktopWindow(void);
VELTRIA_API unsigned char OsWindowLocAndSize(Qword window, Long* left, Long* top, Long* height,
                                             Long* width, Dword flags);
VELTRIA_API unsigned char OsActiveWindowLocAndSize(Long* left, Long* top, Long* height, Long* width,
                                                   Dword flags);
VELTRIA_API unsigned char OsForegroundWindowLocAndSize(Long* left, Long* top, Long* height,
                                                       Long* width, Dword flags);
VELTRIA_API unsigned char DesktopSize(Long* first, Long* second);
VELTRIA_API Qlong OsDesktopColors(Dword* bits_per_pixel, Dword* planes);
VELTRIA_API Qword OsIsWindowPresent(const char16_t* title_prefix);
VELTRIA_API Qword OsIsWindowPresentA(const char* title_prefix);

VELTRIA_API Long OsBeep(Dword duration_ms, Dword frequency_hz);
VELTRIA_API Long OsMessage(Long type, const char16_t* text, const char16_t* title);
VELTRIA_API Long OsMessageA(Long type, const char* text, const char* title);
// The text from the library's formatter; the default title.
VELTRIA_API Long OsMessagef(Long type, const char16_t* format, ...);
VELTRIA_API Long OsMessagefA(Long type, const char* format, ...);
VELTRIA_API Dword OsProcessQueuedMessages(void);

VELTRIA_API char16_t* OsStringNewCopy(Dword id);
VELTRIA_API char* OsStringNewCopyA(Dword id);
VELTRIA_API char16_t* NewCreateTemporaryFile(const char16_t* folder, const char16_t* prefix,
                                             Dword unique);
VELTRIA_API Dword OsCreateFolder(const char16_t* path);
VELTRIA_API Dword OsCreateFolderA(const char* path);

VELTRIA_API char16_t* OsEnvironmentVariableNewCopy(const char16_t* name);
VELTRIA_API char* OsEnvironmentVariableNewCopyA(const char* name);
VELTRIA_API unsigned char OsSetEnvironmentVariable(const char16_t* name, const char16_t* value);
VELTRIA_API unsigned char OsSetEnvironmentVariableA(const char* name, const char* value);

VELTRIA_API void* OsLoadModule(const char16_t* name);
VELTRIA_API void* OsLoadModuleA(const char* name);
VELTRIA_API Long OsFreeModule(void** module);
VELTRIA_API void* OsModuleHandle(const char16_t* name, unsigned char load);
VELTRIA_API void* OsModuleHandleA(const char* name, unsigned char load);
VELTRIA_API void* OsProcAddress(const char* name, void* module);
VELTRIA_API void* OsOsProcAddress(const char* name);
VELTRIA_API Long OsNoEmailsToMs(const char16_t* application);

VELTRIA_API Long OsKillHandle(Qlong* handle);
VELTRIA_API unsigned char OsFlushFileOrPortBuffers(Qlong handle);

VELTRIA_API Dword OsShellOpen(const char16_t* target);
VELTRIA_API Dword OsShellOpenA(const char* target);
VELTRIA_API Dword OsOpenUrl(const char16_t* address);
VELTRIA_API Dword OsOpenUrlA(const char* address);
VELTRIA_API Dword OsMailTo(const char16_t* address, const char16_t* subject);
VELTRIA_API Dword OsMailToA(const char* address, const char* subject);

VELTRIA_API Dword OsTextToClipboard(const char16_t* text);
VELTRIA_API Dword OsTextToClipboardA(const char* text);
VELTRIA_API char16_t* NewOsTextFromClipboard(void);
VELTRIA_API char* NewOsTextFromClipboardA(void);

VELTRIA_API Dword OsDiskDrives(Dword* drive_mask);
VELTRIA_API Dword OsProcessors(Dword* mask);
