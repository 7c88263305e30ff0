// Listings of complex arrays and matrices to the console and/or a file,
// one template body per listing for the wide and 8-bit names.
#include "base/console_out.h"
#include "base/listing_output.h"
#include "complexvec/complex_text.h"

namespace {

inline void ConsoleOnly(const char16_t* t) { Cout(t); }
inline void ConsoleOnly(const char* t) { CoutA(t); }

template <class C>
Dword ListArray(const C* title, Dword n, const COMPLEX* values, Dword destination, Qlong handle) {
  ListingOutput out(destination, handle);
  // The title is for the reader at the console, never part of the file.
  if (title) ConsoleOnly(title);
  if (!values) return n;  // nothing to read from
  for (Dword i = 0; i < n; ++i) out.Printf<C>("\n %u\t(%g, %g)", i, values[i].re, values[i].im);
  return n;
}

template <class C>
Dword ListMatrix(const C* title, Dword rows, Dword cols, const COMPLEX* M, Dword destination,
                 Qlong handle) {
  ListingOutput out(destination, handle);
  if (title) {
    out.Put(title);
    out.Printf<C>("\n");
  }
  if (!M) return rows;
  for (Qword i = 0; i < rows; ++i) {
    for (Qword j = 0; j < cols; ++j) {
      const COMPLEX& z = M[i + Qword{rows} * j];
      out.Printf<C>(" (%g, %g)\t", z.re, z.im);
    }
    out.Printf<C>("\n");
  }
  return rows;
}

}  // namespace

VELTRIA_API Dword CoutCArr(const char16_t* title, Dword n, const COMPLEX* values, Dword destination,
                           Qlong handle) {
  return ListArray(title, n, values, destination, handle);
}
VELTRIA_API Dword CoutCArrA(const char* title, Dword n, const COMPLEX* values, Dword destination,
                            Qlong handle) {
  return ListArray(title, n, values, destination, handle);
}

VELTRIA_API Dword CoutCMat(const char16_t* title, Dword rows, Dword cols, const COMPLEX* M,
                           Dword destination, Qlong handle) {
  return ListMatrix(title, rows, cols, M, destination, handle);
}
VELTRIA_API Dword CoutCMatA(const char* title, Dword rows, Dword cols, const COMPLEX* M,
                            Dword destination, Qlong handle) {
  return ListMatrix(title, rows, cols, M, destination, handle);
}
