// Typed strings, byte strings, lists of reals and the values of a data grid.
#include <cfloat>
#include <cmath>

#include "base/console_in.h"
#include "base/console_out.h"
#include "base/console_text.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "base/number_text.h"
#include "base/strings.h"

namespace {

constexpr Qword kLine = 1024;
constexpr Qword kKeepText = 0x8000;
inline Qword GroomOf(const char16_t*) { return kKeepText; }
inline Qword GroomOf(const char*) { return 0; }

inline char16_t* CopyNew(const char16_t* t) { return NewCopyString(t, 0, kNoIndex); }
inline char* CopyNew(const char* t) { return NewCopyStringA(t, 0, kNoIndex); }

template <class C>
C* NewLine(const C* prompt) {
  C line[kLine];
  bool ended = false;
  if (ConReadLine(prompt, line, kLine, GroomOf(prompt), &ended) != 0 || ended) return nullptr;
  return CopyNew(line);
}

inline double ParseReal(const char16_t* t, NumStatus* s, Qword* used) {
  return StringToReal(t, s, used, 10);
}
inline double ParseReal(const char* t, NumStatus* s, Qword* used) {
  return StringToRealA(t, s, used, 10);
}

template <class C>
LibErrorCode ReadReals(const C* prompt, Dword* count, double* values, Dword capacity) {
  if (!values || !count) return kErrMissingArguments;
  if (*count == 0 && capacity == 0) return kErrMissingArguments;
  if (capacity != 0 && *count != 0 && capacity < *count) return kErrIllegalParameters;
  const Dword limit = *count != 0 ? *count : capacity;
  C line[kLine];
  bool ended = false;
  if (ConReadLine(prompt, line, kLine, GroomOf(prompt), &ended) != 0 || ended)
    return kErrMissingArguments;
  Dword found = 0;
  const C* p = line;
  while (found < limit) {
    NumStatus st = 0;
    Qword used = 0;
    const double x = ParseReal(p, &st, &used);
    if (st & NUM_UNDEFINED) {
      values[found] = NAN;  // marks where the typed numbers ended
      break;
    }
    values[found++] = x;
    p += used;
  }
  if (*count != 0 && found < *count) return kErrMissingArguments;
  if (*count == 0) *count = found;
  return 0;
}

}  // namespace

char16_t* CinNewString(const char16_t* prompt) { return NewLine(prompt); }
char* CinNewStringA(const char* prompt) { return NewLine(prompt); }

LibErrorCode CinMemA(const char* prompt, void* bytes, Qword capacity, Qword kind) {
  char* line = CinNewStringA(prompt);
  Qword room = capacity;
  const LibErrorCode code = !line ? kErrMissingInputData
                            : (kind == 1 || kind == 3)
                                ? MemFromAsci(static_cast<Dword>(kind), line, bytes, &room)
                                : kErrNotYetImplemented;
  KillStringA(&line);
  return code;
}

LibErrorCode CinRArr(const char16_t* prompt, Dword* count, double* values, Dword capacity) {
  return ReadReals(prompt, count, values, capacity);
}
LibErrorCode CinRArrA(const char* prompt, Dword* count, double* values, Dword capacity) {
  return ReadReals(prompt, count, values, capacity);
}

LibErrorCode CinRArrGrid(Qword* kind, double* minimum, double* maximum, Qword* points) {
  if (!kind || !minimum || !maximum || !points) return kErrMissingArguments;
  CoutA("\n\n Data-grid specifications:");
  NumStatus st = 0;
  const Qword typed =
      CinQwordMmA("\n   Grid type (0..lin, 1..log, 2..inverse, 3..square):", 0, 3, &st);
  // Stored grid kinds: 1 linear, 2 logarithmic, 3 inverse, 4 square.
  *kind = st == 0 && typed <= 3 ? typed + 1 : 1;
  // Every stored kind asks for a positive minimum (the logarithmic and
  // inverse grids need one).
  const double lowest = std::ldexp(1.0, -1024);
  const double lo = CinRealMmA("  Minimum value :", lowest, DBL_MAX, &st);
  if (std::isnan(lo) || st != 0) return kErrIllegalData;
  *minimum = lo;
  const double hi = CinRealMmA("  Maximum value :", lo, DBL_MAX, &st);
  if (std::isnan(hi) || st != 0) return kErrIllegalData;
  *maximum = hi;
  const Qword n = CinQwordMmA("  Total points  :", 1, UINT64_MAX - 1, &st);
  if (n == UINT64_MAX || st != 0) return kErrIllegalData;
  *points = n;
  return 0;
}
