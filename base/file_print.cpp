// Number and formatted output into files.
#include <cstdarg>

#include "base/files.h"
#include "base/format_engine.h"
#include "base/memory.h"
#include "base/number_text.h"
#include "base/os_services.h"

namespace {

// Room for 32 binary digits, a sign and the terminator.
constexpr Qword kIntegerRoom = 40;
// Room for a real; a larger digit count is cut to what fits.
constexpr Qword kRealRoom = 512;

inline Qword ToDigits(Dword v, char16_t* b, Dword radix) { return DwordToBuffer(v, b, radix); }
inline Qword ToDigits(Dword v, char* b, Dword radix) { return DwordToBufferA(v, b, radix); }
inline Qword ToDigits(Long v, char16_t* b, Dword radix) { return LongToBuffer(v, b, radix); }
inline Qword ToDigits(Long v, char* b, Dword radix) { return LongToBufferA(v, b, radix); }
inline Qword ToDigits(double v, char16_t* b, Long digits, Dword radix) {
  return RealToBufferCapped(v, b, kRealRoom, digits, radix);
}
inline Qword ToDigits(double v, char* b, Long digits, Dword radix) {
  return RealToBufferCappedA(v, b, kRealRoom, digits, radix);
}

inline unsigned char Write(Qlong h, const char16_t* text) { return FileWrite(h, text); }
inline unsigned char Write(Qlong h, const char* text) { return FileWriteA(h, text); }

// prefix, blanks, digits, suffix; null texts are skipped.
template <class Ch>
unsigned char Emit(Qlong handle, const Ch* prefix, Qword blanks, const Ch* digits,
                   const Ch* suffix) {
  if (prefix && !Write(handle, prefix)) return 0;
  if (blanks) {
    Dword error = 0;
    const Ch blank = Ch(' ');
    Ch* pad = NewArrFill<Ch>(&error, blanks + 1, &blank);
    // Without memory for the padding the number goes out unpadded.
    if (pad) {
      pad[blanks] = 0;
      const unsigned char ok = Write(handle, pad);
      KillPtr(&pad);
      if (!ok) return 0;
    }
  }
  if (!Write(handle, digits)) return 0;
  return suffix ? Write(handle, suffix) : 1;
}

template <class Ch>
unsigned char PrintDword(Qlong handle, const Ch* prefix, Dword value, const Ch* suffix, Dword width,
                         Dword radix) {
  if (handle == -1) return 1;
  Ch digits[kIntegerRoom];
  const Qword n = ToDigits(value, digits, radix);
  const Qword blanks = width > n ? width - n : 0;
  return Emit(handle, prefix, blanks, digits, suffix);
}

template <class Ch>
unsigned char PrintLong(Qlong handle, const Ch* prefix, Long value, const Ch* suffix, Dword radix) {
  if (handle == -1) return 1;
  Ch digits[kIntegerRoom];
  ToDigits(value, digits, radix);
  return Emit<Ch>(handle, prefix, 0, digits, suffix);
}

template <class Ch>
unsigned char PrintReal(Qlong handle, const Ch* prefix, double value, const Ch* suffix, Long digits,
                        Dword radix) {
  if (handle == -1) return 1;
  Ch text[kRealRoom];
  ToDigits(value, text, digits, radix);
  return Emit<Ch>(handle, prefix, 0, text, suffix);
}

template <class Ch>
unsigned char Printf(Qlong handle, const Ch* format, va_list args) {
  Ch* text = nullptr;
  if constexpr (sizeof(Ch) == 1)
    text = FormatEngineA(format, args);
  else
    text = FormatEngine(format, args);
  if (!text) return 1;  // nothing formatted: nothing to write
  const unsigned char ok = Write(handle, text);
  KillPtr(&text);
  return ok;
}

}  // namespace

VELTRIA_API unsigned char FilePrintDword(Qlong handle, const char16_t* prefix, Dword value,
                                         const char16_t* suffix, Dword width, Dword radix) {
  return PrintDword(handle, prefix, value, suffix, width, radix);
}
VELTRIA_API unsigned char FilePrintDwordA(Qlong handle, const char* prefix, Dword value,
                                          const char* suffix, Dword width, Dword radix) {
  return PrintDword(handle, prefix, value, suffix, width, radix);
}
VELTRIA_API unsigned char FilePrintLong(Qlong handle, const char16_t* prefix, Long value,
                                        const char16_t* suffix, Dword, Dword radix) {
  return PrintLong(handle, prefix, value, suffix, radix);
}
VELTRIA_API unsigned char FilePrintLongA(Qlong handle, const char* prefix, Long value,
                                         const char* suffix, Dword, Dword radix) {
  return PrintLong(handle, prefix, value, suffix, radix);
}
VELTRIA_API unsigned char FilePrintReal(Qlong handle, const char16_t* prefix, double value,
                                        const char16_t* suffix, Long digits, Dword radix) {
  return PrintReal(handle, prefix, value, suffix, digits, radix);
}
VELTRIA_API unsigned char FilePrintRealA(Qlong handle, const char* prefix, double value,
                                         const char* suffix, Long digits, Dword radix) {
  return PrintReal(handle, prefix, value, suffix, digits, radix);
}

VELTRIA_API unsigned char FilePrintf(Qlong handle, const char16_t* format, ...) {
  if (handle == -1) return 1;
  va_list args;
  va_start(args, format);
  const unsigned char ok = Printf(handle, format, args);
  va_end(args);
  return ok;
}
VELTRIA_API unsigned char FilePrintfA(Qlong handle, const char* format, ...) {
  if (handle == -1) return 1;
  va_list args;
  va_start(args, format);
  const unsigned char ok = Printf(handle, format, args);
  va_end(args);
  return ok;
}

VELTRIA_API Long OsMessagef(Long type, const char16_t* format, ...) {
  va_list args;
  va_start(args, format);
  char16_t* text = FormatEngine(format, args);
  va_end(args);
  const Long answer = OsMessage(type, text, nullptr);
  KillPtr(&text);
  return answer;
}
VELTRIA_API Long OsMessagefA(Long type, const char* format, ...) {
  va_list args;
  va_start(args, format);
  char* text = FormatEngineA(format, args);
  va_end(args);
  const Long answer = OsMessageA(type, text, nullptr);
  KillPtr(&text);
  return answer;
}
