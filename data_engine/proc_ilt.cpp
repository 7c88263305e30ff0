// ILT: the distribution of decay rates behind a node's curve on a
// logarithmic rate grid, by the regularised inverse Laplace transform
// (mode 1, started from the components of a multi-exponential fit) or by
// a truncated singular-value inversion (mode 2). The distribution goes to
// the node's companion behind the components of the last FIT, the model
// becomes the node's fit row.
#include <cmath>
#include <cstring>
#include <limits>

#include "arrays/grid.h"
#include "arrays/rarr_reduce.h"
#include "base/memory.h"
#include "data_engine/ilt_progress.h"
#include "data_engine/procedure.h"
#include "signal_fit/fit/decay_fits.h"
#include "signal_fit/fit/laplace.h"
#include "signal_fit/signal/filters.h"

namespace {

constexpr Dword kStartFitFlags = 0x60002u;
constexpr Dword kTransformFlags = 0x80040002u;
constexpr Qword kStartMaximum = 10;

struct IltWork {
  UniqueArr<double> x, y, grid, amps, model, res, tmp;
};

// The rate range from parameters 3 and 4 (times; the rate is the
// reciprocal), by default 5 over the first positive time and 0.2 over the
// last; false when it is not a finite positive range.
bool RateRange(Evp* evp, const double* x, Qword first, Qword last, double* rmin, double* rmax) {
  double r1 = 1 / GetEvpParameterAsReal(evp, 3);
  double r2 = 1 / GetEvpParameterAsReal(evp, 4);
  if (std::isnan(r2)) r2 = 0.2 / x[last];
  if (std::isnan(r1)) {
    // Decays that start at t = 0 take the first positive time.
    for (Qword i = first; i <= last; ++i)
      if (x[i] > 0) {
        r1 = 5 / x[i];
        break;
      }
  }
  if (r2 > r1) std::swap(r1, r2);
  *rmax = r1;
  *rmin = r2;
  return std::isfinite(r1) && std::isfinite(r2) && r2 > 0 && r2 < r1;
}

// Mode 1 start distribution: each component's amplitude at the grid rate
// nearest to its rate, smoothed by a Gaussian of `width` grid points.
LibErrorCode SeedDistribution(IltWork& w, Qword k, double rmin, double rmax, Qword found,
                              const double* ca, const double* cr, double width) {
  for (Qword j = 0; j < found; ++j) {
    const Qlong i = RArrGridIndex(cr[j], kGridLogarithmic, static_cast<Qlong>(k), rmin, rmax);
    if (i >= 0) w.amps[i] += ca[j];
  }
  if (!(width > 0.1)) return kErrNone;
  Dword e = kErrNone;
  w.tmp.reset(NewRealArrFill(&e, k));
  if (!w.tmp) return kErrAlloc;
  const LibErrorCode g = RArrGaussConvolution(k, w.amps.get(), width, w.tmp.get());
  if (g != kErrNone) return g;
  std::memcpy(w.amps.get(), w.tmp.get(), k * sizeof(double));
  return kErrNone;
}

}  // namespace

LibErrorCode EvpIlt(cKyData* node, Evp* evp, KyAppRecord* record) {
  // The root's linked node is the previous tree, never a companion.
  if (!node->Parent()) return kErrIllegalData;
  if (record) record->argument = node;
  const Qword points = node->points;
  Qword first = 0, last = 0;
  const Qword n = GetEvpIpointEpoint(evp, &first, &last, points);
  if (n < 4) return kErrWindowTooSmall;
  if (!node->matrix || node->rows < 2) return kErrMissingInputData;
  IltWork w;
  Dword e = kErrNone;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  w.x.reset(NewRealArrFill(&e, points));
  w.y.reset(NewRealArrFill(&e, points));
  if (!w.x || !w.y) return kErrAlloc;
  double* const x = w.x.get();
  double* const y = w.y.get();
  std::memcpy(x, node->Row(0), points * sizeof(double));
  std::memcpy(y, node->Row(1), points * sizeof(double));
  double rmin = 0, rmax = 0;
  if (!RateRange(evp, x, first, last, &rmin, &rmax)) return kErrIllegalParameters;
  const double decades = 1 + std::log10(rmax / rmin);
  Qword k = GetEvpParameterAsQword(evp, 2);
  if (k == 0 || k == kNoIndex) k = static_cast<Qword>(10 * decades);
  // The transform pins two amplitudes at each end and needs interior ones.
  if (evp->mode == 1 && k < 5) return kErrIllegalParameters;
  const double per_decade = static_cast<double>(k) / decades;
  double tuning[4];
  for (Qword i = 0; i < 4; ++i) {
    const double v = GetEvpParameterAsReal(evp, 5 + i);
    tuning[i] = std::isnan(v) ? 0 : v;
  }
  const double zero = 0;
  w.grid.reset(NewRArrGrid(&e, kGridLogarithmic, rmin, rmax, k));
  w.amps.reset(NewRealArrFill(&e, k, &zero));
  w.model.reset(NewRealArrFill(&e, points, &nan));
  w.res.reset(NewRealArrFill(&e, points, &nan));
  if (!w.grid || !w.amps || !w.model || !w.res) return kErrAlloc;
  double* const grid = w.grid.get();
  double* const amps = w.amps.get();
  double* const model = w.model.get();
  double* const res = w.res.get();

  // The start fit.
  double ca[kStartMaximum], cr[kStartMaximum], offset = 0, rms = 0;
  Qword found = kStartMaximum;
  LibErrorCode result = MultiExpAutoFit(kStartFitFlags, n, x + first, y + first, &found, ca, cr,
                                        &offset, &rms, nullptr, nullptr, nullptr);
  if (result == kErrTooManyFunctionCalls) result = kErrNone;
  if (result != kErrNone) return result;
  if (found > kStartMaximum) found = 0;

  const char* name = nullptr;
  if (evp->mode == 1) {
    name = "KyILT";
    result = SeedDistribution(w, k, rmin, rmax, found, ca, cr, tuning[1] * per_decade);
    if (result != kErrNone) return result;
    result = InverseLaplaceTransform(1, kTransformFlags, n, x + first, y + first, k, grid, amps,
                                     &offset, tuning, res + first, IltProgressCallback, record);
    if (result == kErrTooManyFunctionCalls) result = kErrNone;
    if (result != kErrNone) return result;
    for (Qword i = first; i <= last; ++i) model[i] = y[i] - res[i];
  } else if (evp->mode == 2) {
    name = "Truncated SVD";
    const double o = 1.01 * offset;
    for (Qword i = 0; i < points; ++i) y[i] -= o;
    result = LaplaceInverseBySVD(x + first, y + first, n, grid, k, amps, tuning[0], model + first);
    if (result != kErrNone) return result;
    for (Qword i = first; i <= last; ++i) {
      model[i] += o;
      y[i] += o;
      res[i] = y[i] - model[i];
    }
  } else {
    return kErrUnknownProcedureMode;
  }

  result = node->StoreRow(model);
  if (result != kErrNone) return result;
  result = IltMergeDistribution(node, grid, amps, k);
  if (result != kErrNone) return result;
  SetEvpFlags(evp, kEvpDone);

  double largest = 0;
  for (Qword j = 0; j < k; ++j) largest = std::fmax(largest, std::fabs(amps[j]));
  double s = largest / 100;
  const Qword c = IltCompanionComponents(node);
  if (c != 0) {
    const double* weights = node->linked->Row(1);
    double sum = 0, top = 0;
    for (Qword j = 0; j < c; ++j) {
      sum += weights[j];
      top = std::fmax(top, std::fabs(weights[j]));
    }
    if (top > 0) s *= sum / top;
  }
  EvpAppendReportf(evp, " Mode: %s\n Components: %u\n", name, static_cast<unsigned>(k));
  EvpAppendReportf(evp, " Weights scale factor: %g\n", s);
  EvpAppendReportf(evp, " Residuals RMS: %g\n", RArrRMS(n, res + first));
  return kErrNone;
}
