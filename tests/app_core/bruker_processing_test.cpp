// The default processing of the program run by the data engine on every
// sample folder as loaded, against the manifest's quantities (the numpy
// version of the same processing in tools/gen_bruker_samples.py).
#include <gtest/gtest.h>

#include <cmath>

#include "app/core/bruker_reader.h"
#include "base/memory.h"
#include "data_engine/evp.h"
#include "tests/app_core/bruker_test_util.h"

namespace {

// The lines Run Processing writes for item 0 with the default setup.
const char* const kDefaultLines[] = {
    "GROUPDELAY, 1, 0, 0z0",
    "ZEROFILL, 1, 0, 0z0, , 0, 1024",
    "APODIZE, 3, 0, 0z0, , 0,-1, 0.01",
    "APODIZE, 8, 0, 0z0, , 0,-1, 0.0003, 2",
    "QUANTIFY, 1, 768, 0z0, , 0, 4294967295",
};

TEST(BrukerProcessing, DefaultRunGivesTheManifestsQuantities) {
  int checked = 0;
  for (const ManifestRow& row : ReadManifest()) {
    if (row.at("quantity").empty()) continue;
    SCOPED_TRACE(row.at("folder"));
    cKyData root(0);
    ASSERT_EQ(LoadManifestSample(row, &root), 0u);
    double quantity = NAN;
    for (const char* line : kDefaultLines) {
      Evp evp;
      InitEvp(&evp);
      ASSERT_EQ(EvpParseCommand(line, &evp), 0u) << line;
      ASSERT_EQ(root.ExecuteEvp(&evp, nullptr), 0u) << line;
      quantity = evp.quantity;
      ReleaseEvp(&evp);
    }
    const double want = std::stod(row.at("quantity"));
    EXPECT_NEAR(quantity, want, 1e-10 * want);
    ++checked;
  }
  EXPECT_GE(checked, 12);
}

}  // namespace
