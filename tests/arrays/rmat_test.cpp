#include "arrays/rmat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "base/memory.h"
#include "scalar/real_helpers.h"
#include "support/alloc_failure.h"
#include "support/random_inputs.h"

namespace {

std::vector<double> Random(size_t n, unsigned seed) {
  return RandomInputs(seed).UniformVector(n, -2.385, 3.117);
}

TEST(RMatNew, SizesZeroOverflowAndFailure) {
  Dword e = 7;
  EXPECT_EQ(RMatNew(&e, 0, 5), nullptr);
  EXPECT_EQ(e, 0u);
  // A product that wraps past 2^64 must be refused, not allocated small.
  e = 7;
  EXPECT_EQ(RMatNew(&e, Qword{1} << 33, (Qword{1} << 31) + 1), nullptr);
  EXPECT_EQ(e, 0x80001u);
  e = 7;
  EXPECT_EQ(RMatNew0(&e, Qword{1} << 32, Qword{1} << 32), nullptr);
  EXPECT_EQ(e, 0x80001u);
  e = 7;
  EXPECT_EQ(RMatNew(&e, Qword{1} << 30, Qword{1} << 31), nullptr);  // 2^61 elements
  EXPECT_EQ(e, 0x80001u);
  double* z = RMatNew0(&e, 2, 3);
  ASSERT_NE(z, nullptr);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(z[i], 0.0);
  RMatKill(&z);
  EXPECT_EQ(z, nullptr);
  AllocFailureGuard fail(0);
  EXPECT_EQ(RMatNew(&e, 2, 2), nullptr);
  EXPECT_EQ(e, 0x80001u);
}

TEST(RMatCopy, CopyFillAndChecks) {
  Dword e = 7;
  EXPECT_EQ(RMatNewCopy(&e, 2, 2, nullptr), nullptr);
  EXPECT_EQ(e, 0u);
  const double src[6] = {1, 2, 3, 4, 5, 6};
  double* c = RMatNewCopy(&e, 2, 3, src);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c[5], 6.0);
  RMatKill(&c);
  EXPECT_EQ(RMatCopy(2, 3, nullptr, nullptr), 18u);
  EXPECT_EQ(RMatCopy(0, 3, nullptr, nullptr), 0u);
  EXPECT_EQ(RMatCopy(2, 3, nullptr, c), 18u);
  double d[6];
  EXPECT_EQ(RMatCopy(2, 3, nullptr, d), 14u);
  EXPECT_EQ(RMatCopy(2, 3, src, d), 0u);
  EXPECT_EQ(d[4], 5.0);
  EXPECT_EQ(RMatFill(3, 2, d, -1.5), 0u);
  for (double v : d) EXPECT_EQ(v, -1.5);
  EXPECT_EQ(RMatZero(3, 2, d), 0u);
  for (double v : d) EXPECT_EQ(v, 0.0);
  EXPECT_EQ(RMatFill(3, 2, nullptr, 1), 18u);
}

TEST(RMatIdentity, RectangularAndDefaultColumns) {
  double M[10];
  EXPECT_EQ(RMatFillIdentity(M, 2, 5), 0u);
  for (int j = 0; j < 5; ++j)
    for (int i = 0; i < 2; ++i) EXPECT_EQ(M[i + 2 * j], i == j ? 1.0 : 0.0);
  double N[9];
  EXPECT_EQ(RMatFillIdentity(N, 3, 0), 0u);
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i) EXPECT_EQ(N[i + 3 * j], i == j ? 1.0 : 0.0);
  EXPECT_EQ(RMatFillIdentity(N, 0, 3), 14u);
  EXPECT_EQ(RMatFillIdentity(nullptr, 3, 3), 18u);
  Dword e = 7;
  EXPECT_EQ(RMatNewIdentity(&e, 0, 3), nullptr);
  EXPECT_EQ(e, 7u);  // left as it was
  double* I = RMatNewIdentity(&e, 4, 0);
  ASSERT_NE(I, nullptr);
  EXPECT_EQ(e, 0u);
  EXPECT_EQ(I[15], 1.0);
  EXPECT_EQ(I[14], 0.0);
  RMatKill(&I);
}

TEST(RMatVandermonde, PowersAndDeterminant) {
  const double x[2] = {2, 3};
  double M[6];
  EXPECT_EQ(RMatFillVandermonde(M, x, 2, 3), 0u);
  const double want[6] = {1, 1, 2, 3, 4, 9};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(M[i], want[i]);
  EXPECT_EQ(RMatFillVandermonde(M, nullptr, 2, 3), 14u);
  EXPECT_EQ(RMatFillVandermonde(M, x, 0, 3), 14u);
  EXPECT_EQ(RMatFillVandermonde(nullptr, x, 2, 3), 18u);
  Dword e = 7;
  EXPECT_EQ(RMatNewVandermonde(&e, x, 0, 3), nullptr);
  EXPECT_EQ(e, 7u);
  EXPECT_EQ(RMatNewVandermonde(&e, nullptr, 2, 3), nullptr);
  EXPECT_EQ(e, 14u);
  // Repeated multiplication, not a power function: 1.1^k by hand.
  const double y[1] = {1.1};
  double* V = RMatNewVandermonde(&e, y, 1, 5);
  ASSERT_NE(V, nullptr);
  double p = 1.0;
  for (int j = 0; j < 5; ++j) {
    EXPECT_EQ(V[j], p);
    p *= 1.1;
  }
  RMatKill(&V);

  const double t[3] = {1, 2, 4};
  EXPECT_EQ(RMatVandermondeDeterminant(3, t), -6.0);
  EXPECT_EQ(RMatVandermondeDeterminant(2, t), -1.0);  // x0 - x1
  EXPECT_EQ(RMatVandermondeDeterminant(1, t), 1.0);
  EXPECT_TRUE(std::isnan(RMatVandermondeDeterminant(0, t)));
  EXPECT_TRUE(std::isnan(RMatVandermondeDeterminant(3, nullptr)));
  const double close[3] = {1, 5, 5 + 1e-17};
  EXPECT_EQ(RMatVandermondeDeterminant(3, close), 0.0);
}

// The product in the stated order, element by element.
double Elem(const std::vector<double>& A, const std::vector<double>& B, int m, int n, int p, int i,
            int j, bool transposed) {
  double s = 0;
  for (int k = 0; k < n; ++k) s += A[i + m * k] * (transposed ? B[j + p * k] : B[k + n * j]);
  return s;
}

TEST(RMatByMat, EveryShapeMatchesTheElementOrder) {
  for (int m : {1, 3, 4, 7, 9})
    for (int n : {1, 2, 5})
      for (int p : {1, 4, 6, 9}) {
        const auto A = Random(m * n, m * 100 + n), B = Random(n * p, p * 7 + n);
        std::vector<double> C(m * p, -99), D(m * p, -99);
        ASSERT_EQ(RMatByMat(A.data(), B.data(), m, n, p, C.data()), 0u);
        ASSERT_EQ(RMatByMatT(A.data(), B.data(), m, n, p, D.data()), 0u);
        for (int i = 0; i < m; ++i)
          for (int j = 0; j < p; ++j) {
            EXPECT_EQ(C[i + m * j], Elem(A, B, m, n, p, i, j, false)) << m << n << p;
            EXPECT_EQ(D[i + m * j], Elem(A, B, m, n, p, i, j, true)) << m << n << p;
          }
        std::vector<double> E(m * p);
        ASSERT_EQ(RMatTByMat(A.data(), B.data(), m, n, p, E.data()), 0u);
        EXPECT_EQ(E, D);
      }
  double C[4];
  const double A[4] = {1, 2, 3, 4};
  EXPECT_EQ(RMatByMat(A, A, 0, 2, 2, C), 14u);
  EXPECT_EQ(RMatByMat(A, nullptr, 2, 2, 2, C), 14u);
  EXPECT_EQ(RMatByMat(A, A, 2, 2, 2, nullptr), 18u);
  EXPECT_EQ(RMatByMatT(A, A, 2, 0, 2, C), 14u);
}

TEST(RMatByRArr, MatrixTimesVector) {
  const int rows = 1500, cols = 7;  // more rows than one block
  const auto A = Random(rows * cols, 11), x = Random(cols, 12);
  std::vector<double> y(rows);
  ASSERT_EQ(RMatByRArr(A.data(), rows, cols, x.data(), y.data()), 0u);
  for (int i = 0; i < rows; ++i) {
    double s = 0;
    for (int j = 0; j < cols; ++j) s += A[i + rows * j] * x[j];
    EXPECT_EQ(y[i], s);
  }
  EXPECT_EQ(RMatByRArr(A.data(), 0, cols, x.data(), y.data()), 14u);
  EXPECT_EQ(RMatByRArr(A.data(), rows, cols, nullptr, y.data()), 14u);
  EXPECT_EQ(RMatByRArr(A.data(), rows, cols, x.data(), nullptr), 18u);
}

TEST(RMatByDiag, LeftAndRight) {
  double A[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  double B[9];
  std::copy(A, A + 9, B);
  const double d[3] = {2, -1, 0.5};
  EXPECT_EQ(RMatByDiagL(A, 3, d), 0u);
  EXPECT_EQ(RMatByDiagR(B, 3, d), 0u);
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i) {
      const double a = 1 + i + 3 * j;
      EXPECT_EQ(A[i + 3 * j], a * d[i]);
      EXPECT_EQ(B[i + 3 * j], a * d[j]);
    }
  EXPECT_EQ(RMatByDiagL(nullptr, 3, nullptr), 14u);
  EXPECT_EQ(RMatByDiagR(A, 3, nullptr), 18u);
  EXPECT_EQ(RMatByDiagL(A, 0, d), 0u);
}

TEST(RMatBySquareMat, ExchangeAndProductOfTheEntryValues) {
  double A[6] = {1, 2, 3, 4, 5, 6};  // 2 x 3
  const double S[4] = {0, 1, 1, 0};
  EXPECT_EQ(RMatBySquareMatL(A, 2, 3, S), 0u);
  const double swapped[6] = {2, 1, 4, 3, 6, 5};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(A[i], swapped[i]);
  const auto B = Random(12, 5), R = Random(16, 6);  // 3 x 4 times 4 x 4
  std::vector<double> C = B;
  EXPECT_EQ(RMatBySquareMatR(C.data(), 3, 4, R.data()), 0u);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_EQ(C[i + 3 * j], Elem(B, R, 3, 4, 4, i, j, false));
  EXPECT_EQ(RMatBySquareMatL(nullptr, 2, 2, S), 14u);
  EXPECT_EQ(RMatBySquareMatR(A, 2, 2, nullptr), 18u);
  AllocFailureGuard fail(0);
  std::vector<double> D = B;
  EXPECT_EQ(RMatBySquareMatR(D.data(), 3, 4, R.data()), 0x80001u);
  EXPECT_EQ(D, B);
}

TEST(RMatArithmetic, SumDiffTrace) {
  const double A[6] = {1, 2, 3, 4, 5, 6}, B[6] = {0.5, 0.25, -1, 2, 8, -6};
  double C[6];
  EXPECT_EQ(RMatSum(A, B, 2, 3, C), 0u);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(C[i], A[i] + B[i]);
  EXPECT_EQ(RMatDiff(A, B, 2, 3, C), 0u);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(C[i], A[i] - B[i]);
  EXPECT_EQ(RMatSum(A, B, 2, 3, nullptr), 18u);
  EXPECT_EQ(RMatDiff(A, B, 2, 3, nullptr), 14u);
  EXPECT_EQ(RMatSum(nullptr, B, 2, 3, C), 14u);
  EXPECT_EQ(RMatTrace(2, 3, A), 5.0);
  EXPECT_EQ(RMatTrace(3, 2, A), 1.0 + 5.0);
  EXPECT_TRUE(std::isnan(RMatTrace(0, 2, A)));
  EXPECT_TRUE(std::isnan(RMatTrace(2, 2, nullptr)));
}

TEST(RMatTranspose, OutOfPlaceInPlaceAndChecks) {
  for (auto [r, c] : {std::pair{1, 1}, {3, 5}, {40, 33}, {70, 2}}) {
    const auto A = Random(r * c, r + c);
    std::vector<double> T(r * c), S = A;
    ASSERT_EQ(RMatTranspose(A.data(), r, c, T.data()), 0u);
    ASSERT_EQ(RMatTranspose(S.data(), r, c, S.data()), 0u);
    for (int i = 0; i < r; ++i)
      for (int j = 0; j < c; ++j) EXPECT_EQ(T[j + c * i], A[i + r * j]);
    EXPECT_EQ(S, T);
  }
  double d[2];
  EXPECT_EQ(RMatTranspose(nullptr, 2, 1, d), 14u);
  EXPECT_EQ(RMatTranspose(d, 2, 1, nullptr), 18u);
  EXPECT_EQ(RMatTranspose(nullptr, 0, 1, nullptr), 0u);
  double a[4] = {1, 2, 3, 4};
  AllocFailureGuard fail(0);
  EXPECT_EQ(RMatTranspose(a, 2, 2, a), 0x80001u);
  EXPECT_EQ(a[1], 2.0);
}

TEST(RMatReverse, ColumnsAndRows) {
  const double A[6] = {1, 2, 3, 4, 5, 6};  // 2 x 3
  double C[6], R[6];
  EXPECT_EQ(RMatReverseC(2, 3, A, C), 0u);
  const double wc[6] = {5, 6, 3, 4, 1, 2};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(C[i], wc[i]);
  EXPECT_EQ(RMatReverseR(2, 3, A, R), 0u);
  const double wr[6] = {2, 1, 4, 3, 6, 5};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(R[i], wr[i]);
  EXPECT_EQ(RMatReverseR(2, 3, R, R), 0u);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(R[i], A[i]);
  EXPECT_EQ(RMatReverseC(0, 3, A, C), 14u);
  EXPECT_EQ(RMatReverseC(2, 3, nullptr, C), 14u);
  EXPECT_EQ(RMatReverseR(2, 3, A, nullptr), 18u);
}

TEST(RMatRunningSum, DownColumnsAndAlongRows) {
  const auto A = Random(12, 9);  // 3 x 4
  double C[12], R[12];
  EXPECT_EQ(RMatRunningSumC(3, 4, A.data(), C), 0u);
  EXPECT_EQ(RMatRunningSumR(3, 4, A.data(), R), 0u);
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 3; ++i) {
      double s = A[3 * j];
      for (int k = 1; k <= i; ++k) s += A[k + 3 * j];
      EXPECT_EQ(C[i + 3 * j], s);
      double t = A[i];
      for (int k = 1; k <= j; ++k) t += A[i + 3 * k];
      EXPECT_EQ(R[i + 3 * j], t);
    }
  std::vector<double> in = A;
  EXPECT_EQ(RMatRunningSumR(3, 4, in.data(), in.data()), 0u);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(in[i], R[i]);
  EXPECT_EQ(RMatRunningSumC(3, 4, nullptr, C), 14u);
  EXPECT_EQ(RMatRunningSumR(3, 4, A.data(), nullptr), 18u);
  EXPECT_EQ(RMatRunningSumC(0, 4, A.data(), C), 0u);
}

TEST(RMatRows, AppendAndRemove) {
  const double A[6] = {1, 2, 3, 4, 5, 6};  // 3 x 2
  EXPECT_EQ(NewRMatRemoveRows(A, 3, 2, 3), nullptr);
  EXPECT_EQ(NewRMatRemoveRows(nullptr, 3, 2, 1), nullptr);
  EXPECT_EQ(NewRMatRemoveRows(A, 0, 2, 0), nullptr);
  double* R = NewRMatRemoveRows(A, 3, 2, 1);
  ASSERT_NE(R, nullptr);
  const double wr[4] = {1, 2, 4, 5};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(R[i], wr[i]);
  RMatKill(&R);
  double* G = NewRMatAppendRows0(A, 2, 2, 1);  // the first 2 x 2 block read as 2 x 2
  ASSERT_NE(G, nullptr);
  const double wg[6] = {1, 2, 0, 3, 4, 0};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(G[i], wg[i]);
  RMatKill(&G);
  EXPECT_EQ(NewRMatAppendRows0(nullptr, 2, 2, 1), nullptr);
  EXPECT_EQ(NewRMatAppendRows0(A, 0, 2, 0), nullptr);
  EXPECT_EQ(NewRMatAppendRows0(A, ~Qword{0}, 2, 2), nullptr);  // row count wraps
  EXPECT_EQ(NewRMatFromAsciFile(nullptr, 1, 2, nullptr), 9u);
  AllocFailureGuard fail(0);
  EXPECT_EQ(NewRMatAppendRows0(A, 3, 2, 1), nullptr);
}

}  // namespace
