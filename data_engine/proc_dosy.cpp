// DOSY: the spectra of a zone, one per gradient value, become one block
// per diffusion coefficient of a grid. The signal regions of the first
// spectrum are transformed point by point (the Bayesian one-exponential
// decay over the gradient factors); the first spectrum with everything
// outside its regions set to 0 stays as the first new block's companion.
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <utility>

#include "arrays/grid.h"
#include "arrays/iarr.h"
#include "base/memory.h"
#include "base/number_text.h"
#include "data_engine/engine_text.h"
#include "data_engine/procedure.h"
#include "signal_fit/fit/laplace.h"
#include "signal_fit/signal/peaks.h"

namespace {

constexpr double kGammaProton = 267.5153361426958;  // 1e6 rad/(s T)
constexpr Dword kSqrtGradientSpacing = 2;
const char* const kDiffusionUnit = "cm^2/s";

struct DosyWork {
  UniqueArr<Dword> marks;
  UniqueArr<double> grid, gradients, data, result;
  std::unique_ptr<cKyData> reference;
};

// Every block must hold the first one's points in its real part.
bool BlocksReadable(const cKyData* zone, Qword np) {
  for (const cKyData* b = zone->FirstChild(); b; b = b->NextSibling())
    if (!b->matrix || b->rows < 2 || b->points < np) return false;
  return true;
}

LibErrorCode SetOwnerText(cKyData* zone, const char* name, const char* value) {
  return zone->parameters.Set(name, value);
}

// The zone's own copy of the parameters it reads from its owner, so that a
// shared owner (the root) keeps the values the other zones read.
LibErrorCode OwnParameters(cKyData* zone, cKyData* owner) {
  if (owner == zone) return kErrNone;
  cKyAsciPars copy(owner->parameters);
  if (copy.EntryCount() != owner->parameters.EntryCount()) return kErrAlloc;
  zone->parameters = copy;
  return zone->parameters.EntryCount() == copy.EntryCount() ? kErrNone : kErrAlloc;
}

// Row 1 of new block j: the transform's value at each marked point, 0 at
// the others; the reference loses its unmarked values with the first block.
LibErrorCode AppendBlocks(cKyData* zone, DosyWork& w, Qword np, Qword m, Qword nd) {
  double* ref = w.reference->Row(1);
  for (Qword j = 0; j < nd; ++j) {
    cKyData* b = new (std::nothrow) cKyData(0);
    if (!b) return kErrAlloc;
    const LibErrorCode e = b->SetSize(np, 3, kGridLinear, 0, static_cast<double>(np - 1));
    if (e != kErrNone) {
      delete b;
      return e;
    }
    double* x = b->Row(0);
    double* re = b->Row(1);
    double* im = b->Row(2);
    Qword next = 0;
    for (Qword p = 0; p < np; ++p) {
      x[p] = static_cast<double>(p);
      im[p] = 0;
      if (w.marks[p] > 0) {
        re[p] = w.result[next + m * j];
        ++next;
      } else {
        re[p] = 0;
        if (j == 0) ref[p] = 0;
      }
    }
    b->x_scale = w.reference->x_scale;
    b->x_offset = w.reference->x_offset;
    LibErrorCode copied = kErrNone;
    b->x_unit = EngineCopyA(w.reference->x_unit, &copied);
    b->node_flags = kKyDataDosyResult;
    zone->AddChild(b);
    if (copied != kErrNone) return copied;
  }
  return kErrNone;
}

}  // namespace

LibErrorCode EvpDosy(cKyData* node, Evp* evp, KyAppRecord*) {
  const Qword nd = GetEvpParameterAsQword(evp, 0);
  const Qword grid_type = GetEvpParameterAsQword(evp, 1);
  double dmin = GetEvpParameterAsReal(evp, 2);
  double dmax = GetEvpParameterAsReal(evp, 3);
  if (dmin > dmax) std::swap(dmin, dmax);
  const double sharpness = GetEvpParameterAsReal(evp, 4);
  // An empty option searches the magnitude.
  const Qlong option = GetEvpParameterAsQlong(evp, 5);
  const Long use_real = option != std::numeric_limits<Qlong>::min() && option != 0 ? 1 : 0;
  cKyData* owner = node->ParameterOwner();
  if (!owner) return kErrMissingParameters;
  const cKyAsciPars pars(owner->parameters);
  if (evp->mode != 1) return kErrUnknownProcedureMode;
  cKyData* first = node->FirstChild();
  if (!first || first->points == 0 || !first->matrix) return kErrMissingDataObject;
  if (!first->TestFlags(kKyDataFrequencyDomain)) return kErrIllegalDataType;
  const Qword np = first->points;
  const Qword ng = node->ChildCount();

  // Everything the transform needs is checked before a block goes.
  const double delta = pars.GetReal("LITDEL");
  const double big_delta = pars.GetReal("BIGDEL");
  const double g0 = pars.GetReal("BINI");
  const double g1 = pars.GetReal("BEND");
  if (nd == kNoIndex || grid_type == kNoIndex || std::isnan(dmin) || std::isnan(dmax) ||
      std::isnan(sharpness) || std::isnan(delta) || std::isnan(big_delta) || std::isnan(g0) ||
      std::isnan(g1))
    return kErrMissingParameters;
  if (nd < 2 || grid_type < kGridLinear || grid_type > kGridSquare || !std::isfinite(dmin) ||
      !std::isfinite(dmax) || dmin == dmax ||
      ((grid_type == kGridLogarithmic || grid_type == kGridInverse) && !(dmin > 0)))
    return kErrIllegalParameters;
  if (ng < 2) return kErrMissingInputData;  // a decay needs two gradient values
  if (first->rows < 3 || !BlocksReadable(node, np)) return kErrIllegalDataSize;

  DosyWork w;
  Dword e = kErrNone;
  w.marks.reset(NewDwordArrFill(&e, np));
  if (!w.marks) return kErrAlloc;
  LibErrorCode result = SArrFindSignalRegions(np, first->Row(1), w.marks.get(), use_real, 0, 0);
  if (result != kErrNone) return result;
  const Qlong marked = UArrAboveCount(np, w.marks.get(), 0);
  const Qword m = marked > 0 ? static_cast<Qword>(marked) : 0;

  w.grid.reset(NewRArrGrid(&e, grid_type, dmin, dmax, nd));
  w.gradients.reset(NewRealArrFill(&e, ng));
  if (!w.grid || !w.gradients) return kErrAlloc;
  const double gd = kGammaProton * delta;
  const double factor = gd * gd * (big_delta - delta / 3) * 1e4;
  for (Qword k = 0; k < ng; ++k) {
    const double g = RArrGridValue(k, kGridLinear, ng, g0, g1);
    w.gradients[k] = g * g * factor;
  }
  if (m > 0) {
    const double zero = 0;
    w.data.reset(NewRealArrFill(&e, m * ng));
    w.result.reset(NewRealArrFill(&e, m * nd, &zero));
    if (!w.data || !w.result) return kErrAlloc;
    Qword k = 0;
    for (const cKyData* b = node->FirstChild(); b; b = b->NextSibling(), ++k) {
      const double* re = b->Row(1);
      Qword i = 0;
      for (Qword p = 0; p < np; ++p)
        if (w.marks[p] > 0) w.data[i++ + m * k] = re[p];
    }
    RArrBayesianDosyTransform(m, ng, w.data.get(), kSqrtGradientSpacing, w.gradients.get(), nd,
                              w.result.get(), w.grid.get(), sharpness, 0);
  }
  w.reference.reset(cKyData::NewCopy(*first));
  if (!w.reference) return kErrAlloc;

  result = OwnParameters(node, owner);
  char text[64];
  if (result == kErrNone) {
    RealToBufferA(dmin, text, 0, 10);
    result = SetOwnerText(node, "BINI", text);
  }
  if (result == kErrNone) {
    RealToBufferA(dmax, text, 0, 10);
    result = SetOwnerText(node, "BEND", text);
  }
  if (result == kErrNone) result = SetOwnerText(node, "BGRD", RArrGridNameFromTypeA(grid_type));
  if (result == kErrNone) result = SetOwnerText(node, "BUNIT", kDiffusionUnit);
  if (result != kErrNone) return result;
  LibErrorCode copied = kErrNone;
  char* unit = EngineCopyA(kDiffusionUnit, &copied);
  if (!unit) return kErrAlloc;
  KillPtr(&node->x_unit);
  node->x_unit = unit;

  node->DeleteAll(true);
  node->FreeMatrix();
  result = AppendBlocks(node, w, np, m, nd);
  if (result != kErrNone) return result;
  cKyData* head = node->FirstChild();
  delete head->linked;
  head->linked = w.reference.release();
  SetEvpFlags(evp, kEvpDone);
  return kErrNone;
}
