// Regularised inverse Laplace transform on a fixed rate grid: the simplex
// moves the offset and the logarithms of the amplitudes (so amplitudes stay
// positive); the target adds two roughness penalties whose weights follow
// the residual level of the run.
#include <cmath>
#include <cstdint>
#include <limits>

#include "arrays/wide_kernels.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/fit/fit_problem.h"
#include "signal_fit/fit/laplace.h"

namespace {

// The regularisation weights are process-wide: every run sets them afresh
// at its first evaluation.
double g_w1 = 0, g_w2 = 0;

const double kPinned = std::log(1e-5);

// The problem record first, so the progress reporting reads a FitProblem;
// the kernel and work arrays follow, built once per transform.
struct IltProblem {
  FitProblem base;
  double* offset;
  const double* kernel;  // exp(-r_j t_i), packed in panels of rows (wide::PackPanels)
  const Qword* columns;  // per panel: 1 + its last column with a nonzero entry (at least 1)
  const double* ys;      // y / scale
  double* amp;           // exp(log-amplitude), per evaluation
  double* model;         // per evaluation
};

// Per panel of the packed kernel, the columns up to the last one with a
// nonzero value in the panel's rows; at least one, so that every sum takes
// its first term.
void PanelColumns(Qword n, Qword k, const double* kernel, Qword* columns) {
  const Qword panel = wide::kPanelRows * k;
  for (Qword b = 0; b * wide::kPanelRows < n; ++b) {
    const double* x = kernel + b * panel;
    Qword used = k;
    while (used > 1) {
      const double* c = x + (used - 1) * wide::kPanelRows;
      bool zero = true;
      for (Qword r = 0; r < wide::kPanelRows; ++r) zero = zero && c[r] == 0;
      if (!zero) break;
      --used;
    }
    columns[b] = used;
  }
}

// offset + the amplitudes times the kernel's columns, summed per point in
// rate order, as a plain loop over the columns would.
void Model(Qword n, Qword k, double offset, const double* a, const double* kernel, double* model) {
  for (Qword i = 0; i < n; ++i) model[i] = offset;
  wide::Active().accumulate_panels(n, k, a, kernel, model);
}

Dword InverseLaplaceTarget(Minimizer* m) {
  IltProblem* p = static_cast<IltProblem*>(m->userData);
  const FitProblem& f = p->base;
  const Qword n = f.pointCount, k = f.termCount;
  double* la = f.amplitudes;
  la[0] = la[1] = la[k - 2] = la[k - 1] = kPinned;
  for (Qword j = 0; j < k; ++j) p->amp[j] = std::exp(la[j]);
  double* a = p->amp;
  // Interior maxima spread to their neighbours in place; the left
  // neighbour seen by the next position is the updated one.
  for (Qword j = 1; j + 2 < k; ++j) {
    const double l = a[j - 1], b = a[j], r = a[j + 1];
    if (b > l && r < b) {
      const double h = (b - std::fmax(l, r)) / 4;
      if (h > 0.002 * b) {
        a[j - 1] = l + h;
        a[j] = b - 2 * h;
        a[j + 1] = r + h;
        la[j - 1] = std::log(a[j - 1]);
        la[j] = std::log(a[j]);
        la[j + 1] = std::log(a[j + 1]);
      }
    }
  }
  // Model by columns: each point sums offset, then the terms in rate
  // order, as the plain loop over the columns would; the wide kernels take
  // several columns per pass over the points. The tabulated kernel gives
  // exp(la) exp(-r t), which can differ from exp(la - r t) in the last
  // digit. A panel's columns past its last nonzero kernel value would add
  // finite amplitudes times zero, +0 to a sum that has taken its first
  // term and so is never -0: they are left out while every amplitude is
  // finite (the amplitudes are never negative).
  bool finite = true;
  for (Qword j = 0; j < k; ++j) finite = finite && std::isfinite(a[j]);
  const wide::Kernels& kernels = wide::Active();
  const double offset = *p->offset;
  const bool squares = (m->flags & 0xFFFFu) == 2;
  FitResidualSum sum(m->flags);
  double d = 0;
  // Panel by panel, the norm follows each panel's model while its rows are
  // at hand; the sum still runs in point order.
  const double* panel = p->kernel;
  for (Qword i0 = 0, b = 0; i0 < n; i0 += wide::kPanelRows, ++b, panel += wide::kPanelRows * k) {
    const Qword rows = n - i0 < wide::kPanelRows ? n - i0 : wide::kPanelRows;
    double* model = p->model + i0;
    const double* ys = p->ys + i0;
    for (Qword i = 0; i < rows; ++i) model[i] = offset;
    kernels.accumulate_panels(rows, finite ? p->columns[b] : k, a, panel, model);
    if (squares) {
      // The least-squares norm written out: the same sum of squares in
      // point order as FitResidualSum takes.
      for (Qword i = 0; i < rows; ++i) {
        const double r = model[i] - ys[i];
        d += r * r;
      }
    } else {
      for (Qword i = 0; i < rows; ++i) sum.Add(model[i] - ys[i]);
    }
  }
  if (!squares) d = sum.Total();
  double s1 = 0, s2 = 0;
  for (Qword j = 1; j + 2 < k; ++j) {
    const double l = a[j - 1], b = a[j], r = a[j + 1];
    s1 += (b - l) * (b - l);
    s2 += (2 * b - l - r) * (2 * b - l - r);
  }
  // A flat distribution has no roughness to weigh: its weight stays open
  // (infinite) until a rough one sets it, and its penalty is 0, not NaN.
  const double inf = std::numeric_limits<double>::infinity();
  const double e1 = s1 > 0 ? 0.02 * d / s1 : inf;
  const double e2 = s2 > 0 ? 0.02 * d / s2 : inf;
  if (m->calls == 0) {
    g_w1 = e1;
    g_w2 = e2;
  } else {
    if (e1 < 0.5 * g_w1) g_w1 = e1;
    if (e2 < 0.5 * g_w2) g_w2 = e2;
  }
  m->value = d + (s1 > 0 ? g_w1 * s1 : 0) + (s2 > 0 ? g_w2 * s2 : 0);
  return kErrNone;
}

}  // namespace

VELTRIA_API Dword InverseLaplaceTransform(Qword mode, Dword flags, Qword n, const double* times,
                                          const double* y, Qword k, const double* rates,
                                          double* amplitudes, double* offset, void* /*ignored*/,
                                          double* residuals, MinimizerProgressCallback progress,
                                          void* progressData) {
  if (!times || !y || !rates || !amplitudes || !offset || n == 0) return kErrMissingInputData;
  if (mode != 1) return kErrIllegalMode;
  if (k < 5) return kErrIllegalArgument;
  if (n > MaxArrCount<double>() / 4 || k + 1 > MaxArrCount<double>() / (n + wide::kPanelRows + 2))
    return kErrAlloc;
  Dword error;
  const Qword panels = wide::PanelSize(n, k);
  // The panels start on a cache line (the block is padded by one line), so
  // no vector load of the kernel straddles two lines.
  constexpr Qword kLine = 64 / sizeof(double);
  const UniqueArr<double> block(NewRealArrFill(&error, panels + k + 2 * n + kLine));
  if (!block) return error;
  const Qword panelCount = (n + wide::kPanelRows - 1) / wide::kPanelRows;
  const UniqueArr<Qword> columns(NewArrFill<Qword>(&error, panelCount));
  if (!columns) return error;
  UniqueArr<double*> ptrs(NewArrFill<double*>(&error, 2 * (k + 1)));
  if (!ptrs) return error;
  const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(block.get());
  double* const work = block.get() + ((64 - start % 64) % 64) / sizeof(double);
  double* kernel = work;
  {
    // Tabulated by columns, then packed into panels of rows.
    const UniqueArr<double> columns(NewRealArrFill(&error, n * k));
    if (!columns) return error;
    double* c = columns.get();
    for (Qword j = 0; j < k; ++j)
      for (Qword i = 0; i < n; ++i) c[i + n * j] = std::exp(-rates[j] * times[i]);
    wide::PackPanels(n, k, c, n, kernel);
  }
  PanelColumns(n, k, kernel, columns.get());

  if (flags & kFitAutoStart) {
    if (!(flags & kFitOffsetFixed)) *offset = y[n - 1];
    for (Qword j = 0; j < k; ++j) amplitudes[j] = (y[0] - y[n - 1]) / static_cast<double>(k);
  }
  double scale = 1;
  if (flags & kFitNormalize) {
    scale = y[0] - y[n - 1];
    if (scale == 0) scale = 1;
  }
  *offset /= scale;
  for (Qword j = 0; j < k; ++j) {
    double a = amplitudes[j] / scale;
    if (!(a >= 1e-5)) a = 1e-5;  // also NaN
    amplitudes[j] = std::log(a);
  }

  IltProblem problem;
  FitProblemInit(&problem.base);
  problem.base.pointCount = n;
  problem.base.x = const_cast<double*>(times);
  problem.base.y = const_cast<double*>(y);
  problem.base.termCount = k;
  problem.base.amplitudes = amplitudes;
  problem.base.rates = const_cast<double*>(rates);
  problem.base.scale = scale;
  problem.offset = offset;
  problem.kernel = kernel;
  problem.columns = columns.get();
  double* ys = work + panels;
  for (Qword i = 0; i < n; ++i) ys[i] = y[i] / scale;
  problem.ys = ys;
  problem.amp = ys + n;
  problem.model = ys + n + k;

  double** all = ptrs.get();
  double** varied = all + k + 1;
  all[0] = offset;
  for (Qword j = 0; j < k; ++j) all[1 + j] = amplitudes + j;
  for (Qword j = 0; j <= k; ++j) varied[j] = all[j];
  if (flags & kFitOffsetFixed) varied[0] = nullptr;

  Minimizer m{};
  MinimizerInit(&m, flags, nullptr, nullptr);
  m.progress = progress;
  m.progressData = progressData;
  m.userData = &problem;
  error = MinimizerSetParams(&m, k + 1, all, varied);
  ptrs.reset();
  if (error == kErrNone) {
    m.target = InverseLaplaceTarget;
    m.maxCalls = 100000;
    m.initialStep = 0.2;
    m.tolerance = 1e-4;
    error = MinimizerRun(&m, kMinimizerSimplex);
    if (error == kErrTooManyFunctionCalls) error = kErrNone;
  }
  MinimizerKill(&m);
  if (error == kErrNone) {
    *offset *= scale;
    for (Qword j = 0; j < k; ++j) amplitudes[j] = std::exp(amplitudes[j]) * scale;
    if (residuals) {
      double* model = problem.model;
      Model(n, k, *offset, amplitudes, kernel, model);
      for (Qword i = 0; i < n; ++i) residuals[i] = y[i] - model[i];
    }
  }
  return error;
}
