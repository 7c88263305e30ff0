#include "app/core/bruker_files.h"

#include <new>

#include "base/error_codes.h"
#include "base/file_temp.h"
#include "base/files.h"

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
  // Opened only if it exists and is a file: a read never creates one.
  OpenFile file(FileOpenA(path.c_str(), kOpenMustExist));
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
  // A temporary file beside the target, with the target's permissions when
  // it exists (else those of a new file), renamed over it when complete.
  const bool exists = BrukerFileExists(path);
  char temp[4096];
  Qlong handle = FileTempCreateA(path.c_str(), exists ? path.c_str() : nullptr, temp, sizeof temp);
  if (handle == -1) return kErrFileSystem;
  if (!FileWriteBinary(handle, bytes.data(), bytes.size())) {
    FileTempAbandonA(&handle, temp);
    return kErrFileSystem;
  }
  return FileTempCommitA(&handle, temp, path.c_str(), 1) ? kErrNone : kErrFileSystem;
}

LibErrorCode BrukerBackupOnce(const std::string& path) {
  if (!BrukerFileExists(path)) return kErrNone;
  const std::string backup = path + ".backup";
  if (BrukerFileExists(backup)) return kErrNone;
  return FileCopyA(path.c_str(), backup.c_str(), 1) ? kErrNone : kErrFileSystem;
}
