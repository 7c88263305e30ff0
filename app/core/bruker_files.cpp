#include "app/core/bruker_files.h"

#include <new>

#include "base/error_codes.h"
#include "base/files.h"
#include "base/memory.h"
#include "base/os_services.h"
#include "base/utf.h"

namespace {

// Closes the handle on every path.
class OpenFile {
 public:
  explicit OpenFile(Qlong handle) : handle_(handle) {}
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  ~OpenFile() { Close(); }
  bool Close() { return handle_ == -1 || FileClose(&handle_, 0) != 0; }
  Qlong get() const { return handle_; }

 private:
  Qlong handle_;
};

}  // namespace

std::string BrukerFolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string BrukerNameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string BrukerJoin(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

bool BrukerFileExists(const std::string& path) {
  const Long a = FileGetAttributesA(path.c_str());
  return a != -1 && (a & kFileIsFolder) == 0;
}

bool BrukerFolderExists(const std::string& path) {
  const Long a = FileGetAttributesA(path.c_str());
  return a != -1 && (a & kFileIsFolder) != 0;
}

LibErrorCode BrukerReadWholeFile(const std::string& path, Qword limit, std::string* bytes) {
  bytes->clear();
  if (!BrukerFileExists(path)) return kErrMissingFile;
  OpenFile file(FileOpenA(path.c_str(), 0));
  if (file.get() == -1) return kErrMissingFile;
  Qlong size = 0;
  if (!FileGetSize(file.get(), &size) || size < 0) return kErrFileSystem;
  if (static_cast<Qword>(size) > limit) return kErrIllegalDataSize;
  try {
    bytes->resize(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
    return kErrAlloc;
  }
  const Qlong got = FileReadBinary(file.get(), bytes->data(), static_cast<Qword>(size));
  if (got != size) return kErrFileSystem;
  return kErrNone;
}

LibErrorCode BrukerWriteFileSafely(const std::string& path, const std::string& bytes) {
  // The contents go to a fresh file in the target's folder first; the copy
  // onto the target is itself made through a temporary file renamed into
  // place, so the target never holds half of the new contents.
  std::string folder = BrukerFolderOf(path);
  if (folder.empty()) folder = "./";
  char16_t* wide_folder = NewUtf16FromUtf8(folder.c_str());
  if (!wide_folder) return kErrFileSystem;
  char16_t* temp16 = NewCreateTemporaryFile(wide_folder, u"pel", 0);
  KillString(&wide_folder);
  if (!temp16) return kErrFileSystem;
  char* temp8 = NewUtf8FromUtf16(temp16);
  KillString(&temp16);
  if (!temp8) return kErrFileSystem;
  const std::string temp(temp8);
  KillStringA(&temp8);

  bool ok;
  {
    OpenFile file(FileOpenA(temp.c_str(), kOpenWrite | kOpenTruncate));
    ok = file.get() != -1 && FileWriteBinary(file.get(), bytes.data(), bytes.size()) != 0;
    ok = file.Close() && ok;
  }
  ok = ok && FileCopyA(temp.c_str(), path.c_str(), 0) != 0;
  FileDeleteA(temp.c_str());
  return ok ? kErrNone : kErrFileSystem;
}

LibErrorCode BrukerBackupOnce(const std::string& path) {
  if (!BrukerFileExists(path)) return kErrNone;
  const std::string backup = path + ".backup";
  if (BrukerFileExists(backup)) return kErrNone;
  return FileCopyA(path.c_str(), backup.c_str(), 1) ? kErrNone : kErrFileSystem;
}
