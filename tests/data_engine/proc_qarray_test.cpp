// QARRAY: relaxation curves of a zone on linear and logarithmic block
// grids in both visit orders, the caller's table (the calibration's
// path through ExecuteEvp), the copy of a child, and zones that do not fit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "data_engine/engine_text.h"
#include "node_invariants.h"
#include "proc_fixture.h"

namespace {

constexpr Qword kPoints = 16;

// Block b: real part b + i/100, imaginary part -2b; average over points
// first..last: b + (first + last)/200.
cKyData* NewZone(Qword blocks, const char* bini, const char* bend, const char* bgrd) {
  auto* zone = new cKyData(0);
  zone->data_type = kKyDataBruker;
  for (Qword k = 0; k < blocks; ++k) {
    const double b = static_cast<double>(k);
    zone->AddChild(NewSignalBlock(
        kPoints, 0.0, 1.0, [b](Qword i) { return b + static_cast<double>(i) / 100; },
        [b](Qword) { return -2 * b; }));
  }
  if (bini) zone->parameters.AddEntry("BINI", bini, nullptr);
  if (bend) zone->parameters.AddEntry("BEND", bend, nullptr);
  if (bgrd) zone->parameters.AddEntry("BGRD", bgrd, nullptr);
  return zone;
}

TEST(ProcQArray, CurveOnALogarithmicGridInBothOrders) {
  for (const bool reversed : {false, true}) {
    std::unique_ptr<cKyData> zone(reversed ? NewZone(10, "10", "0.001", "log")
                                           : NewZone(10, "0.001", "10", "LOG"));
    const StepResult r = RunStep(zone.get(), "QARRAY, 1, 0, 1, , 2, 5");
    ASSERT_EQ(r.code, kErrNone);
    EXPECT_TRUE(r.done);
    EXPECT_EQ(r.report, "");
    ASSERT_EQ(zone->rows, 3u);
    ASSERT_EQ(zone->points, 10u);
    EXPECT_EQ(zone->x_grid_type, 2u);
    for (Qword i = 0; i < 10; ++i) {
      EXPECT_NEAR(zone->Row(0)[i], 0.001 * std::pow(10.0, 4.0 * static_cast<double>(i) / 9),
                  1e-13 * zone->Row(0)[i]);
      const double b = static_cast<double>(reversed ? 9 - i : i);
      EXPECT_NEAR(zone->Row(1)[i], b + 0.035, 1e-14) << i;
      EXPECT_EQ(zone->Row(2)[i], -2 * b) << i;
    }
  }
}

TEST(ProcQArray, ModesOnALinearGridWithWriteBack) {
  std::unique_ptr<cKyData> zone(NewZone(4, "1", "4", "lin"));
  const StepResult r = RunStep(zone.get(), "QARRAY, 2, 288, 1, , 0, 3");  // maximum, 0x20 | 0x100
  ASSERT_EQ(r.code, kErrNone);
  for (Qword i = 0; i < 4; ++i) {
    const double b = static_cast<double>(i);
    EXPECT_DOUBLE_EQ(zone->Row(0)[i], 1.0 + b);
    EXPECT_DOUBLE_EQ(zone->Row(1)[i], b + 0.03);
    EXPECT_TRUE(std::isnan(zone->Row(2)[i]));  // no second quantity
    const cKyData* block = zone->Child(i);
    for (Qword j = 0; j < kPoints; ++j) {
      EXPECT_DOUBLE_EQ(block->Row(1)[j], j <= 3 ? b + 0.03 : b + static_cast<double>(j) / 100);
      EXPECT_EQ(block->Row(2)[j], -2 * b);  // the imaginary part is kept
    }
  }
  // Chebyshev extrapolation of the straight lines b + x/100 (x = point).
  std::unique_ptr<cKyData> z5(NewZone(3, "1", "3", "lin"));
  ASSERT_EQ(RunStep(z5.get(), "QARRAY, 5, 0, 1, , 1, 15, 1").code, kErrNone);
  for (Qword i = 0; i < 3; ++i) EXPECT_NEAR(z5->Row(1)[i], static_cast<double>(i), 1e-12);
}

TEST(ProcQArray, ZonesThatDoNotFit) {
  std::unique_ptr<cKyData> one(NewZone(1, "1", "2", "lin"));
  EXPECT_EQ(RunStep(one.get(), "QARRAY, 1, 0, 1, , 0, -1").code, kErrIllegalData);
  // Blocks of different lengths would be read past their end.
  std::unique_ptr<cKyData> uneven(NewZone(3, "1", "2", "lin"));
  uneven->Child(2)->SetSize(8, 3, 1, 0, 7);
  EXPECT_EQ(RunStep(uneven.get(), "QARRAY, 1, 0, 1, , 0, -1").code, kErrIllegalData);
  std::unique_ptr<cKyData> z(NewZone(3, "1", "2", "lin"));
  EXPECT_EQ(RunStep(z.get(), "QARRAY, 8, 0, 1, , 0, -1").code, kErrIllegalMode);
  EXPECT_EQ(z->matrix, nullptr);
  // Mode 4 starting on the last point has no x step.
  EXPECT_EQ(RunStep(z.get(), "QARRAY, 4, 0, 1, , 15, 15").code, kErrIllegalParameters);
  // No BINI, BEND or BGRD: the curve is measured on NaN x values.
  std::unique_ptr<cKyData> bare(NewZone(3, nullptr, nullptr, nullptr));
  ASSERT_EQ(RunStep(bare.get(), "QARRAY, 1, 0, 1, , 0, -1").code, kErrNone);
  EXPECT_EQ(bare->x_grid_type, 0u);
  EXPECT_NEAR(bare->Row(1)[2], 2.075, 1e-14);
}

TEST(ProcQArray, ExistingZoneMatrix) {
  // Two rows of 4 points under 10 blocks: the zone is re-sized and keeps
  // the x values that exist (RS data keep their own x values).
  auto* root = new cKyData(0);
  std::unique_ptr<cKyData> owner(root);
  root->data_type = kKyDataRs;
  cKyData* zone = NewZone(10, "1", "10", "lin");
  root->AddChild(zone);
  zone->SetSize(4, 2, 0, 0, 3);
  for (Qword i = 0; i < 4; ++i) zone->Row(0)[i] = 100.0 + static_cast<double>(i);
  ASSERT_EQ(RunStep(zone, "QARRAY, 1, 0, 1, , 0, -1").code, kErrNone);
  ExpectNodeInvariants(*zone);
  ASSERT_EQ(zone->points, 10u);
  ASSERT_EQ(zone->rows, 3u);
  for (Qword i = 0; i < 10; ++i) {
    EXPECT_EQ(zone->Row(0)[i], i < 4 ? 100.0 + static_cast<double>(i) : 0.0);
    EXPECT_NEAR(zone->Row(1)[i], static_cast<double>(i) + 0.075, 1e-14);
  }
  // Three rows of one point per block: used as they are, a fourth row kept.
  zone->SetSize(10, 4, 1, 5, 50);
  for (Qword i = 0; i < 10; ++i) zone->Row(3)[i] = 7;
  root->data_type = kKyDataBruker;
  ASSERT_EQ(RunStep(zone, "QARRAY, 3, 0, 1, , 0, 1").code, kErrNone);
  ASSERT_EQ(zone->rows, 4u);
  for (Qword i = 0; i < 10; ++i) {
    EXPECT_DOUBLE_EQ(zone->Row(0)[i], 5.0 + 5.0 * static_cast<double>(i));  // the zone's own grid
    EXPECT_DOUBLE_EQ(zone->Row(1)[i], 2 * static_cast<double>(i) + 0.01);
    EXPECT_EQ(zone->Row(3)[i], 7);
  }
}

// The calibration hands a record with its table to the root.
LibErrorCode RunTable(cKyData* root, double* table, const char* parameters) {
  Evp evp;
  InitEvp(&evp);
  evp.id = kEvpQArray;
  evp.mode = 6;
  evp.level = root->Height();  // 2 for the calibration's tree
  evp.caller_matrix = table;
  LibErrorCode e = kErrNone;
  evp.parameters = parameters ? EngineCopyA(parameters, &e) : nullptr;
  const LibErrorCode result = root->ExecuteEvp(&evp, nullptr);
  ReleaseEvp(&evp);
  return result;
}

TEST(ProcQArray, CallerTableSortedIntoTheNode) {
  std::unique_ptr<cKyData> root(new cKyData(0));
  for (int z = 0; z < 2; ++z) {
    auto* item = new cKyData(0);
    item->AddChild(NewSignalBlock(
        4, 0, 1, [](Qword) { return 1.0; }, [](Qword) { return 0.0; }));
    root->AddChild(item);
  }
  double two[] = {3, 1, 2, 30, 10, 20};
  ASSERT_EQ(RunTable(root.get(), two, "3, 2"), kErrNone);
  EXPECT_EQ(std::vector<double>(two, two + 6), std::vector<double>({1, 2, 3, 10, 20, 30}));
  EXPECT_EQ(MatrixCopy(root.get()), std::vector<double>({1, 2, 3, 10, 20, 30}));
  EXPECT_EQ(root->x_first, 1.0);
  EXPECT_EQ(root->x_last, 3.0);
  EXPECT_EQ(root->x_grid_type, 0u);
  // Three rows follow the same order.
  double three[] = {0.5, 0.1, 0.3, 0.2, 5, 1, 3, 2, 50, 10, 30, 20};
  ASSERT_EQ(RunTable(root.get(), three, "4, 3"), kErrNone);
  EXPECT_EQ(MatrixCopy(root.get()),
            std::vector<double>({0.1, 0.2, 0.3, 0.5, 1, 2, 3, 5, 10, 20, 30, 50}));
  // One row: loaded as it is.
  double one[] = {3, 1, 2};
  ASSERT_EQ(RunTable(root.get(), one, "3, 1"), kErrNone);
  EXPECT_EQ(MatrixCopy(root.get()), std::vector<double>({3, 1, 2}));
}

TEST(ProcQArray, CallerTableSizeCheckedFirst) {
  struct Case {
    const char* parameters;
    LibErrorCode code;
  };
  const Case cases[] = {
      {nullptr, kErrMissingParameters}, {"3", kErrMissingParameters},
      {", 2", kErrMissingParameters},   {"0, 2", kErrIllegalParameters},
      {"3, 0", kErrIllegalParameters},  {"4294967296, 4294967296", kErrIllegalParameters},
  };
  for (const Case& c : cases) {
    cKyData node(0);
    double table[] = {3, 1, 2, 30, 10, 20};
    EXPECT_EQ(RunTable(&node, table, c.parameters), c.code)
        << (c.parameters ? c.parameters : "null");
    EXPECT_EQ(std::vector<double>(table, table + 6), std::vector<double>({3, 1, 2, 30, 10, 20}));
    EXPECT_EQ(node.matrix, nullptr);
  }
  // No table: nothing to load.
  cKyData node(0);
  EXPECT_EQ(RunTable(&node, nullptr, "3, 2"), kErrNone);
  EXPECT_EQ(node.matrix, nullptr);
}

TEST(ProcQArray, CopyOfAChild) {
  std::unique_ptr<cKyData> zone(NewZone(3, "1", "3", "lin"));
  cKyData* child = zone->Child(1);
  child->x_scale = 3.0;
  const StepResult r = RunStep(zone.get(), "QARRAY, 7, 0, 1, , 1");
  ASSERT_EQ(r.code, kErrNone);
  EXPECT_TRUE(r.done);
  EXPECT_EQ(MatrixCopy(zone.get()), MatrixCopy(child));
  EXPECT_EQ(zone->x_grid_type, child->x_grid_type);
  EXPECT_EQ(zone->x_last, child->x_last);
  EXPECT_EQ(zone->x_scale, 1.0);  // units and scales are not copied
  EXPECT_EQ(RunStep(zone.get(), "QARRAY, 7, 0, 1, , 3").code, kErrIllegalParameters);
  EXPECT_EQ(RunStep(zone.get(), "QARRAY, 7, 0, 1, , ").code, kErrIllegalParameters);
}

}  // namespace
