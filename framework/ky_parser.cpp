// Token scanning of cKyParser.
#include "framework/ky_parser.h"

#include <cstring>

#include "base/platform/allocator.h"
#include "base/string_groom.h"

namespace {

// Owned copy of a character set; null for null, or when memory runs out
// (the set is then empty).
char* CopySet(const char* set) {
  if (!set) return nullptr;
  const size_t n = std::strlen(set) + 1;
  char* copy = static_cast<char*>(PlatformAlloc(n));
  if (copy) std::memcpy(copy, set, n);
  return copy;
}

bool InSet(const char* set, char c) { return set && c != 0 && std::strchr(set, c) != nullptr; }

// The backslash escapes of control characters; any other escaped
// character stands for itself. Never called with NUL.
char Unescaped(char c) {
  static const char kFrom[] = "fnrt";
  static const char kTo[] = "\f\n\r\t";
  const char* hit = std::strchr(kFrom, c);
  return hit ? kTo[hit - kFrom] : c;
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

}  // namespace

cKyParser::cKyParser(Dword token_capacity, const char* extra_first, const char* extra_name)
    : extra_first_(CopySet(extra_first)), extra_name_(CopySet(extra_name)) {
  if (token_capacity > 0) token_ = static_cast<char*>(PlatformAlloc(token_capacity));
  if (token_) {
    token_capacity_ = token_capacity;
    token_[0] = 0;
  }
}

cKyParser::~cKyParser() {
  Free();
  PlatformFree(token_);
  PlatformFree(extra_first_);
  PlatformFree(extra_name_);
}

void cKyParser::SetText(const char* text) {
  Free();
  options_ &= ~kKyParseOwnsText;
  // Not written through: the text is only freed when the parser owns it.
  text_ = const_cast<char*>(text);
}

void cKyParser::Free() {
  if (options_ & kKyParseOwnsText) PlatformFree(text_);
  text_ = nullptr;
  position_ = 0;
  if (token_) token_[0] = 0;
  token_type_ = 0;
}

bool cKyParser::IsNameStartChar(char c) const {
  return IsLetterChar(c) || InSet(extra_name_, c) || InSet(extra_first_, c);
}

bool cKyParser::IsNameCharChar(char c) const {
  return IsLetterChar(c) || InSet(extra_name_, c) || IsDigitChar(c);
}

void cKyParser::PutTokenChar(Dword* length, char c) {
  if (*length + 1 < token_capacity_) token_[(*length)++] = c;
}

void cKyParser::TakeToken(Dword from, Dword to) {
  if (!token_) return;
  Dword n = to - from;
  if (n > token_capacity_ - 1) n = token_capacity_ - 1;
  std::memcpy(token_, text_ + from, n);
  token_[n] = 0;
}

Dword cKyParser::NextToken(Dword* position_out, Dword flags) {
  return Scan(position_out, flags, false);
}

Dword cKyParser::NextTokenReal(Dword* position_out, Dword flags) {
  return Scan(position_out, flags, true);
}

Dword cKyParser::Scan(Dword* position_out, Dword flags, bool reals) {
  const Dword options = options_ | flags;
  SkipWhite();
  const char c = At(position_);
  const char next = c ? At(position_ + 1) : '\0';
  const Dword start = position_;
  if (c == 0) {
    token_type_ = kKyTokenEnd;
    if (token_) token_[0] = 0;
  } else if (IsNameStartChar(c)) {
    ++position_;
    while (IsNameCharChar(At(position_))) ++position_;
    TakeToken(start, position_);
    token_type_ = kKyTokenName;
  } else if (!reals && IsDigitChar(c)) {
    token_type_ = ScanInteger((options & kKyParseHex) != 0);
  } else if (reals && (IsDigitChar(c) || (c == '.' && IsDigitChar(next)) ||
                       (c == '-' &&
                        (IsDigitChar(next) || (next == '.' && IsDigitChar(At(position_ + 2))))))) {
    ScanReal();
    token_type_ = kKyTokenNumber;
  } else if (c == '"') {
    ScanQuoted();
    token_type_ = kKyTokenString;
  } else {
    ++position_;
    TakeToken(start, position_);
    token_type_ = kKyTokenChar;
  }
  if ((options & kKyParseGroom) && token_type_ != kKyTokenString && token_)
    StringGroomA(token_, kGroomUpper);
  if (position_out) *position_out = position_;
  return token_type_;
}

Dword cKyParser::ScanInteger(bool hex) {
  const Dword start = position_;
  if (hex && At(position_) == '0' && (At(position_ + 1) == 'x' || At(position_ + 1) == 'X')) {
    position_ += 2;
    while (IsHexDigit(At(position_))) ++position_;
    TakeToken(start, position_);
    if (token_capacity_ > 2) token_[1] = 'X';
    return kKyTokenHex;
  }
  while (IsDigitChar(At(position_))) ++position_;
  TakeToken(start, position_);
  return kKyTokenNumber;
}

void cKyParser::ScanReal() {
  const Dword start = position_;
  if (At(position_) == '-') ++position_;
  while (IsDigitChar(At(position_))) ++position_;
  if (At(position_) == '.') {
    ++position_;
    while (IsDigitChar(At(position_))) ++position_;
  }
  // The exponent belongs to the number only when digits follow it.
  if (At(position_) == 'E' || At(position_) == 'e') {
    Dword p = position_ + 1;
    if (At(p) == '+' || At(p) == '-') ++p;
    if (IsDigitChar(At(p))) {
      while (IsDigitChar(At(p))) ++p;
      position_ = p;
    }
  }
  TakeToken(start, position_);
}

void cKyParser::ScanQuoted() {
  ++position_;  // the opening quote
  Dword length = 0;
  for (;;) {
    char c = At(position_);
    if (c == 0) break;
    ++position_;
    if (c == '"') break;
    if (c == '\\') {
      c = At(position_);
      if (c == 0) break;
      ++position_;
      c = Unescaped(c);
    }
    PutTokenChar(&length, c);
  }
  if (token_) token_[length] = 0;
}
