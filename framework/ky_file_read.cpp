// cKyFile: positioning, the read-ahead window, line input and the forward
// search.
#include <algorithm>
#include <cstring>

#include "base/error_codes.h"
#include "base/errors.h"
#include "base/files.h"
#include "base/memory.h"
#include "base/string_search.h"
#include "framework/ky_file.h"

namespace {

bool IsLineEnd(unsigned char c) { return c == '\n' || c == 0x1A || c == 0; }

}  // namespace

bool cKyFile::ReadAt(Qlong offset, void* target, Qword count, Qword* got) {
  *got = 0;
  if (FileSetPointer(handle_, offset, 0, nullptr) != 1) return SaveLastError();
  const Qlong n = FileReadBinary(handle_, target, count);
  if (n < 0) return SaveLastError();
  *got = static_cast<Qword>(n);
  return true;
}

bool cKyFile::SetPosition(Qlong offset) {
  if (IsClosed()) return false;
  last_error_ = 0;
  if (offset < 0 || FileSetPointer(handle_, offset, 0, nullptr) != 1) {
    SaveLastError();
    if (!last_error_) last_error_ = kErrIllegalArgument;
    return false;
  }
  position_ = offset;
  return true;
}

bool cKyFile::MovePosition(Qlong delta) {
  if (IsClosed()) return false;
  // Computed without overflow: a result below 0 fails and keeps the error.
  if (delta < 0 ? position_ < -(delta + 1) + 1 : position_ > INT64_MAX - delta) return false;
  return SetPosition(position_ + delta);
}

bool cKyFile::SeekEnd() {
  if (IsClosed()) return false;
  last_error_ = 0;
  Qword end = 0;
  if (FileMoveToEnd(handle_, &end) != 1) return SaveLastError();
  position_ = static_cast<Qlong>(end);
  return true;
}

bool cKyFile::Rewind() { return SetPosition(0); }

bool cKyFile::GetSize() {
  last_error_ = 0;
  const bool opened_here = IsClosed();
  if (opened_here && !OpenOrComplain(0, false)) {
    size_ = 0;
    return false;
  }
  Qlong size = 0;
  const bool ok = FileGetSize(handle_, &size) != 0;
  if (!ok) SaveLastError();
  size_ = ok ? size : 0;
  if (opened_here) {
    const Dword kept = last_error_;
    Close();
    if (kept) last_error_ = kept;
  }
  return ok;
}

void cKyFile::DropBuffer() {
  KillPtr(&window_data_);
  window_capacity_ = 0;
  window_count_ = 0;
  window_base_ = 0;
}

// A new empty window of the capacity (block of capacity + 2 bytes).
bool cKyFile::MakeWindow(Qlong capacity) {
  KillPtr(&window_data_);
  window_capacity_ = 0;
  window_count_ = 0;
  Dword error = 0;
  window_data_ =
      reinterpret_cast<unsigned char*>(NewByteArrFill(&error, static_cast<Qword>(capacity) + 2));
  if (!window_data_) {
    last_error_ = error;
    return false;
  }
  window_capacity_ = capacity;
  return true;
}

// The window from the position on: capacity bytes, fewer at the end.
bool cKyFile::FillWindow() {
  window_base_ = position_;
  window_count_ = 0;
  Qword got = 0;
  if (!ReadAt(position_, window_data_, static_cast<Qword>(window_capacity_), &got)) return false;
  window_count_ = static_cast<Qlong>(got);
  return true;
}

Qlong cKyFile::Read(void* target, Qlong count) {
  if (IsClosed() || position_ < 0) return -1;
  if (count <= 0) return count;
  last_error_ = 0;
  if (!window_data_) {
    if (size_ == 0 && !GetSize()) return -1;
    if (size_ == kSizeUnknown) return -1;
    if (size_ == 0) return 0;
    if (!MakeWindow(size_ < kWindowMax ? size_ + 2 : kWindowMax)) return -2;
    if (!FillWindow()) return -1;
  }
  for (;;) {
    const Qlong d = position_ - window_base_;
    if (count > window_capacity_) {
      if (count > INT64_MAX - 4 || !MakeWindow(count + 2) || !FillWindow()) return -1;
      continue;
    }
    if (d >= 0 && d <= window_capacity_ - count) break;
    if (d >= 0 && d < window_count_) {
      if (window_count_ < window_capacity_) break;  // the window already reaches the end
      // Slide: keep the unread tail, read behind it.
      const Qlong keep = window_count_ - d;
      std::memmove(window_data_, window_data_ + d, static_cast<size_t>(keep));
      window_base_ += d;
      Qword got = 0;
      if (!ReadAt(window_base_ + keep, window_data_ + keep,
                  static_cast<Qword>(window_capacity_ - keep), &got)) {
        window_count_ = keep;
        return -1;
      }
      window_count_ = keep + static_cast<Qlong>(got);
      continue;
    }
    if (d >= 0) {  // at or behind the window's valid end
      if (window_count_ < window_capacity_) return 0;
      if (!FillWindow()) return -1;
      continue;
    }
    // Before the window.
    if (position_ + count > window_base_ + window_count_) {
      if (!MakeWindow(count + 2)) return -1;
    }
    if (!FillWindow()) return -1;
  }
  const Qlong d = position_ - window_base_;
  const Qlong n = d < window_count_ ? std::min(window_count_ - d, count) : 0;
  if (n > 0 && target) std::memcpy(target, window_data_ + d, static_cast<size_t>(n));
  position_ += n;
  return n;
}

Qlong cKyFile::ReadLine(char** line) {
  if (!line) return -2;
  KillStringA(line);
  Qlong taken = 0;
  bool ended = false;
  unsigned char terminator = 0;
  Qword length = 0;
  while (!ended) {
    const Qlong r = Read(nullptr, 1);
    if (r < 0) return r == -2 ? -2 : -1;
    if (r == 0) return 0;  // a last line without terminator stays in *line
    --position_;
    const Qlong d = position_ - window_base_;
    Qlong k = d;
    while (k < window_count_ && !IsLineEnd(window_data_[k])) ++k;
    if (k < window_count_) {
      ended = true;
      terminator = window_data_[k];
      ++k;
    }
    const Qword piece = static_cast<Qword>(k - d);
    Dword error = 0;
    char* grown = NewByteArrFill(&error, length + piece + 1);
    if (!grown) {
      last_error_ = error;
      return -2;
    }
    if (length) std::memcpy(grown, *line, static_cast<size_t>(length));
    std::memcpy(grown + length, window_data_ + d, static_cast<size_t>(piece));
    length += piece;
    grown[length] = 0;
    KillStringA(line);
    *line = grown;
    position_ += static_cast<Qlong>(piece);
    taken += static_cast<Qlong>(piece);
  }
  // Drop the terminator, and the CR of a CR LF pair.
  --length;
  if (terminator == '\n' && length > 0 && (*line)[length - 1] == '\r') --length;
  (*line)[length] = 0;
  return taken;
}

Qlong cKyFile::SkipLine() {
  char* line = nullptr;
  const Qlong r = ReadLine(&line);
  KillStringA(&line);
  return r;
}

Qlong cKyFile::LocateString(const char* text, Dword flags, Qlong length, char wildcard) {
  if (IsClosed()) return -1;
  last_error_ = 0;
  if ((flags & kLocateRewind) && !Rewind()) return -1;
  if (!text) return 1;
  if (length <= 0) length = static_cast<Qlong>(std::strlen(text));
  if (length == 0) return 1;
  if (size_ == 0 && !GetSize()) return 0;
  if (size_ == kSizeUnknown || size_ < length) return 0;
  Qword table[256];
  BmhSkipTableA(text, static_cast<Qword>(length), table);
  for (;;) {
    const Qlong r = Read(nullptr, length);
    if (r <= 0) return r;
    if (window_count_ < length) return 0;
    // From the position on, so that a search that starts inside the window
    // (after a match, for the next one) moves forward.
    const Qlong from = position_ - r - window_base_;
    const char* start = reinterpret_cast<const char*>(window_data_) + from;
    const Qword span = static_cast<Qword>(window_count_ - from);
    const char* hit =
        wildcard ? StringLocateSubStringExA(start, text, span, static_cast<Qword>(length),
                                            flags & kLocateNoCase, wildcard, nullptr)
                 : StringLocateSubStringA(start, text, span, static_cast<Qword>(length), table);
    if (hit) {
      position_ = window_base_ + from + (hit - start);
      if (flags & kLocateBehindMatch) position_ += length;
      return 1;
    }
    if (window_count_ < window_capacity_) {
      position_ = window_base_ + window_count_;
      return 0;
    }
    // The next window overlaps this one by length - 1 bytes.
    position_ = window_base_ + window_count_ - length + 1;
  }
}

bool cKyFile::SeekLineStart() {
  if (IsClosed()) return false;
  last_error_ = 0;
  const Qlong p = position_;
  unsigned char at = 0, before = 0;
  Qword got = 0;
  if (!ReadAt(p, &at, 1, &got)) return false;
  const bool on_lf = got == 1 && at == '\n';
  if (on_lf && p > 0) {
    if (!ReadAt(p - 1, &before, 1, &got)) return false;
    if (got == 1 && before == '\n') return true;  // an empty line: stay
  }
  // Backwards in blocks read straight from the file, so the walk does not
  // refill the window byte by byte.
  unsigned char block[4096];
  Qlong k = on_lf ? p - 2 : p - 1;
  while (k >= 0) {
    const Qlong start = k >= Qlong{sizeof block} - 1 ? k - (Qlong{sizeof block} - 1) : 0;
    const Qword n = static_cast<Qword>(k - start + 1);
    if (!ReadAt(start, block, n, &got)) return false;
    for (Qlong i = static_cast<Qlong>(std::min(got, n)) - 1; i >= 0; --i) {
      if (block[i] == '\r' || block[i] == '\n') {
        position_ = start + i + 1;
        return true;
      }
    }
    k = start - 1;
  }
  position_ = 0;
  return true;
}

bool cKyFile::SeekPreviousLine() {
  if (!SeekLineStart()) return false;
  if (position_ == 0) {
    if (!last_error_) last_error_ = kErrUnexpectedFileEnd;  // no line before the first
    return false;
  }
  if (!MovePosition(-1)) return false;
  return SeekLineStart();
}
