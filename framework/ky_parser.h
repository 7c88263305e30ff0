// A small tokenizer over 8-bit text: names, integers or reals, quoted
// strings and single characters, one token at a time.
#pragma once
#include "base/types.h"

// Token types of cKyParser.
enum : Dword {
  kKyTokenEnd = 1,
  kKyTokenChar = 2,
  kKyTokenName = 4,
  kKyTokenString = 8,
  kKyTokenNumber = 128,
  kKyTokenHex = 144,
};

// Option and per-call flag bits.
enum : Dword {
  kKyParseGroom = 0x1,        // groom every token but quoted strings
  kKyParseHex = 0x4,          // 0x numbers (NextToken only)
  kKyParseOwnsText = 0x8000,  // the parser frees the text
};

class cKyParser {
 public:
  // The two character sets are copied; either may be null.
  cKyParser(Dword token_capacity, const char* extra_first, const char* extra_name);
  virtual ~cKyParser();
  cKyParser(const cKyParser&) = delete;
  cKyParser& operator=(const cKyParser&) = delete;

  // Starts scanning the text from its beginning; the text is not owned.
  void SetText(const char* text);
  // Forgets the text and the token.
  void Free();

  // Next token with integer numbers; `flags` adds to the options for this
  // call. The out position receives the position after the token.
  virtual Dword NextToken(Dword* position_out, Dword flags);
  // Next token with real numbers (sign, point and exponent).
  virtual Dword NextTokenReal(Dword* position_out, Dword flags);

  bool IsDigit() const { return IsDigitChar(At(position_)); }
  bool IsLetter() const { return IsLetterChar(At(position_)); }

  const char* Token() const { return token_ ? token_ : ""; }
  Dword Position() const { return position_; }
  Dword Options() const { return options_; }

 protected:
  static bool IsWhite(char c) { return static_cast<signed char>(c) <= 32; }
  static bool IsDigitChar(char c) { return c >= '0' && c <= '9'; }
  static bool IsLetterChar(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
  bool IsNameStartChar(char c) const;
  bool IsNameCharChar(char c) const;

  // Character at an index; NUL past the end or without a text.
  char At(Dword i) const { return text_ ? text_[i] : '\0'; }
  void Advance(Dword n) { position_ += n; }
  void SkipWhite() {
    while (At(position_) != 0 && IsWhite(At(position_))) ++position_;
  }

 private:
  Dword Scan(Dword* position_out, Dword flags, bool reals);
  Dword ScanInteger(bool hex);
  void ScanReal();
  void ScanQuoted();
  // Copies text_[from, to) into the token, cut to the capacity.
  void TakeToken(Dword from, Dword to);
  void PutTokenChar(Dword* length, char c);

  Dword options_ = 0;
  char* extra_first_ = nullptr;
  char* extra_name_ = nullptr;
  char* text_ = nullptr;
  Dword position_ = 0;
  Dword token_type_ = 0;
  char* token_ = nullptr;
  Dword token_capacity_ = 0;
};
