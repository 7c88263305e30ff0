// The simulator's dispatcher and the building blocks of its generators:
// the decay D(t), the relaxation fraction R(tau), one sample, the series
// values and the new block.
#include <cmath>
#include <cstring>
#include <new>

#include "arrays/grid.h"
#include "arrays/random.h"
#include "base/memory.h"
#include "base/platform/allocator.h"
#include "data_engine/csv_number.h"
#include "data_engine/engine_text.h"
#include "data_engine/ky_data.h"
#include "data_engine/simulator_blocks.h"
#include "framework/ky_asci_pars.h"
#include "signal_fit/prob/probability.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Experiment {
  const char* name;
  LibErrorCode (*run)(cKyData* root);
};

constexpr Experiment kExperiments[] = {
    {"S1P", SimulateSinglePulse},        {"SR/S", SimulateSaturationRecovery},
    {"IR/S", SimulateInversionRecovery}, {"CPMG", SimulateCpmg},
    {"ANGLE", SimulateFlipAngle},        {"Phantom decay", SimulatePhantomDecay},
};

double OrZero(double v) { return std::isnan(v) ? 0.0 : v; }

}  // namespace

double SimDecay(const SimPars& p, double t) {
  double d = 0;
  for (Qword j = 0; j < p.nlpl + p.ngss; ++j) {
    const double tj = p.tdcy[j];
    if (tj == 0) continue;
    if (j < p.nlpl)
      d += p.wdcy[j] * std::exp(-t / tj);
    else
      d += p.wdcy[j] * std::exp(-0.5 * (t / tj) * (t / tj));
  }
  return d;
}

double SimRelaxation(const SimPars& p, double tau) {
  double s = 0, w = 0;
  for (Qword i = 0; i < p.nrlx; ++i) {
    const double mu = std::log(1.0 / p.trlx[i]);
    const double sigma = p.srlx[i] * std::log(10.0);
    if (sigma != 0 || std::isnan(sigma)) {
      for (int step = -6; step <= 6; ++step) {
        const double x = mu + 0.5 * step * sigma;
        const double weight = p.wrlx[i] * pDfNormal(x, mu, sigma);
        s += weight * std::exp(-std::exp(x) * tau);
        w += weight;
      }
    } else {
      s += p.wrlx[i] * std::exp(-tau / p.trlx[i]);
      w += p.wrlx[i];
    }
  }
  return s / w;
}

void SimSample(const SimPars& p, double t, double amplitude, double* re, double* im) {
  const double phi = 2 * kPi * p.f1 * t + p.rphs * kPi / 180;
  const double d = amplitude * SimDecay(p, t);
  *re = p.bsln + d * std::cos(phi) + pRgNormal(0, p.nois);
  *im = p.bsln + d * std::sin(phi) + pRgNormal(0, p.nois);
}

LibErrorCode SimSeriesValues(const SimPars& p, double** values) {
  *values = nullptr;
  if (p.nblk == 0 || p.nblk == kNoIndex) return kErrMissingParameters;
  if (!std::isfinite(p.bini) || !std::isfinite(p.bend)) return kErrMissingParameters;
  // A logarithmic grid needs positive ends.
  if (p.bgrd == kGridLogarithmic && (p.bini <= 0 || p.bend <= 0)) return kErrIllegalParameters;
  Dword e = kErrNone;
  double* v = NewRealArrFill(&e, p.nblk);
  if (!v) return kErrAlloc;
  // One block has no spacing: its value is the first one.
  for (Qword k = 0; k < p.nblk; ++k)
    v[k] = p.nblk == 1 ? p.bini : RArrGridValue(k, p.bgrd, p.nblk, p.bini, p.bend);
  *values = v;
  return kErrNone;
}

LibErrorCode SimCheckSize(const SimPars& p, Qword blocks, bool needs_dwell) {
  if (p.bs == 0 || p.bs == kNoIndex) return kErrMissingParameters;
  if (needs_dwell && !std::isfinite(p.dw)) return kErrMissingParameters;
  // Three rows of BS doubles per block must fit the memory there is.
  const Qword per_block = p.bs > (Qword{1} << 58) ? kNoIndex : 3 * 8 * p.bs;
  if (per_block == kNoIndex || blocks > PlatformAvailableMemory() / per_block) return kErrAlloc;
  return kErrNone;
}

LibErrorCode SimAppendBlock(cKyData* item, const SimPars& p, const double* times,
                            const SimSampleFn& sample) {
  cKyData* block = new (std::nothrow) cKyData(0);
  if (!block) return kErrAlloc;
  const LibErrorCode e = block->SetSize(p.bs, 3, 1, times[0], times[p.bs - 1]);
  if (e != kErrNone) {
    delete block;
    return e;
  }
  double* t = block->Row(0);
  double* re = block->Row(1);
  double* im = block->Row(2);
  for (Qword i = 0; i < p.bs; ++i) {
    t[i] = times[i];
    sample(i, times[i], &re[i], &im[i]);
  }
  item->AddChild(block);
  return kErrNone;
}

LibErrorCode SimRead(cKyData* root, SimPars* p, cKyData** item) {
  *item = root ? root->LastChild() : nullptr;
  if (!*item) return kErrMissingDataObject;
  LibErrorCode e = SimParsRead(&(*item)->parameters, p);
  if (e != kErrNone) return e;
  // Parameters a caller leaves out add nothing.
  p->f1 = OrZero(p->f1);
  p->rphs = OrZero(p->rphs);
  p->xoff = OrZero(p->xoff);
  p->bsln = OrZero(p->bsln);
  p->nois = OrZero(p->nois);
  p->edly = OrZero(p->edly);
  return kErrNone;
}

LibErrorCode SimulateRelaxationData(cKyData* root) {
  cKyData* item = root ? root->LastChild() : nullptr;
  if (!item) return kErrMissingDataObject;
  char exp[1024];
  if (item->parameters.GetString("EXP", exp) < 0) return kErrMissingParameters;
  cKyData* last_before = item->LastChild();
  LibErrorCode e = kErrNone;
  for (const Experiment& x : kExperiments)
    if (std::strcmp(exp, x.name) == 0) e = x.run(root);
  if (e != kErrNone) {
    // The item keeps the blocks it had.
    while (item->LastChild() && item->LastChild() != last_before) delete item->LastChild();
    return e;
  }
  char* name = EngineCopyA(exp, &e);
  if (e != kErrNone) return e;
  KillPtr(&item->experiment_name);
  item->experiment_name = name;
  item->data_type = kKyDataSimulation;
  item->type_name = DataTypeName(kKyDataSimulation);
  return kErrNone;
}

void SimWriteBack(cKyData* item, const SimPars& p, bool series) {
  // The tree holds seconds, as Bruker data do, and names the grid the
  // series used.
  char text[48];
  if (std::isfinite(p.dw)) {
    CsvRealText(p.dw, 17, text);
    item->parameters.Set("DW", text);
  }
  CsvRealText(p.xoff, 17, text);
  item->parameters.Set("XOFF", text);
  if (series) item->parameters.Set("BGRD", RArrGridNameFromTypeA(p.bgrd));
}
