// ILT: the rate grid and its defaults, both modes on decays of known rates
// (closed forms), the merge behind the last FIT's components, the progress
// messages with the stop request, the quiet record, and the guards (the
// root's undo chain, a block's transform).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "data_engine/ilt_progress.h"
#include "data_engine/ilt_progress_testing.h"
#include "node_invariants.h"
#include "relax_fixture.h"
#include "support/recording_callback.h"

namespace {

// A root with one zone holding the curve.
struct OneZone {
  std::unique_ptr<cKyData> root{new cKyData(0)};
  cKyData* zone;
  explicit OneZone(cKyData* curve) : zone(curve) { root->AddChild(curve); }
};

double Mono20(double t) { return std::exp(-20 * t); }
double Cpmg(double t) { return 0.5 * std::exp(-100 * t) + 0.5 * std::exp(-10 * t); }

// Index of the largest amplitude of the companion from `from` to `to`.
Qword Peak(const cKyData* c, Qword from, Qword to) {
  Qword best = from;
  for (Qword i = from; i < to; ++i)
    if (c->Row(1)[i] > c->Row(1)[best]) best = i;
  return best;
}

// Index of the grid rate nearest (in the logarithm) to `rate`.
Qword Nearest(const cKyData* c, Qword from, Qword to, double rate) {
  Qword best = from;
  for (Qword i = from; i < to; ++i)
    if (std::fabs(std::log(c->Row(0)[i] / rate)) < std::fabs(std::log(c->Row(0)[best] / rate)))
      best = i;
  return best;
}

class ProcIlt : public ::testing::Test {
 protected:
  void SetUp() override { IltProgressResetForTesting(); }
  void TearDown() override { IltProgressResetForTesting(); }
};

TEST_F(ProcIlt, DefaultGridOf53RatesFrom02To5000) {
  OneZone z(NewCurve(LogSpaced(1e-3, 1, 40), Mono20));
  const RelaxStep r = RunRelax(z.zone, "ILT, 2, 0, 1, , 0, -1, , , , 1e-3");
  ASSERT_EQ(r.code, kErrNone);
  EXPECT_TRUE(r.done);
  // D = 1 + log10(25000) = 5.398 decades, 10 rates per decade.
  EXPECT_NE(r.report.find(" Mode: Truncated SVD\n Components: 53\n"), std::string::npos)
      << r.report;
  const cKyData* c = z.zone->linked;
  ASSERT_NE(c, nullptr);
  ASSERT_EQ(c->points, 53u);
  for (Qword i = 0; i < 53; ++i)
    EXPECT_NEAR(c->Row(0)[i], 0.2 * std::pow(25000.0, static_cast<double>(i) / 52),
                1e-12 * c->Row(0)[i]);
  // No FIT before: the companion holds only the distribution, and the
  // weights scale factor is the largest amplitude over 100.
  double largest = 0;
  for (Qword i = 0; i < 53; ++i) largest = std::fmax(largest, std::fabs(c->Row(1)[i]));
  EXPECT_NE(r.report.find(Cfmt(" Weights scale factor: %g\n", largest / 100)), std::string::npos);
  // The model is the node's fit row.
  ASSERT_EQ(z.zone->rows, 3u);
  EXPECT_EQ(z.zone->row_flags[2], kKyRowResult);
  for (Qword i = 0; i < 40; ++i) EXPECT_NEAR(z.zone->Row(2)[i], z.zone->Row(1)[i], 2e-3);
  ExpectNodeInvariants(*c);
}

TEST_F(ProcIlt, BothModesPeakAtTheGridRateNearestTheTrueOne) {
  for (const char* command : {"ILT, 2, 0, 1, , 0, -1, , , , 1e-3", "ILT, 1, 0, 1, , 0, -1"}) {
    OneZone z(NewCurve(LogSpaced(1e-3, 1, 60), Mono20));
    ASSERT_EQ(RunRelax(z.zone, command).code, kErrNone) << command;
    const cKyData* c = z.zone->linked;
    EXPECT_EQ(Peak(c, 0, c->points), Nearest(c, 0, c->points, 20.0)) << command;
  }
}

TEST_F(ProcIlt, KyIltOnACpmgTrainFromTimeZeroResolvesTwoRates) {
  // Echo times from t = 0: the default upper rate comes from the first
  // positive time (5 / 0.002 = 2500), never from a division by zero.
  OneZone z(NewCurve(LinSpaced(0, 0.398, 200), Cpmg));
  const RelaxStep r = RunRelax(z.zone, "ILT, 1, 0, 1, , 0, -1");
  ASSERT_EQ(r.code, kErrNone);
  const cKyData* c = z.zone->linked;
  ASSERT_NE(c, nullptr);
  EXPECT_NEAR(c->Row(0)[c->points - 1], 2500.0, 1e-9);
  EXPECT_NEAR(c->Row(0)[0], 0.2 / 0.398, 1e-12);
  // The two largest local peaks sit within one grid step of 10 and 100.
  const Qword split = Nearest(c, 0, c->points, std::sqrt(1000.0));
  const Qword slow = Peak(c, 0, split), fast = Peak(c, split, c->points);
  const Qword at10 = Nearest(c, 0, c->points, 10.0), at100 = Nearest(c, 0, c->points, 100.0);
  EXPECT_LE(slow > at10 ? slow - at10 : at10 - slow, 1u);
  EXPECT_LE(fast > at100 ? fast - at100 : at100 - fast, 1u);
}

TEST_F(ProcIlt, Guards) {
  struct Case {
    std::vector<double> x;
    const char* command;
    LibErrorCode code;
  } cases[] = {
      {LogSpaced(1e-3, 1, 3), "ILT, 1, 0, 1, , 0, -1", kErrWindowTooSmall},
      {LogSpaced(1e-3, 1, 20), "ILT, 1, 0, 1, , 0, -1, 4", kErrIllegalParameters},  // k < 5
      {LogSpaced(1e-3, 1, 20), "ILT, 3, 0, 1, , 0, -1", kErrUnknownProcedureMode},
      {LogSpaced(1e-3, 1, 20), "ILT, 2, 0, 1, , 0, -1, , , -1", kErrIllegalParameters},  // rmin < 0
      {LogSpaced(1e-3, 1, 20), "ILT, 2, 0, 1, , 0, -1, , 0.1, 0.1",
       kErrIllegalParameters},                                                 // empty range
      {LinSpaced(-1, 0, 20), "ILT, 2, 0, 1, , 0, -1", kErrIllegalParameters},  // no positive time
  };
  for (const Case& c : cases) {
    OneZone z(NewCurve(c.x, Mono20));
    const RelaxStep r = RunRelax(z.zone, c.command);
    EXPECT_EQ(r.code, c.code) << c.command;
    EXPECT_EQ(z.zone->linked, nullptr) << c.command;
    EXPECT_EQ(z.zone->rows, 2u) << c.command;
  }
}

TEST_F(ProcIlt, RootLinkedNodeIsNeverACompanion) {
  auto* previous = new cKyData(0);
  previous->SetSize(3, 2, 0, 0, 1);
  std::unique_ptr<cKyData> root(NewCurve(LogSpaced(1e-3, 1, 30), Mono20));
  root->linked = previous;
  const RelaxStep r = RunRelax(root.get(), "ILT, 2, 0, 0, , 0, -1");
  EXPECT_EQ(r.code, kErrIllegalData);
  EXPECT_EQ(root->linked, previous);
  EXPECT_EQ(previous->points, 3u);
  EXPECT_EQ(root->rows, 2u);
}

TEST_F(ProcIlt, DistributionGoesBehindTheComponentsOfTheLastFit) {
  OneZone z(NewCurve(LogSpaced(1e-3, 1, 40), Cpmg));
  ASSERT_EQ(RunRelax(z.zone, "FIT, 3, 0, 1, , 0, -1, 2").code, kErrNone);
  const double r0 = z.zone->linked->Row(0)[0], r1 = z.zone->linked->Row(0)[1];
  const double a0 = z.zone->linked->Row(1)[0], a1 = z.zone->linked->Row(1)[1];
  // Another fit overwrites the zone's result 0 in between.
  ASSERT_EQ(RunRelax(z.zone, "FIT, 1, 0, 1, , 0, -1").code, kErrNone);
  const RelaxStep r = RunRelax(z.zone, "ILT, 2, 0, 1, , 0, -1, 20, , , 1e-3");
  ASSERT_EQ(r.code, kErrNone);
  const cKyData* c = z.zone->linked;
  ASSERT_EQ(c->points, 22u);
  EXPECT_EQ(c->results[0], 2.0);
  EXPECT_EQ(c->Row(0)[0], r0);
  EXPECT_EQ(c->Row(0)[1], r1);
  // s = largest |amplitude| / 100 x (sum of the components' weights) / (largest of them).
  double largest = 0;
  for (Qword i = 2; i < 22; ++i) largest = std::fmax(largest, std::fabs(c->Row(1)[i]));
  const double s = largest / 100 * (a0 + a1) / std::fmax(std::fabs(a0), std::fabs(a1));
  EXPECT_NE(r.report.find(Cfmt(" Weights scale factor: %g\n", s)), std::string::npos) << r.report;
  // A second transform replaces the distribution, the components stay.
  ASSERT_EQ(RunRelax(z.zone, "ILT, 2, 0, 1, , 0, -1, 30, , , 1e-3").code, kErrNone);
  EXPECT_EQ(z.zone->linked->points, 32u);
  EXPECT_EQ(z.zone->linked->Row(0)[1], r1);
}

struct Progress {
  std::vector<std::string> texts63;
  std::string text64;
  std::vector<Evp> redraws;
  std::vector<Qword> companion_points;
  Qword starts = 0;
  std::uintptr_t start_argument = 0;
};

KyAppRecord NewRecord() {
  KyAppRecord record;
  std::memset(&record, 0, sizeof record);
  return record;
}

void Watch(RecordingCallback& rec, Progress& p, cKyData* node, int stop_after) {
  rec.On(kKyMsgFitStart, [&p](KyAppRecord* r) {
    ++p.starts;
    p.start_argument = reinterpret_cast<std::uintptr_t>(r->argument);
    return Dword{0};
  });
  rec.On(kKyMsgFitProgress, [&p, stop_after](KyAppRecord* r) {
    p.texts63.push_back(static_cast<const char*>(r->argument));
    if (stop_after > 0 && static_cast<int>(p.texts63.size()) == stop_after) r->result.u64 = 1;
    return Dword{0};
  });
  rec.On(kKyMsgFitEnd, [&p](KyAppRecord* r) {
    p.text64 = static_cast<const char*>(r->argument);
    return Dword{0};
  });
  rec.On(kKyMsgRedraw, [&p, node](KyAppRecord* r) {
    p.redraws.push_back(*static_cast<Evp*>(r->argument));
    p.companion_points.push_back(node->linked ? node->linked->points : 0);
    return Dword{0};
  });
}

TEST_F(ProcIlt, ProgressMessagesAndTheStopRequest) {
  OneZone z(NewCurve(LogSpaced(1e-3, 1, 40), Mono20));
  auto* second = NewCurve(LogSpaced(1e-3, 1, 40), Cpmg);
  z.root->AddChild(second);
  KyAppRecord record = NewRecord();
  record.result.u64 = 1;  // left by an earlier command: not a stop request
  RecordingCallback rec;
  rec.Install(&record);
  Progress p;
  Watch(rec, p, second, 25);
  const RelaxStep r = RunRelax(second, "ILT, 1, 0, 1, , 0, -1, 20", &record);
  rec.Uninstall();
  ASSERT_EQ(r.code, kErrNone);
  EXPECT_TRUE(r.done);
  // 60 once with the argument's lowest byte 1; 63 until the stop; 64 at the end.
  EXPECT_EQ(p.starts, 1u);
  EXPECT_EQ(p.start_argument & 0xFF, 1u);
  ASSERT_EQ(p.texts63.size(), 25u);
  EXPECT_EQ(p.texts63[0].rfind("n calls: ", 0), 0u);
  EXPECT_NE(p.texts63[0].find("/100000\ntarget function: "), std::string::npos) << p.texts63[0];
  EXPECT_EQ(p.texts63[0].substr(p.texts63[0].size() - 15), "\nwait please...");
  EXPECT_EQ(p.text64.rfind("n calls: ", 0), 0u);
  EXPECT_EQ(p.text64.substr(p.text64.size() - 23), "\nwait please...finished");
  std::vector<Dword> order;
  for (Dword m : rec.Messages())
    if (order.empty() || order.back() != m) order.push_back(m);
  EXPECT_EQ(order.front(), kKyMsgFitStart);
  EXPECT_EQ(order.back(), kKyMsgFitEnd);
  // 53 with the first and then every tenth new best point: 1, 11, 21.
  ASSERT_EQ(p.redraws.size(), 3u);
  for (const Evp& e : p.redraws) {
    EXPECT_EQ(e.id, kEvpIlt);
    EXPECT_EQ(e.level, 1u);
    EXPECT_EQ(e.zone, 1u);
  }
  // The intermediate distribution is in the transformed zone's companion.
  EXPECT_EQ(p.companion_points[0], 20u);
  EXPECT_EQ(z.zone->linked, nullptr);
  EXPECT_EQ(second->linked->points, 20u);
  EXPECT_EQ(IltProgressZoneForTesting(), kNoIndex);
  EXPECT_EQ(IltProgressStepForTesting(), 0u);
}

TEST_F(ProcIlt, BlockTransformNamesItsZoneAndBlock) {
  std::unique_ptr<cKyData> root(new cKyData(0));
  for (int zi = 0; zi < 2; ++zi) {
    auto* zone = new cKyData(0);
    for (int b = 0; b < 3; ++b) zone->AddChild(NewCurve(LogSpaced(1e-3, 1, 30), Mono20));
    root->AddChild(zone);
  }
  cKyData* block = root->Child(1)->Child(2);
  KyAppRecord record = NewRecord();
  record.data_root = root.get();
  RecordingCallback rec;
  rec.Install(&record);
  Progress p;
  Watch(rec, p, block, 1);
  ASSERT_EQ(RunRelax(block, "ILT, 1, 0, 0, , 0, -1, 10", &record).code, kErrNone);
  rec.Uninstall();
  ASSERT_EQ(p.redraws.size(), 1u);
  EXPECT_EQ(p.redraws[0].level, 0u);
  EXPECT_EQ(p.redraws[0].zone, 1u);
  EXPECT_EQ(p.redraws[0].block, 2u);
  EXPECT_EQ(p.companion_points[0], 10u);
  // Only the block got a companion; the zone of the same index has none.
  EXPECT_EQ(root->Child(2), nullptr);
  EXPECT_EQ(root->Child(1)->linked, nullptr);
  EXPECT_NE(block->linked, nullptr);
}

TEST_F(ProcIlt, QuietRecordSendsNothing) {
  OneZone z(NewCurve(LogSpaced(1e-3, 1, 30), Mono20));
  KyAppRecord record = NewRecord();
  record.flags = kKyFlagQuiet;
  RecordingCallback rec;
  rec.Install(&record);
  ASSERT_EQ(RunRelax(z.zone, "ILT, 1, 0, 1, , 0, -1, 10", &record).code, kErrNone);
  rec.Uninstall();
  EXPECT_TRUE(rec.Log().empty());
  EXPECT_EQ(IltProgressZoneForTesting(), kNoIndex);
}

}  // namespace
