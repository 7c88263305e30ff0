// Harmonic numbers: table, short sum, then the asymptotic series.
#include "scalar/elementary.h"
#include "scalar/special_number_tables.h"
#include "scalar/special_numbers.h"

VELTRIA_API double rHarmonicNumber(Qword n) {
  if (n < 40) return HarmonicTable[n];
  if (n < 50) {
    double h = HarmonicTable[39];
    for (Qword i = 40; i <= n; ++i) h += 1.0 / static_cast<double>(i);
    return h;
  }
  const double dn = static_cast<double>(n);
  const double r = 1.0 / (dn * dn);
  return 0.5772156649015329 + rLog(dn) + 1.0 / (2.0 * dn) - r / 12.0 + r * r / 120.0 -
         r * r * r / 252.0;
}
