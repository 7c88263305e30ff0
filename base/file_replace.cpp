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
  replace_ = true;
  handle_ = WinFileOpenReplacement(target_.c_str(), &temp_);
  if (handle_ == -1) {
    FileSaveLastError();
    return false;
  }
  return true;
}

bool FileReplacement::BeginNew(const char16_t* target) {
  return BeginNewA(Utf8String(target).c_str());
}

bool FileReplacement::BeginNewA(const char* target) {
  FileClearLastError();
  if (handle_ != -1) WinFileAbandonReplacement(handle_, temp_);
  target_ = target ? target : "";
  replace_ = false;
  handle_ = WinFileOpenNewReplacement(target_.c_str(), &temp_);
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
  const Dword done = replace_ ? WinFileCommitReplacement(handle, temp_, target_.c_str())
                              : WinFileCommitNew(handle, temp_, target_.c_str());
  if (done) return true;
  FileSaveLastError();
  return false;
}
