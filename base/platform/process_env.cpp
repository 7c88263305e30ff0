#include "base/platform/process_env.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <pwd.h>
#include <sched.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

bool IsFolder(const char* path) {
  struct stat st;
  return path && path[0] && stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

bool ReadWhole(const char* path, std::string* text) {
  FILE* file = std::fopen(path, "rb");
  if (!file) return false;
  text->clear();
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text->append(buffer, got);
  std::fclose(file);
  return true;
}

}  // namespace

bool WinEnvironmentVariable(const char* name, std::string* value) {
  const char* found = name ? getenv(name) : nullptr;
  if (!found) {
    errno = ENOENT;
    return false;
  }
  *value = found;
  return true;
}

Dword WinSetEnvironmentVariable(const char* name, const char* value) {
  if (!name || !name[0] || std::strchr(name, '=')) {
    errno = EINVAL;
    return 0;
  }
  return (value ? setenv(name, value, 1) : unsetenv(name)) == 0 ? 1 : 0;
}

bool WinCurrentFolder(std::string* folder) {
  std::vector<char> buffer(512);
  for (;;) {
    if (getcwd(buffer.data(), buffer.size())) {
      *folder = buffer.data();
      return true;
    }
    if (errno != ERANGE || buffer.size() > (1u << 20)) return false;
    buffer.resize(buffer.size() * 2);
  }
}

bool WinTempFolder(std::string* folder) {
  const char* tmp = getenv("TMPDIR");
  *folder = IsFolder(tmp) ? tmp : "/tmp";
  return true;
}

bool WinHomeFolder(std::string* folder) {
  const char* home = getenv("HOME");
  if (home && home[0]) {
    *folder = home;
    return true;
  }
  const struct passwd* entry = getpwuid(getuid());
  if (!entry || !entry->pw_dir) {
    errno = ENOENT;
    return false;
  }
  *folder = entry->pw_dir;
  return true;
}

bool WinDesktopFolder(std::string* folder) {
  const char* desktop = getenv("XDG_DESKTOP_DIR");
  if (IsFolder(desktop)) {
    *folder = desktop;
    return true;
  }
  if (!WinHomeFolder(folder)) return false;
  const std::string candidate = *folder + "/Desktop";
  if (IsFolder(candidate.c_str())) *folder = candidate;
  return true;
}

bool WinModuleFileName(std::string* path) {
  std::vector<char> buffer(512);
  for (;;) {
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return false;
    if (static_cast<size_t>(n) < buffer.size()) {
      path->assign(buffer.data(), static_cast<size_t>(n));
      return true;
    }
    if (buffer.size() > (1u << 20)) {
      errno = ENAMETOOLONG;
      return false;
    }
    buffer.resize(buffer.size() * 2);
  }
}

bool WinCommandLineArguments(std::string* arguments, bool whole) {
  std::string raw;
  if (!ReadWhole("/proc/self/cmdline", &raw)) return false;
  arguments->clear();
  size_t start = 0;
  bool first = true;
  while (start < raw.size()) {
    const size_t end = raw.find('\0', start);
    const std::string argument = raw.substr(start, end == std::string::npos ? end : end - start);
    if (whole) {
      if (!first) *arguments += ' ';
      *arguments += argument;
    } else if (!first && !argument.empty()) {
      *arguments += argument;
      *arguments += ' ';
    }
    first = false;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return true;
}

Dword WinCreateFolder(const char* path) {
  if (!path) {
    errno = ENOENT;
    return 0;
  }
  return mkdir(path, 0777) == 0 ? 1 : 0;
}

Dword WinCreateTemporaryFile(const char* folder, const char* prefix, std::string* path) {
  std::string pattern = folder ? folder : "";
  if (!pattern.empty() && pattern.back() != '/') pattern += '/';
  pattern += prefix ? prefix : "";
  pattern += "XXXXXX";
  const int fd = mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) return 0;
  close(fd);
  *path = pattern;
  return 1;
}

bool WinPathExists(const char* path) {
  struct stat st;
  return path && lstat(path, &st) == 0;
}

bool WinIsRegularFile(const char* path) {
  struct stat st;
  return path && stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

void* WinLoadModule(const char* name) {
  if (!name || !name[0]) return nullptr;
  return dlopen(name, RTLD_NOW | RTLD_LOCAL);
}

void* WinModuleHandle(const char* name) {
  void* module =
      !name || !name[0] ? dlopen(nullptr, RTLD_NOW) : dlopen(name, RTLD_NOW | RTLD_NOLOAD);
  // A handle query takes no reference: the module stays as loaded as it was.
  if (module) dlclose(module);
  return module;
}

Dword WinFreeModule(void* module) { return module && dlclose(module) == 0 ? 1 : 0; }

void* WinProcAddress(void* module, const char* name) {
  if (!name) return nullptr;
  return dlsym(module ? module : RTLD_DEFAULT, name);
}

Dword WinProcessors(Dword* mask) {
  const auto online = sysconf(_SC_NPROCESSORS_ONLN);
  cpu_set_t set;
  CPU_ZERO(&set);
  Dword low = 0;
  if (sched_getaffinity(0, sizeof set, &set) == 0)
    for (int cpu = 0; cpu < 32; ++cpu)
      if (CPU_ISSET(cpu, &set)) low |= Dword{1} << cpu;
  if (mask) *mask = low;
  return online > 0 ? static_cast<Dword>(online) : 1;
}

namespace {

void SplitSearchPath(const std::string& list, std::vector<std::string>* folders) {
  size_t start = 0;
  for (;;) {
    const size_t end = list.find_first_of(":;", start);
    folders->push_back(list.substr(start, end == std::string::npos ? end : end - start));
    if (end == std::string::npos) return;
    start = end + 1;
  }
}

}  // namespace

bool WinSearchPath(const char* search_path, const char* name, std::string* found) {
  if (!name || !name[0]) {
    errno = ENOENT;
    return false;
  }
  std::vector<std::string> candidates;
  if (std::strchr(name, '/')) {
    candidates.push_back(name);
  } else {
    std::vector<std::string> folders;
    if (search_path) {
      SplitSearchPath(search_path, &folders);
    } else {
      std::string exe, cwd, path;
      if (WinModuleFileName(&exe)) folders.push_back(exe.substr(0, exe.rfind('/') + 1));
      if (WinCurrentFolder(&cwd)) folders.push_back(cwd);
      if (WinEnvironmentVariable("PATH", &path)) SplitSearchPath(path, &folders);
    }
    for (const std::string& folder : folders) {
      if (folder.empty()) continue;  // an empty entry names no folder
      candidates.push_back(folder + (folder.back() == '/' ? "" : "/") + name);
    }
  }
  for (std::string& candidate : candidates) {
    if (!WinPathExists(candidate.c_str())) continue;
    if (candidate[0] != '/') {
      std::string cwd;
      if (!WinCurrentFolder(&cwd)) return false;
      candidate = cwd + (cwd.back() == '/' ? "" : "/") + candidate;
    }
    *found = candidate;
    return true;
  }
  errno = ENOENT;
  return false;
}
