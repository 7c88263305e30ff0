#include "base/platform/temp_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/platform/descriptors.h"
#include "base/platform/file_fault.h"

namespace {

constexpr char kInfix[] = ".pelorin-";
constexpr char kSuffix[] = ".tmp";
constexpr size_t kRandomChars = 8;
constexpr int kAttempts = 64;

int Fd(Qlong handle) { return handle >= 0 && handle <= 0x7FFFFFFF ? static_cast<int>(handle) : -1; }

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

Qword Mix(Qword x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

// Eight letters or digits that differ between calls, processes and runs.
std::string RandomPart() {
  static Qword counter = 0;
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  Qword x = Mix(static_cast<Qword>(now.tv_nsec) ^ (static_cast<Qword>(now.tv_sec) << 30) ^
                (static_cast<Qword>(getpid()) << 20) ^ Mix(++counter));
  static const char kChars[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string out(kRandomChars, '0');
  for (char& c : out) {
    c = kChars[x % 36];
    x /= 36;
  }
  return out;
}

// The path still names the open file (a sweep may have removed the name
// between its creation and its lock).
bool StillNamed(int fd, const std::string& path) {
  struct stat by_fd, by_name;
  return fstat(fd, &by_fd) == 0 && lstat(path.c_str(), &by_name) == 0 &&
         by_fd.st_dev == by_name.st_dev && by_fd.st_ino == by_name.st_ino;
}

}  // namespace

bool WinTempFileNameOf(const char* name, const char* target_name) {
  const size_t n = std::strlen(target_name);
  const size_t infix = sizeof kInfix - 1, suffix = sizeof kSuffix - 1;
  if (std::strlen(name) != n + infix + kRandomChars + suffix) return false;
  if (std::strncmp(name, target_name, n) != 0) return false;
  if (std::strncmp(name + n, kInfix, infix) != 0) return false;
  for (size_t i = 0; i < kRandomChars; ++i) {
    const char c = name[n + infix + i];
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'))) return false;
  }
  return std::strcmp(name + n + infix + kRandomChars, kSuffix) == 0;
}

Qlong WinTempFileCreate(const char* target, const char* mode_of, std::string* temp) {
  if (!target || !target[0]) {
    errno = ENOENT;
    return -1;
  }
  mode_t mode = 0666;
  if (mode_of) {
    struct stat st;
    if (stat(mode_of, &st) != 0) return -1;
    mode = st.st_mode & 07777;
  }
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    *temp = std::string(target) + kInfix + RandomPart() + kSuffix;
    const int fd =
        KeepAboveStreams(open(temp->c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode));
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return -1;
    }
    // Locked for as long as it is open: the sweep leaves it alone.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 || !StillNamed(fd, *temp)) {
      close(fd);
      continue;
    }
    if (mode_of && fchmod(fd, mode) != 0) {
      WinTempFileAbandon(fd, *temp);
      return -1;
    }
    return fd;
  }
  errno = EEXIST;
  return -1;
}

Dword WinTempFileSync(Qlong handle) { return PlatformFsync(Fd(handle)) == 0 ? 1 : 0; }

Dword WinTempFileCommit(Qlong handle, const std::string& temp, const char* target, bool replace) {
  const int fd = Fd(handle);
  if (fd < 0) {
    errno = EBADF;
    return 0;
  }
  bool ok = PlatformFsync(fd) == 0;
  if (ok) ok = PlatformRename(temp.c_str(), target, replace) == 0;
  if (!ok) {
    WinTempFileAbandon(handle, temp);
    return 0;
  }
  // The new name is kept on the disk as well; a failure there does not
  // undo a file that is in place.
  WinFolderSyncOf(target);
  close(fd);
  return 1;
}

void WinTempFileAbandon(Qlong handle, const std::string& temp) {
  const int saved = errno;
  // The name goes first, while the lock still keeps a sweep away.
  if (!temp.empty()) unlink(temp.c_str());
  const int fd = Fd(handle);
  if (fd >= 0) close(fd);
  errno = saved;
}

void WinTempFileRelease(Qlong handle) {
  const int saved = errno;
  const int fd = Fd(handle);
  if (fd >= 0) close(fd);
  errno = saved;
}

void WinTempFileSweep(const char* target) {
  if (!target || !target[0]) return;
  const int saved = errno;
  const std::string folder = FolderOf(target);
  const std::string name = NameOf(target);
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) {
    errno = saved;
    return;
  }
  while (const struct dirent* entry = readdir(dir)) {
    if (!WinTempFileNameOf(entry->d_name, name.c_str())) continue;
    const std::string path = folder + "/" + entry->d_name;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) continue;
    struct stat st;
    // A writer still holds its lock: the file is in use.
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        StillNamed(fd, path))
      unlink(path.c_str());
    close(fd);
  }
  closedir(dir);
  errno = saved;
}

Dword WinFileRename(const char* from, const char* to, bool replace) {
  return PlatformRename(from, to, replace) == 0 ? 1 : 0;
}

Dword WinFileLink(const char* existing, const char* name) {
  return link(existing, name) == 0 ? 1 : 0;
}

Dword WinFolderSyncOf(const char* path) {
  const int fd = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return 0;
  const bool ok = PlatformFsync(fd) == 0;
  const int saved = errno;
  close(fd);
  errno = saved;
  return ok ? 1 : 0;
}

Qlong WinFolderLockAcquire(const char* folder) {
  if (!folder || !folder[0]) {
    errno = ENOENT;
    return -1;
  }
  const int fd = KeepAboveStreams(open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd < 0) return -1;
  return LockExclusiveOrClose(fd);
}

void WinFolderLockRelease(Qlong handle) {
  const int fd = Fd(handle);
  if (fd < 0) return;
  const int saved = errno;
  flock(fd, LOCK_UN);
  close(fd);
  errno = saved;
}
