// Bell, Catalan, Euler, Fibonacci and Lucas numbers by table; Fibonacci and
// Lucas numbers past their tables continue modulo 2^64.
#include "scalar/comb_status.h"
#include "scalar/comb_tables.h"
#include "scalar/combinatorics.h"

VELTRIA_API Qword uBellNumber(Qword n, NumStatus* status) {
  StatusClear(status);
  if (n < BellTable.size()) return BellTable[n];
  return UnsignedOverflow(status);
}

// Clears the status on success too, like every other table lookup here.
VELTRIA_API Qword uCatalanNumber(Qword n, NumStatus* status) {
  StatusClear(status);
  if (n < CatalanTable.size()) return CatalanTable[n];
  return UnsignedOverflow(status);
}

VELTRIA_API Qword uEulerNumber(Qword n, NumStatus* status) {
  StatusClear(status);
  if (n & 1) return 0;
  if (n / 2 < EulerTable.size()) return EulerTable[n / 2];
  return UnsignedOverflow(status);
}

VELTRIA_API Qlong iEulerNumber(Qlong n, NumStatus* status) {
  StatusClear(status);
  if (n < 0) {
    StatusAdd(status, NUM_UNDEFINED);
    return kSignedMarker;
  }
  if (n & 1) return 0;
  const Qword half = static_cast<Qword>(n) / 2;
  if (half >= EulerTable.size()) return SignedOverflow(status);
  return SignedResult(EulerTable[half], (half & 1) != 0, status);
}

namespace {

// (F_n, F_(n+1)) modulo 2^64 by fast doubling, so any n costs 64 steps:
// F_2k = F_k (2 F_(k+1) - F_k), F_(2k+1) = F_k^2 + F_(k+1)^2.
void FibonacciPair(Qword n, Qword* fn, Qword* fn1) {
  Qword a = 0;
  Qword b = 1;
  for (int bit = 63; bit >= 0; --bit) {
    const Qword c = a * (2 * b - a);
    const Qword d = a * a + b * b;
    if ((n >> bit) & 1) {
      a = d;
      b = c + d;
    } else {
      a = c;
      b = d;
    }
  }
  *fn = a;
  *fn1 = b;
}

constexpr NumStatus kUnsignedBeyond = NUM_OVERFLOW | NUM_U64OVERFLOW_ABOVE;

}  // namespace

VELTRIA_API Qword uFibonacci(Qword n, NumStatus* status) {
  StatusClear(status);
  if (n < FibonacciTable.size()) return FibonacciTable[n];
  StatusAdd(status, kUnsignedBeyond);
  Qword fn;
  Qword fn1;
  FibonacciPair(n, &fn, &fn1);
  return fn;
}

VELTRIA_API Qword uLucas(Qword n, NumStatus* status) {
  StatusClear(status);
  if (n < LucasTable.size()) return LucasTable[n];
  StatusAdd(status, kUnsignedBeyond);
  // L_n = F_(n-1) + F_(n+1) = 2 F_(n+1) - F_n.
  Qword fn;
  Qword fn1;
  FibonacciPair(n, &fn, &fn1);
  return 2 * fn1 - fn;
}

namespace {

// A wrapped unsigned magnitude with a sign; beyond `fits` the value is
// wrapped and the status names the side it left the signed range on.
Qlong SignedSequenceValue(Qword u, Qword m, Qword fits, bool negative, NumStatus* status) {
  if (m > fits) {
    StatusAdd(status, NUM_OVERFLOW | (negative ? NUM_I64OVERFLOW_BELOW : NUM_I64OVERFLOW_ABOVE));
  }
  return static_cast<Qlong>(negative ? Qword{0} - u : u);
}

Qword Magnitude(Qlong n) {
  return n < 0 ? Qword{0} - static_cast<Qword>(n) : static_cast<Qword>(n);
}

}  // namespace

// F_(-m) = (-1)^(m+1) F_m.
VELTRIA_API Qlong iFibonacci(Qlong n, NumStatus* status) {
  const Qword m = Magnitude(n);
  const Qword u = uFibonacci(m, status);
  return SignedSequenceValue(u, m, 92, n < 0 && (m & 1) == 0, status);
}

// L_(-m) = (-1)^m L_m.
VELTRIA_API Qlong iLucas(Qlong n, NumStatus* status) {
  const Qword m = Magnitude(n);
  const Qword u = uLucas(m, status);
  return SignedSequenceValue(u, m, 90, n < 0 && (m & 1) == 1, status);
}
