// The process and its environment on POSIX: environment variables, the
// current, temporary, home and desktop folders, the executable, the command
// line, folder creation, temporary files, shared modules and processors.
// Texts are UTF-8; a failure leaves errno.
#pragma once
#include <string>

#include "base/types.h"

// The value, or false when the variable is absent (errno ENOENT).
bool WinEnvironmentVariable(const char* name, std::string* value);
// A null value removes the variable; 1/0.
Dword WinSetEnvironmentVariable(const char* name, const char* value);

bool WinCurrentFolder(std::string* folder);
// $TMPDIR when it names a folder, else /tmp.
bool WinTempFolder(std::string* folder);
// $HOME, else the password database's home folder.
bool WinHomeFolder(std::string* folder);
// $XDG_DESKTOP_DIR, else ~/Desktop when it exists, else the home folder.
bool WinDesktopFolder(std::string* folder);
// The executable's full path (/proc/self/exe).
bool WinModuleFileName(std::string* path);
// The arguments after the program name, and the whole command line with
// its arguments separated by blanks (/proc/self/cmdline).
bool WinCommandLineArguments(std::string* arguments, bool whole);

Dword WinCreateFolder(const char* path);
// A new empty file of a unique name "<folder>/<prefix>XXXXXX"; 1/0.
Dword WinCreateTemporaryFile(const char* folder, const char* prefix, std::string* path);
// True when the path names anything.
bool WinPathExists(const char* path);
// True when the path names a regular file.
bool WinIsRegularFile(const char* path);

// Shared modules: handles are the loader's; null on failure.
void* WinLoadModule(const char* name);
// The executable's own module (null name) or an already loaded one.
void* WinModuleHandle(const char* name);
Dword WinFreeModule(void* module);
// The symbol in the module, or in every loaded module when module is null.
void* WinProcAddress(void* module, const char* name);

// Number of processors online; the low 32 bits of this process's affinity.
Dword WinProcessors(Dword* mask);

// The file along a search path: the folders of `search_path` (separated by
// ':' or ';'), or with null the executable's folder, the current folder and
// $PATH. A name with a '/' is taken as it stands. The absolute path found,
// or false with errno ENOENT.
bool WinSearchPath(const char* search_path, const char* name, std::string* found);
