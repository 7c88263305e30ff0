#include "arrays/console_tabulate.h"

#include <cmath>

#include "arrays/grid.h"
#include "base/console_in.h"
#include "base/console_menu.h"
#include "base/console_out.h"
#include "base/error_codes.h"
#include "base/listing_output.h"

namespace {

// The code whose text says why no file was had: a cancelled dialog leaves
// 0, a file that could not be created leaves the file layer's code.
LibErrorCode NoFileCode(LibErrorCode refusal) {
  if (refusal == kErrAlloc || (refusal >= kErrFileSystem && refusal <= kErrUndefinedFile))
    return refusal;
  return kErrUndefinedFile;
}

template <class F>
LibErrorCode Tabulate(const char16_t* title, const F& f) {
  ConClear();
  Cout(title);
  Qword kind = 0, n = 0;
  double lo = std::nan(""), hi = std::nan("");
  // Rows are never computed from values the question left unset.
  const LibErrorCode grid = CinRArrGrid(&kind, &lo, &hi, &n);
  if (grid != 0) return grid;
  const OutputDestination destination = CinOutputDestination();
  ListingOutput out(destination, -1);
  if (out.FileRefused()) return NoFileCode(out.RefusalCode());
  if (out.ToConsole()) CoutA("\n x\t\t f(x) \n");
  for (Qword i = 0; i < n; ++i) {
    const double x = RArrGridValue(i, kind, n, lo, hi);
    out.Printf<char>(" %.15g\t%.15g\r\n", x, f(x));
  }
  out.Close();
  const LibErrorCode written = out.FileError();
  CoutA("\n..................................................\n");
  return written;
}

}  // namespace

VELTRIA_API LibErrorCode ConTabulateRFunctionR(RFunctionR f, const char16_t* title) {
  if (!f) return kErrMissingFunction;
  return Tabulate(title, [f](double x) { return f(x); });
}
VELTRIA_API LibErrorCode ConTabulateRFunctionRD(RFunctionRD f, const char16_t* title,
                                                Dword parameter) {
  if (!f) return kErrMissingFunction;
  return Tabulate(title, [f, parameter](double x) { return f(x, parameter); });
}
VELTRIA_API LibErrorCode ConTabulateRFunctionRQ(RFunctionRQ f, const char16_t* title,
                                                Qword parameter) {
  if (!f) return kErrMissingFunction;
  return Tabulate(title, [f, parameter](double x) { return f(x, parameter); });
}
VELTRIA_API LibErrorCode ConTabulateRFunctionRR(RFunctionRR f, const char16_t* title,
                                                double parameter) {
  if (!f) return kErrMissingFunction;
  return Tabulate(title, [f, parameter](double x) { return f(x, parameter); });
}
