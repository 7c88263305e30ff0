#include "base/dir_search.h"

#include <cstring>
#include <string>
#include <vector>

#include "base/errors.h"
#include "base/files.h"
#include "base/path_text.h"
#include "base/paths.h"
#include "base/platform/dir_io.h"
#include "base/platform/file_io.h"

namespace {

// The two process-wide find-data records, wide and 8-bit: every search step
// reads its entry here before it copies name and fields out.
PlatformFindData g_find_data;
PlatformFindData g_find_data_a;

void ToFileInfo(const PlatformFindData& data, FileInfo* info) {
  if (!info) return;
  info->attributes = data.attributes;
  info->size = data.size;
  info->creation_time = data.creation_time;
  info->access_time = data.access_time;
  info->write_time = data.write_time;
  info->valid = kInfoSearchFields;
}

// Hands the entry's name to the caller's address (releasing what it held).
template <class Ch>
void GiveName(const PlatformFindData& data, Ch** name) {
  if (!name) return;
  KillPtr(name);
  *name = NewTextFromUtf8<Ch>(data.name);
}

template <class Ch>
Qlong FindFirst(const Ch* pattern, Ch** name, FileInfo* info, PlatformFindData* data) {
  FileClearLastError();
  if (name) KillPtr(name);
  EraseFileInfo(info);
  Utf8Path native(pattern);
  if (!native.ok()) {
    LibLastError = kErrAlloc;
    return -1;
  }
  const Qlong search = WinFileFindFirst(native.get(), data);
  if (search == -1) return -1;  // nothing found: LibLastError stays 0
  GiveName(*data, name);
  ToFileInfo(*data, info);
  return search;
}

bool IsDots(const char* name) { return !std::strcmp(name, ".") || !std::strcmp(name, ".."); }

// The names of the files (not folders, not "." or "..") a pattern yields,
// gathered before anything is changed, so copies and deletions never feed
// the search they come from.
std::vector<std::string> FilesOf(const char* pattern) {
  std::vector<std::string> names;
  PlatformFindData data;
  const Qlong search = WinFileFindFirst(pattern, &data);
  if (search == -1) return names;
  do {
    if (!IsDots(data.name.c_str()) && !(data.attributes & kAttrDirectory))
      names.push_back(data.name);
  } while (WinFileFindNext(search, &data));
  WinFileFindClose(search);
  return names;
}

std::string FolderOf(const std::string& pattern) {
  const size_t slash = pattern.rfind('/');
  return slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
}

template <class Ch>
unsigned char GetFullInfo(const Ch* path, Ch** name, FileInfo* info, PlatformFindData* data) {
  Ch* found_name = nullptr;
  const Qlong search = FindFirst(path, &found_name, info, data);
  if (search == -1) return 0;
  WinFileFindClose(search);
  if (!info) {
    KillPtr(&found_name);
    return 1;
  }
  const std::string file = FolderOf(Utf8String(path)) + data->name;
  Qword on_disk = 0;
  if (WinCompressedFileSize(file.c_str(), &on_disk)) {
    info->compressed_size = on_disk;
    if ((on_disk & 0xFFFFFFFF) != 0xFFFFFFFF) info->valid |= kInfoCompressedSize;
  }
  // No executable types, shell types or version resources here: their
  // fields keep the unknown presets and their bits stay clear.
  info->binary_type = 0xFFFFFFFF;
  if (name) {
    KillPtr(name);
    *name = found_name;
  } else {
    KillPtr(&found_name);
  }
  return 1;
}

}  // namespace

VELTRIA_API Qlong FileFindFirst(const char16_t* pattern, char16_t** name, FileInfo* info) {
  return FindFirst(pattern, name, info, &g_find_data);
}

VELTRIA_API unsigned char FileFindNext(Qlong search, char16_t** name, FileInfo* info) {
  FileClearLastError();
  if (name) KillPtr(name);
  EraseFileInfo(info);
  if (!WinFileFindNext(search, &g_find_data)) {
    FileSaveLastError();
    return 0;
  }
  GiveName(g_find_data, name);
  ToFileInfo(g_find_data, info);
  return 1;
}

VELTRIA_API unsigned char FileFindClose(Qlong search, char16_t** name) {
  FileClearLastError();
  if (name) KillPtr(name);
  if (WinFileFindClose(search)) return 1;
  FileSaveLastError();
  return 0;
}

VELTRIA_API FileInfo* InitializeFileInfo(FileInfo* info) {
  if (!info) return info;
  std::memset(static_cast<void*>(info), 0, sizeof *info);
  info->attributes = 0xFFFFFFFF;
  return info;
}
VELTRIA_ALIAS(FileInfo*, InitializeFileInfoA, (FileInfo * info), InitializeFileInfo);

VELTRIA_API FileInfo* EraseFileInfo(FileInfo* info) {
  if (!info) return info;
  KillPtr(&info->display_name);
  KillPtr(&info->type_name);
  KillPtr(&info->icon_location);
  KillPtr(&info->version_block);
  return InitializeFileInfo(info);
}
VELTRIA_ALIAS(FileInfo*, EraseFileInfoA, (FileInfo * info), EraseFileInfo);

VELTRIA_API unsigned char FileGetFullInfo(const char16_t* path, char16_t** name, FileInfo* info) {
  return GetFullInfo(path, name, info, &g_find_data);
}
VELTRIA_API unsigned char FileGetFullInfoA(const char* path, char** name, FileInfo* info) {
  return GetFullInfo(path, name, info, &g_find_data_a);
}

// Folders and the entries "." and ".." are no files to copy: they are
// skipped, so mode 1 still copies every file of the pattern.
VELTRIA_API unsigned char FilesCopy(const char16_t* pattern, const char16_t* target_folder,
                                    Qword mode, Dword* count) {
  if (count) *count = 0;
  FileClearLastError();
  const std::string where = Utf8String(pattern);
  const std::string folder = FolderOf(where);
  const std::string target = Utf8String(target_folder);
  unsigned char result = 1;
  for (const std::string& name : FilesOf(where.c_str())) {
    char* to = NewFilePathCombinationA(target.c_str(), name.c_str());
    if (!to) {
      LibLastError = kErrAlloc;
      return 0;
    }
    bool copy = !FileIsPresentA(to, nullptr);
    if (!copy) {
      if (mode == 1) {
        copy = true;
      } else if (mode != 0) {
        char16_t* wide = NewTextFromUtf8<char16_t>(to);
        copy = wide && reinterpret_cast<FilesCopyDecision>(mode)(wide) != 0;
        KillPtr(&wide);
      }
    }
    if (copy) {
      result = FileCopyA((folder + name).c_str(), to, 0);
      if (count) ++*count;
    }
    KillPtr(&to);
    if (copy && !result) return 0;  // FileCopyA left the mapped error
  }
  FileClearLastError();
  return result;
}

VELTRIA_API unsigned char FilesDelete(const char16_t* pattern, Dword* count) {
  if (count) *count = 0;
  FileClearLastError();
  const std::string where = Utf8String(pattern);
  const std::string folder = FolderOf(where);
  for (const std::string& name : FilesOf(where.c_str())) {
    FileDeleteA((folder + name).c_str());  // a failure does not stop the others
    if (count) ++*count;
  }
  return 1;
}
