// Regularised inverse Laplace transform on a fixed rate grid: the simplex
// moves the offset and the logarithms of the amplitudes (so amplitudes stay
// positive); the target adds two roughness penalties whose weights follow
// the residual level of the run.
#include <cmath>
#include <cstdint>
#include <limits>

#include "arrays/rmat_kernels.h"
#include "arrays/wide_exp.h"
#include "arrays/wide_kernels.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/fit/fit_problem.h"
#include "signal_fit/fit/inverse_laplace_testing.h"
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
  const Qword* head;     // per panel: the columns before its tail of tiny values
  const double* tiny;    // per panel: the largest kernel value of that tail
  const double* ys;      // y / scale
  double* amp;           // exp(log-amplitude), per evaluation
  double* after;         // per evaluation: the largest amplitude from column j on
  double* model;         // per evaluation
};

// Kernel values at most this small form a panel's tail of tiny values
// (a test may choose another limit).
const double kTinyKernel = 0x1p-70;
double g_tail_limit = kTinyKernel;

// Per panel of the packed kernel: the columns up to the last one with a
// nonzero value in the panel's rows (at least one, so that every sum takes
// its first term), the columns before the tail whose values are all tiny
// (at least one), and the largest value of that tail.
void PanelColumns(Qword n, Qword k, const double* kernel, Qword* columns, Qword* head,
                  double* tiny) {
  const Qword panel = wide::kPanelRows * k;
  for (Qword b = 0; b * wide::kPanelRows < n; ++b) {
    const double* x = kernel + b * panel;
    auto largest = [x](Qword j) {
      double v = 0;
      for (Qword r = 0; r < wide::kPanelRows; ++r) {
        const double e = x[j * wide::kPanelRows + r];
        v = e > v ? e : v;
      }
      return v;
    };
    Qword used = k;
    while (used > 1 && largest(used - 1) == 0) --used;
    Qword small = used;
    double top = 0;
    for (double v; small > 1 && (v = largest(small - 1)) <= g_tail_limit; --small)
      top = v > top ? v : top;
    columns[b] = used;
    head[b] = small;
    tiny[b] = top;
  }
}

// Whether adding terms of at most `bound` (not negative) leaves each of
// the rows' sums as it is: each term then lies below a quarter of the
// spacing of the doubles at its sum, so the sum rounds back to itself.
// Sums that are tiny, not finite or zero never qualify.
bool TailAddsNothing(Qword rows, const double* sums, double bound) {
  const double least = std::fmax(0x1p-900, bound * 0x1p56);
  const double inf = std::numeric_limits<double>::infinity();
  // Two rows per step as the compiler's two-lane vectors: a lane's mask
  // is all ones where its row qualifies (a NaN fails both comparisons).
  using rmat::V2;
  typedef long long M2 __attribute__((vector_size(16)));
  const V2 low = rmat::Splat2(least), high = rmat::Splat2(inf);
  const M2 magnitude = {0x7FFFFFFFFFFFFFFFll, 0x7FFFFFFFFFFFFFFFll};
  M2 all = {-1, -1};
  Qword i = 0;
  for (; i + 2 <= rows; i += 2) {
    const V2 s = reinterpret_cast<V2>(reinterpret_cast<M2>(rmat::Load2(sums + i)) & magnitude);
    all &= (s >= low) & (s < high);
  }
  bool nothing = all[0] != 0 && all[1] != 0;
  for (; i < rows; ++i) {
    const double s = std::fabs(sums[i]);
    nothing = nothing && s >= least && s < inf;
  }
  return nothing;
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
  wide::ExpArray(k, la, p->amp);
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
  for (Qword j = 0; j < k; ++j) finite &= std::fabs(a[j]) <= std::numeric_limits<double>::max();
  double* after = p->after;
  after[k - 1] = a[k - 1];
  for (Qword j = k - 1; j-- > 0;) after[j] = a[j] > after[j + 1] ? a[j] : after[j + 1];
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
    if (!finite) {
      kernels.accumulate_panels(rows, k, a, panel, model);
    } else {
      // The tail of tiny kernel values is added only where it can change a
      // sum; the columns still come in order.
      const Qword used = p->columns[b], h = p->head[b];
      kernels.accumulate_panels(rows, h, a, panel, model);
      // The tail's terms are at most its largest amplitude times its
      // largest kernel value (rounding keeps that order).
      if (h < used && !TailAddsNothing(rows, model, after[h] * p->tiny[b]))
        kernels.accumulate_panels(rows, used - h, a + h, panel + h * wide::kPanelRows, model);
    }
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

void InverseLaplaceTailLimitForTesting(double limit) {
  g_tail_limit = limit > 0 ? limit : kTinyKernel;
}

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
  const UniqueArr<double> block(NewRealArrFill(&error, panels + 2 * k + 2 * n + kLine));
  if (!block) return error;
  const Qword panelCount = (n + wide::kPanelRows - 1) / wide::kPanelRows;
  const UniqueArr<Qword> columns(NewArrFill<Qword>(&error, 2 * panelCount));
  if (!columns) return error;
  const UniqueArr<double> tiny(NewRealArrFill(&error, panelCount));
  if (!tiny) return error;
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
  PanelColumns(n, k, kernel, columns.get(), columns.get() + panelCount, tiny.get());

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
  problem.head = columns.get() + panelCount;
  problem.tiny = tiny.get();
  double* ys = work + panels;
  for (Qword i = 0; i < n; ++i) ys[i] = y[i] / scale;
  problem.ys = ys;
  problem.amp = ys + n;
  problem.after = ys + n + k;
  problem.model = ys + n + 2 * k;

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
