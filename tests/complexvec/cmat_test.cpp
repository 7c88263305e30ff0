// Complex matrices: transpose, adjoint and the three products against naive
// loops written here from the definitions (same summation order, so the
// results agree bit for bit), plus the worked cases.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "base/error_codes.h"
#include "complexvec/carr.h"
#include "support/alloc_failure.h"
#include "support/complex_accuracy.h"

using ctest::Identical;

namespace {

std::vector<COMPLEX> Sample(int n, double seed) {
  std::vector<COMPLEX> v(n);
  for (int i = 0; i < n; ++i) v[i] = COMPLEX(std::sin(seed * (i + 0.5)), std::cos(seed * i + 1.1));
  return v;
}

COMPLEX Mul(COMPLEX a, COMPLEX b) {
  return COMPLEX(a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re);
}

}  // namespace

TEST(CMatTranspose, OutOfPlaceInPlaceAndStatuses) {
  const auto src = Sample(6, 0.77);  // 2 x 3
  std::vector<COMPLEX> dst(6);
  EXPECT_EQ(CMatTranspose(src.data(), 2, 3, dst.data()), 0u);
  for (int i = 0; i < 2; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_TRUE(Identical(dst[j + 3 * i], src[i + 2 * j]));
  auto same = src;
  EXPECT_EQ(CMatTranspose(same.data(), 2, 3, same.data()), 0u);
  for (int k = 0; k < 6; ++k) EXPECT_TRUE(Identical(same[k], dst[k]));

  EXPECT_EQ(CMatTranspose(nullptr, 2, 3, dst.data()), kErrMissingArguments);
  EXPECT_EQ(CMatTranspose(src.data(), 0, 3, dst.data()), kErrMissingArguments);
  EXPECT_EQ(CMatTranspose(src.data(), 2, 0, dst.data()), kErrMissingArguments);
  EXPECT_EQ(CMatTranspose(src.data(), 2, 3, nullptr), kErrMissingOutputBuffer);

  // The in-place copy fails: the status is passed on and nothing changes.
  same = src;
  AllocFailureGuard fail(0);
  EXPECT_EQ(CMatTranspose(same.data(), 2, 3, same.data()), kErrAlloc);
  fail.Release();
  for (int k = 0; k < 6; ++k) EXPECT_TRUE(Identical(same[k], src[k]));
}

TEST(CMatTranspose, LargerThanOneTileAndOverlappingBlocks) {
  const int r = 45, c = 70;
  const auto src = Sample(r * c, 0.013);
  std::vector<COMPLEX> dst(r * c);
  ASSERT_EQ(CMatTranspose(src.data(), r, c, dst.data()), 0u);
  for (int i = 0; i < r; ++i)
    for (int j = 0; j < c; ++j) ASSERT_TRUE(Identical(dst[j + c * i], src[i + r * j]));
  // A destination shifted into the source is computed from a copy.
  std::vector<COMPLEX> buf(8);
  for (int k = 0; k < 6; ++k) buf[k] = COMPLEX(k, -k);
  ASSERT_EQ(CMatTranspose(buf.data(), 2, 3, buf.data() + 2), 0u);
  for (int i = 0; i < 2; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_EQ(buf[2 + j + 3 * i], COMPLEX(i + 2 * j, -(i + 2 * j)));
}

TEST(CMatAdjoint, ConjugateTransposeWithAndWithoutDestination) {
  // The 1 x 2 matrix ((1, 2), (3, 4)) becomes the 2 x 1 matrix ((1, -2), (3, -4)).
  COMPLEX a[2] = {{1, 2}, {3, 4}};
  COMPLEX d[2];
  EXPECT_EQ(CMatAdjoint(a, 1, 2, d), 0u);
  EXPECT_EQ(d[0], COMPLEX(1.0, -2.0));
  EXPECT_EQ(d[1], COMPLEX(3.0, -4.0));

  // A null destination transposes as well as conjugates A itself.
  const auto src = Sample(6, 1.9);  // 3 x 2
  auto A = src;
  EXPECT_EQ(CMatAdjoint(A.data(), 3, 2, nullptr), 0u);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 2; ++j)
      EXPECT_TRUE(Identical(A[j + 2 * i], COMPLEX(src[i + 3 * j].re, -src[i + 3 * j].im)));

  EXPECT_EQ(CMatAdjoint(nullptr, 3, 2, d), kErrMissingArguments);
  EXPECT_EQ(CMatAdjoint(A.data(), 0, 2, d), kErrMissingArguments);
  EXPECT_EQ(CMatAdjoint(A.data(), 3, -2, d), kErrMissingArguments);

  // When the in-place copy cannot be made the failure is reported and A is
  // left as it was (neither conjugated nor transposed).
  A = src;
  AllocFailureGuard fail(0);
  EXPECT_EQ(CMatAdjoint(A.data(), 3, 2, A.data()), kErrAlloc);
  EXPECT_EQ(CMatAdjoint(A.data(), 3, 2, nullptr), kErrAlloc);
  fail.Release();
  for (int k = 0; k < 6; ++k) EXPECT_TRUE(Identical(A[k], src[k]));
}

TEST(CMatProducts, WorkedTwoByTwoCases) {
  const COMPLEX a(1, 2), b(-3, 0.5), c(4, -1), d(0.25, 7);
  const COMPLEX M[4] = {a, b, c, d};  // columns (a, b) and (c, d)
  const COMPLEX ones[2] = {{1, 0}, {1, 0}};
  COMPLEX y[2];
  EXPECT_EQ(CArrByCMat(ones, M, 2, 2, y), 0u);
  EXPECT_EQ(y[0], a + b);
  EXPECT_EQ(y[1], c + d);
  EXPECT_EQ(CMatByCArr(M, ones, 2, 2, y), 0u);
  EXPECT_EQ(y[0], a + c);
  EXPECT_EQ(y[1], b + d);
}

TEST(CMatProducts, AgreeBitForBitWithTheDefiningSums) {
  const int m = 7, n = 5, p = 9;
  const auto A = Sample(m * n, 0.37), B = Sample(n * p, 1.21), x = Sample(n, 2.3),
             xr = Sample(m, 0.55);
  std::vector<COMPLEX> C(m * p), y(m), yr(n);
  ASSERT_EQ(CMatByMat(A.data(), B.data(), m, n, p, C.data()), 0u);
  for (int i = 0; i < m; ++i)
    for (int j = 0; j < p; ++j) {
      COMPLEX s(0.0, 0.0);
      for (int k = 0; k < n; ++k) s = s + Mul(A[i + m * k], B[k + n * j]);
      ASSERT_TRUE(Identical(C[i + m * j], s)) << i << "," << j;
    }
  ASSERT_EQ(CMatByCArr(A.data(), x.data(), m, n, y.data()), 0u);
  for (int i = 0; i < m; ++i) {
    COMPLEX s(0.0, 0.0);
    for (int j = 0; j < n; ++j) s = s + Mul(A[i + m * j], x[j]);
    EXPECT_TRUE(Identical(y[i], s)) << i;
  }
  ASSERT_EQ(CArrByCMat(xr.data(), A.data(), m, n, yr.data()), 0u);
  for (int i = 0; i < n; ++i) {
    COMPLEX s(0.0, 0.0);
    for (int j = 0; j < m; ++j) s = s + Mul(xr[j], A[j + m * i]);
    EXPECT_TRUE(Identical(yr[i], s)) << i;
  }

  // A result written over its own operand is computed aside first.
  auto sq = Sample(9, 0.81);
  const auto sq0 = sq;
  std::vector<COMPLEX> want(9);
  ASSERT_EQ(CMatByMat(sq0.data(), sq0.data(), 3, 3, 3, want.data()), 0u);
  ASSERT_EQ(CMatByMat(sq.data(), sq0.data(), 3, 3, 3, sq.data()), 0u);
  for (int k = 0; k < 9; ++k) EXPECT_TRUE(Identical(sq[k], want[k]));
  auto v = Sample(3, 0.3);
  const auto v0 = v;
  std::vector<COMPLEX> wv(3);
  ASSERT_EQ(CMatByCArr(sq0.data(), v0.data(), 3, 3, wv.data()), 0u);
  ASSERT_EQ(CMatByCArr(sq0.data(), v.data(), 3, 3, v.data()), 0u);
  for (int k = 0; k < 3; ++k) EXPECT_TRUE(Identical(v[k], wv[k]));
  v = v0;
  ASSERT_EQ(CArrByCMat(v0.data(), sq0.data(), 3, 3, wv.data()), 0u);
  ASSERT_EQ(CArrByCMat(v.data(), sq0.data(), 3, 3, v.data()), 0u);
  for (int k = 0; k < 3; ++k) EXPECT_TRUE(Identical(v[k], wv[k]));
}

TEST(CMatProducts, MissingOperandsAndOutputs) {
  const COMPLEX A[4] = {}, x[2] = {};
  COMPLEX y[4];
  struct Case {
    const COMPLEX *a, *b;
    Dword m, n, p;
    COMPLEX* out;
    Dword want;
  } cases[] = {
      {nullptr, x, 2, 2, 2, y, kErrMissingInputData},
      {A, nullptr, 2, 2, 2, y, kErrMissingInputData},
      {A, x, 0, 2, 2, y, kErrMissingInputData},
      {A, x, 2, 0, 2, y, kErrMissingInputData},
      {A, x, 2, 2, 0, y, kErrMissingInputData},
      {A, x, 2, 2, 2, nullptr, kErrMissingOutputBuffer},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CMatByMat(c.a, c.b, c.m, c.n, c.p, c.out), c.want);
    if (c.p == 0) continue;  // the vector products have two dimensions
    EXPECT_EQ(CMatByCArr(c.a, c.b, c.m, c.n, c.out), c.want);
    EXPECT_EQ(CArrByCMat(c.b, c.a, c.m, c.n, c.out), c.want);
  }
}
