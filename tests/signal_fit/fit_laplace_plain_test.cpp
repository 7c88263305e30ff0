// The inverse Laplace transform against the same transform written out with
// plain loops (the model summed column by column, the residual norm of the
// fit problem, the weights as the run sets them): the simplex takes the
// same steps, so every amplitude, the offset, the residuals and the number
// of target calls agree to the bit, on whichever vector kernels the
// processor chooses and on the baseline ones.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "arrays/wide_kernels_testing.h"
#include "base/error_codes.h"
#include "signal_fit/fit/fit_problem.h"
#include "signal_fit/fit/inverse_laplace_testing.h"
#include "signal_fit/fit/laplace.h"
#include "signal_fit/fit/minimizer.h"

namespace {

using Vec = std::vector<double>;

struct Plain {
  FitProblem base;
  double* offset;
  Vec kernel, amp, model;
  double w1 = 0, w2 = 0;
};

Dword PlainTarget(Minimizer* m) {
  Plain* p = static_cast<Plain*>(m->userData);
  const FitProblem& f = p->base;
  const Qword n = f.pointCount, k = f.termCount;
  double* la = f.amplitudes;
  const double pinned = std::log(1e-5);
  la[0] = la[1] = la[k - 2] = la[k - 1] = pinned;
  double* a = p->amp.data();
  for (Qword j = 0; j < k; ++j) a[j] = std::exp(la[j]);
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
  for (Qword i = 0; i < n; ++i) p->model[i] = *p->offset;
  for (Qword j = 0; j < k; ++j)
    for (Qword i = 0; i < n; ++i) p->model[i] += a[j] * p->kernel[i + n * j];
  FitResidualSum sum(m->flags);
  for (Qword i = 0; i < n; ++i) sum.Add(p->model[i] - f.y[i] / f.scale);
  const double d = sum.Total();
  double s1 = 0, s2 = 0;
  for (Qword j = 1; j + 2 < k; ++j) {
    const double l = a[j - 1], b = a[j], r = a[j + 1];
    s1 += (b - l) * (b - l);
    s2 += (2 * b - l - r) * (2 * b - l - r);
  }
  const double inf = std::numeric_limits<double>::infinity();
  const double e1 = s1 > 0 ? 0.02 * d / s1 : inf, e2 = s2 > 0 ? 0.02 * d / s2 : inf;
  if (m->calls == 0) {
    p->w1 = e1;
    p->w2 = e2;
  } else {
    if (e1 < 0.5 * p->w1) p->w1 = e1;
    if (e2 < 0.5 * p->w2) p->w2 = e2;
  }
  m->value = d + (s1 > 0 ? p->w1 * s1 : 0) + (s2 > 0 ? p->w2 * s2 : 0);
  return kErrNone;
}

struct Outcome {
  Vec amplitudes, residuals;
  double offset = 0;
  Qword calls = 0;
};

Qword g_calls = 0;
Dword CountCalls(Minimizer* m, Dword code) {
  if (code == kMinimizerEnd) g_calls = m->calls;
  return 0;
}

// The transform with `flags` (normalised, the given start, the norm type in
// the low bits) from amplitudes `start`, written out.
Outcome PlainTransform(const Vec& t, const Vec& y, const Vec& r, const Vec& start, double offset,
                       Dword flags) {
  const Qword n = t.size(), k = r.size();
  Outcome out;
  out.amplitudes = start;
  out.offset = offset;
  Plain p;
  FitProblemInit(&p.base);
  p.kernel.resize(n * k);
  for (Qword j = 0; j < k; ++j)
    for (Qword i = 0; i < n; ++i) p.kernel[i + n * j] = std::exp(-r[j] * t[i]);
  double scale = y[0] - y[n - 1];
  if (scale == 0) scale = 1;
  out.offset /= scale;
  for (double& a : out.amplitudes) {
    double v = a / scale;
    if (!(v >= 1e-5)) v = 1e-5;
    a = std::log(v);
  }
  p.base.pointCount = n;
  p.base.x = const_cast<double*>(t.data());
  p.base.y = const_cast<double*>(y.data());
  p.base.termCount = k;
  p.base.amplitudes = out.amplitudes.data();
  p.base.rates = const_cast<double*>(r.data());
  p.base.scale = scale;
  p.offset = &out.offset;
  p.amp.resize(k);
  p.model.resize(n);
  std::vector<double*> all(k + 1);
  all[0] = &out.offset;
  for (Qword j = 0; j < k; ++j) all[1 + j] = &out.amplitudes[j];
  Minimizer m{};
  MinimizerInit(&m, flags, nullptr, nullptr);
  m.progress = CountCalls;
  m.userData = &p;
  EXPECT_EQ(MinimizerSetParams(&m, k + 1, all.data(), all.data()), 0u);
  m.target = PlainTarget;
  m.maxCalls = 100000;
  m.initialStep = 0.2;
  m.tolerance = 1e-4;
  const Dword e = MinimizerRun(&m, kMinimizerSimplex);
  EXPECT_TRUE(e == 0 || e == kErrTooManyFunctionCalls) << e;
  MinimizerKill(&m);
  out.calls = g_calls;
  out.offset *= scale;
  for (double& a : out.amplitudes) a = std::exp(a) * scale;
  out.residuals.resize(n);
  for (Qword i = 0; i < n; ++i) {
    double model = out.offset;
    for (Qword j = 0; j < k; ++j) model += out.amplitudes[j] * p.kernel[i + n * j];
    out.residuals[i] = y[i] - model;
  }
  return out;
}

Outcome LibraryTransform(const Vec& t, const Vec& y, const Vec& r, const Vec& start, double offset,
                         Dword flags) {
  Outcome out;
  out.amplitudes = start;
  out.offset = offset;
  out.residuals.resize(t.size());
  const Dword e = InverseLaplaceTransform(1, flags, t.size(), t.data(), y.data(), r.size(),
                                          r.data(), out.amplitudes.data(), &out.offset, nullptr,
                                          out.residuals.data(), CountCalls, nullptr);
  EXPECT_EQ(e, 0u);
  out.calls = g_calls;
  return out;
}

void ExpectSameBits(const Vec& a, const Vec& b, const char* what) {
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i)
    ASSERT_EQ(0, std::memcmp(&a[i], &b[i], sizeof(double)))
        << what << " " << i << ": " << a[i] << " vs " << b[i];
}

struct ChoiceGuard {
  ~ChoiceGuard() {
    WideKernelsForceBaseline(false);
    InverseLaplaceTailLimitForTesting(0);
  }
};

// Point counts off the vector and panel widths; the second case runs some
// 55000 steps, long enough that a sum taken in another order (a rounding
// apart) sends the simplex elsewhere. The kernel's exact zeros (rate times
// time past the exponential's underflow) end some panels early; in the
// cases with the slowest rate moved before the two fastest, the columns
// before a panel's trailing zeros weigh in every row. The last two cases
// take other residual norms.
TEST(FitLaplacePlain, SameStepsAsThePlainLoops) {
  ChoiceGuard guard;
  struct Case {
    int points, rates;
    double noise, plateau, tmax, rmax;
    bool slowLate;
    Dword flags;
  };
  const Case cases[] = {
      {71, 12, 2e-2, 0.05, 4, 1e3, false, 0x40002},  {61, 24, 1e-2, 0.05, 4, 1e3, false, 0x40002},
      {150, 20, 1e-2, 0.05, 20, 2e4, true, 0x40002}, {200, 20, 1e-2, 0, 40, 2e3, false, 0x40002},
      {90, 15, 1e-2, 0.05, 10, 5e3, false, 0x40000}, {100, 16, 1e-2, 0.05, 10, 5e3, true, 0x40001},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.points);
    Vec t(c.points), r(c.rates), y(c.points), start(c.rates);
    for (int i = 0; i < c.points; ++i) {
      t[i] = 1e-3 * std::pow(c.tmax / 1e-3, i / double(c.points - 1));
      y[i] = 0.7 * std::exp(-3 * t[i]) + 0.3 * std::exp(-60 * t[i]) + c.plateau +
             c.noise * std::sin(7.3 * i);
    }
    for (int j = 0; j < c.rates; ++j) {
      // slowLate: grid rates 1 to k - 3, then rate 0, then the two fastest.
      const int g = !c.slowLate || j > c.rates - 3 ? j : j == c.rates - 3 ? 0 : j + 1;
      r[j] = 0.5 * std::pow(c.rmax / 0.5, g / double(c.rates - 1));
      start[j] = 0.1 + 0.08 * std::cos(1.7 * j);
    }
    const Outcome want = PlainTransform(t, y, r, start, 0.02, c.flags);
    for (bool baseline : {false, true}) {
      SCOPED_TRACE(baseline ? "baseline kernels" : "the processor's kernels");
      WideKernelsForceBaseline(baseline);
      const Outcome got = LibraryTransform(t, y, r, start, 0.02, c.flags);
      EXPECT_EQ(got.calls, want.calls);
      ExpectSameBits(got.amplitudes, want.amplitudes, "amplitude");
      ExpectSameBits({got.offset}, {want.offset}, "offset");
      ExpectSameBits(got.residuals, want.residuals, "residual");
    }
  }
}

// The tail of tiny kernel values is left out of a panel only where it
// cannot change a sum. With larger limits the tails hold terms that count
// and the test of each tail decides: the steps stay those of the plain
// loops.
TEST(FitLaplacePlain, TailsOfLargerLimitsTakeTheSameSteps) {
  ChoiceGuard guard;
  const int points = 120, rates = 18;
  Vec t(points), r(rates), y(points), start(rates);
  for (int i = 0; i < points; ++i) {
    t[i] = 1e-3 * std::pow(1e4, i / double(points - 1));
    y[i] = 0.7 * std::exp(-3 * t[i]) + 0.3 * std::exp(-60 * t[i]) + 1e-2 * std::sin(7.3 * i);
  }
  for (int j = 0; j < rates; ++j) {
    r[j] = 0.5 * std::pow(4e3, j / double(rates - 1));
    start[j] = 0.1 + 0.08 * std::cos(1.7 * j);
  }
  const Outcome want = PlainTransform(t, y, r, start, 0.02, 0x40002);
  for (double limit : {0x1p-40, 0x1p-20, 0.5}) {
    SCOPED_TRACE(limit);
    InverseLaplaceTailLimitForTesting(limit);
    const Outcome got = LibraryTransform(t, y, r, start, 0.02, 0x40002);
    EXPECT_EQ(got.calls, want.calls);
    ExpectSameBits(got.amplitudes, want.amplitudes, "amplitude");
    ExpectSameBits({got.offset}, {want.offset}, "offset");
    ExpectSameBits(got.residuals, want.residuals, "residual");
  }
}

}  // namespace
