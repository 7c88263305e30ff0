// The sample folders through the engine: each loaded data set runs the
// script the program builds from the default setup for its nuclide through
// RunTask, and the quantity its QUANTIFY reports matches the manifest's (the
// numpy processing of tools/gen_bruker_samples.py).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "app/core/bruker_reader.h"
#include "app/core/processing_script.h"
#include "data_engine/evp.h"
#include "support/recording_callback.h"
#include "tests/app_core/bruker_test_util.h"

namespace {

TEST(DefaultScriptSamples, QuantitiesOfTheManifest) {
  int checked = 0;
  for (const ManifestRow& row : ReadManifest()) {
    if (row.at("quantity").empty()) continue;
    SCOPED_TRACE(row.at("folder"));
    cKyData root(0);
    ASSERT_EQ(LoadManifestSample(row, &root), 0u);
    KyAppRecord record;
    std::memset(&record, 0, sizeof record);
    RecordingCallback recorder;
    recorder.Install(&record);
    double quantity = NAN;
    recorder.On(kKyMsgTaskReport, [&](KyAppRecord* r) {
      const Evp* evp = static_cast<const Evp*>(r->argument);
      if (evp->id == kEvpQuantify) quantity = evp->quantity;
      return Dword{0};
    });
    std::string script;
    Qword bad_item = 0;
    ASSERT_TRUE(BuildProcessingScript(SetupValues{}, {row.at("nuclide")}, &script, &bad_item));
    ASSERT_EQ(root.RunTask(script.c_str(), &record), kErrNone);
    const double want = std::stod(row.at("quantity"));
    EXPECT_NEAR(quantity, want, 1e-10 * want);
    for (cKyData* b = root.FirstChild()->FirstChild(); b; b = b->NextSibling())
      EXPECT_EQ(b->points, 1024u);
    ++checked;
  }
  EXPECT_GE(checked, 12);
}

}  // namespace
