// Complex values, arrays and matrices from typed console lines.
#include "base/console_in.h"
#include "base/console_out.h"
#include "base/error_codes.h"
#include "base/string_groom.h"
#include "complexvec/carr.h"
#include "complexvec/complex_text.h"

namespace {

constexpr Qword kLineRoom = 1024;

inline LibErrorCode ReadLine(const char16_t* prompt, char16_t* b, Qword groom) {
  return CinToBuffer(prompt, b, kLineRoom, groom);
}
inline LibErrorCode ReadLine(const char* prompt, char* b, Qword groom) {
  return CinToBufferA(prompt, b, kLineRoom, groom);
}
inline NumStatus Parse(const char16_t* t, COMPLEX* z, Qword* used) {
  return StringToComplex(t, z, used, 10);
}
inline NumStatus Parse(const char* t, COMPLEX* z, Qword* used) {
  return StringToComplexA(t, z, used, 10);
}
inline void Write(const char16_t* t) { Cout(t); }
inline void Write(const char* t) { CoutA(t); }

// The wide reader keeps the typed text; the 8-bit one grooms it.
template <class C>
constexpr Qword kValueGroom = sizeof(C) == 1 ? Qword{0} : Qword{kGroomUnchanged};

template <class C>
NumStatus ReadValue(COMPLEX* z, const C* prompt) {
  NumStatus status = NUM_UNDEFINED;
  COMPLEX value = NanComplex;
  C line[kLineRoom] = {};
  Qword used = 0;
  if (ReadLine(prompt, line, kValueGroom<C>) == 0) status = Parse(line, &value, &used);
  if (z) *z = value;
  return status;
}

template <class C>
LibErrorCode ReadArray(const C* prompt, Dword* count, COMPLEX* values, Dword capacity,
                       LibErrorCode too_few) {
  if (!values || !count) return kErrMissingArguments;
  if (*count == 0 && capacity == 0) return kErrMissingArguments;
  if (capacity != 0 && *count != 0 && capacity < *count) return kErrMissingArguments;
  const Dword limit = *count != 0 ? *count : capacity;
  C line[kLineRoom] = {};
  if (ReadLine(prompt, line, kGroomUnchanged) != 0) return kErrIllegalInput;
  Dword got = 0;
  Qword at = 0;
  while (got < limit) {
    Qword used = 0;
    // Trailing text after a value (NUM_ILLEGALCHAR) is the next value.
    if (Parse(line + at, values + got, &used) & NUM_NOSTRUCT) break;
    ++got;
    at += used;
  }
  if (*count != 0 && got < *count) return too_few;
  if (*count == 0) *count = got;
  return kErrNone;
}

template <class C>
LibErrorCode ReadMatrix(const C* prompt, Dword* rows, Dword* cols, COMPLEX* M, Dword all_rows,
                        Dword fixed_cols, const C* first_prompt, Dword later_capacity,
                        LibErrorCode too_few) {
  if (!rows || !cols || *rows == 0 || *cols == 0 || !M) return kErrMissingArguments;
  Dword width = fixed_cols ? *cols : 0;
  Write(prompt);
  LibErrorCode status = ReadArray(first_prompt, &width, M, *cols, too_few);
  if (status != kErrNone) return status;
  // A first line without a value gives no matrix (not a 1 x 0 one).
  if (width == 0) return kErrMissingInputData;
  Dword r = 1;
  for (; r < *rows; ++r) {
    Dword want = width;
    const C* none = nullptr;
    if (ReadArray(none, &want, M + static_cast<Qword>(r) * width, later_capacity ? width : 0,
                  too_few) != kErrNone)
      break;
  }
  if (all_rows && r < *rows) return kErrMissingInputData;
  // The rows stand one after another: a width x r column-major block.
  status = CMatTranspose(M, width, r, M);
  if (status != kErrNone) return status;
  *rows = r;
  *cols = width;
  return kErrNone;
}

}  // namespace

VELTRIA_API NumStatus CinComplex(COMPLEX* z, const char16_t* prompt) {
  return ReadValue(z, prompt);
}
VELTRIA_API NumStatus CinComplexA(COMPLEX* z, const char* prompt) { return ReadValue(z, prompt); }

VELTRIA_API LibErrorCode CinCArr(const char16_t* prompt, Dword* count, COMPLEX* values,
                                 Dword capacity) {
  return ReadArray(prompt, count, values, capacity, kErrMissingInputData);
}
VELTRIA_API LibErrorCode CinCArrA(const char* prompt, Dword* count, COMPLEX* values,
                                  Dword capacity) {
  return ReadArray(prompt, count, values, capacity, kErrMissingArguments);
}

VELTRIA_API LibErrorCode CinCMat(const char16_t* prompt, Dword* rows, Dword* cols, COMPLEX* M,
                                 Dword all_rows, Dword fixed_cols) {
  return ReadMatrix(prompt, rows, cols, M, all_rows, fixed_cols, u"\r\n ", 1, kErrMissingInputData);
}
VELTRIA_API LibErrorCode CinCMatA(const char* prompt, Dword* rows, Dword* cols, COMPLEX* M,
                                  Dword all_rows, Dword fixed_cols) {
  return ReadMatrix(prompt, rows, cols, M, all_rows, fixed_cols, "\n ", 0, kErrMissingArguments);
}
