// The text listing of a signal array: index, real and imaginary part.
#include "base/listing_output.h"
#include "signal_fit/signal/sarr.h"

namespace {
template <class C>
void List(Dword n, const double* s, Dword destination, Qlong handle) {
  if (!s || n == 0) return;
  ListingOutput out(destination, handle);
  for (Dword i = 0; i < n; ++i)
    out.Printf<C>("\n %u\t%17.15g\t%17.15g", i, s[i], s[static_cast<Qword>(n) + i]);
}
}  // namespace

VELTRIA_API void CoutSArr(Dword n, const double* s, Dword destination, Qlong handle) {
  List<char16_t>(n, s, destination, handle);
}

VELTRIA_API void CoutSArrA(Dword n, const double* s, Dword destination, Qlong handle) {
  List<char>(n, s, destination, handle);
}
