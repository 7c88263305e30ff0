// One-rate decay fits on closed-form data, multi-exponential fits against
// noise-free truths and scipy's least-squares optimum, and the automatic
// component count.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "base/error_codes.h"
#include "signal_fit/fit/decay_fits.h"
#include "signal_fit/fit/fit_problem.h"

namespace {
#include "fit_reference.inc"

std::vector<double> Geomspace(double a, double b, int n) {
  std::vector<double> v(n);
  for (int i = 0; i < n; ++i) v[i] = a * std::pow(b / a, i / double(n - 1));
  return v;
}

TEST(FitDecay, MonoFitsRecoverRateAndLeaveAbscissa) {
  struct Case {
    bool gauss, offset;
    double R, A, B;
  } cases[] = {{false, false, 2.7, 3.5, 0},
               {false, true, 0.83, -1.25, 0.4},
               {true, false, 0.9, 2.0, 0},
               {true, true, 5.5, 1.5, -0.3}};
  for (const Case& c : cases) {
    std::vector<double> x(30), y(30);
    for (int i = 0; i < 30; ++i) {
      x[i] = 0.037 + 0.071 * i;
      y[i] = c.A * std::exp(-c.R * (c.gauss ? x[i] * x[i] : x[i])) + c.B;
    }
    const std::vector<double> x0 = x;
    double R = 0, dR = -1, A = 0, B = 0, prob = -1;
    Dword r = c.offset ? (c.gauss ? MonoGaus3ParFit : MonoExp3ParFit)(x.data(), y.data(), 0, 29, &R,
                                                                      &dR, &A, &B, &prob)
                       : (c.gauss ? MonoGaus2ParFit : MonoExp2ParFit)(x.data(), y.data(), 0, 29, &R,
                                                                      &dR, &A, &prob);
    ASSERT_EQ(r, 0u);
    EXPECT_NEAR(R, c.R, 1e-4 * c.R) << c.gauss << c.offset;
    EXPECT_NEAR(A, c.A, 1e-3 * std::fabs(c.A)) << c.gauss << c.offset;
    if (c.offset) {
      EXPECT_NEAR(B, c.B, 1e-3) << c.gauss;
    }
    EXPECT_GE(prob, 0);
    EXPECT_LE(prob, 1);
    EXPECT_LT(dR, 1e-3 * R);
    EXPECT_EQ(x, x0);  // bit for bit
  }
}

TEST(FitDecay, GaussianRateScalesWithSquareOfAbscissa) {
  std::vector<double> x(20), x2(20), y(20);
  for (int i = 0; i < 20; ++i) {
    x[i] = 0.05 * (i + 1);
    x2[i] = 2 * x[i];
    y[i] = 4 * std::exp(-1.7 * x[i] * x[i]) + 0.01 * std::sin(7.0 * i);
  }
  double R1, R2, d, A, B, p;
  ASSERT_EQ(MonoGaus3ParFit(x.data(), y.data(), 0, 19, &R1, &d, &A, &B, &p), 0u);
  ASSERT_EQ(MonoGaus3ParFit(x2.data(), y.data(), 0, 19, &R2, &d, &A, &B, &p), 0u);
  EXPECT_NEAR(R1 / R2, 4, 1e-12);
}

TEST(FitDecay, MonoFitErrors) {
  const double x[] = {0, 0, 0, 1, 2}, y[] = {1, 2, 3, 4, 5};
  double R = 0, dR = 0, A = 0, B = 0, p = 0;
  EXPECT_EQ(MonoExp3ParFit(x, y, 0, 2, &R, &dR, &A, &B, &p), 2u);
  EXPECT_EQ(MonoExp3ParFit(x, y, 3, 2, &R, &dR, &A, &B, &p), kErrIllegalArgument);
  EXPECT_EQ(MonoExp2ParFit(nullptr, y, 0, 2, &R, &dR, &A, &p), kErrMissingInputData);
  EXPECT_EQ(MonoExp2ParFit(x, y, 0, 2, &R, nullptr, &A, &p), kErrMissingOutputBuffer);
  p = 42;
  EXPECT_EQ(MonoExp3ParFit(x, y, 3, 4, &R, &dR, &A, &B, &p), kErrIllegalArgument);
  EXPECT_EQ(p, 42);  // too few points: probability untouched
  EXPECT_EQ(MonoExp2ParFit(x, y, 4, 4, &R, &dR, &A, &p), 1u);
}

TEST(FitDecay, MultiExpNoiseFreeRecoversRates) {
  const std::vector<double> x = Geomspace(1e-3, 10, 40);
  struct Case {
    std::vector<double> a, r;
  } cases[] = {{{2.0}, {3.0}}, {{1.5, 0.8}, {0.5, 20}}, {{0.7, 1.1, 0.4}, {0.3, 5, 80}}};
  for (const Case& c : cases) {
    const Qword k = c.a.size();
    std::vector<double> y(x.size());
    for (size_t i = 0; i < x.size(); ++i) {
      y[i] = 0.05;
      for (Qword j = 0; j < k; ++j) y[i] += c.a[j] * std::exp(-c.r[j] * x[i]);
    }
    std::vector<double> a(k), r(k), res(x.size());
    for (Qword j = 0; j < k; ++j) {
      a[j] = c.a[j] * 0.8;
      r[j] = c.r[j] * 1.3;
    }
    double off = 0, rms = -1;
    ASSERT_EQ(MultiExpFit(2, x.size(), x.data(), y.data(), k, a.data(), r.data(), &off, &rms,
                          res.data(), nullptr),
              0u);
    for (Qword j = 0; j < k; ++j) {
      EXPECT_NEAR(r[j], c.r[j], 1e-8 * c.r[j]) << k << " " << j;
      EXPECT_NEAR(a[j], c.a[j], 1e-8) << k << " " << j;
    }
    EXPECT_NEAR(off, 0.05, 1e-8);
    EXPECT_LT(rms, 1e-9);
  }
}

TEST(FitDecay, MultiExpNoisyMatchesLeastSquares) {
  const Qword n = std::size(kBiExpX);
  double a[2] = {1, 1}, r[2] = {1, 10}, off = 0, rms = 0;
  std::vector<double> res(n);
  ASSERT_EQ(MultiExpFit(2, n, kBiExpX, kBiExpY, 2, a, r, &off, &rms, res.data(), nullptr), 0u);
  EXPECT_NEAR(off, kBiExpFit[0], 1e-5);
  EXPECT_NEAR(a[0], kBiExpFit[1], 1e-5);
  EXPECT_NEAR(a[1], kBiExpFit[2], 1e-5);
  EXPECT_NEAR(r[0], kBiExpFit[3], 1e-5 * kBiExpFit[3]);
  EXPECT_NEAR(r[1], kBiExpFit[4], 1e-5 * kBiExpFit[4]);
  EXPECT_NEAR(rms, kBiExpRms, 1e-9);
  // Residuals are model - y.
  const double model0 =
      off + a[0] * std::exp(-r[0] * kBiExpX[0]) + a[1] * std::exp(-r[1] * kBiExpX[0]);
  EXPECT_DOUBLE_EQ(res[0], model0 - kBiExpY[0]);
}

TEST(FitDecay, MultiExpFlags) {
  const std::vector<double> x = Geomspace(1e-2, 5, 30);
  std::vector<double> y(x.size());
  for (size_t i = 0; i < x.size(); ++i) y[i] = 100 + 400 * std::exp(-1.3 * x[i]);
  // Automatic starts with normalisation, offset fixed at its true value.
  double a = 0, r = 0, off = 100, rms = 0;
  ASSERT_EQ(MultiExpFit(2 | kFitAutoStart | kFitNormalize | kFitOffsetFixed, x.size(), x.data(),
                        y.data(), 1, &a, &r, &off, &rms, nullptr, nullptr),
            0u);
  EXPECT_EQ(off, 100);
  EXPECT_NEAR(r, 1.3, 1e-7);
  EXPECT_NEAR(a, 400, 1e-5);
  // A negative start amplitude is raised to 0 before the first evaluation.
  static double seen = -1;
  a = -5;
  r = 1;
  off = 0;
  ASSERT_EQ(
      MultiExpFit(2 | kFitNormalize, x.size(), x.data(), y.data(), 1, &a, &r, &off, &rms, nullptr,
                  [](Minimizer* m, Dword code) -> Dword {
                    if (code == kMinimizerFirstEval) seen = *m->params[1];
                    return 0;
                  }),
      0u);
  EXPECT_EQ(seen, 0);
  EXPECT_NEAR(r, 1.3, 1e-6);
  // With spacing weights and norm type 2 the target is sum r^2 |dx| (the
  // first point weighted by x1 - x0), compared with y / scale.
  static double first = 0;
  a = 300;
  r = 1;
  off = 90;
  ASSERT_EQ(MultiExpFit(2 | kFitSpacingWeights | kFitNormalize, x.size(), x.data(), y.data(), 1, &a,
                        &r, &off, &rms, nullptr,
                        [](Minimizer* m, Dword code) -> Dword {
                          if (code == kMinimizerFirstEval) first = m->value;
                          return 0;
                        }),
            0u);
  const double scale = y[0] - y.back();
  double want = 0;
  for (size_t i = 0; i < x.size(); ++i) {
    const double res = 90 / scale + 300 / scale * std::exp(-x[i]) - y[i] / scale;
    want += res * res * std::fabs(i == 0 ? x[1] - x[0] : x[i] - x[i - 1]);
  }
  EXPECT_NEAR(first, want, 1e-14 * want);
  EXPECT_NEAR(r, 1.3, 1e-6);
}

TEST(FitDecay, MultiExpErrors) {
  const double x[] = {1, 2}, y[] = {1, 2};
  double a = 1, r = 1, off = 0, rms = 0;
  EXPECT_EQ(MultiExpFit(2, 0, x, y, 1, &a, &r, &off, &rms, nullptr, nullptr), kErrMissingInputData);
  EXPECT_EQ(MultiExpFit(2, 2, nullptr, y, 1, &a, &r, &off, &rms, nullptr, nullptr),
            kErrMissingInputData);
  EXPECT_EQ(MultiExpFit(2, 2, x, y, 1, &a, &r, &off, nullptr, nullptr, nullptr),
            kErrMissingOutputBuffer);
  // A progress callback that cancels is returned; arrays stay internal.
  a = 2;
  r = 1;
  EXPECT_EQ(MultiExpFit(2, 2, x, y, 1, &a, &r, &off, &rms, nullptr,
                        [](Minimizer*, Dword) -> Dword { return 55; }),
            55u);
  EXPECT_EQ(r, 0.0);  // ln 1
}

TEST(FitDecay, AutoFitFindsComponentCount) {
  const std::vector<double> x = Geomspace(1e-3, 10, 60);
  std::vector<double> y(x.size());
  for (size_t i = 0; i < x.size(); ++i)
    y[i] =
        0.02 + 1.0 * std::exp(-0.4 * x[i]) + 0.8 * std::exp(-9 * x[i]) + 0.002 * std::sin(3.7 * i);
  std::vector<double> a(10), r(10);
  double off = 0, rms = 0;
  Qword k = 10;
  ASSERT_EQ(MultiExpAutoFit(2 | kFitAutoStart, x.size(), x.data(), y.data(), &k, a.data(), r.data(),
                            &off, &rms, nullptr, nullptr, nullptr),
            0u);
  EXPECT_GE(k, 2u);
  EXPECT_LE(k, 9u);
  EXPECT_LT(rms, 0.005);
  // A maximum of 2 always returns 1 component; 0 leaves no room.
  k = 2;
  ASSERT_EQ(MultiExpAutoFit(2 | kFitAutoStart, x.size(), x.data(), y.data(), &k, a.data(), r.data(),
                            &off, &rms, nullptr, nullptr, nullptr),
            0u);
  EXPECT_EQ(k, 1u);
  k = 0;
  EXPECT_EQ(MultiExpAutoFit(2, x.size(), x.data(), y.data(), &k, a.data(), r.data(), &off, &rms,
                            nullptr, nullptr, nullptr),
            kErrMissingArguments);
}

// One component chosen: the result is that of the plain one-component fit
// from the automatic start, bit for bit, with and without progress
// reporting (with it the library refits; without, it keeps the first fit).
TEST(FitDecay, AutoFitOfOneComponentIsThePlainFit) {
  const std::vector<double> x = Geomspace(1e-3, 2, 50);
  for (double noise : {0.0, 3e-3}) {
    std::vector<double> y(x.size());
    for (size_t i = 0; i < x.size(); ++i)
      y[i] = 0.1 + 1.3 * std::exp(-6 * x[i]) + noise * std::sin(3.7 * i);
    const Dword flags = 2 | kFitAutoStart | kFitNormalize;
    double wa = 0, wr = 0, woff = 0, wrms = 0;
    std::vector<double> wres(x.size());
    ASSERT_EQ(MultiExpFit(flags, x.size(), x.data(), y.data(), 1, &wa, &wr, &woff, &wrms,
                          wres.data(), nullptr),
              0u);
    for (bool report : {false, true}) {
      SCOPED_TRACE(report ? "with progress" : "without progress");
      std::vector<double> a(10), r(10), res(x.size());
      double off = 0, rms = 0;
      Qword k = 10;
      const MinimizerProgressCallback quiet = [](Minimizer*, Dword) -> Dword { return 0; };
      ASSERT_EQ(MultiExpAutoFit(flags, x.size(), x.data(), y.data(), &k, a.data(), r.data(), &off,
                                &rms, res.data(), report ? quiet : nullptr, nullptr),
                0u);
      ASSERT_EQ(k, 1u) << noise;
      EXPECT_EQ(0, std::memcmp(&a[0], &wa, sizeof wa));
      EXPECT_EQ(0, std::memcmp(&r[0], &wr, sizeof wr));
      EXPECT_EQ(0, std::memcmp(&off, &woff, sizeof off));
      EXPECT_EQ(0, std::memcmp(&rms, &wrms, sizeof rms));
      EXPECT_EQ(0, std::memcmp(res.data(), wres.data(), res.size() * sizeof(double)));
    }
  }
}

}  // namespace
