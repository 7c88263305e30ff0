// The console reader of a real matrix typed row by row.
#include "arrays/rarr_text.h"
#include "arrays/rmat.h"
#include "base/console_in.h"
#include "base/console_out.h"
#include "base/error_codes.h"

namespace {

inline LibErrorCode ReadRow(const char16_t* prompt, Dword* count, double* values, Dword capacity) {
  return CinRArr(prompt, count, values, capacity);
}
inline LibErrorCode ReadRow(const char* prompt, Dword* count, double* values, Dword capacity) {
  return CinRArrA(prompt, count, values, capacity);
}

template <class C>
LibErrorCode ReadMatrix(const C* prompt, Dword* rows, Dword* cols, double* values, Dword exact,
                        Dword fixed_cols) {
  if (!rows || !cols || *rows == 0 || *cols == 0 || !values) return kErrMissingArguments;
  const Dword most_rows = *rows;
  Dword width = fixed_cols ? *cols : 0;
  if constexpr (sizeof(C) == 1)
    CoutA(prompt);
  else
    Cout(prompt);
  static constexpr C kFirstPrompt[] = {'\n', ' ', 0};
  const LibErrorCode first = ReadRow(kFirstPrompt, &width, values, *cols);
  if (first != 0) return first;
  if (width == 0) return kErrMissingArguments;  // a first line without numbers
  Dword read = 1;
  // Row r starts at r * width: the rows lie one after the other (row-major).
  while (read < most_rows) {
    Dword count = width;
    if (ReadRow(static_cast<const C*>(nullptr), &count, values + Qword{read} * width, width) != 0)
      break;
    ++read;
  }
  if (exact && read < most_rows) return kErrMissingArguments;
  // The width x read column-major view of the rows, transposed in place.
  const LibErrorCode turned = RMatTranspose(values, width, read, values);
  if (turned != 0) return turned;
  *rows = read;
  *cols = width;
  return 0;
}

}  // namespace

VELTRIA_API LibErrorCode CinRMat(const char16_t* prompt, Dword* rows, Dword* cols, double* values,
                                 Dword exact, Dword fixed_cols) {
  return ReadMatrix(prompt, rows, cols, values, exact, fixed_cols);
}
VELTRIA_API LibErrorCode CinRMatA(const char* prompt, Dword* rows, Dword* cols, double* values,
                                  Dword exact, Dword fixed_cols) {
  return ReadMatrix(prompt, rows, cols, values, exact, fixed_cols);
}
