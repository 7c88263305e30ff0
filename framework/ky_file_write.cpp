// cKyFile: writing at the position, and byte ranges inserted, deleted or
// replaced. A range edit writes the new file beside the old one and renames
// it over it, so an interruption leaves the old or the new file, and a
// failed write leaves the old file as it was and is reported.
#include <cstring>

#include "base/error_codes.h"
#include "base/errors.h"
#include "base/file_replace.h"
#include "base/files.h"
#include "base/memory.h"
#include "base/os_services.h"
#include "framework/ky_file.h"

bool cKyFile::Write(const void* bytes, Qword count) {
  if (IsClosed()) return false;
  last_error_ = 0;
  if (count > static_cast<Qword>(INT64_MAX - position_)) {
    last_error_ = kErrIllegalArgument;
    return false;
  }
  if (FileSetPointer(handle_, position_, 0, nullptr) != 1) return SaveLastError();
  if (!FileWriteBinary(handle_, bytes, count)) {
    last_error_ = LibLastError;
    return false;
  }
  if (bytes) position_ += static_cast<Qlong>(count);
  if (size_ != kSizeUnknown && position_ > size_) size_ = position_;
  OsFlushFileOrPortBuffers(handle_);
  return true;
}

bool cKyFile::WriteStrings(const char* s1, const char* s2, const char* s3, const char* s4,
                           const char* s5) {
  if (IsClosed()) return false;
  for (const char* s : {s1, s2, s3, s4, s5})
    if (s && s[0] && !Write(s, std::strlen(s))) return false;
  return true;
}

bool cKyFile::WriteLine(const char* s1, const char* s2, const char* s3, const char* s4,
                        const char* s5) {
  return WriteStrings(s1, s2, s3, s4, s5) && WriteNewLine();
}

bool cKyFile::WriteNewLine() { return Write("\r\n", 2); }

bool cKyFile::Truncate() {
  if (IsClosed()) return false;
  last_error_ = 0;
  if (FileSetPointer(handle_, position_, 0, nullptr) != 1) return SaveLastError();
  if (!FileTruncate(handle_)) {
    last_error_ = LibLastError;
    return false;
  }
  size_ = position_;
  return true;
}

// The file with `remove` bytes at the offset replaced by `insert` bytes,
// written beside it and renamed over it; then this object's handle is
// opened on the new file. On any failure the file is unchanged.
bool cKyFile::Rewrite(Qlong offset, Qword remove, const void* bytes, Qword insert,
                      Qlong* new_size) {
  if (IsClosed()) return false;
  last_error_ = 0;
  if (flags_ & kReadOnly) {
    last_error_ = kErrFileNotAccessible;
    return false;
  }
  Qlong size = 0;
  if (!FileGetSize(handle_, &size)) {
    last_error_ = LibLastError;
    return false;
  }
  if (offset < 0 || offset > size || remove > static_cast<Qword>(size - offset) ||
      insert > static_cast<Qword>(INT64_MAX) - static_cast<Qword>(size) || (insert && !bytes)) {
    last_error_ = kErrIllegalArgument;
    return false;
  }
  FileReplacement replacement;
  if (!replacement.Begin(path_)) {
    last_error_ = LibLastError;
    return false;
  }
  Dword error = 0;
  char* block = NewByteArrFill(&error, kChunk);
  if (!block) {
    last_error_ = error;
    return false;
  }
  // Copies [from, to) of the old file in chunks through the one block.
  auto copy = [&](Qlong from, Qlong to) {
    for (Qlong at = from; at < to;) {
      const Qword n = static_cast<Qword>(to - at) < kChunk ? static_cast<Qword>(to - at) : kChunk;
      Qword got = 0;
      if (!ReadAt(at, block, n, &got)) return false;
      if (got != n) {  // the file shrank under us
        last_error_ = kErrUnexpectedFileEnd;
        return false;
      }
      if (!FileWriteBinary(replacement.handle(), block, n)) {
        last_error_ = LibLastError;
        return false;
      }
      at += static_cast<Qlong>(n);
    }
    return true;
  };
  const Qlong tail = offset + static_cast<Qlong>(remove);
  bool ok = copy(0, offset);
  if (ok && insert && !FileWriteBinary(replacement.handle(), bytes, insert)) {
    last_error_ = LibLastError;
    ok = false;
  }
  if (ok) ok = copy(tail, size);
  KillPtr(&block);
  if (ok && !replacement.Commit()) {
    last_error_ = LibLastError;
    ok = false;
  }
  if (!ok) return false;
  // The open handle still names the old, now unlinked file.
  FileClose(&handle_, 0);
  DropBuffer();
  handle_ = FileOpen(path_, kOpenWrite | kOpenMustExist);
  if (handle_ == -1) {
    last_error_ = LibLastError;
    flags_ &= ~Dword{0xFFFF};
    return false;  // the file is changed, but this object is closed now
  }
  *new_size = size - static_cast<Qlong>(remove) + static_cast<Qlong>(insert);
  size_ = *new_size;
  return true;
}

bool cKyFile::InsertRange(Qlong offset, const void* bytes, Qword count) {
  if (IsClosed()) return false;
  if (count == 0) return true;
  Qlong new_size = 0;
  if (!Rewrite(offset, 0, bytes, count, &new_size)) return false;
  position_ = offset + static_cast<Qlong>(count);
  return true;
}

bool cKyFile::DeleteRange(Qlong offset, Qword count) {
  if (IsClosed()) return false;
  last_error_ = 0;
  if (count == 0) return true;
  Qlong size = 0;
  if (!FileGetSize(handle_, &size)) {
    last_error_ = LibLastError;
    return false;
  }
  if (offset >= size) return true;  // nothing there to delete
  Qlong new_size = 0;
  if (!Rewrite(offset, count, nullptr, 0, &new_size)) return false;
  position_ = new_size;
  return true;
}

bool cKyFile::ReplaceRange(Qlong offset, Qlong old_length, const void* bytes, Qlong new_length) {
  if (IsClosed()) return false;
  if (!bytes || new_length <= 0)
    return old_length <= 0 || DeleteRange(offset, static_cast<Qword>(old_length));
  last_error_ = 0;
  if (old_length < 0) {
    last_error_ = kErrIllegalArgument;
    return false;
  }
  Qlong new_size = 0;
  if (!Rewrite(offset, static_cast<Qword>(old_length), bytes, static_cast<Qword>(new_length),
               &new_size))
    return false;
  // As an overwrite followed by an insertion (position behind the new
  // bytes) or by a deletion (position at the new end).
  position_ = new_length >= old_length ? offset + new_length : new_size;
  return true;
}
