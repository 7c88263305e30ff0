#include "base/console_out.h"

#include <cstdarg>

#include "base/console_in.h"
#include "base/console_out_testing.h"
#include "base/console_text.h"
#include "base/errors.h"
#include "base/format_engine.h"
#include "base/memory.h"
#include "base/number_text.h"
#include "base/platform/terminal.h"
#include "base/strings.h"

namespace {

TextColorID g_color = 0;

// SGR sequences by colour id; ids outside the table take the default.
const char* const kColorSequence[8] = {
    "\x1b[0m",   // default
    "\x1b[91m",  // bright red
    "\x1b[92m",  // bright green
    "\x1b[94m",  // bright blue
    "\x1b[93m",  // yellow
    "\x1b[96m",  // cyan
    "\x1b[95m",  // magenta
    "\x1b[37m",  // grey
};

struct FlagName {
  NumStatus bit;
  const char* name;
};
// Order of the printout; the above and below bit of a range share a name.
const FlagName kFlagNames[] = {
    {0x10, "NUM_UNDEFINED "},        {0x20, "NUM_ILLEGALCHAR "},      {0x40, "NUM_FRACTIONAL "},
    {0x80, "NUM_NOSTRUCT "},         {0x100, "NUM_OVERFLOW "},        {0x200, "NUM_UNDERFLOW "},
    {0x400, "NUM_PRECISIONLIM "},    {0x40000, "NUM_U64OVERFLOW "},   {0x4000, "NUM_I64OVERFLOW "},
    {0x10000, "NUM_U32OVERFLOW "},   {0x1000, "NUM_I32OVERFLOW "},    {0x80000, "NUM_U64OVERFLOW "},
    {0x8000, "NUM_I64OVERFLOW "},    {0x20000, "NUM_U32OVERFLOW "},   {0x2000, "NUM_I32OVERFLOW "},
    {0x10000000, "NUM_ABOVELIMIT "}, {0x20000000, "NUM_BELOWLIMIT "}, {0x40000000, "NUM_BADRADIX "},
};

template <class C>
void WriteSix(const C* t1, const C* t2, const C* t3, const C* t4, const C* t5, const C* t6) {
  const C* texts[6] = {t1, t2, t3, t4, t5, t6};
  for (const C* t : texts) ConWriteText(t);
}

// Prefix, number text (ASCII, the same bytes for both widths), suffix.
template <class C>
void WriteNumber(const C* prefix, const char* number, const C* suffix) {
  ConWriteText(prefix);
  ConWriteText(number);
  ConWriteText(suffix);
}

// Blanks before the number up to the width; a number as long as the width
// or longer gets none.
template <class C>
void WritePadded(const C* prefix, const char* number, Qword length, Dword width, const C* suffix) {
  ConWriteText(prefix);
  for (Qword i = length; i < width; ++i) ConWriteText(" ");
  ConWriteText(number);
  ConWriteText(suffix);
}

template <class C>
void ErrorLine(LibErrorCode code, const C* text, Dword wait) {
  ConSetTextColorID(1);
  if (code != 0) {
    char number[16];
    DwordToBufferA(code, number, 10);
    ConWriteText(" Error ");
    ConWriteText(number);
    ConWriteText(": ");
    ConWriteText(KyErrorString(code));
    ConWriteText("\n");
  } else {
    ConWriteText(text);
    ConWriteText("\n");
  }
  ConSetTextColorID(0);
  if (wait) CinWaitKbHitA("\n Hit any key to continue", 0);
}

template <class C>
void NumFlags(const C* prefix, NumStatus status, const C* suffix) {
  ConWriteText(prefix);
  for (const FlagName& f : kFlagNames)
    if (status & f.bit) ConWriteText(f.name);
  ConWriteText(suffix);
}

}  // namespace

TextColorID ConCurrentColor(void) { return g_color; }

void ConResetStateForTest(void) { g_color = 0; }

Dword ConSetTextColorID(TextColorID id) {
  g_color = id < 8 ? id : 0;
  return TermWriteControl(kColorSequence[g_color]) ? 1 : 0;
}

void Cout(const char16_t* t1, const char16_t* t2, const char16_t* t3, const char16_t* t4,
          const char16_t* t5, const char16_t* t6) {
  WriteSix(t1, t2, t3, t4, t5, t6);
}
void CoutA(const char* t1, const char* t2, const char* t3, const char* t4, const char* t5,
           const char* t6) {
  WriteSix(t1, t2, t3, t4, t5, t6);
}

void CoutStr(const char16_t* text) { ConWriteText(text); }
void CoutStrA(const char* text) { ConWriteText(text); }

void Coutf(const char16_t* format, ...) {
  va_list args;
  va_start(args, format);
  char16_t* text = FormatEngine(format, args);
  va_end(args);
  ConWriteText(text);
  KillString(&text);
}
void CoutfA(const char* format, ...) {
  va_list args;
  va_start(args, format);
  char* text = FormatEngineA(format, args);
  va_end(args);
  ConWriteText(text);
  KillStringA(&text);
}

Dword CoutPrompt(const char16_t* t1, const char16_t* t2, const char16_t* t3, const char16_t* t4,
                 const char16_t* t5, const char16_t* t6) {
  ConSetTextColorID(4);
  WriteSix(t1, t2, t3, t4, t5, t6);
  Dword ok = ConSetTextColorID(0);
  TermFlush();
  return ok;
}
Dword CoutPromptA(const char* t1, const char* t2, const char* t3, const char* t4, const char* t5,
                  const char* t6) {
  ConSetTextColorID(4);
  WriteSix(t1, t2, t3, t4, t5, t6);
  Dword ok = ConSetTextColorID(0);
  TermFlush();
  return ok;
}

void CoutBool(const char16_t* prefix, Dword value, const char16_t* suffix) {
  char b[16];
  BoolToBufferA(value, b);
  WriteNumber(prefix, b, suffix);
}
void CoutBoolA(const char* prefix, Dword value, const char* suffix) {
  char b[16];
  BoolToBufferA(value, b);
  WriteNumber(prefix, b, suffix);
}

void CoutChar(const char16_t* prefix, char16_t c, const char16_t* suffix) {
  const char16_t one[2] = {c, 0};
  ConWriteText(prefix);
  ConWriteText(one);
  ConWriteText(suffix);
}
void CoutCharA(const char* prefix, char c, const char* suffix) {
  const char one[2] = {c, 0};
  ConWriteText(prefix);
  ConWriteText(one);
  ConWriteText(suffix);
}

void CoutChr(char16_t c) {
  const char16_t one[2] = {c, 0};
  ConWriteText(one);
}
void CoutChrA(char c) { TermWrite(&c, 1); }

void CoutDword(const char16_t* prefix, Dword value, const char16_t* suffix, Dword width,
               Dword radix) {
  char b[72];
  Qword n = DwordToBufferA(value, b, radix);
  WritePadded(prefix, b, n, width, suffix);
}
void CoutDwordA(const char* prefix, Dword value, const char* suffix, Dword width, Dword radix) {
  char b[72];
  Qword n = DwordToBufferA(value, b, radix);
  WritePadded(prefix, b, n, width, suffix);
}
void CoutLong(const char16_t* prefix, Long value, const char16_t* suffix, Dword width,
              Dword radix) {
  char b[72];
  Qword n = LongToBufferA(value, b, radix);
  WritePadded(prefix, b, n, width, suffix);
}
void CoutLongA(const char* prefix, Long value, const char* suffix, Dword width, Dword radix) {
  char b[72];
  Qword n = LongToBufferA(value, b, radix);
  WritePadded(prefix, b, n, width, suffix);
}

namespace {
template <class C>
void QlongOut(const C* prefix, Qlong value, const C* suffix, Dword radix) {
  char b[80];
  if (value == INT64_MIN)
    WriteNumber(prefix, "_InvalidQLONG", suffix);
  else {
    QlongToBufferA(value, b, radix);
    WriteNumber(prefix, b, suffix);
  }
}
template <class C>
void QwordOut(const C* prefix, Qword value, const C* suffix, Dword radix) {
  char b[80];
  if (value == UINT64_MAX)
    WriteNumber(prefix, "_InvalidQWORD", suffix);
  else {
    QwordToBufferA(value, b, radix);
    WriteNumber(prefix, b, suffix);
  }
}
template <class C>
void PointerOut(const C* prefix, Qword value, const C* suffix) {
  char b[80] = "0x";
  if (value == 0)
    WriteNumber(prefix, "NULL", suffix);
  else if (value == UINT64_MAX)
    WriteNumber(prefix, "INVALID", suffix);
  else {
    QwordToBufferA(value, b + 2, 16);
    WriteNumber(prefix, b, suffix);
  }
}
}  // namespace

void CoutQlong(const char16_t* prefix, Qlong value, const char16_t* suffix, Dword radix) {
  QlongOut(prefix, value, suffix, radix);
}
void CoutQlongA(const char* prefix, Qlong value, const char* suffix, Dword radix) {
  QlongOut(prefix, value, suffix, radix);
}
void CoutQword(const char16_t* prefix, Qword value, const char16_t* suffix, Dword radix) {
  QwordOut(prefix, value, suffix, radix);
}
void CoutQwordA(const char* prefix, Qword value, const char* suffix, Dword radix) {
  QwordOut(prefix, value, suffix, radix);
}
void CoutPointer(const char16_t* prefix, Qword value, const char16_t* suffix) {
  PointerOut(prefix, value, suffix);
}
void CoutPointerA(const char* prefix, Qword value, const char* suffix) {
  PointerOut(prefix, value, suffix);
}

void CoutReal(const char16_t* prefix, double x, const char16_t* suffix, Long digits, Dword radix) {
  char b[512];
  RealToBufferCappedA(x, b, sizeof b, digits, radix);
  WriteNumber(prefix, b, suffix);
}
void CoutRealA(const char* prefix, double x, const char* suffix, Long digits, Dword radix) {
  char b[512];
  RealToBufferCappedA(x, b, sizeof b, digits, radix);
  WriteNumber(prefix, b, suffix);
}

void CoutError(LibErrorCode code, const char16_t* text, Dword wait) { ErrorLine(code, text, wait); }
void CoutErrorA(LibErrorCode code, const char* text, Dword wait) { ErrorLine(code, text, wait); }

void CoutNumFlags(const char16_t* prefix, NumStatus status, const char16_t* suffix) {
  NumFlags(prefix, status, suffix);
}
void CoutNumFlagsA(const char* prefix, NumStatus status, const char* suffix) {
  NumFlags(prefix, status, suffix);
}

void CoutMemA(const char* prefix, const void* bytes, Qword count, Qword kind) {
  ConWriteText(prefix);
  if (!bytes || count == 0 || (kind != 1 && kind != 3)) return;
  char* text = nullptr;
  Qword length = 0;
  if (NewAsciFromMem(static_cast<Dword>(kind), bytes, count, &text, &length) == 0)
    ConWriteText(text);
  KillStringA(&text);
}
