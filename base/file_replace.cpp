#include "base/file_replace.h"

#include "base/errors.h"
#include "base/path_text.h"
#include "base/platform/file_replace.h"

FileReplacement::~FileReplacement() {
  if (handle_ != -1) WinFileAbandonReplacement(handle_, temp_);
}

bool FileReplacement::Begin(const char16_t* target) {
  FileClearLastError();
  if (handle_ != -1) WinFileAbandonReplacement(handle_, temp_);
  target_ = Utf8String(target);
  handle_ = WinFileOpenReplacement(target_.c_str(), &temp_);
  if (handle_ == -1) {
    FileSaveLastError();
    return false;
  }
  return true;
}

bool FileReplacement::Commit(void) {
  if (handle_ == -1) return false;
  const Qlong handle = handle_;
  handle_ = -1;
  if (WinFileCommitReplacement(handle, temp_, target_.c_str())) return true;
  FileSaveLastError();
  return false;
}
