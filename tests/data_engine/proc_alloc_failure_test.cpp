// Procedures whose working memory cannot be had: each answers the
// allocation failure (or the code of the function that could not
// allocate) and leaves the node as it was.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "node_invariants.h"
#include "proc_fixture.h"
#include "support/alloc_failure.h"

namespace {

cKyData* NewZone() {
  auto* zone = new cKyData(0);
  for (Qword k = 0; k < 3; ++k)
    zone->AddChild(NewSignalBlock(
        64, 0, 1, [k](Qword i) { return Wiggle(i, static_cast<double>(k)); },
        [](Qword i) { return Wiggle(i, 1); }));
  zone->parameters.AddEntry("BINI", "1", nullptr);
  zone->parameters.AddEntry("BEND", "3", nullptr);
  return zone;
}

TEST(ProcAllocationFailure, NodeUnchanged) {
  const char* commands[] = {
      "QUANTIFY, 1, 512, 0, , 0, -1", "QUANTIFY, 4, 0, 0, , 0, -1",   "ZEROFILL, 1, 0, 0, , 1, 0",
      "WINDOW, 1, 0, 0, , 3, 9",      "WINDOW, 5, 0, 0, , 0, -1, 2",  "FOURIER, 1, 0, 0",
      "PHASOR, 1, 0, 0, , 0, 20, 2",  "QARRAY, 1, 0, 1, , 0, -1",     "QARRAY, 7, 0, 1, , 1",
      "DENOISING, 1, 0, 0, , 0, -1",  "DERIVATIVE, 1, 0, 0, , 0, -1",
  };
  for (const char* command : commands) {
    std::unique_ptr<cKyData> zone(NewZone());
    cKyData* node = std::string(command).rfind("QARRAY", 0) == 0 ? zone.get() : zone->Child(0);
    const std::vector<double> before = MatrixCopy(node);
    const Qword points = node->points;
    Evp evp;
    InitEvp(&evp);
    ASSERT_EQ(EvpParseCommand(command, &evp), kErrNone);
    AllocFailureGuard fail(0);
    LibErrorCode e = node->PrepareEvp(&evp, nullptr);
    if (e == kErrNone) e = node->RunEvp(&evp, nullptr);
    fail.Release();
    EXPECT_NE(e, kErrNone) << command;
    EXPECT_FALSE(evp.flags & kEvpDone) << command;
    EXPECT_EQ(node->points, points) << command;
    EXPECT_EQ(MatrixCopy(node), before) << command;
    ExpectNodeInvariants(*node);
    ReleaseEvp(&evp);
  }
}

}  // namespace
