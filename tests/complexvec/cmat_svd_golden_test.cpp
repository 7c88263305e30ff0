// The complex decomposition gives, bit for bit, the status, U, s and V recorded
// in cmat_svd_golden.inc (tools/gen_svd_golden.sh) for every case and job code.
#include <gtest/gtest.h>

#include <cstddef>

#include "arrays/svd_scheme.h"
#include "support/svd_golden_replay.h"

namespace {

const svd_golden::Record kGolden[] = {
#include "cmat_svd_golden.inc"
};

TEST(CMatSVDGolden, EveryCaseAndJobBitForBit) {
  svd_golden::ExpectTable(kGolden, svd_golden::RunComplex);
}

}  // namespace
