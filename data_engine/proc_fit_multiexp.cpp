// FIT mode 3: offset plus a sum of exponential decays, with a preset or an
// automatically found component count. On a zone the components also go
// to the zone's companion node, ahead of what an inverse Laplace transform
// put behind the previous components.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>

#include "arrays/rarr_sort.h"
#include "base/memory.h"
#include "data_engine/ilt_progress.h"
#include "data_engine/proc_fit.h"
#include "data_engine/proc_support.h"
#include "signal_fit/fit/decay_fits.h"

namespace {

constexpr Dword kMultiExpFlags = 0x80060002u;
constexpr Qword kAutoMaximum = 10;
// The result vector reports at most 18 rates; a larger preset count would
// also make the simplex's budget (cubic in the count) run for hours.
constexpr Qword kPresetMaximum = 18;

LibErrorCode RebuildCompanion(cKyData* zone, Qword k, const double* rates, const double* amps) {
  cKyData* companion = zone->linked;
  const bool kept = companion && companion->matrix && companion->rows >= 2;
  const Qword held = kept ? companion->points : 0;
  // The previous components: the companion's own count (FIT writes it
  // there too), never more than it holds.
  const Qword p = IltCompanionComponents(zone);
  const Qword tail = held - p;
  const Qword total = k + tail;
  Dword e = kErrNone;
  double* table = NewRealArrFill(&e, 2 * total);
  if (!table) return kErrAlloc;
  std::memcpy(table, rates, k * sizeof(double));
  std::memcpy(table + total, amps, k * sizeof(double));
  if (tail > 0) {
    std::memcpy(table + k, companion->matrix + p, tail * sizeof(double));
    std::memcpy(table + total + k, companion->matrix + held + p, tail * sizeof(double));
  }
  double lo = table[0], hi = table[0];
  for (Qword i = 1; i < total; ++i) {
    if (table[i] < lo) lo = table[i];
    if (table[i] > hi) hi = table[i];
  }
  const bool created = !companion;
  if (created) {
    companion = new (std::nothrow) cKyData(0);
    if (!companion) {
      KillPtr(&table);
      return kErrAlloc;
    }
  }
  e = companion->SetSize(total, 2, 0, lo, hi);
  if (e != kErrNone) {
    if (created) delete companion;
    KillPtr(&table);
    return e;
  }
  std::memcpy(companion->matrix, table, 2 * total * sizeof(double));
  KillPtr(&table);
  companion->results[0] = static_cast<double>(k);
  if (created) zone->linked = companion;
  return kErrNone;
}

void Report(Evp* evp, bool automatic, Qword k, const double* amps, const double* rates,
            double offset, double rms) {
  EvpAppendReportf(evp, automatic ? " Components Found: %u\n" : " Components Preset: %u\n",
                   static_cast<unsigned>(k));
  EvpAppendReport(evp, " Weights[%],  Rates[1/s], T[s]:\n");
  double sum = 0;
  for (Qword j = 0; j < k; ++j) sum += amps[j];
  // Percentages need a sum to refer to; without one the amplitudes are
  // listed as they are.
  const double f = (sum != 0 && std::isfinite(sum)) ? 100 / sum : 1.0;
  for (Qword j = 0; j < k; ++j)
    EvpAppendReportf(evp, " %9.3g, %9.4g, %9.4g\n", amps[j] * f, rates[j], 1 / rates[j]);
  EvpAppendReportf(evp, " Weights scale factor: %10.4g\n", 1 / f);
  EvpAppendReportf(evp, " Offset estimate: %10.4g\n", offset);
  EvpAppendReportf(evp, " RMS of residues: %10.4g\n", rms);
}

}  // namespace

LibErrorCode FitMultiExp(FitRun* run) {
  if (run->n < 4) return kErrWindowTooSmall;
  const Qword preset = GetEvpParameterAsQword(run->evp, 2);
  const bool automatic = preset == kNoIndex;
  if (!automatic && (preset == 0 || preset > kPresetMaximum)) return kErrIllegalParameters;
  Qword k = automatic ? kAutoMaximum : preset;
  Dword e = kErrNone;
  const double zero = 0;
  double* rates = NewRealArrFill(&e, k, &zero);
  double* amps = NewRealArrFill(&e, k, &zero);
  if (!rates || !amps) {
    KillPtr(&rates);
    KillPtr(&amps);
    return kErrAlloc;
  }
  if (run->record)
    run->record->argument =
        reinterpret_cast<void*>(static_cast<std::uintptr_t>(run->node->SiblingIndex()));
  double offset = 0, rms = 0;
  const double* x = run->x + run->first;
  const double* y = run->y + run->first;
  double* res = run->res + run->first;
  LibErrorCode result =
      automatic ? MultiExpAutoFit(kMultiExpFlags, run->n, x, y, &k, amps, rates, &offset, &rms, res,
                                  run->evp->fit_progress, run->record)
                : MultiExpFit(kMultiExpFlags, run->n, x, y, k, amps, rates, &offset, &rms, res,
                              run->evp->fit_progress);
  if (result == kErrTooManyFunctionCalls) result = kErrNone;
  if (result == kErrNone && k == 0) result = kErrSolutionNotFound;
  if (result == kErrNone) {
    for (Qword i = run->first; i <= run->last; ++i) run->row[i] = run->y[i] + run->res[i];
    result = run->node->StoreRow(run->row);
  }
  if (result == kErrNone) {
    RArrHeapSortR(rates, k, nullptr, nullptr, amps, nullptr, nullptr, nullptr);
    double* r = run->node->results;
    r[0] = static_cast<double>(k);
    r[1] = offset;
    for (Qword j = 0; j < k && j + 2 < kKyDataResultCount; ++j) r[j + 2] = rates[j];
    Report(run->evp, automatic, k, amps, rates, offset, rms);
    if (run->node->Depth() == 1) result = RebuildCompanion(run->node, k, rates, amps);
  }
  KillPtr(&rates);
  KillPtr(&amps);
  return result;
}
