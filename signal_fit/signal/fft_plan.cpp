// The transform's tables and work area: built on first use of a size, kept
// until the process ends (or a test releases them).
#include "signal_fit/signal/fft_plan.h"

#include <cmath>
#include <numbers>

#include "base/memory.h"
#include "signal_fit/signal/fft_testing.h"

namespace {
constexpr unsigned kMaxLog = 63;

struct Cache {
  double* stockham[kMaxLog + 1] = {};
  double* work = nullptr;
  Qword work_count = 0;
};

Cache& TheCache() {
  static Cache cache;
  return cache;
}

// Real parts of count roots exp(2 pi i e_k / n) at dst, imaginary parts at
// dst + count, e_k = first + k * step (mod n).
void FillRoots(double* dst, Qword count, Qword first, Qword step, Qword n) {
  for (Qword k = 0; k < count; ++k)
    FftUnitRoot((first + k * step) & (n - 1), n, dst + k, dst + count + k);
}
}  // namespace

void FftUnitRoot(Qword e, Qword n, double* c, double* s) {
  // 8 e / n = octant + x exactly, x in [0, 1); the angle within the octant
  // is x pi/4, or (1 - x) pi/4 in the odd octants, which meet the axes.
  const Qword eighths = e << 3;
  unsigned log2n = 0;
  while ((Qword{1} << log2n) < n) ++log2n;
  const unsigned octant = static_cast<unsigned>(eighths >> log2n) & 7;
  const double x = static_cast<double>(eighths & (n - 1)) / static_cast<double>(n);
  const double theta = ((octant & 1) ? 1.0 - x : x) * (std::numbers::pi / 4);
  const double sn = std::sin(theta), cs = std::cos(theta);
  switch (octant) {
    case 0:
      *c = cs, *s = sn;
      break;
    case 1:
      *c = sn, *s = cs;
      break;
    case 2:
      *c = -sn, *s = cs;
      break;
    case 3:
      *c = -cs, *s = sn;
      break;
    case 4:
      *c = -cs, *s = -sn;
      break;
    case 5:
      *c = -sn, *s = -cs;
      break;
    case 6:
      *c = sn, *s = -cs;
      break;
    default:
      *c = cs, *s = -sn;
      break;
  }
}

unsigned FftSchedule(unsigned log2n, unsigned* radix_logs) {
  unsigned count = 0;
  unsigned rest = log2n;
  if (log2n >= 10) {
    // radix 4 first and last; the middle in radix 8 with one or two radix-4
    // passes where its length is not a multiple of 3
    radix_logs[count++] = 2;
    rest = log2n - 4;
    const unsigned fours = rest % 3 == 0 ? 0 : 3 - rest % 3;  // 2 + 2 = 4 = 1 (mod 3)
    for (unsigned k = 0; k < fours; ++k) radix_logs[count++] = 2;
    rest -= 2 * fours;
    for (; rest > 0; rest -= 3) radix_logs[count++] = 3;
    radix_logs[count++] = 2;
    return count;
  }
  // radix 8 but where a lone radix-2 pass would be left
  while (rest > 3) {
    const unsigned r = rest % 3 == 1 ? 2 : 3;
    radix_logs[count++] = r;
    rest -= r;
  }
  if (rest > 0) radix_logs[count++] = rest;
  return count;
}

const double* FftStockhamTables(unsigned log2n) {
  static double none = 0;
  if (log2n < 4) return &none;
  double*& slot = TheCache().stockham[log2n];
  if (slot) return slot;
  unsigned radix_logs[kFftMaxPasses];
  const unsigned passes = FftSchedule(log2n, radix_logs);
  Qword total = 0;
  for (unsigned k = 0, rem = log2n; k + 1 < passes; rem -= radix_logs[k++])
    total += 2 * ((Qword{1} << radix_logs[k]) - 1) * (Qword{1} << (rem - radix_logs[k]));
  Dword error = kErrNone;
  double* t = NewRealArrFill(&error, total);
  if (!t) return nullptr;
  double* row = t;
  for (unsigned k = 0, rem = log2n; k + 1 < passes; rem -= radix_logs[k++]) {
    const Qword len = Qword{1} << rem, m = len >> radix_logs[k];
    for (Qword e = 1; e < (Qword{1} << radix_logs[k]); ++e, row += 2 * m)
      FillRoots(row, m, 0, e, len);
  }
  slot = t;
  return slot;
}

double* FftWork(Qword count) {
  Cache& cache = TheCache();
  if (cache.work_count >= count) return cache.work;
  KillPtr(&cache.work);
  cache.work_count = 0;
  Dword error = kErrNone;
  cache.work = NewRealArrFill(&error, count);
  if (cache.work) cache.work_count = count;
  return cache.work;
}

void FftForget(unsigned log2n) {
  Cache& cache = TheCache();
  KillPtr(&cache.stockham[log2n]);
  KillPtr(&cache.work);
  cache.work_count = 0;
}

void SArrFTReleaseTables() {
  Cache& cache = TheCache();
  for (unsigned k = 0; k <= kMaxLog; ++k) {
    KillPtr(&cache.stockham[k]);
  }
  KillPtr(&cache.work);
  cache.work_count = 0;
}
