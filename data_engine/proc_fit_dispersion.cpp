// FIT modes 6, 7 and 8: relaxation-dispersion models of K components
// (BPP, Weibull, Solomon) by the term-function fit.
#include <cmath>

#include "base/memory.h"
#include "base/os_services.h"
#include "data_engine/proc_fit.h"
#include "data_engine/proc_support.h"
#include "signal_fit/fit/term_fits.h"

namespace {

struct DispersionModel {
  Dword term;
  Qword max_components;
  const char* too_many;
  const char* model_line;
  bool has_eta;
  double eta_start;
  Long eta_free;
};

const DispersionModel kModels[3] = {
    {kTermBpp, 9, "Too many components for BPP",
     " BPP: Sum [c*(1/(1+(v*tau)^2) + 4/(1+4(v*tau)^2))] + offset\n", false, 0, 0},
    {kTermWeibull, 6, "Too many components", " Weibull: Sum_i [c_i/(1+(v*tau_i)^eta)] + offset\n",
     true, 2.0, 1},
    {kTermSolomon, 6, "Too many components",
     " Solomon:\n Sum c*[1/(1+((1-eta)*v*tau)^2)\n      + 3/(1+(v*tau)^2)\n      + "
     "6/(1+((1+eta)*v*tau)^2)] + offset\n",
     true, 100.0, 0},
};

}  // namespace

LibErrorCode FitDispersion(FitRun* run, Qword mode) {
  const DispersionModel& model = kModels[mode - 6];
  const Qword k = ProcQwordOr(run->evp, 2, 1);
  if (k > model.max_components) {
    OsMessageA(kOsError, model.too_many, nullptr);
    return kErrIllegalParameters;
  }
  if (k == 0) return kErrIllegalParameters;
  const Dword flags = GetEvpParameterAsQword(run->evp, 3) == 0 ? 0x10000u : 0u;
  Dword types[9];
  double c[9], tau[9];
  for (Qword j = 0; j < k; ++j) {
    types[j] = model.term;
    c[j] = 0;
    tau[j] = 0;
  }
  double offset = 0, eta = model.eta_start;
  const Long eta_free = model.eta_free;
  const LibErrorCode e =
      MultiTermFunctionFit(flags, run->n, run->x + run->first, run->y + run->first, k, types, c,
                           tau, &offset, model.has_eta ? 1 : 0, &eta, &eta_free);
  if (e != kErrNone) return e;
  for (Qword i = run->first; i <= run->last; ++i) {
    double v = offset;
    for (Qword j = 0; j < k; ++j) v += TermFunctionValue(model.term, c[j], tau[j], eta, run->x[i]);
    run->row[i] = v;
  }
  FitResidualsFromRow(run);
  const LibErrorCode stored = run->node->StoreRow(run->row);
  if (stored != kErrNone) return stored;
  Evp* evp = run->evp;
  EvpAppendReport(evp, model.model_line);
  EvpAppendReportf(evp, " Components: %llu\n", ProcU(k));
  EvpAppendReportf(evp, " Offset: %g\n", offset);
  if (model.has_eta) EvpAppendReportf(evp, " Eta: %g\n", eta);
  for (Qword j = 0; j < k; ++j)
    EvpAppendReportf(evp, " tau%llu: %g c%llu: %g\n", ProcU(j), std::fabs(tau[j]), ProcU(j), c[j]);
  EvpAppendReportf(evp, " Residuals RMS: %g\n", FitResidualRms(run));
  double* r = run->node->results;
  r[0] = static_cast<double>(k);
  r[1] = offset;
  const Qword base = model.has_eta ? 3 : 2;
  if (model.has_eta) r[2] = eta;
  for (Qword j = 0; j < k; ++j) {
    r[base + j] = std::fabs(tau[j]);
    r[base + k + j] = c[j];
  }
  return kErrNone;
}
