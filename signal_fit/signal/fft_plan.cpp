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

const double* FftStockhamTables(unsigned log2n) {
  static double none = 0;
  if (log2n < 4) return &none;
  double*& slot = TheCache().stockham[log2n];
  if (slot) return slot;
  Qword total = 0;
  for (unsigned rem = log2n, r = FftPassRadixLog(rem); rem > 3; rem -= r, r = FftPassRadixLog(rem))
    total += 2 * ((Qword{1} << r) - 1) * (Qword{1} << (rem - r));
  Dword error = kErrNone;
  double* t = NewRealArrFill(&error, total);
  if (!t) return nullptr;
  double* row = t;
  for (unsigned rem = log2n, r = FftPassRadixLog(rem); rem > 3;
       rem -= r, r = FftPassRadixLog(rem)) {
    const Qword len = Qword{1} << rem, m = Qword{1} << (rem - r);
    for (Qword k = 1; k < (Qword{1} << r); ++k, row += 2 * m) FillRoots(row, m, 0, k, len);
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

void SArrFTReleaseTables() {
  Cache& cache = TheCache();
  for (unsigned k = 0; k <= kMaxLog; ++k) {
    KillPtr(&cache.stockham[k]);
  }
  KillPtr(&cache.work);
  cache.work_count = 0;
}
