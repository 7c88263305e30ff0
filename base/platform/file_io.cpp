#include "base/platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/platform/descriptors.h"
#include "base/platform/file_fault.h"
#include "base/platform/temp_file.h"

namespace {

constexpr Qword kPiece = 0xFFFFFFFE;

bool HasWriteBit(mode_t mode) { return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0; }

int Fd(Qlong handle) { return handle >= 0 && handle <= 0x7FFFFFFF ? static_cast<int>(handle) : -1; }

template <class Step>
Dword Transfer(Qword count, Qword* done, Step step) {
  *done = 0;
  while (*done < count) {
    const Qword left = count - *done;
    const size_t piece = static_cast<size_t>(left < kPiece ? left : kPiece);
    const ssize_t moved = step(*done, piece);
    if (moved < 0) {
      if (errno == EINTR) continue;
      return 0;
    }
    if (moved == 0) break;  // end of file
    *done += static_cast<Qword>(moved);
  }
  return 1;
}

}  // namespace

Qlong WinFileOpen(const char* path, bool write, PlatformCreation creation, bool read_only) {
  if (!path) {
    errno = ENOENT;
    return -1;
  }
  struct stat st;
  const bool exists = stat(path, &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) {
    errno = EISDIR;
    return -1;
  }
  // Root may write anything; the permission bits still say read-only.
  const bool will_open_existing = exists && creation != kCreateNew;
  if (will_open_existing && S_ISREG(st.st_mode) && !HasWriteBit(st.st_mode) &&
      (write || creation == kCreateAlways || creation == kTruncateExisting)) {
    errno = EACCES;
    return -1;
  }
  int flags = (write ? O_RDWR : O_RDONLY) | O_CLOEXEC;
  switch (creation) {
    case kCreateNew:
      flags |= O_CREAT | O_EXCL;
      break;
    case kCreateAlways:
      flags |= O_CREAT | O_TRUNC;
      break;
    case kOpenExisting:
      break;
    case kOpenAlways:
      flags |= O_CREAT;
      break;
    case kTruncateExisting:
      flags |= O_TRUNC;
      break;
  }
  const mode_t mode = read_only ? 0444 : 0666;
  const int fd = KeepAboveStreams(open(path, flags, mode));
  return fd < 0 ? -1 : fd;
}

Dword WinFileReadBinary(Qlong handle, void* buffer, Qword count, Qword* done) {
  const int fd = Fd(handle);
  char* bytes = static_cast<char*>(buffer);
  return Transfer(count, done, [&](Qword at, size_t n) { return read(fd, bytes + at, n); });
}

Dword WinFileWriteBinary(Qlong handle, const void* buffer, Qword count, Qword* done) {
  const int fd = Fd(handle);
  const char* bytes = static_cast<const char*>(buffer);
  const Dword ok =
      Transfer(count, done, [&](Qword at, size_t n) { return PlatformWrite(fd, bytes + at, n); });
  if (ok && *done < count) {
    errno = ENOSPC;  // a write that moves nothing
    return 0;
  }
  return ok;
}

Dword WinFileSetPointer(Qlong handle, Qlong distance, Dword origin, Qword* position) {
  static const int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  if (origin > 2) {
    errno = EINVAL;
    return 0;
  }
  const off_t at = lseek(Fd(handle), static_cast<off_t>(distance), kWhence[origin]);
  if (at < 0) return 0;
  if (position) *position = static_cast<Qword>(at);
  return 1;
}

Dword WinFileGetSize(Qlong handle, Qlong* size) {
  struct stat st;
  if (fstat(Fd(handle), &st) != 0) return 0;
  *size = static_cast<Qlong>(st.st_size);
  return 1;
}

Dword WinFileTruncate(Qlong handle) {
  const int fd = Fd(handle);
  const off_t at = lseek(fd, 0, SEEK_CUR);
  if (at < 0) return 0;
  return ftruncate(fd, at) == 0 ? 1 : 0;
}

Dword WinFileDelete(const char* path) {
  struct stat st;
  if (!path || lstat(path, &st) != 0) {
    if (!path) errno = ENOENT;
    return 0;
  }
  if (S_ISDIR(st.st_mode)) {
    errno = EISDIR;
    return 0;
  }
  if (S_ISREG(st.st_mode) && !HasWriteBit(st.st_mode)) {
    errno = EACCES;  // a read-only file stays
    return 0;
  }
  return unlink(path) == 0 ? 1 : 0;
}

Dword WinFileCopy(const char* source, const char* target, bool fail_if_exists) {
  if (!source || !target) {
    errno = ENOENT;
    return 0;
  }
  struct stat src_st, dst_st;
  if (stat(source, &src_st) != 0) return 0;
  if (S_ISDIR(src_st.st_mode)) {
    errno = EISDIR;
    return 0;
  }
  if (stat(target, &dst_st) == 0) {
    if (fail_if_exists) {
      errno = EEXIST;
      return 0;
    }
    if (S_ISDIR(dst_st.st_mode)) {
      errno = EISDIR;
      return 0;
    }
    if (!HasWriteBit(dst_st.st_mode)) {
      errno = EACCES;
      return 0;
    }
    if (dst_st.st_dev == src_st.st_dev && dst_st.st_ino == src_st.st_ino) return 1;
  }
  const int in = open(source, O_RDONLY | O_CLOEXEC);
  if (in < 0) return 0;
  WinTempFileSweep(target);
  std::string temp;
  const Qlong out_handle = WinTempFileCreate(target, nullptr, &temp);
  const int out = Fd(out_handle);
  if (out < 0) {
    const int saved = errno;
    close(in);
    errno = saved;
    return 0;
  }
  bool ok = true;
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(in, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      ok = got == 0;
      break;
    }
    Qword written = 0;
    if (!WinFileWriteBinary(out, buffer, static_cast<Qword>(got), &written)) {
      ok = false;
      break;
    }
  }
  if (ok) ok = fchmod(out, src_st.st_mode & 07777) == 0;
  close(in);
  if (!ok) {
    WinTempFileAbandon(out_handle, temp);
    return 0;
  }
  // The no-replace form refuses an existing target atomically.
  return WinTempFileCommit(out_handle, temp, target, !fail_if_exists);
}

Dword WinFileGetAttributes(const char* path) {
  struct stat st;
  if (!path || lstat(path, &st) != 0) return 0xFFFFFFFF;
  Dword attributes = 0;
  if (S_ISLNK(st.st_mode)) {
    attributes |= kAttrSymlink;
    struct stat target;
    if (stat(path, &target) == 0) st = target;
  }
  if (S_ISDIR(st.st_mode)) attributes |= kAttrDirectory;
  if (!HasWriteBit(st.st_mode)) attributes |= kAttrReadOnly;
  const char* slash = std::strrchr(path, '/');
  const char* name = slash ? slash + 1 : path;
  if (name[0] == '.' && std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0)
    attributes |= kAttrHidden;
  return attributes ? attributes : kAttrNormal;
}

Dword WinFileAttributesToFlags(Dword attributes) {
  if (attributes == 0xFFFFFFFF) return attributes;
  Dword flags = 0;
  if (attributes & kAttrDirectory) flags |= 0x10000;
  if (attributes & kAttrReadOnly) flags |= 0x20000;
  return flags;
}

Dword WinFileClose(Qlong handle) { return close(Fd(handle)) == 0 ? 1 : 0; }

Dword WinFlushFileBuffers(Qlong handle) { return PlatformFsync(Fd(handle)) == 0 ? 1 : 0; }
