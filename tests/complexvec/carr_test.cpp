// Complex arrays: storage, fills and the vector kernels, against the
// defining formulas written out independently here.
#include "complexvec/carr.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "base/error_codes.h"
#include "base/memory.h"
#include "support/alloc_failure.h"
#include "support/complex_accuracy.h"

using ctest::Identical;

namespace {

std::vector<COMPLEX> Sample(int n, double seed) {
  std::vector<COMPLEX> v(n);
  for (int i = 0; i < n; ++i)
    v[i] = COMPLEX(std::sin(seed * (i + 1.3)), std::cos(seed * (i + 0.7)) * 2.385);
  return v;
}

}  // namespace

TEST(CArrStorage, NewHoldsZerosAndRefusesHugeCounts) {
  Dword e = 99;
  COMPLEX* a = CArrNew(&e, 3);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(e, 0u);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(Identical(a[i], COMPLEX(0.0, 0.0)));
  CArrKill(&a);
  EXPECT_EQ(a, nullptr);

  const Qword limit = Qword{1} << 60;
  EXPECT_EQ(CArrNew(&e, limit), nullptr);
  EXPECT_EQ(e, kErrAlloc);
  EXPECT_EQ(CArrNew0(&e, limit), nullptr);
  EXPECT_EQ(e, kErrAlloc);
  EXPECT_EQ(CArrNew(&e, 0), nullptr);
  EXPECT_EQ(e, 0u);

  const COMPLEX src[2] = {{1, 2}, {3, 4}};
  EXPECT_EQ(CArrNewCopy(&e, 0, src), nullptr);
  EXPECT_EQ(e, 0u);
  EXPECT_EQ(CArrNewCopy(&e, 2, nullptr), nullptr);
  EXPECT_EQ(e, 0u);
  COMPLEX* c = CArrNewCopy(&e, 2, src);
  ASSERT_NE(c, nullptr);
  EXPECT_TRUE(Identical(c[1], src[1]));
  CArrKill(&c);
}

TEST(CArrStorage, AllocationFailureGivesNullAnd0x80001) {
  Dword e = 0;
  const COMPLEX src[1] = {{1, 2}};
  AllocFailureGuard fail(0);
  EXPECT_EQ(CArrNew(&e, 4), nullptr);
  EXPECT_EQ(e, kErrAlloc);
  EXPECT_EQ(CArrNewCopy(&e, 1, src), nullptr);
  EXPECT_EQ(e, kErrAlloc);
  EXPECT_EQ(CMatNew0(&e, 2, 2), nullptr);
  EXPECT_EQ(e, kErrAlloc);
  fail.Release();
}

TEST(CMatStorage, DimensionsWhoseProductOverflowsAreRefused) {
  Dword e = 0;
  const Qword big = Qword{1} << 33;  // big*big wraps to 2^2 * 2^64 = 0
  EXPECT_EQ(CMatNew(&e, big, big), nullptr);
  EXPECT_EQ(e, kErrAlloc);
  EXPECT_EQ(CMatNew0(&e, big, big + 1), nullptr);
  EXPECT_EQ(e, kErrAlloc);
  const COMPLEX one[1] = {{1, 1}};
  EXPECT_EQ(CMatNewCopy(&e, one, big, big), nullptr);
  EXPECT_EQ(e, kErrAlloc);
  COMPLEX dst[1];
  EXPECT_EQ(CMatCopy(one, big, big, dst), kErrIllegalArgument);

  COMPLEX* m = CMatNew(&e, 2, 3);
  ASSERT_NE(m, nullptr);
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(Identical(m[i], COMPLEX(0.0, 0.0)));
  CMatKill(&m);
  const COMPLEX src[4] = {{1, 2}, {3, 4}, {5, 6}, {7, 8}};
  m = CMatNewCopy(&e, src, 2, 2);
  ASSERT_NE(m, nullptr);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(Identical(m[i], src[i]));
  COMPLEX back[4];
  EXPECT_EQ(CMatCopy(m, 2, 2, back), 0u);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(Identical(back[i], src[i]));
  CMatKill(&m);
}

TEST(CArrStorage, CopyFillAndSkipFillStatuses) {
  COMPLEX a[5], b[5];
  const COMPLEX v(2.5, -1.25);
  EXPECT_EQ(CArrCopy(0, nullptr, nullptr), 0u);
  EXPECT_EQ(CArrCopy(2, a, nullptr), kErrMissingOutputBuffer);
  EXPECT_EQ(CArrCopy(2, nullptr, b), kErrMissingInputData);
  EXPECT_EQ(CArrFill(0, nullptr, &v), 0u);
  EXPECT_EQ(CArrFill(2, nullptr, &v), kErrMissingOutputBuffer);
  EXPECT_EQ(CArrFill(2, a, nullptr), kErrMissingInputData);
  EXPECT_EQ(CArrFill(5, a, &v), 0u);
  for (const COMPLEX& z : a) EXPECT_TRUE(Identical(z, v));
  EXPECT_EQ(CArrZero(5, a), 0u);
  for (const COMPLEX& z : a) EXPECT_TRUE(Identical(z, COMPLEX(0.0, 0.0)));

  EXPECT_EQ(CArrSkipFill(0, a, 0, 1, &v), kErrMissingInputData);
  EXPECT_EQ(CArrSkipFill(5, nullptr, 0, 1, &v), kErrMissingInputData);
  EXPECT_EQ(CArrSkipFill(5, a, 1, 2, &v), 0u);  // indices 1 and 3
  for (int i = 0; i < 5; ++i) EXPECT_EQ(a[i] == v, i == 1 || i == 3) << i;
  // A step of 0 ends after one store instead of looping for ever.
  CArrZero(5, a);
  EXPECT_EQ(CArrSkipFill(5, a, 4, 0, &v), 0u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(a[i] == v, i == 4) << i;
  // A step that would wrap the index past 2^64 stops at the last one below n.
  CArrZero(5, a);
  EXPECT_EQ(CArrSkipFill(5, a, 2, ~Qword{0}, &v), 0u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(a[i] == v, i == 2) << i;
}

TEST(CArrKernels, AddScalesAndSkipsAZeroFactor) {
  const auto x = Sample(7, 0.91);
  auto y = Sample(7, 1.77);
  const auto y0 = y;
  const COMPLEX zero(0.0, -0.0);
  EXPECT_EQ(CArrAdd(7, x.data(), y.data(), &zero), 0u);
  for (int i = 0; i < 7; ++i) EXPECT_TRUE(Identical(y[i], y0[i]));
  const COMPLEX a(0.375, -2.5);
  EXPECT_EQ(CArrAdd(7, x.data(), y.data(), &a), 0u);
  for (int i = 0; i < 7; ++i) {
    const double re = y0[i].re + (a.re * x[i].re - a.im * x[i].im);
    const double im = y0[i].im + (a.re * x[i].im + a.im * x[i].re);
    EXPECT_TRUE(Identical(y[i], COMPLEX(re, im))) << i;
  }
  // A NaN factor has no modulus 0: it is applied.
  const COMPLEX nan(NAN, 0.0);
  EXPECT_EQ(CArrAdd(7, x.data(), y.data(), &nan), 0u);
  EXPECT_TRUE(std::isnan(y[3].re));
  for (auto bad : {0, 1, 2, 3}) {
    const Dword n = bad == 0 ? 0 : 7;
    EXPECT_EQ(CArrAdd(n, bad == 1 ? nullptr : x.data(), bad == 2 ? nullptr : y.data(),
                      bad == 3 ? nullptr : &a),
              kErrMissingArguments)
        << bad;
  }
}

TEST(CArrKernels, MulConstConjugateSwapRot) {
  const auto x = Sample(5, 0.63);
  std::vector<COMPLEX> d(5);
  const COMPLEX a(-1.5, 0.25);
  EXPECT_EQ(CArrMulConst(5, x.data(), d.data(), &a), 0u);
  for (int i = 0; i < 5; ++i)
    EXPECT_TRUE(
        Identical(d[i], COMPLEX(a.re * x[i].re - a.im * x[i].im, a.re * x[i].im + a.im * x[i].re)));
  EXPECT_EQ(CArrMulConst(5, nullptr, d.data(), &a), kErrMissingArguments);
  EXPECT_EQ(CArrMulConst(5, x.data(), nullptr, &a), kErrMissingArguments);
  EXPECT_EQ(CArrMulConst(0, x.data(), d.data(), &a), kErrMissingArguments);

  EXPECT_EQ(CArrConjugate(5, x.data(), d.data()), 0u);
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(Identical(d[i], COMPLEX(x[i].re, -x[i].im)));
  EXPECT_EQ(CArrConjugate(5, d.data(), nullptr), 0u);  // in place
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(Identical(d[i], x[i]));
  EXPECT_EQ(CArrConjugate(0, d.data(), nullptr), kErrMissingArguments);
  EXPECT_EQ(CArrConjugate(5, nullptr, d.data()), kErrMissingArguments);

  auto p = Sample(5, 0.2), q = Sample(5, 0.4);
  const auto p0 = p, q0 = q;
  EXPECT_EQ(CArrSwap(5, p.data(), q.data()), 0u);
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(Identical(p[i], q0[i]) && Identical(q[i], p0[i]));
  EXPECT_EQ(CArrSwap(5, p.data(), nullptr), kErrMissingArguments);

  // c = 0, s = 1 turns (x, y) into (y, -x).
  p = p0;
  q = q0;
  EXPECT_EQ(CArrRot(5, p.data(), q.data(), 0.0, 1.0), 0u);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(p[i], q0[i]);
    EXPECT_EQ(q[i], -p0[i]);
  }
  p = p0;
  q = q0;
  const double c = 0.6, s = 0.8;
  EXPECT_EQ(CArrRot(5, p.data(), q.data(), c, s), 0u);
  for (int i = 0; i < 5; ++i) {
    EXPECT_TRUE(Identical(p[i], COMPLEX(c * p0[i].re + s * q0[i].re, c * p0[i].im + s * q0[i].im)));
    EXPECT_TRUE(Identical(q[i], COMPLEX(c * q0[i].re - s * p0[i].re, c * q0[i].im - s * p0[i].im)));
  }
  EXPECT_EQ(CArrRot(0, p.data(), q.data(), c, s), kErrMissingArguments);
  EXPECT_EQ(CArrRot(5, nullptr, q.data(), c, s), kErrMissingArguments);
}

TEST(CArrKernels, DotProductConjugatesTheFirstOperand) {
  const COMPLEX i1[1] = {{0, 1}};
  COMPLEX r(7, 7);
  EXPECT_EQ(CArrDotProduct(1, i1, i1, &r), 0u);
  EXPECT_EQ(r, COMPLEX(1.0, 0.0));
  // Small integers: the sum is exact, so the order does not matter here.
  const COMPLEX x[3] = {{1, 2}, {-3, 1}, {0, -4}};
  const COMPLEX y[3] = {{2, -1}, {5, 5}, {-1, 3}};
  // conj(x) y = (1-2i)(2-i) + (-3-i)(5+5i) + (4i)(-1+3i)
  //           = (0-5i) + (-10-20i) + (-12-4i) = (-22, -29)
  EXPECT_EQ(CArrDotProduct(3, x, y, &r), 0u);
  EXPECT_EQ(r, COMPLEX(-22.0, -29.0));
  r = COMPLEX(7, 7);
  EXPECT_EQ(CArrDotProduct(0, x, y, &r), kErrMissingInputData);
  EXPECT_EQ(r, COMPLEX(0.0, 0.0));
  r = COMPLEX(7, 7);
  EXPECT_EQ(CArrDotProduct(3, nullptr, y, &r), kErrMissingInputData);
  EXPECT_EQ(r, COMPLEX(0.0, 0.0));
  EXPECT_EQ(CArrDotProduct(3, x, y, nullptr), kErrMissingOutputBuffer);
}

TEST(CArrKernels, NormIsThePlainEuclideanNorm) {
  const COMPLEX z[1] = {{3, 4}};
  EXPECT_EQ(CArrNorm(1, z), 5.0);
  EXPECT_EQ(CArrNorm(1, nullptr), 0.0);
  EXPECT_EQ(CArrNorm(0, z), 0.0);
  const COMPLEX w[3] = {{1, 2}, {2, 0}, {0, 4}};  // 1 + 4 + 4 + 16 = 25
  EXPECT_EQ(CArrNorm(3, w), 5.0);
}
