// Inverse Laplace transform by its properties on a two-rate decay, the SVD
// inversion against numpy's truncated pseudo-inverse, the kernel grids, the
// forward model and the DOSY transform on single-exponential data.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/fit/fit_problem.h"
#include "signal_fit/fit/laplace.h"

namespace {
#include "fit_reference.inc"

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::vector<double> Geomspace(double a, double b, int n) {
  std::vector<double> v(n);
  for (int i = 0; i < n; ++i) v[i] = a * std::pow(b / a, i / double(n - 1));
  return v;
}

struct Peak {
  double weight, centre;  // sum of amplitudes, geometric mean rate
};

Peak PeakBetween(const std::vector<double>& r, const std::vector<double>& a, double lo, double hi) {
  double w = 0, s = 0;
  for (size_t j = 0; j < r.size(); ++j)
    if (r[j] >= lo && r[j] < hi) {
      w += a[j];
      s += a[j] * std::log(r[j]);
    }
  return {w, std::exp(s / w)};
}

// With a free offset the transform trades the offset against the slow
// component (the fast centroid then lands about 6 % high); the properties
// are checked with the offset fixed at its true value 0.
TEST(FitLaplace, TwoRatesRecovered) {
  const std::vector<double> t = Geomspace(1e-3, 5, 60), r = Geomspace(0.2, 1000, 40);
  std::vector<double> y(t.size());
  for (size_t i = 0; i < t.size(); ++i)
    y[i] = 0.6 * std::exp(-2 * t[i]) + 0.4 * std::exp(-100 * t[i]);
  std::vector<double> a(r.size(), 0.0), res(t.size());
  double off = 0;
  ASSERT_EQ(InverseLaplaceTransform(1, 0x70002, t.size(), t.data(), y.data(), r.size(), r.data(),
                                    a.data(), &off, nullptr, res.data(), nullptr, nullptr),
            0u);
  const Peak slow = PeakBetween(r, a, 0, 14), fast = PeakBetween(r, a, 14, 1e9);
  EXPECT_NEAR(slow.centre, 2, 0.03 * 2);
  EXPECT_NEAR(fast.centre, 100, 0.03 * 100);
  EXPECT_NEAR(slow.weight, 0.6, 0.02 * 0.6);
  EXPECT_NEAR(fast.weight, 0.4, 0.02 * 0.4);
  double ss = 0;
  for (double v : res) ss += v * v;
  EXPECT_LT(std::sqrt(ss / t.size()), 0.005 * (y.front() - y.back()));
  // Residuals are y - model of the returned distribution.
  double model = off;
  for (size_t j = 0; j < r.size(); ++j) model += a[j] * std::exp(-r[j] * t[7]);
  EXPECT_NEAR(res[7], y[7] - model, 1e-14);
}

TEST(FitLaplace, ProgressSeesLogAmplitudesAndRunsAreIndependent) {
  const std::vector<double> t = Geomspace(1e-2, 3, 30), r = Geomspace(0.3, 300, 8);
  std::vector<double> y(t.size());
  for (size_t i = 0; i < t.size(); ++i) y[i] = 2 * std::exp(-5 * t[i]) + 0.1;
  static Qword best = 0;
  static bool logs = true;
  auto progress = [](Minimizer* m, Dword code) -> Dword {
    if (code != kMinimizerNewBest) return 0;
    ++best;
    const FitProblem* p = static_cast<const FitProblem*>(m->userData);
    // The first two and last two log-amplitudes are pinned at ln 1e-5.
    logs = logs && p->amplitudes[0] == std::log(1e-5) && p->termCount == 8 && p->scale == 1;
    return 0;
  };
  std::vector<double> a1(8, 0.0), a2(8, 0.0);
  double o1 = 0, o2 = 0;
  ASSERT_EQ(InverseLaplaceTransform(1, 0x80000002u, t.size(), t.data(), y.data(), 8, r.data(),
                                    a1.data(), &o1, nullptr, nullptr, progress, nullptr),
            0u);
  EXPECT_GT(best, 0u);
  EXPECT_TRUE(logs);
  ASSERT_EQ(InverseLaplaceTransform(1, 0x80000002u, t.size(), t.data(), y.data(), 8, r.data(),
                                    a2.data(), &o2, nullptr, nullptr, progress, nullptr),
            0u);
  EXPECT_EQ(a1, a2);
  EXPECT_EQ(o1, o2);
}

TEST(FitLaplace, FlatStartHasFiniteTarget) {
  // All start amplitudes 0 (raised to 1e-5) and k = 5: both roughness sums
  // are 0 at the first evaluation.
  const std::vector<double> t = Geomspace(1e-2, 3, 20), r = Geomspace(0.3, 300, 5);
  std::vector<double> y(t.size());
  for (size_t i = 0; i < t.size(); ++i) y[i] = std::exp(-9.5 * t[i]);
  static double first = kNaN;
  std::vector<double> a(5, 0.0);
  double off = 0;
  ASSERT_EQ(InverseLaplaceTransform(
                1, 2, t.size(), t.data(), y.data(), 5, r.data(), a.data(), &off, nullptr, nullptr,
                [](Minimizer* m, Dword code) -> Dword {
                  if (code == kMinimizerFirstEval) first = m->value;
                  return 0;
                },
                nullptr),
            0u);
  double d = 0;
  for (size_t i = 0; i < t.size(); ++i) {
    double model = 0;
    for (int j = 0; j < 5; ++j) model += 1e-5 * std::exp(-r[j] * t[i]);
    d += (model - y[i]) * (model - y[i]);
  }
  EXPECT_NEAR(first, d, 1e-12 * d);
  for (double v : a) EXPECT_TRUE(std::isfinite(v));
  EXPECT_TRUE(std::isfinite(off));
}

TEST(FitLaplace, TransformErrors) {
  const double t[6] = {0.1, 0.2, 0.3, 0.4, 0.5, 0.6}, y[6] = {6, 5, 4, 3, 2, 1};
  const double r[6] = {1, 2, 3, 4, 5, 6};
  double a[6] = {1, 1, 1, 1, 1, 1}, off = 0.5;
  EXPECT_EQ(
      InverseLaplaceTransform(2, 0, 6, t, y, 6, r, a, &off, nullptr, nullptr, nullptr, nullptr),
      kErrIllegalMode);
  EXPECT_EQ(a[0], 1);  // unchanged
  EXPECT_EQ(off, 0.5);
  EXPECT_EQ(
      InverseLaplaceTransform(1, 0, 6, t, y, 4, r, a, &off, nullptr, nullptr, nullptr, nullptr),
      kErrIllegalArgument);
  EXPECT_EQ(
      InverseLaplaceTransform(1, 0, 0, t, y, 6, r, a, &off, nullptr, nullptr, nullptr, nullptr),
      kErrMissingInputData);
  EXPECT_EQ(InverseLaplaceTransform(1, 0, 6, t, nullptr, 6, r, a, &off, nullptr, nullptr, nullptr,
                                    nullptr),
            kErrMissingInputData);
  // A cancelling progress callback leaves the internal form (log-amplitudes).
  EXPECT_EQ(InverseLaplaceTransform(
                1, 0, 6, t, y, 6, r, a, &off, nullptr, nullptr,
                [](Minimizer*, Dword) -> Dword { return 81; }, nullptr),
            81u);
  EXPECT_EQ(a[0], std::log(1e-5));
}

TEST(FitLaplace, SvdMatchesTruncatedPseudoInverse) {
  const Qword nt = std::size(kSvdT), nr = std::size(kSvdR);
  std::vector<double> a(nr), fit(nt);
  ASSERT_EQ(LaplaceInverseBySVD(kSvdT, kSvdY, nt, kSvdR, nr, a.data(), 1e-3, fit.data()), 0u);
  double scale = 0;
  for (double v : kSvdAmp) scale = std::fmax(scale, std::fabs(v));
  for (Qword j = 0; j < nr; ++j) EXPECT_NEAR(a[j], kSvdAmp[j], 1e-10 * scale) << j;
  for (Qword i = 0; i < nt; ++i) EXPECT_NEAR(fit[i], kSvdFitted[i], 1e-10) << i;
  EXPECT_EQ(LaplaceInverseBySVD(kSvdT, kSvdY, nt, kSvdR, nr, nullptr, 1e-3, nullptr),
            kErrMissingOutputBuffer);
  EXPECT_EQ(LaplaceInverseBySVD(nullptr, kSvdY, nt, kSvdR, nr, a.data(), 1e-3, nullptr),
            kErrMissingInputData);
}

TEST(FitLaplace, KernelGrids) {
  struct Case {
    Dword flags;
    bool logT, logR;
  } cases[] = {{0, false, false}, {1, true, false}, {10, false, true}, {11, true, true}};
  for (const Case& c : cases) {
    double r[4], t[3];
    double* K = NewLaplaceKernel(r, 4, 0.5, 40, t, 3, 0.01, 1, c.flags);
    ASSERT_NE(K, nullptr);
    const double tw[3] = {0.01, c.logT ? 0.1 : 0.505, 1};
    const double rw[4] = {0.5, c.logR ? 0.5 * std::cbrt(80.0) : 0.5 + 39.5 / 3,
                          c.logR ? 0.5 * std::cbrt(6400.0) : 0.5 + 79.0 / 3, 40};
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(t[i], tw[i], 1e-14) << c.flags;
    for (int j = 0; j < 4; ++j) EXPECT_NEAR(r[j], rw[j], 1e-12 * rw[j]) << c.flags;
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 4; ++j) EXPECT_EQ(K[j + 4 * i], std::exp(-t[i] * r[j]));
    RArrKill(&K);
  }
  double r1[1], t1[2];
  double* K = NewLaplaceKernel(r1, 1, 2.5, 9, t1, 2, 0, 1, 0);
  ASSERT_NE(K, nullptr);
  EXPECT_EQ(r1[0], 2.5);
  RArrKill(&K);
  EXPECT_EQ(NewLaplaceKernel(r1, 1, 2.5, 9, t1, 2, 2, 1, 0), nullptr);  // tmin > tmax
  EXPECT_EQ(NewLaplaceKernel(r1, 0, 2.5, 9, t1, 2, 0, 1, 0), nullptr);
  EXPECT_EQ(NewLaplaceKernel(r1, 1, 2.5, 9, t1, 2, 0, 1, 1), nullptr);  // log of 0
}

TEST(FitLaplace, ForwardModel) {
  const double t[3] = {0, 0.5, 2}, a[2] = {2, 0.5}, r[2] = {1, 4};
  double y[3];
  ASSERT_EQ(RArrLaplaceDecay(3, y, t, 2, a, r, 0.25), 0u);
  for (int i = 0; i < 3; ++i)
    EXPECT_DOUBLE_EQ(y[i], 2 * std::exp(-t[i]) + 0.5 * std::exp(-4 * t[i]) + 0.25);
  ASSERT_EQ(RArrLaplaceDecay(3, y, t, 0, nullptr, nullptr, 0.75), 0u);
  EXPECT_EQ(y[2], 0.75);
  EXPECT_EQ(RArrLaplaceDecay(0, nullptr, nullptr, 2, a, r, 0), 0u);
  EXPECT_EQ(RArrLaplaceDecay(3, y, nullptr, 2, a, r, 0), kErrMissingArguments);
}

TEST(FitLaplace, DosyPeaksAtTrueCoefficient) {
  const Qword np = 3, ng = 8, nD = 25;
  const double D0 = 2.3e-3;
  std::vector<double> g(ng), data(np * ng), D(nD), out(np * nD);
  for (Qword k = 0; k < ng; ++k) {
    const double s = 10 + k * (40.0 - 10) / (ng - 1);
    g[k] = s * s;  // equidistant in the square root
  }
  const double amp[np] = {5, 0.5, 2};
  for (Qword k = 0; k < ng; ++k)
    for (Qword j = 0; j < np; ++j) data[j + np * k] = amp[j] * std::exp(-D0 * g[k]);
  for (Qword i = 0; i < nD; ++i) D[i] = 1e-4 * std::pow(10.0, i / 12.0) * (i == 16 ? 1 : 1);
  D[16] = D0;
  for (Dword type : {0u, 2u}) {
    RArrBayesianDosyTransform(np, ng, data.data(), type, g.data(), nD, out.data(), D.data(), 1.0,
                              0);
    for (Qword j = 0; j < np; ++j) {
      Qword best = 0;
      for (Qword i = 1; i < nD; ++i)
        if (out[j + np * i] > out[j + np * best]) best = i;
      EXPECT_EQ(best, 16u) << type << " " << j;
      EXPECT_NEAR(out[j + np * 16], amp[j] * std::exp(-D0 * g[0]), 1e-12 * amp[j]);
    }
  }
  // Every decay value underflows for a huge coefficient: amplitude 0, not
  // 0/0, and the entry stays finite.
  D[0] = 1e300;
  RArrBayesianDosyTransform(np, ng, data.data(), 0, g.data(), nD, out.data(), D.data(), 1.0, 0);
  for (Qword j = 0; j < np; ++j) EXPECT_TRUE(std::isfinite(out[j]));
}

}  // namespace
