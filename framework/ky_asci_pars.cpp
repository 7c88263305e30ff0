// The parameter store's text: copying, appending, finding and removing
// entries in one growing buffer.
#include "framework/ky_asci_pars.h"

#include <cstring>

#include "base/error_codes.h"
#include "base/platform/allocator.h"

namespace {

constexpr char kCr = '\r';

Qword Length(const char* s) { return s ? std::strlen(s) : 0; }

// A name that can never be found: an entry name holds no CR and no "=".
bool IsBadName(const char* name) { return std::strpbrk(name, "\r=") != nullptr; }

// Owned copy of `n` characters plus a terminator; null when memory runs out.
char* CopyText(const char* text, Qword n) {
  char* copy = static_cast<char*>(PlatformAlloc(static_cast<size_t>(n + 1)));
  if (copy) {
    std::memcpy(copy, text, static_cast<size_t>(n));
    copy[n] = 0;
  }
  return copy;
}

}  // namespace

cKyAsciPars::cKyAsciPars(const cKyAsciPars& other) {
  if (other.text_ && (text_ = CopyText(other.text_, other.used_)) != nullptr) {
    count_ = other.count_;
    capacity_ = used_ = other.used_;
  }
}

cKyAsciPars& cKyAsciPars::operator=(const cKyAsciPars& other) {
  if (this == &other) return *this;
  if (!other.text_) {
    Clear();
    return *this;
  }
  char* copy = CopyText(other.text_, other.used_);
  if (!copy) return *this;
  PlatformFree(text_);
  text_ = copy;
  count_ = other.count_;
  capacity_ = used_ = other.used_;
  return *this;
}

cKyAsciPars::~cKyAsciPars() { PlatformFree(text_); }

void cKyAsciPars::Clear() {
  PlatformFree(text_);
  text_ = nullptr;
  count_ = 0;
  capacity_ = 0;
  used_ = ~Qword{0};
}

LibErrorCode cKyAsciPars::Reserve(Qword needed) {
  if (!text_) {
    // One byte beyond the capacity holds the terminator.
    text_ = static_cast<char*>(PlatformAlloc(growth_ + 1));
    if (!text_) return kErrAlloc;
    capacity_ = growth_;
    text_[0] = kCr;
    text_[1] = 0;
    used_ = 1;
  }
  if (capacity_ - used_ >= needed) return kErrNone;
  if (needed > (~Qword{0} >> 2) - used_) return kErrAlloc;
  const Qword capacity = used_ + growth_ + needed;
  char* grown = static_cast<char*>(PlatformAlloc(static_cast<size_t>(capacity + 1)));
  if (!grown) return kErrAlloc;
  std::memcpy(grown, text_, static_cast<size_t>(used_ + 1));
  PlatformFree(text_);
  text_ = grown;
  capacity_ = capacity;
  return kErrNone;
}

LibErrorCode cKyAsciPars::AddEntry(const char* name, const char* value, const char* extra) {
  if ((name && IsBadName(name)) || (value && IsBadName(value)) ||
      (extra && std::strchr(extra, kCr)))
    return kErrIllegalParameters;
  const Qword n = Length(name), v = Length(value), e = Length(extra);
  const LibErrorCode err = Reserve(n + v + e + 3);
  if (err != kErrNone || n == 0) return err;
  char* out = text_ + used_;
  std::memcpy(out, name, n);
  out += n;
  *out++ = '=';
  // An empty value before an extra text keeps its own "=", so that the
  // extra text is not read back as the value.
  if (v > 0 || e > 0) {
    if (v > 0) std::memcpy(out, value, v);
    out += v;
    *out++ = '=';
  }
  if (e > 0) std::memcpy(out, extra, e);
  out += e;
  *out++ = kCr;
  *out = 0;
  used_ = static_cast<Qword>(out - text_);
  ++count_;
  return kErrNone;
}

LibErrorCode cKyAsciPars::AddLines(const char* text) {
  const Qword n = Length(text);
  if (n == 0) return kErrNone;
  const LibErrorCode err = Reserve(n + 1);
  if (err != kErrNone) return err;
  std::memcpy(text_ + used_, text, n);
  for (Qword i = 0; i < n; ++i) count_ += text[i] == kCr;
  used_ += n;
  text_[used_++] = kCr;
  text_[used_] = 0;
  return kErrNone;
}

Qlong cKyAsciPars::Find(const char* name) const {
  if (!name || !*name || !text_ || IsBadName(name)) return -1;
  const size_t n = std::strlen(name);
  const char* end = text_ + used_;
  for (const char* cr = text_; cr && cr < end;
       cr = static_cast<const char*>(std::memchr(cr + 1, kCr, end - cr - 1))) {
    // strncmp stops at the terminator, so the text is never read past it.
    if (*cr == kCr && cr[1] == name[0] && std::strncmp(cr + 1, name, n) == 0 && cr[1 + n] == '=')
      return (cr + 1 + n + 1) - text_;
  }
  return -1;
}

Qword cKyAsciPars::EntryEnd(Qword value) const {
  const void* cr = std::memchr(text_ + value, kCr, static_cast<size_t>(used_ - value));
  return cr ? static_cast<Qword>(static_cast<const char*>(cr) - text_) : used_;
}

LibErrorCode cKyAsciPars::Remove(const char* name) {
  const Qlong found = Find(name);
  if (found < 0) return kErrMissingParameters;
  const Qword value = static_cast<Qword>(found);
  Qword start = value;
  while (start > 0 && text_[start - 1] != kCr) --start;
  // The line from its first character up to and including its CR; a last
  // entry without a CR is cut at the line's start.
  Qword end = EntryEnd(value);
  if (end < used_) ++end;
  std::memmove(text_ + start, text_ + end, static_cast<size_t>(used_ - end + 1));
  used_ -= end - start;
  if (count_ > 0) --count_;
  return kErrNone;
}

LibErrorCode cKyAsciPars::Set(const char* name, const char* value) {
  if ((name && IsBadName(name)) || (value && IsBadName(value))) return kErrIllegalParameters;
  // Room for the new entry first, so that a refused allocation loses nothing.
  const LibErrorCode room = Reserve(Length(name) + Length(value) + 3);
  if (room != kErrNone) return room;
  const LibErrorCode removed = Remove(name);
  if (removed != kErrNone && removed != kErrMissingParameters) return removed;
  return AddEntry(name, value, nullptr);
}
