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

// Puts the bytes in place of the file at `path` through a temporary file
// renamed over it; a missing file gets its name only once complete, so a
// failed write leaves no new file behind.
bool ReplaceFile(const std::string& path, bool exists, const std::string& bytes) {
  FileReplacement replacement;
  bool ok;
  if (exists) {
    char16_t* wide = NewUtf16FromUtf8(path.c_str());
    if (wide == nullptr) {
      LibLastError = kErrFileNotAccessible;
      return false;
    }
    ok = replacement.Begin(wide);
    KillString(&wide);
  } else {
    ok = replacement.BeginNewA(path.c_str());
  }
  if (ok) ok = FileWriteBinary(replacement.handle(), bytes.data(), bytes.size()) != 0;
  if (ok) ok = replacement.Commit();
  return ok;
}

// The copy a reader or writer starts from: the folder's file when it holds
// settings; else the executable folder's copy when that does (an empty or
// damaged file in the folder, left by an older program, must not hide it).
// kMissing when neither file exists; kFailed when the folder's file exists
// but cannot be read (a reader then still takes a good copy of the
// executable's folder; a writer stops, so that it never replaces it).
Load LoadBest(const KyConfigPlace& place, const std::string& name, bool for_writing,
              std::string* bytes, bool* folder_exists) {
  Load load = LoadFile(place.folder + name, bytes);
  *folder_exists = load != Load::kMissing;
  if (load == Load::kLoaded && KyConfigHasDiscriminator(*bytes)) return load;
  if (place.seed.empty() || (load == Load::kFailed && for_writing)) return load;
  std::string seed;
  const Load seed_load = LoadFile(place.seed + name, &seed);
  if (seed_load == Load::kLoaded && KyConfigHasDiscriminator(seed)) {
    *bytes = std::move(seed);
    return Load::kLoaded;
  }
  return load;
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
  bool folder_exists = false;
  const Load load = LoadBest(place, name, false, &file, &folder_exists);
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
  bool exists = false;
  const Load load = LoadBest(place, name, true, &file, &exists);
  Dword error = 0;
  if (load == Load::kFailed) {
    // Settings that cannot be read are never overwritten.
    error = FileFailure();
  } else {
    const bool has_old = load == Load::kLoaded;
    const std::string updated = KyConfigWriteSection(file, has_old, section, body);
    // A file damaged by hand or by an older program may not take the new
    // text without losing or changing another section: it stays as it is.
    if (!KyConfigKeepsSections(file, updated, section, body))
      error = kErrIllegalFile;
    else if (!ReplaceFile(path, exists, updated))
      error = FileFailure();
  }
  WinFileLockRelease(lock);
  return error;
}
