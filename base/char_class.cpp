// ASCII character classification and case, hexadecimal digits.
#include "base/string_core.h"
#include "base/strings.h"

VELTRIA_API bool chIsAnyLetter(char16_t c) { return str::IsLetter(c); }
VELTRIA_API bool chIsCapLetter(char16_t c) { return str::IsCap(c); }
VELTRIA_API bool chIsSmallLetter(char16_t c) { return str::IsSmall(c); }
VELTRIA_API bool chIsDecDigit(char16_t c) { return str::IsDigit(c); }
VELTRIA_API bool chIsHexDigit(char16_t c) { return str::HexValue(c) >= 0; }
VELTRIA_API bool chIsOctalDigit(char16_t c) { return c >= u'0' && c <= u'7'; }
VELTRIA_API bool chIsBinaryDigit(char16_t c) { return c == u'0' || c == u'1'; }

VELTRIA_API char16_t chToLcase(char16_t c) { return str::ToLower(c); }
VELTRIA_API char chToLcaseA(char c) { return str::ToLower(c); }
VELTRIA_API char16_t chToUcase(char16_t c) { return str::ToUpper(c); }
VELTRIA_API char chToUcaseA(char c) { return str::ToUpper(c); }

VELTRIA_API Qlong chHexToDigit(char16_t c) { return str::HexValue(c); }
VELTRIA_API Qlong chHexToDigitA(char c) { return str::HexValue(c); }

namespace {
constexpr char kHexDigits[] = "0123456789ABCDEF";

template <class Ch>
Ch* CharToBuffer(Ch* buffer, Ch c) {
  if (!buffer) return nullptr;
  buffer[0] = c;
  buffer[1] = 0;
  return buffer;
}
}  // namespace

VELTRIA_API char16_t chDigitToHex(Qword value) { return kHexDigits[value & 15]; }
VELTRIA_API char chDigitToHexA(Qword value) { return kHexDigits[value & 15]; }

VELTRIA_API char16_t* chToStringBuffer(char16_t* buffer, char16_t c) {
  return CharToBuffer(buffer, c);
}
VELTRIA_API char* chToStringBufferA(char* buffer, char c) { return CharToBuffer(buffer, c); }
