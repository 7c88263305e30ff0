// The real decomposition gives, bit for bit, the status, U, s and V recorded
// in svd_golden.inc (tools/gen_svd_golden.sh) for every case and job code.
#include <gtest/gtest.h>

#include <cstddef>

#include "support/svd_golden_cases.h"

namespace {

const svd_golden::Record kGolden[] = {
#include "svd_golden.inc"
};

TEST(RMatSVDGolden, EveryCaseAndJobBitForBit) {
  const auto& shapes = svd_golden::Shapes();
  const auto& jobs = svd_golden::Jobs();
  ASSERT_EQ(std::size(kGolden), shapes.size() * jobs.size());
  size_t k = 0;
  for (const svd_golden::Shape& c : shapes)
    for (Dword job : jobs) {
      const svd_golden::Record& want = kGolden[k++];
      ASSERT_EQ(want.rows, c.rows);
      ASSERT_EQ(want.cols, c.cols);
      ASSERT_EQ(want.job, job);
      const svd_golden::Record got = svd_golden::RunReal(c, job);
      SCOPED_TRACE(::testing::Message()
                   << c.rows << " x " << c.cols << " seed " << c.seed << " job " << job);
      EXPECT_EQ(got.status, want.status);
      EXPECT_EQ(got.u, want.u) << "U";
      EXPECT_EQ(got.s, want.s) << "s";
      EXPECT_EQ(got.v, want.v) << "V";
    }
}

}  // namespace
