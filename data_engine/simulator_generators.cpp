// The six experiment generators. Each reads its parameters from the item
// (the root's last child), appends its blocks and returns the first error.
#include <cmath>

#include "arrays/random.h"
#include "base/ieee.h"
#include "base/memory.h"
#include "data_engine/ky_data.h"
#include "data_engine/simulator_blocks.h"

namespace {

double pRgNormalNoise(double sd) { return pRgNormal(0, sd); }

constexpr double kPi = 3.14159265358979323846;

// Parameters and times t_i = XOFF + i DW (or i e for the echo train).
struct Run {
  SimPars p;
  cKyData* item = nullptr;
  double* times = nullptr;
  double* series = nullptr;
  Run() { SimParsClear(&p); }
  ~Run() {
    SimParsRelease(&p);
    KillPtr(&times);
    KillPtr(&series);
  }
  LibErrorCode Start(cKyData* root, Qword blocks, bool series_run, bool needs_relaxation,
                     bool needs_dwell = true) {
    LibErrorCode e = SimRead(root, &p, &item);
    if (e != kErrNone) return e;
    if (needs_relaxation && p.nrlx == 0) return kErrMissingParameters;
    if (series_run) {
      e = SimSeriesValues(p, &series);
      if (e != kErrNone) return e;
      blocks = p.nblk;
    }
    return SimCheckSize(p, blocks, needs_dwell);
  }
  LibErrorCode Times(double step, double first) {
    Dword e = kErrNone;
    times = NewRealArrFill(&e, p.bs);
    if (!times) return kErrAlloc;
    for (Qword i = 0; i < p.bs; ++i) times[i] = first + static_cast<double>(i) * step;
    return kErrNone;
  }
};

// Points before time zero (a negative XOFF) carry no signal and no noise.
SimSampleFn Fid(const SimPars& p, double amplitude) {
  return [&p, amplitude](Qword, double t, double* re, double* im) {
    if (t < -___EpsReal) {
      *re = *im = 0;
      return;
    }
    SimSample(p, t, amplitude, re, im);
  };
}

// A recovery series: block k at delay v_k with amplitude a(R(v_k)).
LibErrorCode Recovery(cKyData* root, double (*amplitude)(double r)) {
  Run run;
  LibErrorCode e = run.Start(root, 0, true, true);
  if (e == kErrNone) e = run.Times(run.p.dw, run.p.xoff);
  for (Qword k = 0; e == kErrNone && k < run.p.nblk; ++k) {
    const double a = amplitude(SimRelaxation(run.p, run.series[k]));
    e = SimAppendBlock(run.item, run.p, run.times, Fid(run.p, a));
  }
  if (e == kErrNone) SimWriteBack(run.item, run.p, true);
  return e;
}

}  // namespace

LibErrorCode SimulateSinglePulse(cKyData* root) {
  Run run;
  LibErrorCode e = run.Start(root, 1, false, false);
  if (e == kErrNone) e = run.Times(run.p.dw, run.p.xoff);
  if (e == kErrNone) e = SimAppendBlock(run.item, run.p, run.times, Fid(run.p, 1.0));
  if (e == kErrNone) SimWriteBack(run.item, run.p, false);
  return e;
}

LibErrorCode SimulateSaturationRecovery(cKyData* root) {
  return Recovery(root, [](double r) { return 1.0 - r; });
}

LibErrorCode SimulateInversionRecovery(cKyData* root) {
  return Recovery(root, [](double r) { return 1.0 - 2.0 * r; });
}

LibErrorCode SimulateCpmg(cKyData* root) {
  Run run;
  LibErrorCode e = run.Start(root, 1, false, true, false);
  if (e != kErrNone) return e;
  const double pw90 = std::isnan(run.p.pw90) ? 0.0 : run.p.pw90;
  const double spacing = 2.0 * (run.p.edly + pw90);
  e = run.Times(spacing, 0.0);
  const double psi = run.p.rphs * kPi / 180;
  const SimPars& p = run.p;
  if (e == kErrNone)
    e = SimAppendBlock(run.item, p, run.times, [&p, psi](Qword, double t, double* re, double* im) {
      const double r = SimRelaxation(p, t);
      *re = p.bsln + r * std::cos(psi) + pRgNormalNoise(p.nois);
      *im = p.bsln + r * std::sin(psi) + pRgNormalNoise(p.nois);
    });
  if (e == kErrNone) SimWriteBack(run.item, run.p, false);
  return e;
}

LibErrorCode SimulateFlipAngle(cKyData* root) {
  Run run;
  LibErrorCode e = run.Start(root, 0, true, true);
  // The pulse lengths are measured against the 90-degree pulse.
  if (e == kErrNone && !(std::isfinite(run.p.pw90) && run.p.pw90 != 0)) e = kErrMissingParameters;
  if (e == kErrNone) e = run.Times(run.p.dw, run.p.xoff);
  for (Qword k = 0; e == kErrNone && k < run.p.nblk; ++k) {
    const double v = run.series[k];
    const double a = std::sin(kPi * v / (2 * run.p.pw90)) * SimRelaxation(run.p, v);
    e = SimAppendBlock(
        run.item, run.p, run.times,
        [&run, a](Qword, double t, double* re, double* im) { SimSample(run.p, t, a, re, im); });
  }
  if (e == kErrNone) SimWriteBack(run.item, run.p, true);
  return e;
}

LibErrorCode SimulatePhantomDecay(cKyData* root) {
  Run run;
  LibErrorCode e = run.Start(root, 0, false, false);
  if (e == kErrNone && (run.p.nblk == 0 || run.p.nblk == kNoIndex)) e = kErrMissingParameters;
  if (e == kErrNone) e = SimCheckSize(run.p, run.p.nblk, true);
  if (e == kErrNone) e = run.Times(run.p.dw, run.p.xoff);
  const SimPars& p = run.p;
  for (Qword k = 0; e == kErrNone && k < p.nblk; ++k) {
    // The noise grows linearly from none to NOIS over the series.
    const double sigma =
        p.nblk > 1 ? p.nois * static_cast<double>(k) / static_cast<double>(p.nblk - 1) : 0.0;
    e = SimAppendBlock(run.item, p, run.times,
                       [&p, sigma](Qword, double t, double* re, double* im) {
                         *re = SimDecay(p, t) + p.bsln + pRgNormalNoise(sigma);
                         *im = pRgNormalNoise(sigma);
                       });
  }
  if (e == kErrNone) SimWriteBack(run.item, run.p, false);
  return e;
}
