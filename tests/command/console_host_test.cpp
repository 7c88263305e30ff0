// pelorin-console started as a user would, on a pseudo-terminal: synthetic
// data generated twice, a zone selected in the dialogue, an evaluation and
// a block display answered by the engine, the title following each step.
// In-process: synthetic data through the real load command and an
// evaluation of the root's task script.
#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "base/error_codes.h"
#include "base/platform/ui_hooks.h"
#include "base/strings.h"
#include "command/console_app.h"
#include "command_fixture.h"
#include "data_engine/ky_data.h"
#include "support/pty_run.h"

namespace {

// The host beside the test programs: <build>/app/pelorin-console.
std::string HostPath() {
  char self[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return "";
  std::string path(self, static_cast<size_t>(n));
  path = path.substr(0, path.rfind('/'));
  path = path.substr(0, path.rfind('/')) + "/app/pelorin-console";
  return access(path.c_str(), X_OK) == 0 ? path : "";
}

TEST(ConsoleHost, GenerateSelectEvaluateDisplay) {
  const std::string host = HostPath();
  if (host.empty()) GTEST_SKIP() << "pelorin-console is not built";
  const PtyStep key{"Hit any key", "z"};
  PtyResult r = RunInPty(
      [host] {
        execl(host.c_str(), host.c_str(), static_cast<char*>(nullptr));
        return 127;
      },
      {{"Your choice: ", "l"},
       {"Your choice: ", "y"},
       key,
       {"Your choice: ", "l"},
       {"Your choice: ", "y"},
       key,
       {"Your choice: ", "s"},
       {"Your choice: ", "v"},
       key,
       {"Your choice: ", "s"},
       {"Your choice: ", "e"},
       {"1 -3 4): ", "2\n"},
       {"[y/n]", "y\n"},
       key,
       {"Your choice: ", "e"},
       key,
       {"Your choice: ", "x"},
       {"Your choice: ", "b"},
       key,
       {"Your choice: ", "d"},
       key,
       {"Your choice: ", "#"}},
      true, 20000);
  ASSERT_FALSE(r.timed_out) << r.output;
  EXPECT_EQ(r.exit_code, 0);
  const std::string& out = r.output;
  // The title: the program's own, then the data and the selection.
  const char* titles[] = {"\x1b]0; Pelorin console (an Norvale utility)\x07",
                          "\x1b]0;  [1] Selected: None\x07", "\x1b]0;  [2] Selected: None\x07",
                          "\x1b]0;  [2] Selected: 1\x07",
                          "\x1b]0; Pelorin console (an Norvale utility)\x07"};
  size_t at = 0;
  for (const char* title : titles) {
    at = out.find(title, at);
    ASSERT_NE(at, std::string::npos) << title << "\n" << out;
  }
  // Two zones of eight decays from the simulator, zone 2 selected.
  EXPECT_NE(out.find("ZoneID: 1, EXP: SR/S, NBLK: 8, BS: 64, BRLX: 0.10000"), std::string::npos);
  EXPECT_NE(out.find("\n s ZoneID: 2, EXP: SR/S, NBLK: 8, BS: 64, BRLX: 0.20000"),
            std::string::npos)
      << out;
  // Synthetic data carry no default task script (67); the block display is
  // the EXPORT procedure, not built in the engine (9).
  EXPECT_NE(out.find("Error 67"), std::string::npos) << out;
  EXPECT_NE(out.find("Error 9"), std::string::npos);
}

class ConsoleDataTest : public CommandTest {
 protected:
  void TearDown() override {
    UiHooksInstall(nullptr);
    CommandTest::TearDown();
  }
};

TEST_F(ConsoleDataTest, SyntheticZonesFromTheSimulatorAndAnEvaluation) {
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(ConAppGenerateSynthetic(0, record_), 0u) << k;
  cKyData* root = record_->data_root;
  ASSERT_NE(root, nullptr);
  ASSERT_EQ(root->ChildCount(), 3u);
  for (Qword z = 0; z < 3; ++z) {
    cKyData* zone = root->Child(z);
    EXPECT_EQ(zone->parameters.GetUnsigned("ZONE"), z + 1);
    EXPECT_STREQ(zone->ExperimentName(), "SR/S");
    ASSERT_EQ(zone->ChildCount(), 8u);
    // Saturation recovery with T1 = 0.05 (z + 1): the first point of the
    // last block (tau = 1 s) is 1 - exp(-1 / T1) up to the noise.
    cKyData* last = zone->Child(7);
    ASSERT_EQ(last->points, 64u);
    const double t1 = 0.05 * static_cast<double>(z + 1);
    EXPECT_NEAR(last->Row(1)[0], 1 - std::exp(-1 / t1), 0.06);
    EXPECT_EQ(last->Row(0)[1], 1e-5);  // dwell time 10 us
  }
  // The evaluation runs the root's default task script.
  EXPECT_EQ(ConAppEvaluate(0, record_), 67u);
  root = record_->data_root;
  root->default_script = NewCopyStringA("#QUANTIFY, 1, 768, 0z1, , 0, 4294967295\r\n", 0, kNoIndex);
  recorder_.Clear();
  EXPECT_EQ(ConAppEvaluate(0, record_), 0u);
  EXPECT_GT(recorder_.Count(kKyMsgTaskReport), 0u);
}

}  // namespace
