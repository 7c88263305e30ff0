// The application's default processing script (group delay, zero filling
// to 1024 points, the Cos2Tmax and Smoothstep windows, the average
// magnitude) through RunTask on a tree of decays, against numpy's
// processing of the same decays (tools/gen_default_script_reference.py).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <numbers>
#include <string>

#include "data_engine/evp.h"
#include "proc_fixture.h"
#include "support/recording_callback.h"

namespace {

struct DefaultScriptCase {
  Qword points;
  double dwell, gdly, a, t1, f1, b, t2, f2, mean_magnitude;
};
#include "default_script_reference.inc"

constexpr double kPi = std::numbers::pi;

cKyData* NewItem(const DefaultScriptCase& c) {
  auto* item = new cKyData(0);
  item->data_type = kKyDataBruker;
  char gdly[64];
  std::snprintf(gdly, sizeof gdly, "%.17g", c.gdly);
  item->parameters.AddEntry("GDLY", gdly, nullptr);
  item->parameters.AddEntry("NUC", "29Si", nullptr);
  auto part = [c](Qword i, bool imag) {
    const double t = static_cast<double>(i) * c.dwell;
    const double p1 = 2 * kPi * c.f1 * t, p2 = 2 * kPi * c.f2 * t + 0.3;
    return c.a * std::exp(-t / c.t1) * (imag ? std::sin(p1) : std::cos(p1)) +
           c.b * std::exp(-t / c.t2) * (imag ? std::sin(p2) : std::cos(p2));
  };
  item->AddChild(NewSignalBlock(
      c.points, 0.0, c.dwell, [part](Qword i) { return part(i, false); },
      [part](Qword i) { return part(i, true); }));
  return item;
}

// The five lines the application writes for item i with the default setup.
std::string DefaultLines(Qword i) {
  const std::string z = std::to_string(i);
  return "#GROUPDELAY, 1, 0, 0z" + z + "\r\n#ZEROFILL, 1, 0, 0z" + z +
         ", , 0, 1024\r\n#APODIZE, 3, 0, 0z" + z + ", , 0,-1, 0.01\r\n#APODIZE, 8, 0, 0z" + z +
         ", , 0,-1, 0.0003, 2\r\n#QUANTIFY, 1, 768, 0z" + z + ", , 0, 4294967295\r\n";
}

TEST(DefaultScript, MeanMagnitudeOfEveryItem) {
  std::unique_ptr<cKyData> root(new cKyData(0));
  const Qword n = sizeof kDefaultScriptCases / sizeof kDefaultScriptCases[0];
  std::string script;
  for (Qword i = 0; i < n; ++i) {
    root->AddChild(NewItem(kDefaultScriptCases[i]));
    script += DefaultLines(i);
  }
  KyAppRecord record;
  std::memset(&record, 0, sizeof record);
  RecordingCallback recorder;
  recorder.Install(&record);
  std::map<Qword, double> quantity;
  std::map<Qword, std::string> reports;
  recorder.On(kKyMsgTaskReport, [&](KyAppRecord* r) {
    const Evp* evp = static_cast<const Evp*>(r->argument);
    EXPECT_EQ(r->error, 0u);
    if (evp->id == kEvpQuantify) quantity[evp->zone] = evp->quantity;
    reports[evp->zone] += evp->report;
    return Dword{0};
  });
  ASSERT_EQ(root->RunTask(script.c_str(), &record), kErrNone);
  for (Qword i = 0; i < n; ++i) {
    const DefaultScriptCase& c = kDefaultScriptCases[i];
    ASSERT_EQ(quantity.count(i), 1u);
    EXPECT_NEAR(quantity[i], c.mean_magnitude, 1e-12 * c.mean_magnitude) << "item " << i;
    const cKyData* block = root->Child(i)->FirstChild();
    EXPECT_EQ(block->points, 1024u);
    char q[64];
    std::snprintf(q, sizeof q, "%g", quantity[i]);
    EXPECT_NE(reports[i].find("#QUANTIFY: completed\n Average in [0, 1023]\n Magnitude: " +
                              std::string(q) + "\n\n"),
              std::string::npos)
        << reports[i];
    EXPECT_NE(reports[i].find("#ZEROFILL: completed\n New size: 1024\n\n"), std::string::npos);
    EXPECT_NE(
        reports[i].find(
            "#APODIZE: completed\n Mode: Cos2Tmax\n\n#APODIZE: completed\n Mode: Smoothstep\n\n"),
        std::string::npos);
  }
  EXPECT_EQ(reports[0].rfind("#GROUPDELAY: completed\n Old value: 67.98\n New value: -0.02\n\n", 0),
            0u);
  EXPECT_EQ(reports[2].rfind("#GROUPDELAY: completed\n\n", 0), 0u);  // 0.3 rounds to no delay
}

}  // namespace
