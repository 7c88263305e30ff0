// The array invariants of a data node, checked by reading every element of
// every array: under AddressSanitizer an array shorter than its stated
// count fails here.
#pragma once
#include <gtest/gtest.h>

#include "data_engine/ky_data.h"

inline void ExpectNodeInvariants(const cKyData& n) {
  if (n.matrix == nullptr) {
    EXPECT_EQ(n.rows, 0u);
    EXPECT_EQ(n.points, 0u);
    EXPECT_EQ(n.row_statistics, nullptr);
    EXPECT_EQ(n.row_flags, nullptr);
    EXPECT_EQ(n.point_flags, nullptr);
    return;
  }
  ASSERT_GT(n.rows, 0u);
  ASSERT_GT(n.points, 0u);
  ASSERT_NE(n.row_statistics, nullptr);
  ASSERT_NE(n.row_flags, nullptr);
  ASSERT_NE(n.point_flags, nullptr);
  volatile double sink = 0;
  for (Qword i = 0; i < n.rows * n.points; ++i) sink = sink + n.matrix[i];
  for (Qword i = 0; i < n.rows * kKyStatCount; ++i) sink = sink + n.row_statistics[i];
  volatile Dword flags = 0;
  for (Qword i = 0; i < n.rows; ++i) flags = flags | n.row_flags[i];
  for (Qword i = 0; i < n.points; ++i) flags = flags | n.point_flags[i];
  EXPECT_EQ(n.linked == nullptr || n.linked->Owner() == nullptr, true)
      << "the linked node is in no list";
}
