#include "command/config_file.h"

#include <cstring>

#include "base/error_codes.h"
#include "base/errors.h"
#include "base/file_replace.h"
#include "base/files.h"
#include "base/memory.h"
#include "base/platform/allocator.h"
#include "base/platform/file_lock.h"
#include "base/platform/process_env.h"
#include "base/utf.h"

namespace {

// The application's name fills "%ls.config" in a 50-character buffer.
constexpr Qword kMaxNameUnits = 42;
// A configuration file is a few kilobytes; anything far larger is not one.
constexpr Qlong kMaxFileBytes = 64 * 1024 * 1024;

enum class Load { kMissing, kLoaded, kFailed };

Load LoadFile(const std::string& path, std::string* bytes) {
  bytes->clear();
  if (!WinPathExists(path.c_str())) return Load::kMissing;
  Qlong handle = FileOpenA(path.c_str(), kOpenMustExist);
  if (handle == -1) return Load::kFailed;
  Qlong size = 0;
  bool ok = FileGetSize(handle, &size) != 0 && size >= 0 && size <= kMaxFileBytes;
  if (ok) {
    bytes->resize(static_cast<size_t>(size));
    ok = size == 0 || FileReadBinary(handle, bytes->data(), static_cast<Qword>(size)) == size;
  }
  FileClose(&handle, 0);
  return ok ? Load::kLoaded : Load::kFailed;
}

// The error of a failed file operation, always one of the file codes.
Dword FileFailure() {
  const Dword mapped = LibLastError;
  if (mapped >= kErrFileSystem && mapped <= kErrUndefinedFile) return mapped;
  return kErrFileNotAccessible;
}

// Creates the folder and those above it that are missing.
bool EnsureFolder(const std::string& folder) {
  if (folder.empty() || WinPathExists(folder.c_str())) return true;
  for (size_t slash = folder.find('/', 1); slash != std::string::npos;
       slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (!WinPathExists(part.c_str()) && !WinCreateFolder(part.c_str())) {
      FileSaveLastError();
      return false;
    }
  }
  return true;
}

// Puts the bytes in place of the file at `path` (created first when it is
// missing) through a temporary file renamed over it.
bool ReplaceFile(const std::string& path, bool exists, const std::string& bytes) {
  if (!exists) {
    Qlong created = FileOpenA(path.c_str(), kOpenWrite | kOpenCreateNew);
    if (created == -1) return false;
    FileClose(&created, 0);
  }
  char16_t* wide = NewUtf16FromUtf8(path.c_str());
  if (wide == nullptr) {
    LibLastError = kErrFileNotAccessible;
    return false;
  }
  FileReplacement replacement;
  bool ok = replacement.Begin(wide);
  KillString(&wide);
  if (ok) ok = FileWriteBinary(replacement.handle(), bytes.data(), bytes.size()) != 0;
  if (ok) ok = replacement.Commit();
  return ok;
}

}  // namespace

Dword KyConfigFileName(KyAppRecord* record, std::string* name) {
  record->result.u64 = 0;
  KySendMessage(record, kKyMsgAppName);
  const auto* app = static_cast<const char16_t*>(record->result.pointer);
  // The answer is read now; the result field is left clear for the command.
  record->result.u64 = 0;
  if (app == nullptr) {
    *name = "config.txt";
    return 0;
  }
  Qword units = 0;
  while (app[units] != 0) {
    if (app[units] == u'/' || ++units > kMaxNameUnits) return kErrIllegalFileName;
  }
  char* utf8 = NewUtf8FromUtf16(app);
  if (utf8 == nullptr) return kErrAlloc;
  *name = std::string(utf8) + ".config";
  KillStringA(&utf8);
  return 0;
}

char* KyConfigRead(KyAppRecord* record, KyConfigSection section, Dword* error) {
  std::string name;
  // A name that cannot name a file means there is no file to read.
  *error = KyConfigFileName(record, &name);
  if (*error == kErrIllegalFileName) *error = 0;
  if (*error != 0) return nullptr;
  const KyConfigPlace& place = KyConfigCurrentPlace();
  std::string file;
  Load load = LoadFile(place.folder + name, &file);
  if (load == Load::kMissing && !place.seed.empty()) load = LoadFile(place.seed + name, &file);
  std::string text;
  if (load != Load::kLoaded || !KyConfigReadSection(file, section, &text)) return nullptr;
  auto* out = static_cast<char*>(PlatformAlloc(text.size() + 1));
  if (out == nullptr) {
    *error = kErrAlloc;
    return nullptr;
  }
  std::memcpy(out, text.c_str(), text.size() + 1);
  return out;
}

Dword KyConfigWrite(KyAppRecord* record, KyConfigSection section, const std::string& body) {
  std::string name;
  if (const Dword error = KyConfigFileName(record, &name)) return error;
  const KyConfigPlace& place = KyConfigCurrentPlace();
  const std::string path = place.folder + name;
  if (!EnsureFolder(place.folder)) return FileFailure();

  // Two running programs edit the file in turn, each on what the other
  // has written.
  const Qlong lock = WinFileLockAcquire((path + ".lock").c_str());
  if (lock == -1) {
    FileSaveLastError();
    return FileFailure();
  }
  std::string file;
  Load load = LoadFile(path, &file);
  const bool exists = load == Load::kLoaded;
  if (load == Load::kMissing && !place.seed.empty()) {
    load = LoadFile(place.seed + name, &file);
    if (load == Load::kMissing) load = Load::kLoaded;  // no copy to start from
  }
  Dword error = 0;
  if (load == Load::kFailed) {
    // Settings that cannot be read are never overwritten.
    error = FileFailure();
  } else {
    const bool has_old = !file.empty() || exists;
    const std::string updated = KyConfigWriteSection(file, has_old, section, body);
    if (!ReplaceFile(path, exists, updated)) error = FileFailure();
  }
  WinFileLockRelease(lock);
  return error;
}
