// FIT: a model fitted to row 1 against row 0 over the point window. The
// frame, the straight line (the calibration's), the polynomial, the
// Gaussian decay, the Gaussian-plus-exponential sum and the aqua-ion
// relaxivity profile live here; the multi-exponential and dispersion
// models have files of their own.
#include "data_engine/proc_fit.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "arrays/rarr_reduce.h"
#include "base/memory.h"
#include "base/os_services.h"
#include "data_engine/proc_support.h"
#include "data_engine/procedure.h"
#include "scalar/real_helpers.h"
#include "signal_fit/fit/decay_fits.h"
#include "signal_fit/fit/linear_fits.h"
#include "signal_fit/fit/term_fits.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

LibErrorCode FitLine(FitRun* run) {
  const double* x = run->x;
  const double* y = run->y;
  double a = kNaN, b = kNaN;
  const LibErrorCode e = LinearRegression(x + run->first, y + run->first, run->n, &a, &b, nullptr);
  if (e != kErrNone) return e;
  for (Qword i = run->first; i <= run->last; ++i) run->row[i] = a * x[i] + b;
  FitResidualsFromRow(run);
  // R^2 over the pairs the line was fitted to.
  double sum = 0;
  Qword m = 0;
  for (Qword i = run->first; i <= run->last; ++i)
    if (!std::isnan(x[i]) && !std::isnan(y[i])) {
      sum += y[i];
      ++m;
    }
  const double mean = sum / static_cast<double>(m);
  double ssr = 0, sst = 0;
  for (Qword i = run->first; i <= run->last; ++i)
    if (!std::isnan(x[i]) && !std::isnan(y[i])) {
      ssr += run->res[i] * run->res[i];
      sst += (y[i] - mean) * (y[i] - mean);
    }
  // Constant data leave nothing to explain: the line through them is exact.
  const double r2 = sst > 0 ? 1 - ssr / sst : 1.0;
  const LibErrorCode stored = run->node->StoreRow(run->row);
  if (stored != kErrNone) return stored;
  EvpAppendReport(run->evp, " Linear fit: y = a * x + b\n");
  EvpAppendReportf(run->evp, " a: %15.4g\n b: %15.4g\n", a, b);
  EvpAppendReportf(run->evp, " R^2: %13.4g\n", r2);
  run->node->results[0] = a;
  run->node->results[1] = b;
  run->evp->result_pointer = run->node->results;
  return kErrNone;
}

LibErrorCode FitPolynomial(FitRun* run) {
  const Qword d = GetEvpParameterAsQword(run->evp, 2);
  if (d == kNoIndex) {
    OsMessageA(kOsError, "Missing polynomial degree.", nullptr);
    return kErrMissingParameters;
  }
  const Qword k = d + 1;
  // More coefficients than points leave the fit undetermined.
  if (k > run->n) return kErrIllegalParameters;
  Dword e = kErrNone;
  double* coef = NewRealArrFill(&e, k);
  double* w = NewRealArrFill(&e, run->n);
  if (!coef || !w) {
    KillPtr(&coef);
    KillPtr(&w);
    return kErrAlloc;
  }
  for (Qword i = 0; i < run->n; ++i) w[i] = 1.0;
  LibErrorCode result =
      MultiLinearFit(k, coef, run->n, run->x + run->first, run->y + run->first, w, ruPower);
  KillPtr(&w);
  if (result == kErrNone) {
    for (Qword i = run->first; i <= run->last; ++i) {
      double v = 0;
      for (Qword j = k; j-- > 0;) v = v * run->x[i] + coef[j];
      run->row[i] = v;
    }
    FitResidualsFromRow(run);
    result = run->node->StoreRow(run->row);
  }
  if (result == kErrNone) {
    Evp* evp = run->evp;
    EvpAppendReportf(evp, " Polynomial fit: y = Sum_k (a_k * x^k)\n Order %llu\n", ProcU(d));
    for (Qword j = 0; j < k; ++j) EvpAppendReportf(evp, " a%llu: %g\n", ProcU(j), coef[j]);
    EvpAppendReportf(evp, " Residuals RMS: %g\n", FitResidualRms(run));
    double* r = run->node->results;
    r[0] = static_cast<double>(k);
    for (Qword j = 0; j < k && j < kKyDataResultCount - 1; ++j) r[j + 1] = coef[j];
  }
  KillPtr(&coef);
  return result;
}

LibErrorCode FitGaussian(FitRun* run) {
  double R = kNaN, dR = kNaN, A = kNaN, B = kNaN, prob = kNaN;
  // The fit gets the run's own copy of x, never the node's row.
  const LibErrorCode e =
      MonoGaus3ParFit(run->x, run->y, run->first, run->last, &R, &dR, &A, &B, &prob);
  if (e != kErrNone) return e;
  for (Qword i = run->first; i <= run->last; ++i)
    run->row[i] = A * std::exp(-R * run->x[i] * run->x[i]) + B;
  FitResidualsFromRow(run);
  const double sigma = FitResidualSigma(run);
  const LibErrorCode stored = run->node->StoreRow(run->row);
  if (stored != kErrNone) return stored;
  EvpAppendReport(run->evp, " Gaussian fit: A*exp(-(R*x)^2)+B\n");
  EvpAppendReportf(run->evp, " A: %20.4g\n R: %20.4g\n B: %20.4g\n", A, std::sqrt(R), B);
  EvpAppendReportf(run->evp, " RMS of residues: %10.4g\n", sigma);
  run->node->results[0] = B;
  run->node->results[1] = A;
  run->node->results[2] = R;
  return kErrNone;
}

LibErrorCode FitGaussExp(FitRun* run) {
  const Dword types[2] = {kTermGauss, kTermExp};
  double amp[2] = {1.0, 1.0}, par[2] = {1.0, 1.0}, offset = 0;
  const LibErrorCode e = MultiTermFunctionFit(0, run->n, run->x + run->first, run->y + run->first,
                                              2, types, amp, par, &offset, 0, nullptr, nullptr);
  if (e != kErrNone) return e;
  for (Qword i = run->first; i <= run->last; ++i)
    run->row[i] = TermFunctionValue(kTermGauss, amp[0], par[0], 0, run->x[i]) +
                  TermFunctionValue(kTermExp, amp[1], par[1], 0, run->x[i]) + offset;
  FitResidualsFromRow(run);
  const double sigma = FitResidualSigma(run);
  const LibErrorCode stored = run->node->StoreRow(run->row);
  if (stored != kErrNone) return stored;
  Evp* evp = run->evp;
  EvpAppendReport(evp, " Gaussian + Exponential:\n Ag*exp(-(Rg*x)^2) + Ae*exp(-Re*x) + B\n");
  EvpAppendReportf(evp, " Ag: %20.4g\n Rg: %20.4g\n", amp[0], std::fabs(par[0]));
  EvpAppendReportf(evp, " Ae: %20.4g\n Re: %20.4g\n", amp[1], par[1]);
  EvpAppendReportf(evp, " B:  %20.4g\n", offset);
  EvpAppendReportf(evp, " RMS of residues: %10.4g\n", sigma);
  double* r = run->node->results;
  r[0] = offset;
  r[1] = amp[0];
  r[2] = par[0];
  r[3] = amp[1];
  r[4] = par[1];
  return kErrNone;
}

// The ten parameters of the aqua-ion profile: name, start, varied, limits.
struct AquaParameter {
  const char* report;
  double start;
  Long varied;
  double first_limit;
  double second_limit;
};

constexpr AquaParameter kAqua[10] = {
    {" offset = %e\n", 0, 0, 0, 5},
    {" q      = %e\n", 2, 1, 0, 10},
    {" r_IS   = %e\n", 2.7e-10, 1, 1e-10, 1e-9},
    {" A/hbar = %e\n", 1000, 1, 1, 1e6},
    {" delta  = %e\n", 1e10, 1, 1e8, 1e12},
    {" tau_m  = %e\n", 1e-7, 1, 1e-5, 1e-10},
    {" tau_v  = %e\n", 1e-9, 1, 1e-6, 1e-11},
    {" tau_R  = %e\n", 1e-10, 1, 1e-7, 1e-12},
    {" d      = %e\n", 1e-9, 1, 1e-10, 1e-8},
    {" D      = %e\n", 1e-10, 1, 1e-10, 1e-8},
};

LibErrorCode FitAquaIons(FitRun* run) {
  double p[10], lower[10], upper[10];
  Long varied[10];
  for (int i = 0; i < 10; ++i) {
    p[i] = kAqua[i].start;
    varied[i] = kAqua[i].varied;
    lower[i] = kAqua[i].first_limit;
    upper[i] = kAqua[i].second_limit;
  }
  const LibErrorCode e =
      AquaionsFfcProfileFit(0, 11, run->n, run->x + run->first, run->y + run->first, p, varied,
                            lower, upper, run->res + run->first);
  if (e != kErrNone) return e;
  // Here the residuals are data minus model.
  for (Qword i = run->first; i <= run->last; ++i) run->row[i] = run->y[i] - run->res[i];
  const LibErrorCode stored = run->node->StoreRow(run->row);
  if (stored != kErrNone) return stored;
  EvpAppendReport(run->evp, " mode: Solomon-Bloembergen-Morgan\n");
  for (int i = 0; i < 10; ++i) EvpAppendReportf(run->evp, kAqua[i].report, p[i]);
  EvpAppendReportf(run->evp, " Residuals RMS: %g\n", FitResidualRms(run));
  for (int i = 0; i < 10; ++i) run->node->results[i] = p[i];
  return kErrNone;
}

}  // namespace

void FitResidualsFromRow(FitRun* run) {
  for (Qword i = run->first; i <= run->last; ++i) run->res[i] = run->row[i] - run->y[i];
}

double FitResidualSigma(const FitRun* run) {
  return std::sqrt(RArrVariance(run->n, run->res + run->first, nullptr));
}

double FitResidualRms(const FitRun* run) { return RArrRMS(run->n, run->res + run->first); }

LibErrorCode EvpFitProcedure(cKyData* node, Evp* evp, KyAppRecord* record) {
  FitRun run{node, evp, record, node->points, 0, 0, 0, nullptr, nullptr, nullptr, nullptr};
  run.n = GetEvpIpointEpoint(evp, &run.first, &run.last, run.points);
  if (run.n == 0) return kErrNone;
  if (evp->mode < 1 || evp->mode > 9) return kErrUnknownProcedureMode;
  if (!node->matrix || node->rows < 2) return kErrMissingInputData;
  Dword e = kErrNone;
  const double nan = kNaN;
  run.x = NewRealArrFill(&e, run.points);
  run.y = NewRealArrFill(&e, run.points);
  run.row = NewRealArrFill(&e, run.points, &nan);
  run.res = NewRealArrFill(&e, run.points, &nan);
  LibErrorCode result = kErrAlloc;
  if (run.x && run.y && run.row && run.res) {
    std::memcpy(run.x, node->Row(0), run.points * sizeof(double));
    std::memcpy(run.y, node->Row(1), run.points * sizeof(double));
    switch (evp->mode) {
      case 1:
        result = FitLine(&run);
        break;
      case 2:
        result = FitPolynomial(&run);
        break;
      case 3:
        result = FitMultiExp(&run);
        break;
      case 4:
        result = FitGaussian(&run);
        break;
      case 5:
        result = FitGaussExp(&run);
        break;
      case 9:
        result = FitAquaIons(&run);
        break;
      default:
        result = FitDispersion(&run, evp->mode);
        break;
    }
  }
  KillPtr(&run.x);
  KillPtr(&run.y);
  KillPtr(&run.row);
  KillPtr(&run.res);
  if (result == kErrNone) SetEvpFlags(evp, kEvpDone);
  return result;
}
