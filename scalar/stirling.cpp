// Stirling numbers of the first (unsigned) and second kind by their row
// recurrences, computing only the entries the wanted one depends on.
#include "base/memory.h"
#include "scalar/comb_status.h"
#include "scalar/combinatorics.h"

constexpr Qlong kZeroQlong = 0;

namespace {

constexpr NumStatus kAllocFailed = 0x80000000u;

// For 2 <= k <= n - 2 both kinds are at least min(S(n, 2), S(n, n - 2))
// (the rows are unimodal and c(n, k) >= S(n, k)), and S(n, n - 2) > n^4/8
// passes 2^64 from n = 2^17 on: no row needs to be built there.
constexpr Qword kAlwaysOverflows = Qword{1} << 17;

// Rows j = 2 .. n-1 update entries m from the top down: the first kind
// c(j+1, m) = j c(j, m) + c(j, m-1), the second S(j+1, m) = m S(j, m) +
// S(j, m-1). Entries above j + 1 are still zero and are skipped; the lower
// bound rises once the remaining rows can no longer reach an entry. Every
// computed entry feeds the wanted one with a positive weight, so the first
// overflow anywhere is an overflow of the result.
Qword StirlingRows(Qword n, Qword k, bool first_kind, NumStatus* status) {
  if (n >= kAlwaysOverflows) return UnsignedOverflow(status);
  Dword error = 0;
  Qlong* cells = NewArrFill<Qlong>(&error, k + 1, &kZeroQlong);
  if (!cells) {
    StatusAdd(status, kAllocFailed);
    return kUnsignedMarker;
  }
  Qword* row = reinterpret_cast<Qword*>(cells);
  row[1] = 1;
  row[2] = 1;
  Qword lower = 1;
  bool overflow = false;
  for (Qword j = 2; j < n && !overflow; ++j) {
    const Qword upper = j + 1 < k ? j + 1 : k;
    for (Qword m = upper; m >= lower && m >= 1; --m) {
      Qword product;
      overflow = __builtin_mul_overflow(first_kind ? j : m, row[m], &product) ||
                 __builtin_add_overflow(product, row[m - 1], &row[m]);
      if (overflow) break;
    }
    if (j >= n - k) ++lower;
  }
  const Qword result = row[k];
  KillPtr(&cells);
  return overflow ? UnsignedOverflow(status) : result;
}

Qword Stirling(Qword n, Qword k, bool first_kind, NumStatus* status) {
  StatusClear(status);
  if (n < k) return 0;
  if (n == k) return 1;
  if (k == 0) return 0;
  if (k == 1) return first_kind ? uFactorial(n - 1, status) : 1;
  if (n == k + 1) return uBinomial(n, 2, status);
  return StirlingRows(n, k, first_kind, status);
}

}  // namespace

VELTRIA_API Qword uStirling1(Qword n, Qword k, NumStatus* status) {
  return Stirling(n, k, true, status);
}

VELTRIA_API Qword uStirling2(Qword n, Qword k, NumStatus* status) {
  return Stirling(n, k, false, status);
}

// s(n, k) = (-1)^(n-k) c(n, k); no permutations of a negative count.
VELTRIA_API Qlong iStirling1(Qlong n, Qlong k, NumStatus* status) {
  if (n < 0 || k < 0) {
    StatusClear(status);
    return 0;
  }
  const Qword c = uStirling1(static_cast<Qword>(n), static_cast<Qword>(k), status);
  if (c == kUnsignedMarker) return kSignedMarker;
  return SignedResult(c, ((n - k) & 1) != 0, status);
}
