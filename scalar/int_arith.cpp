// Bounded and status-reporting multiplication, bits, parity, signs and the
// small integer functions.
#include "base/bytes.h"
#include "base/num_status.h"
#include "scalar/int_helpers.h"

namespace {
constexpr Qword kAllOnes = ~Qword{0};
constexpr Qword kSignBit = Qword{1} << 63;

inline bool ProductExceeds(Qword a, Qword b) {
  if (a == 0 || b == 0) return false;
  const Qword lo = a < b ? a : b;
  const Qword hi = a < b ? b : a;
  return (kAllOnes - 1) / lo < hi;
}
inline Qword Magnitude(Qlong v) { return v < 0 ? Qword{0} - static_cast<Qword>(v) : v; }
}  // namespace

VELTRIA_API Qword uBoundMul(Qword a, Qword b) { return ProductExceeds(a, b) ? kAllOnes : a * b; }

VELTRIA_API Qword uSafeMul(Qword a, Qword b, NumStatus* status) {
  if (ProductExceeds(a, b) && status) *status = NUM_I64OVERFLOW_ABOVE;
  return a * b;
}

VELTRIA_API Qlong iBoundMul(Qlong a, Qlong b) {
  if (a == 0 && b == 0) return 0;
  const Qword p = uBoundMul(Magnitude(a), Magnitude(b));
  if (p >= kSignBit) return INT64_MIN;
  const Qlong v = static_cast<Qlong>(p);
  return (a < 0) != (b < 0) ? -v : v;
}

VELTRIA_API Qlong iSafeMul(Qlong a, Qlong b, NumStatus* status) {
  if (a == 0 && b == 0) return 0;
  const Qword p = uBoundMul(Magnitude(a), Magnitude(b));
  Qword bits = p;
  if ((a < 0) != (b < 0)) bits = Qword{0} - bits;
  if (p >= kSignBit && status) *status = NUM_I64OVERFLOW_ABOVE;
  return static_cast<Qlong>(bits);
}

VELTRIA_API Dword uBitsNeeded(Qword v) {
  Dword bits;
  BitsNeeded(&v, &bits);
  return bits;
}
VELTRIA_API Qlong iBitsNeeded(Qlong v) { return uBitsNeeded(static_cast<Qword>(v)) + 1; }

VELTRIA_API Qword uHammingWeight(Qword v) {
  Qword n = 0;
  for (; v; v >>= 1) n += v & 1;
  return n;
}
VELTRIA_API Qword iHammingWeight(Qlong v) { return uHammingWeight(static_cast<Qword>(v)); }
VELTRIA_API bool uIsOddParity(Qword v) { return uHammingWeight(v) & 1; }
VELTRIA_API bool iIsOddParity(Qlong v) { return uHammingWeight(static_cast<Qword>(v)) & 1; }
VELTRIA_API bool iIsEven(Qlong v) { return (v & 1) == 0; }
VELTRIA_API bool uIsEven(Qword v) { return (v & 1) == 0; }
VELTRIA_API bool iIsOdd(Qlong v) { return (v & 1) != 0; }
VELTRIA_API bool uIsOdd(Qword v) { return (v & 1) != 0; }

VELTRIA_API Qlong uCompare(Qword a, Qword b) { return static_cast<Qlong>(a - b); }

VELTRIA_API bool iIsInRangeMtoN(Qlong x, Qlong m, Qlong n) {
  return m <= n ? (m <= x && x <= n) : (n <= x && x <= m);
}
VELTRIA_API bool uIsInRangeMtoN(Qword x, Qword m, Qword n) {
  return m <= n ? (m <= x && x <= n) : (n <= x && x <= m);
}
VELTRIA_API bool iHaveSameSign(Qlong a, Qlong b) {
  return (a >= 0 && b >= 0) || (a <= 0 && b <= 0);
}
VELTRIA_API Qlong iKronDelta(Qlong a, Qlong b) { return a == b ? 1 : 0; }
VELTRIA_API Qlong uKronDelta(Qword a, Qword b) { return a == b ? 1 : 0; }
VELTRIA_API Qlong iMin1toI(Qlong n) { return (n & 1) ? -1 : 1; }
VELTRIA_API Qlong iMin1toU(Qword n) { return (n & 1) ? -1 : 1; }
VELTRIA_API Qlong iByMin1toI(Qlong x, Qlong n) {
  return (n & 1) ? static_cast<Qlong>(Qword{0} - static_cast<Qword>(x)) : x;
}
VELTRIA_API Qlong iByMin1toU(Qlong x, Qword n) { return iByMin1toI(x, static_cast<Qlong>(n)); }
VELTRIA_API Qlong iAbs(Qlong v) { return static_cast<Qlong>(Magnitude(v)); }

VELTRIA_API Qlong iTriangularExcess(Qword a, Qword b, Qword c) {
  Qword m = a > b ? a : b;
  if (c > m) m = c;
  return static_cast<Qlong>(2 * m - a - b - c);
}
