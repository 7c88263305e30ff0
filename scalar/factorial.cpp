// Factorials and double factorials by table.
#include "scalar/comb_status.h"
#include "scalar/comb_tables.h"
#include "scalar/combinatorics.h"

VELTRIA_API Qword uFactorial(Qword n, NumStatus* status) {
  StatusClear(status);
  if (n < FactorialTable.size()) return FactorialTable[n];
  return UnsignedOverflow(status);
}

VELTRIA_API Qlong iFactorial(Qlong n, NumStatus* status) {
  StatusClear(status);
  if (n < 0) return 0;
  return SignedResult(uFactorial(static_cast<Qword>(n), status), false, status);
}

VELTRIA_API Qword uDoubleFactorial(Qword n, NumStatus* status) {
  StatusClear(status);
  if (n < DoubleFactorialTable.size()) return DoubleFactorialTable[n];
  return UnsignedOverflow(status);
}

VELTRIA_API Qlong iDoubleFactorial(Qlong n, NumStatus* status) {
  StatusClear(status);
  if (n >= 0) return SignedResult(uDoubleFactorial(static_cast<Qword>(n), status), false, status);
  // (-1)!! = 1 and (-3)!! = -1 from n!! = (n+2)!! / (n+2); below that the
  // values are fractions, and even negative arguments have none.
  if (n == -1) return 1;
  if (n == -3) return -1;
  StatusAdd(status, (n & 1) ? (NUM_UNDEFINED | NUM_FRACTIONAL) : NUM_UNDEFINED);
  return kSignedMarker;
}
