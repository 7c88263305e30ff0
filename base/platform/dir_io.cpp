#include "base/platform/dir_io.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <set>

#include "base/platform/file_io.h"

namespace {

struct Search {
  DIR* dir = nullptr;   // null for a single-entry search
  std::string folder;   // with its closing '/', or empty
  std::string pattern;  // the last part of the search path
};

// Live searches; a handle is valid only while it is here.
std::set<Search*>& Live() {
  static std::set<Search*> live;
  return live;
}

Search* Find(Qlong handle) {
  Search* search = reinterpret_cast<Search*>(handle);
  return Live().count(search) ? search : nullptr;
}

constexpr Qword kFileTimeOf1970 = 116444736000000000ULL;

Qword ToFileTime(const struct timespec& t) {
  if (t.tv_sec < 0) return 0;
  return kFileTimeOf1970 + static_cast<Qword>(t.tv_sec) * 10000000ULL +
         static_cast<Qword>(t.tv_nsec) / 100;
}

bool HasWildcard(const std::string& text) { return text.find_first_of("*?") != std::string::npos; }

bool Fill(const std::string& folder, const char* name, PlatformFindData* data) {
  const std::string path = folder.empty() ? std::string(name) : folder + name;
  struct stat st;
  if (stat(path.c_str(), &st) != 0 && lstat(path.c_str(), &st) != 0) return false;
  data->name = name;
  data->attributes = WinFileGetAttributes(path.c_str());
  data->size = S_ISDIR(st.st_mode) ? 0 : static_cast<Qword>(st.st_size);
  // POSIX keeps no creation time; the last status change stands for it.
  data->creation_time = ToFileTime(st.st_ctim);
  data->access_time = ToFileTime(st.st_atim);
  data->write_time = ToFileTime(st.st_mtim);
  return true;
}

// The next matching entry of an open folder; false at its end.
bool Next(Search* search, PlatformFindData* data) {
  if (!search->dir) return false;
  for (;;) {
    errno = 0;
    struct dirent* entry = readdir(search->dir);
    if (!entry) return false;
    if (PlatformNameMatches(search->pattern.c_str(), entry->d_name) &&
        Fill(search->folder, entry->d_name, data))
      return true;
  }
}

}  // namespace

bool PlatformNameMatches(const char* pattern, const char* name) {
  if (std::strcmp(pattern, "*.*") == 0) return true;
  // Iterative wildcard match: back up to the last '*' on a mismatch.
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*name) {
    if (*pattern == '*') {
      star = pattern++;
      resume = name;
    } else if (*pattern == '?' || *pattern == *name) {
      ++pattern;
      ++name;
    } else if (star) {
      pattern = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  return *pattern == 0;
}

Qlong WinFileFindFirst(const char* pattern, PlatformFindData* data) {
  if (!pattern || !pattern[0]) {
    errno = ENOENT;
    return -1;
  }
  const std::string path = pattern;
  const size_t slash = path.rfind('/');
  auto* search = new Search;
  search->folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  search->pattern = slash == std::string::npos ? path : path.substr(slash + 1);
  bool found = false;
  if (search->pattern.empty()) {
    errno = ENOENT;  // a folder path with a closing separator names no entry
  } else if (!HasWildcard(search->pattern)) {
    found = Fill(search->folder, search->pattern.c_str(), data);
    if (!found) errno = ENOENT;
  } else {
    search->dir = opendir(search->folder.empty() ? "." : search->folder.c_str());
    found = search->dir && Next(search, data);
    if (search->dir && !found && errno == 0) errno = ENOENT;
  }
  if (!found) {
    const int saved = errno;
    if (search->dir) closedir(search->dir);
    delete search;
    errno = saved;
    return -1;
  }
  Live().insert(search);
  return reinterpret_cast<Qlong>(search);
}

Dword WinFileFindNext(Qlong handle, PlatformFindData* data) {
  Search* search = Find(handle);
  if (!search) {
    errno = EBADF;
    return 0;
  }
  if (Next(search, data)) return 1;
  if (errno == 0) errno = ENOENT;  // no more entries
  return 0;
}

Dword WinFileFindClose(Qlong handle) {
  Search* search = Find(handle);
  if (!search) {
    errno = EBADF;
    return 0;
  }
  Live().erase(search);
  const int closed = search->dir ? closedir(search->dir) : 0;
  delete search;
  return closed == 0 ? 1 : 0;
}

Dword WinCompressedFileSize(const char* path, Qword* size) {
  struct stat st;
  if (!path || stat(path, &st) != 0) return 0;
  *size = static_cast<Qword>(st.st_blocks) * 512;
  return 1;
}
