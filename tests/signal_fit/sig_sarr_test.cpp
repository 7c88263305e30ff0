// Signal arrays: layout, life cycle, element-wise operations, reductions
// and the evaluators, against numpy tables and closed forms.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <vector>

#include "base/memory.h"
#include "signal_fit/signal/apodization.h"
#include "signal_fit/signal/sarr.h"

namespace {
#include "sig_reference.inc"

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

void ExpectClose(const double* got, const double* want, size_t count, double tol) {
  for (size_t i = 0; i < count; ++i)
    EXPECT_NEAR(got[i], want[i], tol * std::max(1.0, std::fabs(want[i]))) << "at " << i;
}

TEST(SigSarr, EvalMatchesNumpyCodeByCode) {
  const Qword n = 12;
  const double* want = kEvalOut;
  for (Dword code : kEvalCodes) {
    std::vector<double> dst(kEvalB, kEvalB + 2 * n);
    ASSERT_EQ(SArrEval(n, kEvalA, dst.data(), code, 0.75, -1.25), 0u) << "code " << code;
    SCOPED_TRACE(code);
    ExpectClose(dst.data(), want, 2 * n, 1e-15);
    want += 2 * n;
  }
}

TEST(SigSarr, EvalInPlaceEqualsSeparate) {
  const Qword n = 12;
  for (Dword code : {25u, 26u, 30u, 31u, 36u}) {
    std::vector<double> sep(2 * n), in(kEvalA, kEvalA + 2 * n);
    std::vector<double> a(kEvalA, kEvalA + 2 * n);
    sep = a;  // code 36 multiplies into the destination
    ASSERT_EQ(SArrEval(n, a.data(), sep.data(), code, 0.3, 0.4), 0u);
    ASSERT_EQ(SArrEval(n, in.data(), in.data(), code, 0.3, 0.4), 0u);
    EXPECT_EQ(sep, in) << "code " << code;
  }
}

TEST(SigSarr, EvalUnknownCodesLeaveDestination) {
  std::vector<double> dst = {1, 2, 3, 4};
  const std::vector<double> src = {5, 6, 7, 8};
  for (Dword code : {0u, 33u, 42u, 43u, 1000u}) {
    EXPECT_EQ(SArrEval(2, src.data(), dst.data(), code, 1, 2), 10u);
    EXPECT_EQ(dst, (std::vector<double>{1, 2, 3, 4}));
  }
  EXPECT_EQ(SArrEval(2, nullptr, dst.data(), 1, 0, 0), 14u);
  EXPECT_EQ(SArrEval(2, src.data(), nullptr, 1, 0, 0), 18u);
}

TEST(SigSarr, EvalFillSplitsParameters) {
  std::vector<double> s(6, 9.0);
  ASSERT_EQ(SArrEval(3, s.data(), s.data(), 2, 1, 2), 0u);
  EXPECT_EQ(s, (std::vector<double>{1, 1, 1, 2, 2, 2}));
}

TEST(SigSarr, EvalTransformCodesReachTheTransform) {
  // Code 34 with p1 = 0 is the forward transform: an impulse at 0 becomes
  // a flat spectrum 1/sqrt(n); NaN counts as "not 0" (inverse).
  std::vector<double> s(16, 0.0), d(16);
  s[0] = 1;
  ASSERT_EQ(SArrEval(8, s.data(), d.data(), 34, 0, 0), 0u);
  for (int i = 0; i < 8; ++i) EXPECT_NEAR(d[i], 1 / std::sqrt(8.0), 1e-15);
  std::vector<double> back(16);
  ASSERT_EQ(SArrEval(8, d.data(), back.data(), 34, kNaN, 0), 0u);
  ExpectClose(back.data(), s.data(), 16, 1e-15);
  // Code 35: group delay with k = round(1.5) = 2.
  std::vector<double> f = {1, 2, 3, 4, 5, 6, 7, 8, 0, 0, 0, 0, 0, 0, 0, 0}, g(16);
  ASSERT_EQ(SArrEval(8, f.data(), g.data(), 35, 1.5, 0), 0u);
  EXPECT_EQ(std::vector<double>(g.begin(), g.begin() + 8),
            (std::vector<double>{1, 3, 5, 6, 7, 8, 0, 0}));
  // A negative k wraps to a huge 32-bit delay: refused.
  EXPECT_EQ(SArrEval(8, f.data(), g.data(), 35, -1, 0), 26u);
}

TEST(SigSarr, CFArrEvalMatchesFloat32Table) {
  const Qword n = 12;
  const float* want = kCfOut;
  for (Dword code : kCfCodes) {
    std::vector<float> dst(2 * n, -7.0f);
    ASSERT_EQ(CFArrEval(n, kCfIn, dst.data(), code, 0.75, -1.25), 0u);
    for (Qword i = 0; i < 2 * n; ++i)
      EXPECT_NEAR(dst[i], want[i], 2e-7f * std::max(1.0f, std::fabs(want[i])))
          << "code " << code << " at " << i;
    want += 2 * n;
  }
  // In place, sample by sample.
  std::vector<float> s = {1, 0};
  ASSERT_EQ(CFArrEval(1, s.data(), s.data(), 31, 0, 1), 0u);
  EXPECT_EQ(s, (std::vector<float>{0, 1}));
  EXPECT_EQ(CFArrEval(1, nullptr, s.data(), 1, 0, 0), 14u);
}

TEST(SigSarr, LifeCycleAndConversions) {
  Dword e = 99;
  EXPECT_EQ(SArrNew(&e, 0), nullptr);
  EXPECT_EQ(e, 0u);
  EXPECT_EQ(SArrNew(&e, ~Qword{0} / 4), nullptr);
  EXPECT_EQ(e, 0x80001u);
  double* z = SArrNew0(&e, 3);
  ASSERT_NE(z, nullptr);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(z[i], 0.0);
  SArrKill(&z);
  EXPECT_EQ(z, nullptr);

  const std::vector<float> cf = {1.5f, -2.0f, 3.25f, 4.0f};
  double* s = NewSArrFromCFArr(&e, 2, cf.data());
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(std::vector<double>(s, s + 4), (std::vector<double>{1.5, 3.25, -2.0, 4.0}));
  float* back = NewCFArrFromSArr(&e, 2, s);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(std::vector<float>(back, back + 4), cf);
  std::vector<double> re(2);
  EXPECT_EQ(CFArrCopyToRArr(2, back, re.data()), 0u);
  EXPECT_EQ(re, (std::vector<double>{1.5, 3.25}));
  CFArrKill(&back);
  SArrKill(&s);

  e = 77;
  EXPECT_EQ(NewSArrFromFArr(&e, 0, cf.data()), nullptr);
  EXPECT_EQ(e, 77u);  // untouched by contract
  double* f = NewSArrFromFArr(&e, 2, cf.data());
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(std::vector<double>(f, f + 4), (std::vector<double>{1.5, -2.0, 0, 0}));
  SArrKill(&f);

  float* c = CFArrNew(&e, 5);
  ASSERT_NE(c, nullptr);
  CFArrKill(&c);

  double* op = NewSArrFromCFArrEval(&e, 2, cf.data(), 0, 0, 0);  // op 0 only converts
  ASSERT_NE(op, nullptr);
  EXPECT_EQ(op[1], 3.25);
  SArrKill(&op);
  EXPECT_EQ(NewSArrFromCFArrEval(&e, 2, cf.data(), 33, 0, 0), nullptr);
  EXPECT_EQ(e, 10u);
}

TEST(SigSarr, CopiesSwapsAndFills) {
  std::vector<double> s = {1, 2, 3, 4, 5, 10, 20, 30, 40, 50};
  ASSERT_EQ(SArrSwapHalfs(5, s.data()), 0u);  // odd n: the middle value stays
  EXPECT_EQ(s, (std::vector<double>{4, 5, 3, 1, 2, 40, 50, 30, 10, 20}));
  std::vector<double> t(10);
  ASSERT_EQ(SArrSwapRealAndImaginary(5, s.data(), t.data()), 0u);
  EXPECT_EQ(t[0], 40);
  EXPECT_EQ(t[5], 4);
  ASSERT_EQ(SArrSwapRealAndImaginary(5, s.data(), s.data()), 0u);
  EXPECT_EQ(s, t);
  ASSERT_EQ(SArrSkipFill(5, s.data(), 1, 2, -1, -2), 0u);
  EXPECT_EQ(s, (std::vector<double>{40, -1, 30, -1, 20, 4, -2, 3, -2, 2}));
  ASSERT_EQ(SArrCopyRealIntoImag(5, s.data(), t.data()), 0u);
  EXPECT_EQ(std::vector<double>(t.begin() + 5, t.end()),
            std::vector<double>(s.begin(), s.begin() + 5));
  EXPECT_EQ(SArrCopyImagIntoReal(5, nullptr, t.data()), 14u);
  EXPECT_EQ(SArrCopyImagIntoReal(5, s.data(), nullptr), 18u);
  EXPECT_EQ(SArrCopy(5, s.data(), nullptr), 18u);
  EXPECT_EQ(SArrCopy(0, nullptr, nullptr), 0u);
}

TEST(SigSarr, SingleSampleIsRealThenImaginary) {
  std::vector<double> s = {3, 4}, d(2);
  ASSERT_EQ(SArrMulByComplex(1, s.data(), d.data(), 0, 1), 0u);  // (3+4i) i
  EXPECT_EQ(d, (std::vector<double>{-4, 3}));
  ASSERT_EQ(SArrReplaceRealByMagnitude(1, s.data(), d.data()), 0u);
  EXPECT_EQ(d, (std::vector<double>{5, 4}));
  ASSERT_EQ(SArrIpMulBySArr(1, s.data()), 0u);  // (3+4i)^2
  EXPECT_EQ(s, (std::vector<double>{-7, 24}));
}

TEST(SigSarr, InvertSignFlipsTheBitOfNanAndZero) {
  std::vector<double> s = {0.0, kNaN}, d(2);
  ASSERT_EQ(SArrInvertSign(1, s.data(), d.data()), 0u);
  EXPECT_TRUE(std::signbit(d[0]));
  EXPECT_TRUE(std::signbit(d[1]) != std::signbit(s[1]));
}

TEST(SigSarr, ReductionsAndNormalisation) {
  const std::vector<double> s = {3, 0, 4, 5};  // 3 + 4i and 5i
  Qword at = 7;
  EXPECT_EQ(SArrMaxPower(2, s.data(), &at), 25.0);
  EXPECT_EQ(at, 0u);
  EXPECT_EQ(SArrMaxMagnitude(2, s.data(), nullptr), 5.0);
  EXPECT_EQ(SArrMeanPower(2, s.data()), 25.0);
  EXPECT_TRUE(std::isnan(SArrMeanMagnitude(0, s.data())));
  EXPECT_TRUE(std::isnan(SArrMaxPower(2, nullptr, &at)));
  EXPECT_EQ(at, ~Qword{0});

  std::vector<double> x = {0, 4, 0, 0}, y(4, 9.0);
  double level = 1;
  ASSERT_EQ(SArrNormalizeMagnitude(2, x.data(), y.data(), &level), 0u);
  EXPECT_EQ(level, 4.0);
  EXPECT_EQ(y, (std::vector<double>{0, 1, 0, 0}));
  level = 0;
  ASSERT_EQ(SArrNormalizeMagnitude(2, x.data(), y.data(), &level), 0u);
  EXPECT_EQ(y, (std::vector<double>(4, 0.0)));
  std::vector<double> zero(4, 0.0);
  level = 1;
  EXPECT_EQ(SArrNormalizeMagnitude(2, zero.data(), y.data(), &level), 41u);
  EXPECT_EQ(SArrNormalizeMagnitude(2, x.data(), y.data(), nullptr), 21u);
  EXPECT_EQ(SArrNormalizeMagnitude(2, nullptr, y.data(), &level), 14u);
}

TEST(SigSarr, MatrixEvaluatesColumnsInOrder) {
  // Two columns of two samples; code 4 scales the real halves by 2.
  const std::vector<double> m = {1, 2, 3, 4, 5, 6, 7, 8};
  double* out = nullptr;
  ASSERT_EQ(NewSMatEvalC(2, 2, m.data(), &out, 4, 2, 1), 0u);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(std::vector<double>(out, out + 8), (std::vector<double>{2, 4, 3, 4, 10, 12, 7, 8}));
  SArrKill(&out);
  EXPECT_EQ(NewSMatEvalC(2, 2, m.data(), &out, 33, 0, 0), 10u);
  EXPECT_EQ(out, nullptr);
}

TEST(SigSarr, ElementwiseAgreesWithStdComplex) {
  const Qword n = 12;
  std::vector<double> d(2 * n);
  ASSERT_EQ(SArrConvertToPowerAndPhase(n, kEvalA, d.data()), 0u);
  for (Qword i = 0; i < n; ++i) {
    const std::complex<double> z(kEvalA[i], kEvalA[n + i]);
    EXPECT_NEAR(d[i], std::norm(z), 1e-14);
    EXPECT_NEAR(d[n + i], std::arg(z), 1e-15);
  }
  ASSERT_EQ(SArrAddConst(n, kEvalA, d.data(), 1, -1), 0u);
  EXPECT_EQ(d[0], kEvalA[0] + 1);
  EXPECT_EQ(d[n], kEvalA[n] - 1);
}
}  // namespace

namespace {
TEST(SigSarr, HistogramOfBothHalves) {
  const std::vector<double> s = {-1, 0.5, 2, 0, 0, 0};
  std::vector<double> bins(8, -1.0);
  ASSERT_EQ(SArrHistogram(3, s.data(), bins.data(), 4, 1.0, 0), 0u);
  EXPECT_EQ(bins, (std::vector<double>{0, 1, 1, 1, 0, 0, 3, 0}));
  EXPECT_EQ(SArrHistogram(3, nullptr, bins.data(), 4, 1.0, 0), 14u);
  EXPECT_EQ(SArrHistogram(3, s.data(), bins.data(), 4, 0.0, 0), 26u);
}
}  // namespace

namespace {
TEST(SigSarr, HalfwiseCodesTakeTheirOwnParameter) {
  const std::vector<double> s = {1, 2, 3, 4, 10, 20, 30, 40};
  std::vector<double> d(8);
  // 20: shift with zero fill, the real half by +1, the imaginary by -1.
  ASSERT_EQ(SArrEval(4, s.data(), d.data(), 20, 1, -1), 0u);
  EXPECT_EQ(d, (std::vector<double>{0, 1, 2, 3, 20, 30, 40, 0}));
  // 10: clip mode 0 (minimum with the level).
  ASSERT_EQ(SArrEval(4, s.data(), d.data(), 10, 2.5, 25), 0u);
  EXPECT_EQ(d, (std::vector<double>{1, 2, 2.5, 2.5, 10, 20, 25, 25}));
  // 41 with zero deviations adds nothing.
  ASSERT_EQ(SArrEval(4, s.data(), d.data(), 41, 0, 0), 0u);
  EXPECT_EQ(d, s);
}

TEST(SigSarr, MaxPowerOfNanSamples) {
  const std::vector<double> s = {kNaN, kNaN, 0, 0};
  Qword at = 5;
  EXPECT_EQ(SArrMaxPower(2, s.data(), &at), -std::numeric_limits<double>::max());
  EXPECT_EQ(at, 0u);
}
}  // namespace
