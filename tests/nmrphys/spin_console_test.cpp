// The console task of the spin engine, run with its output on a pipe.
#include "nmrphys/spin/spin_console.h"

#include <gtest/gtest.h>

#include "nmrphys/spin/spin.h"
#include "support/pty_run.h"

namespace {

TEST(SpinConsole, TaskPrintsConfigurationAndProfileAndSucceeds) {
  static_assert((kSsSortDescending | kSsSortFrequency | kSsLineList | kSsSpectrumFromDecay) ==
                0x2540);
  PtyResult r =
      RunInPty([] { return static_cast<int>(ConSpinSimulationTask(0, nullptr)); }, {}, false);
  EXPECT_FALSE(r.timed_out);
  EXPECT_EQ(r.exit_code, 0);
  const std::string& out = r.output;
  const char* texts[] = {"\n\n Default Toravex configuration:\n -------------------------",
                         "\n MaxExecutionTime: ",
                         "\n MaxNumberOfTransitions: 10000000",
                         "\n MaxManifoldDimension: 65535",
                         "\n DesiredFragmentationOrder: 1",
                         "\n FragmentIfEqvSizeExceeds: 11",
                         "\n\n Global Spin Forest Profile:\n -------------------------",
                         "\n ParentUserId: 0",
                         "\n Branches: 1",
                         "\n EquivalentSize: 3",
                         "\n Subsystems: 1",
                         "\n ExeSubsystems: 1",
                         "\n NumberOfManifolds: 4",
                         "\n NumberOfStates: 8",
                         "\n MainTransitions: 12",
                         "\n AllTransitions: 15",
                         "\n BytesOfRAM: "};
  size_t at = 0;
  for (const char* t : texts) {
    const size_t found = out.find(t, at);
    EXPECT_NE(found, std::string::npos) << t << "\nin:\n" << out;
    if (found != std::string::npos) at = found;
  }
  EXPECT_EQ(out.find("BinsPerPoint"), std::string::npos);
  EXPECT_EQ(out.find("TotalQuanta"), std::string::npos);
}

}  // namespace
