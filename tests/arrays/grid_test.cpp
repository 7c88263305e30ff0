#include "arrays/grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "base/memory.h"
#include "support/accuracy.h"

namespace {

TEST(Grid, KindsAgainstClosedForms) {
  const struct {
    Qword kind;
    double min, max;
    Qword n;
    double want[5];
  } rows[] = {
      {2, 1, 1000, 4, {1, 10, 100, 1000}},
      {3, 1, 0.25, 4, {1, 0.5, 1.0 / 3, 0.25}},
      {4, 0, 2, 5, {0, 1, std::sqrt(2.0), std::sqrt(3.0), 2}},
      {1, -1, 1, 5, {-1, -0.5, 0, 0.5, 1}},
      {9, -1, 1, 5, {-1, -0.5, 0, 0.5, 1}},  // unknown kinds are linear
  };
  for (const auto& r : rows) {
    Dword e = 5;
    double* g = NewRArrGrid(&e, r.kind, r.min, r.max, r.n);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(e, 0u);
    for (Qword i = 0; i < r.n; ++i) {
      const double tol = 8 * kEps * std::fmax(1, std::fabs(r.want[i]));
      EXPECT_NEAR(g[i], r.want[i], tol) << r.kind << " " << i;
      EXPECT_NEAR(RArrGridValue(i, r.kind, r.n, r.min, r.max), r.want[i], tol);
    }
    RArrKill(&g);
  }
  Dword e = 5;
  EXPECT_EQ(NewRArrGrid(&e, 1, 0, 1, 0), nullptr);
  EXPECT_EQ(e, 0u);
}

TEST(Grid, LinearFillAccumulatesWhileValueMultiplies) {
  double d[11];
  RArrGridFill(1, 0, 1, 11, d);
  double acc = 0;
  for (int i = 1; i <= 10; ++i) acc += 0.1;
  EXPECT_EQ(d[10], acc);  // the accumulated step, not 1 exactly
  EXPECT_EQ(RArrGridValue(10, 1, 11, 0, 1), 10 * 0.1);
}

TEST(Grid, OnePointAndOutOfRange) {
  double d[1] = {7};
  RArrGridFill(1, 3, 9, 1, d);
  EXPECT_EQ(d[0], 3);
  for (Qword kind : {2, 3, 4}) {
    RArrGridFill(kind, 3, 9, 1, d);
    EXPECT_TRUE(std::isnan(d[0])) << kind;
  }
  for (Qword kind : {1, 2, 3, 4}) EXPECT_TRUE(std::isnan(RArrGridValue(0, kind, 1, 3, 9)));
  EXPECT_TRUE(std::isnan(RArrGridValue(5, 1, 5, 0, 1)));
}

TEST(Grid, NearestIndex) {
  EXPECT_EQ(RArrGridIndex(0.26, 1, 5, 0, 1), 1);
  EXPECT_EQ(RArrGridIndex(-3, 1, 5, 0, 1), 0);
  EXPECT_EQ(RArrGridIndex(7, 1, 5, 0, 1), 4);
  EXPECT_EQ(RArrGridIndex(10, 2, 4, 1, 1000), 1);
  EXPECT_EQ(RArrGridIndex(0.5, 1, 1, 0, 1), -1);
  EXPECT_EQ(RArrGridIndex(NAN, 1, 5, 0, 1), -1);
  EXPECT_EQ(RArrGridIndex(0.5, 1, 5, 1, 1), -1);
  EXPECT_EQ(RArrGridIndex(0.4, 3, 4, 1, 0.25), 2);  // 1/0.4 = 2.5 lies nearest 3
}

TEST(Grid, Names) {
  EXPECT_STREQ(RArrGridNameFromTypeA(2), "Log");
  EXPECT_STREQ(RArrGridNameFromTypeA(1), "Lin");
  EXPECT_EQ(RArrGridNameFromTypeA(0), nullptr);
  EXPECT_EQ(RArrGridNameFromTypeA(5), nullptr);
  const struct {
    const char* text;
    Qword kind;
  } rows[] = {{"Linear", 1},  {"Regular grid", 1}, {"log", 2}, {"Logarithmic", 2}, {"LOG", 2},
              {"Inverse", 3}, {"Square", 4},       {"", 0},    {"Lg", 0},          {" Lin", 0}};
  for (const auto& r : rows) EXPECT_EQ(RArrGridTypeFromNameA(r.text), r.kind) << r.text;
  EXPECT_EQ(RArrGridTypeFromNameA(nullptr), 0u);
}

TEST(Grid, RecogniseKinds) {
  const double lin[] = {1, 2, 3, 4}, log[] = {1, 2, 4, 8}, neither[] = {0, 1, 3}, two[] = {5, 6};
  EXPECT_EQ(RArrTestGridType(lin, 4, 1e-9), 1u);
  EXPECT_EQ(RArrTestGridType(log, 4, 1e-9), 2u);
  EXPECT_EQ(RArrTestGridType(neither, 3, 1e-9), 0u);
  EXPECT_EQ(RArrTestGridType(two, 2, 1e-9), 0u);
}

}  // namespace
