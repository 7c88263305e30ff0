// DOSY: two peaks decaying as exp(-D b) over the gradient factors
// b = g^2 (gamma delta)^2 (Delta - delta/3) 1e4 give their largest values in
// the blocks of the grid coefficients nearest D1 and D2; the zone gets its
// own parameters; bad input is refused before any block is deleted.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "arrays/grid.h"
#include "node_invariants.h"
#include "relax_fixture.h"

namespace {

constexpr Qword kNp = 200;
constexpr Qword kNg = 12;
constexpr double kD1 = 0.01, kD2 = 0.05;
constexpr Qword kP1 = 60, kP2 = 140;

double Lorentz(Qword p, Qword centre) {
  const double u = (static_cast<double>(p) - static_cast<double>(centre)) / 3.0;
  return 1 / (1 + u * u);
}

// Gradient factor of spectrum k: the gradients run linearly from 0.01 to
// 0.5; delta 2 ms, Delta 100 ms.
double GradientFactor(Qword k) {
  const double g = 0.01 + (0.5 - 0.01) * static_cast<double>(k) / (kNg - 1);
  const double gd = 267.5153361426958 * 0.002;
  return g * g * gd * gd * (0.1 - 0.002 / 3) * 1e4;
}

// A root whose parameters (shared by its zones) describe the experiment,
// with a zone of kNg spectra and a second zone that reads the same root.
struct DosyTree {
  std::unique_ptr<cKyData> root{new cKyData(0)};
  cKyData* zone = new cKyData(0);
  explicit DosyTree(Dword block_flags = kKyDataFrequencyDomain) {
    for (const auto& [name, value] : {std::pair<const char*, const char*>{"LITDEL", "0.002"},
                                      {"BIGDEL", "0.1"},
                                      {"BINI", "0.01"},
                                      {"BEND", "0.5"}})
      root->parameters.AddEntry(name, value, nullptr);
    for (Qword k = 0; k < kNg; ++k) {
      auto* b = new cKyData(0);
      b->SetSize(kNp, 3, 1, 0, kNp - 1);
      const double bk = GradientFactor(k);
      for (Qword p = 0; p < kNp; ++p) {
        const double t = static_cast<double>(p * 7 + k * 13);
        b->Row(0)[p] = static_cast<double>(p);
        // Small deterministic noise so that the region search sees a level.
        b->Row(1)[p] = Lorentz(p, kP1) * std::exp(-kD1 * bk) +
                       0.8 * Lorentz(p, kP2) * std::exp(-kD2 * bk) +
                       1e-4 * std::sin(1.7 * t) * std::cos(0.31 * t * t);
        b->Row(2)[p] = 1e-4 * std::cos(2.3 * t);
      }
      b->x_scale = 2.5;
      b->x_offset = -4;
      b->node_flags = block_flags;
      zone->AddChild(b);
    }
    root->AddChild(zone);
    root->AddChild(new cKyData(0));
  }
};

const char* kCommand = "DOSY, 1, 0, 1, , 32, 2, 1, 0.001, 1, 1";

TEST(ProcDosy, PeaksAtTheirDiffusionCoefficients) {
  DosyTree t;
  const RelaxStep r = RunRelax(t.zone, kCommand);
  ASSERT_EQ(r.code, kErrNone);
  EXPECT_TRUE(r.done);
  ASSERT_EQ(t.zone->ChildCount(), 32u);
  EXPECT_EQ(t.zone->matrix, nullptr);
  std::vector<double> grid(32);
  for (Qword j = 0; j < 32; ++j) grid[j] = 0.001 * std::pow(1000.0, static_cast<double>(j) / 31);
  auto nearest = [&](double d) {
    Qword best = 0;
    for (Qword j = 0; j < 32; ++j)
      if (std::fabs(std::log(grid[j] / d)) < std::fabs(std::log(grid[best] / d))) best = j;
    return best;
  };
  for (const auto& [p, d] :
       {std::pair<Qword, double>{kP1, kD1}, std::pair<Qword, double>{kP2, kD2}}) {
    Qword best = 0;
    for (Qword j = 0; j < 32; ++j)
      if (t.zone->Child(j)->Row(1)[p] > t.zone->Child(best)->Row(1)[p]) best = j;
    EXPECT_EQ(best, nearest(d)) << p;
    EXPECT_GT(t.zone->Child(best)->Row(1)[p], 0.5);
  }
  for (Qword j = 0; j < 32; ++j) {
    const cKyData* b = t.zone->Child(j);
    EXPECT_EQ(b->node_flags, kKyDataDosyResult);
    ASSERT_EQ(b->points, kNp);
    ASSERT_EQ(b->rows, 3u);
    EXPECT_EQ(b->x_grid_type, 1u);
    EXPECT_EQ(b->x_last, kNp - 1.0);
    EXPECT_EQ(b->x_scale, 2.5);
    EXPECT_EQ(b->x_offset, -4.0);
    for (Qword p = 0; p < kNp; ++p) {
      EXPECT_EQ(b->Row(0)[p], static_cast<double>(p));
      EXPECT_EQ(b->Row(2)[p], 0.0);
    }
    ExpectNodeInvariants(*b);
  }
  // The reference: the first spectrum, kept inside its regions only; far
  // from both peaks nothing is marked.
  const cKyData* ref = t.zone->Child(0)->linked;
  ASSERT_NE(ref, nullptr);
  EXPECT_NEAR(ref->Row(1)[kP1], 1.0, 1e-3);
  EXPECT_EQ(ref->Row(1)[0], 0.0);
  EXPECT_EQ(ref->Row(1)[kNp - 1], 0.0);
  EXPECT_EQ(t.zone->Child(5)->Row(1)[0], 0.0);
  // The zone holds its own parameters now; the root keeps the gradients.
  char text[1024];
  ASSERT_GE(t.zone->parameters.GetString("BGRD", text), 0);
  EXPECT_STREQ(text, RArrGridNameFromTypeA(2));
  ASSERT_GE(t.zone->parameters.GetString("BUNIT", text), 0);
  EXPECT_STREQ(text, "cm^2/s");
  EXPECT_EQ(t.zone->parameters.GetReal("BINI"), 0.001);
  EXPECT_EQ(t.zone->parameters.GetReal("BEND"), 1.0);
  EXPECT_EQ(t.zone->parameters.GetReal("LITDEL"), 0.002);
  EXPECT_EQ(t.root->parameters.GetReal("BINI"), 0.01);
  EXPECT_EQ(t.root->parameters.GetReal("BEND"), 0.5);
  EXPECT_STREQ(t.zone->x_unit, "cm^2/s");
}

TEST(ProcDosy, BadInputIsRefusedBeforeAnyBlockGoes) {
  struct Case {
    const char* command;
    LibErrorCode code;
  } cases[] = {
      {"DOSY, 1, 0, 1, , 0, 2, 1, 0.001, 1, 1", kErrIllegalParameters},  // nD = 0
      {"DOSY, 1, 0, 1, , 1, 2, 1, 0.001, 1, 1", kErrIllegalParameters},  // nD = 1
      {"DOSY, 1, 0, 1, , 32, 2, 0, 1, 1, 1", kErrIllegalParameters},     // log grid from 0
      {"DOSY, 1, 0, 1, , 32, 9, 0.1, 1, 1, 1", kErrIllegalParameters},   // unknown grid type
      {"DOSY, 1, 0, 1, , 32, 2, 0.001, 1, , 1", kErrMissingParameters},  // no sharpness
      {"DOSY, 1, 0, 1, , , 2, 0.001, 1, 1, 1", kErrMissingParameters},   // no count
      {"DOSY, 2, 0, 1, , 32, 2, 0.001, 1, 1, 1", kErrUnknownProcedureMode},
  };
  for (const Case& c : cases) {
    DosyTree t;
    EXPECT_EQ(RunRelax(t.zone, c.command).code, c.code) << c.command;
    EXPECT_EQ(t.zone->ChildCount(), kNg) << c.command;
    EXPECT_EQ(t.zone->Child(0)->linked, nullptr);
  }
  DosyTree no_delay;
  no_delay.root->parameters.Remove("LITDEL");
  EXPECT_EQ(RunRelax(no_delay.zone, kCommand).code, kErrMissingParameters);
  EXPECT_EQ(no_delay.zone->ChildCount(), kNg);
  DosyTree time_domain(kKyDataTimeDomain);
  EXPECT_EQ(RunRelax(time_domain.zone, kCommand).code, kErrIllegalDataType);
  DosyTree no_owner;
  no_owner.root->parameters.Clear();
  EXPECT_EQ(RunRelax(no_owner.zone, kCommand).code, kErrMissingParameters);
  DosyTree short_block;
  short_block.zone->Child(3)->SetSize(10, 3, 1, 0, 9);
  EXPECT_EQ(RunRelax(short_block.zone, kCommand).code, kErrIllegalDataSize);
  EXPECT_EQ(short_block.zone->ChildCount(), kNg);
  cKyData empty_zone(0);
  empty_zone.parameters.AddEntry("LITDEL", "1", nullptr);
  EXPECT_EQ(RunRelax(&empty_zone, kCommand).code, kErrMissingDataObject);
}

}  // namespace
