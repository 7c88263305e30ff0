// The growing text that the formatter appends to: one heap block that
// doubles when full, so building a long text costs linear time. A failed
// allocation marks the sink failed; every later write is dropped.
#pragma once
#include <cstring>

#include "base/platform/allocator.h"
#include "base/types.h"

// Widths and precisions beyond this are cut to it: a field is at most the
// size of the engine's traditional work buffer, so no request can make a
// single value exhaust memory.
inline constexpr Qword kFormatMaxField = 1023;

template <class C>
class FormatSink {
 public:
  FormatSink() = default;
  FormatSink(const FormatSink&) = delete;
  FormatSink& operator=(const FormatSink&) = delete;
  ~FormatSink() { PlatformFree(data_); }

  // Marks the result as started: an empty piece still makes an empty string.
  void Start() {
    started_ = true;
    Reserve(1);
  }
  void Put(C c) {
    if (Reserve(len_ + 1)) data_[len_++] = c;
  }
  void Put(const C* text, Qword n) {
    if (n != 0 && Reserve(len_ + n)) {
      std::memcpy(data_ + len_, text, n * sizeof(C));
      len_ += n;
    }
  }
  void PutAscii(const char* text) {
    while (*text) Put(static_cast<C>(*text++));
  }
  void Repeat(C c, Qword n) {
    if (n != 0 && Reserve(len_ + n)) {
      for (Qword i = 0; i < n; ++i) data_[len_ + i] = c;
      len_ += n;
    }
  }
  // Right-aligns the text written since `start` to `width` with blanks.
  void PadFrom(Qword start, Qword width) {
    const Qword have = len_ - start;
    if (failed_ || have >= width) return;
    const Qword pad = width - have;
    if (!Reserve(len_ + pad)) return;
    std::memmove(data_ + start + pad, data_ + start, have * sizeof(C));
    for (Qword i = 0; i < pad; ++i) data_[start + i] = ' ';
    len_ += pad;
  }

  // Gives the whole result up: Release then returns null.
  void Abandon() { Fail(); }

  Qword Length() const { return len_; }
  bool Started() const { return started_; }
  bool Failed() const { return failed_; }

  // Hands the terminated text to the caller; null when nothing was started
  // or an allocation failed.
  C* Release() {
    if (failed_ || !started_ || !Reserve(len_ + 1)) return nullptr;
    data_[len_] = 0;
    C* text = data_;
    data_ = nullptr;
    len_ = cap_ = 0;
    started_ = false;
    return text;
  }

 private:
  // Room for `need` characters plus a terminator.
  bool Reserve(Qword need) {
    if (failed_) return false;
    if (need < cap_) return true;
    Qword cap = cap_ < 64 ? 64 : cap_;
    while (cap <= need) {
      if (cap > (~Qword{0} / sizeof(C)) / 4) return Fail();
      cap *= 2;
    }
    void* block = PlatformRealloc(data_, static_cast<size_t>(cap * sizeof(C)));
    if (!block) return Fail();
    data_ = static_cast<C*>(block);
    cap_ = cap;
    return true;
  }
  bool Fail() {
    failed_ = true;
    return false;
  }

  C* data_ = nullptr;
  Qword len_ = 0;
  Qword cap_ = 0;
  bool started_ = false;
  bool failed_ = false;
};
