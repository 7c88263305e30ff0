// The data plot: one hand-built tree per view kind, the series and ranges
// it builds (recomputed here from the tree), the failures that leave no
// plot, and the drawing through the recording back end.
#include "data_engine/data_plot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data_engine/ky_data.h"
#include "framework/graphics/axes.h"
#include "framework/graphics/gw_data.h"
#include "support/alloc_failure.h"
#include "support/plot_trees.h"
#include "support/recording_draw.h"

using namespace plot_trees;

namespace {

// A plot built for a window id, drawn to a recording back end.
struct View {
  Qword window_id;
  RecordingDraw rec{800, 600};
  cKyDataPlot* plot = nullptr;
  cKyGw* gw = nullptr;
  View(cKyData* root, Qword code) : window_id(code) {
    Recorder() = &rec;
    gw = new cKyGw(&window_id, WindowCallback);
    plot = NewKyDataPlot(root, gw);
    if (plot)
      plot->AdoptContext();
    else
      delete gw;
  }
  ~View() {
    delete plot;
    Recorder() = nullptr;
  }
  View(const View&) = delete;
};

std::vector<std::string> Names(const cGwData* data) {
  std::vector<std::string> out;
  for (const cGwArr* a = data->FirstArray(); a; a = a->next) out.push_back(a->name);
  return out;
}

const cGwArr* Find(const cGwData* data, const char* name, Qword nth = 0) {
  for (cGwArr* a = cGwArr::FindByName(name, data->FirstArray()); a;
       a = cGwArr::FindByName(name, a->next))
    if (nth-- == 0) return a;
  return nullptr;
}

// The other data object of a distribution plot (the continuous part).
const cGwData* SecondData(cKyDataPlot* plot) {
  for (cKyListItem* i = plot->Children()->FirstB(); i; i = i->NextB()) {
    auto* d = dynamic_cast<cGwData*>(static_cast<cGrob*>(i));
    if (d && d != plot->data) return d;
  }
  return nullptr;
}

cKyData* WithRoot(std::function<void(cKyData*)> fill) {
  auto* root = new cKyData(0);
  fill(root);
  return root;
}

struct ViewCase {
  const char* what;
  std::function<cKyData*()> tree;
  Qword code;
  Dword kind, flags, word3;
  const char* title;
  std::vector<std::string> names;
  Dword axis_flags;
  Dword orientation;
  const char* unit;
};

std::vector<ViewCase> ViewCases() {
  const auto decays = [] { return NewDecayTree(4, 3, 64); };
  return {
      {"block 0 of item 3",
       decays,
       MakeViewCode(kViewBlock, 3, 0),
       4,
       0x6000001,
       3,
       "(time, real, imag, magn, powr, fit, delta)",
       {"time", "real", "imag", "magn", "powr"},
       0,
       0,
       "s"},
      {"block with a fit row",
       [] {
         cKyData* root = NewDecayTree(1, 2, 16);
         auto* item = root->FirstChild();
         item->AddChild(NewDecay(0, 2, 16, 4));
         return root;
       },
       MakeViewCode(kViewBlock, 0, 2),
       4,
       0x6000001,
       3,
       "(time, real, imag, magn, powr, fit, delta)",
       {"time", "real", "imag", "magn", "powr", "fit", "delta"},
       0,
       0,
       "s"},
      {"blocks side by side",
       decays,
       MakeViewCode(kViewBlocksSideBySide, 1, 0),
       3,
       0x6800022 | kPlotMarginX | kPlotMarginY,
       0,
       "(time, real, imag, magn, powr)",
       {"time", "real", "imag", "magn", "powr", "real", "imag", "magn", "powr", "real", "imag",
        "magn", "powr"},
       0,
       0,
       "s"},
      {"blocks stacked",
       decays,
       MakeViewCode(kViewBlocksStacked, 2, 0),
       3,
       0x42 | kPlotMarginX | kPlotMarginY,
       0,
       "(time, real, imag, magn, powr)",
       {"time", "real", "imag", "real", "imag", "real", "imag"},
       0,
       0,
       "s"},
      {"relaxation curve",
       [] { return NewCurveTree(); },
       MakeViewCode(kViewCurve, 0, 0),
       2,
       0x8000001 | kPlotMarginX | kPlotMarginY,
       0,
       "(tau, data, datai, fit, delta)",
       {"tau", "data", "comp", "comp", "comp", "fit", "delta"},
       0x10000,
       0,
       nullptr},
      {"distribution",
       [] {
         cKyData* root = NewCurveTree();
         delete root->FirstChild()->linked;
         const double amps[] = {2.0, 6.0};
         root->FirstChild()->linked = NewDistribution(2, 10, amps);
         return root;
       },
       MakeViewCode(kViewDistribution, 0, 0),
       5,
       0x1 | kPlotMarginX | kPlotMarginY,
       0,
       "(time, dilt)",
       {"time", "dilt"},
       0x2011210,
       0,
       "1/s"},
      {"dispersion profile",
       [] {
         return WithRoot([](cKyData* r) {
           FillRows(r, 6, 4, ProfileValue);
           r->row_flags[3] = kKyRowResult;
         });
       },
       MakeViewCode(kViewProfile, 0, 0),
       6,
       0x401 | kPlotMarginX | kPlotMarginY,
       0,
       "(brlx, r, fit)",
       {"brlx", "r", "r", "fit"},
       0x12111210,
       0,
       nullptr},
      {"apodization view",
       [] {
         cKyData* root = NewDecayTree(1, 2, 32);
         root->FirstChild()->FirstChild()->linked = NewDecay(0, 5, 32);
         return root;
       },
       MakeViewCode(kViewApodization, 0, 1),
       100,
       0x1 | kPlotMarginX | kPlotMarginY,
       1,
       "(time, refreal, real, imag, apod)",
       {"time", "refreal", "real", "imag"},
       0,
       0,
       "s"},
      {"QARRAY table, LOG grid",
       [] { return NewQarrayTree("log", "G/cm"); },
       MakeViewCode(kViewQarray, 0, 0),
       102,
       0x20000001 | kPlotMarginX | kPlotMarginY,
       0,
       "(tau, qtot, qr)",
       {"tau", "qtot", "qr"},
       0x2010210,
       kGwRotateCcw,
       "G/cm"},
      {"QARRAY table, LIN grid",
       [] { return NewQarrayTree("LIN", nullptr); },
       MakeViewCode(kViewQarray, 0, 0),
       102,
       0x20000001 | kPlotMarginX | kPlotMarginY,
       0,
       "(tau, qtot, qr)",
       {"tau", "qtot", "qr"},
       0,
       kGwRotateCcw,
       nullptr},
      {"calibration",
       [] { return WithRoot([](cKyData* r) { FillRows(r, 5, 4, CalibrationValue); }); },
       MakeViewCode(kViewCalibration, 7, 0),
       2,
       0x1000001 | kPlotMarginX | kPlotMarginY,
       0,
       "(tau, data, datai, fit, delta)",
       {"tau", "data", "datai", "fit", "delta"},
       0x2010200,
       0,
       "%"},
  };
}

}  // namespace

TEST(DataPlot, EveryViewBuildsItsSeriesTitleAxesAndUnit) {
  for (const ViewCase& c : ViewCases()) {
    SCOPED_TRACE(c.what);
    std::unique_ptr<cKyData> root(c.tree());
    View v(root.get(), c.code);
    ASSERT_NE(v.plot, nullptr);
    EXPECT_EQ(v.plot->root, root.get());
    EXPECT_EQ(v.plot->kind, c.kind);
    // The block views add both margin flags once they scale.
    EXPECT_EQ(v.plot->flags | kPlotMarginX | kPlotMarginY, c.flags | kPlotMarginX | kPlotMarginY);
    EXPECT_EQ(v.plot->word3, c.word3);
    ASSERT_NE(v.plot->data->Title(), nullptr);
    EXPECT_STREQ(v.plot->data->Title(), c.title);
    EXPECT_EQ(Names(v.plot->data), c.names);
    EXPECT_EQ(v.plot->axes->XAxis()->AxisFlags(), c.axis_flags & 0xFFFF);
    EXPECT_EQ(v.plot->axes->YAxis()->AxisFlags(), c.axis_flags >> 16);
    EXPECT_EQ(v.gw->Orientation(), c.orientation);
    if (c.unit)
      EXPECT_STREQ(v.plot->cursor_unit, c.unit);
    else
      EXPECT_TRUE(v.plot->cursor_unit == nullptr || v.plot->cursor_unit[0] == 0);
    EXPECT_EQ(v.plot->Context(), v.gw);
    const bool block_view = ViewKind(c.code) == kViewBlock || ViewKind(c.code) == kViewApodization;
    EXPECT_EQ(v.plot->block_index, block_view ? static_cast<Qlong>(ViewBlock(c.code)) : -1);
    // Every series is drawable and the scale finite.
    for (const cGwArr* a = v.plot->data->FirstArray(); a; a = a->next) EXPECT_GT(a->count, 0u);
    EXPECT_TRUE(std::isfinite(v.gw->XRange()) && v.gw->XRange() > 0);
    EXPECT_TRUE(std::isfinite(v.gw->YRange()) && v.gw->YRange() > 0);
    EXPECT_EQ(v.plot->axes->IsHidden(), ViewKind(c.code) == kViewBlocksStacked);
  }
}

TEST(DataPlot, ViewsThatShowNothingGiveNoPlot) {
  struct Case {
    const char* what;
    std::function<cKyData*()> tree;
    Qword code;
    LibErrorCode error;
  } cases[] = {
      {"view 0x5", [] { return NewCurveTree(); }, MakeViewCode(0x5, 0, 0), kErrNotYetImplemented},
      {"view 0", [] { return NewDecayTree(1, 1, 8); }, MakeViewCode(0, 0, 0),
       kErrNotYetImplemented},
      {"view 0x7", [] { return NewDecayTree(1, 1, 8); }, MakeViewCode(0x7, 0, 0),
       kErrNotYetImplemented},
      {"view 0x200", [] { return NewDecayTree(1, 1, 8); }, MakeViewCode(0x200, 0, 0),
       kErrNotYetImplemented},
      {"item beyond the tree", [] { return NewDecayTree(2, 1, 8); }, MakeViewCode(kViewBlock, 2, 0),
       kErrMissingInputData},
      {"block beyond the item", [] { return NewDecayTree(1, 3, 8); },
       MakeViewCode(kViewBlock, 0, 3), kErrMissingInputData},
      {"apodization block beyond", [] { return NewDecayTree(1, 1, 8); },
       MakeViewCode(kViewApodization, 0, 1), kErrMissingInputData},
      {"distribution without a linked node", [] { return NewDecayTree(1, 1, 8); },
       MakeViewCode(kViewDistribution, 0, 0), kErrMissingDataObject},
      {"distribution of a missing item", [] { return NewDecayTree(1, 1, 8); },
       MakeViewCode(kViewDistribution, 4, 0), kErrMissingInputData},
      {"empty distribution",
       [] {
         cKyData* root = NewDecayTree(1, 1, 8);
         root->FirstChild()->linked = new cKyData(0);
         return root;
       },
       MakeViewCode(kViewDistribution, 0, 0), kErrMissingInputData},
      {"curve of an item without rows", [] { return NewDecayTree(1, 1, 8); },
       MakeViewCode(kViewCurve, 0, 0), kErrMissingInputData},
      {"calibration without data row",
       [] { return WithRoot([](cKyData* r) { FillRows(r, 5, 1, CalibrationValue); }); },
       MakeViewCode(kViewCalibration, 0, 0), kErrMissingInputData},
      {"calibration without datai row",
       [] { return WithRoot([](cKyData* r) { FillRows(r, 5, 2, CalibrationValue); }); },
       MakeViewCode(kViewCalibration, 0, 0), kErrMissingInputData},
      {"profile of an empty root", [] { return new cKyData(0); }, MakeViewCode(kViewProfile, 0, 0),
       kErrMissingInputData},
      {"QARRAY of an item without points", [] { return NewDecayTree(1, 1, 8); },
       MakeViewCode(kViewQarray, 0, 0), kErrMissingInputData},
      {"QARRAY without qtot row",
       [] {
         return WithRoot([](cKyData* r) {
           auto* item = new cKyData(0);
           FillRows(item, 5, 2, QarrayValue);
           r->AddChild(item);
         });
       },
       MakeViewCode(kViewQarray, 0, 0), kErrMissingInputData},
      {"blocks of an item without blocks", [] { return NewCurveTree(); },
       MakeViewCode(kViewBlocksSideBySide, 0, 0), kErrMissingInputData},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::unique_ptr<cKyData> root(c.tree());
    View v(root.get(), c.code);
    EXPECT_EQ(v.plot, nullptr);
    Qword id = c.code;
    cKyGw gw(&id, nullptr);
    cKyDataPlot direct(root.get(), &gw);
    EXPECT_EQ(direct.root, nullptr);
    EXPECT_EQ(direct.build_error, c.error);
    EXPECT_EQ(direct.data->ArrayCount(), 0u);  // reset
  }
  Qword id = MakeViewCode(kViewBlock, 0, 0);
  cKyGw gw(&id, nullptr);
  EXPECT_EQ(NewKyDataPlot(nullptr, &gw), nullptr);
  std::unique_ptr<cKyData> root(NewDecayTree(1, 1, 4));
  EXPECT_EQ(NewKyDataPlot(root.get(), nullptr), nullptr);
}

TEST(DataPlot, BlockViewSeriesAndRangeOverEveryBlock) {
  std::unique_ptr<cKyData> root(NewDecayTree(4, 3, 64));
  View v(root.get(), 0x100000000ull + 3);
  ASSERT_NE(v.plot, nullptr);
  cKyData* item = root->Child(3);
  cKyData* block = item->Child(0);
  // Real and imaginary parts are the block's own rows, borrowed.
  EXPECT_EQ(Find(v.plot->data, "time")->values, block->Row(0));
  EXPECT_EQ(Find(v.plot->data, "real")->values, block->Row(1));
  EXPECT_EQ(Find(v.plot->data, "imag")->values, block->Row(2));
  const cGwArr* magn = Find(v.plot->data, "magn");
  const cGwArr* powr = Find(v.plot->data, "powr");
  double largest = 0;
  for (Qword i = 0; i < 64; ++i) {
    const double t = 1e-3 * i;
    largest = std::max(largest, std::hypot(DecayRe(3, 0, t), DecayIm(3, 0, t)));
  }
  for (Qword i = 0; i < 64; ++i) {
    const double t = 1e-3 * i;
    const double re = DecayRe(3, 0, t), im = DecayIm(3, 0, t);
    EXPECT_NEAR(magn->values[i], std::hypot(re, im), 1e-14);
    EXPECT_NEAR(powr->values[i], (re * re + im * im) / largest, 1e-14);
  }
  EXPECT_EQ(Find(v.plot->data, "real")->colour, 0xC0000000u);
  EXPECT_EQ(Find(v.plot->data, "imag")->colour, 0x800000u);
  EXPECT_EQ(powr->colour, kGwGrey);
  EXPECT_EQ(Find(v.plot->data, "time")->flags, 0xC0000001u);
  EXPECT_EQ(magn->flags, 0x80000000u);
  // y over rows 1 and 2 of every block of item 3.
  double lo = INFINITY, hi = -INFINITY;
  for (Qword b = 0; b < 3; ++b)
    for (Qword i = 0; i < 64; ++i) {
      const double t = 1e-3 * i;
      lo = std::min({lo, DecayRe(3, b, t), DecayIm(3, b, t)});
      hi = std::max({hi, DecayRe(3, b, t), DecayIm(3, b, t)});
    }
  EXPECT_DOUBLE_EQ(v.plot->y_data_min, lo);
  EXPECT_DOUBLE_EQ(v.plot->y_data_max, hi);
  EXPECT_DOUBLE_EQ(v.plot->x_data_max, 0.063);
  EXPECT_EQ(v.plot->x_margin, 0.005);
  // Autoscaled: margins of 0.005 in x and 0.05 in y around the data.
  EXPECT_NEAR(v.gw->XMin(), -0.005 * 0.063, 1e-15);
  EXPECT_NEAR(v.gw->YMin(), lo - 0.05 * (hi - lo), 1e-12);
  EXPECT_NEAR(v.gw->YRange(), 1.1 * (hi - lo), 1e-12);
}

TEST(DataPlot, PowerOfABlockWithoutSignalIsZeroNotNaN) {
  std::unique_ptr<cKyData> root(NewDecayTree(1, 1, 16));
  cKyData* block = root->FirstChild()->FirstChild();
  for (Qword i = 0; i < 16; ++i) block->Row(1)[i] = block->Row(2)[i] = 0.0;
  View v(root.get(), MakeViewCode(kViewBlock, 0, 0));
  ASSERT_NE(v.plot, nullptr);
  const cGwArr* powr = Find(v.plot->data, "powr");
  ASSERT_NE(powr, nullptr);
  for (Qword i = 0; i < 16; ++i) EXPECT_EQ(powr->values[i], 0.0);
  EXPECT_TRUE(std::isfinite(v.gw->YMin()) && std::isfinite(v.gw->YRange()));
}

TEST(DataPlot, StackedAndSideBySideRanges) {
  for (Qword blocks : {1, 2, 3, 6}) {
    SCOPED_TRACE(blocks);
    std::unique_ptr<cKyData> root(NewDecayTree(1, blocks, 32));
    View stacked(root.get(), MakeViewCode(kViewBlocksStacked, 0, 0));
    ASSERT_NE(stacked.plot, nullptr);
    EXPECT_EQ(stacked.plot->data->RowCount(), blocks);
    double hi = -INFINITY;
    for (Qword b = 0; b < blocks; ++b)
      for (Qword i = 0; i < 32; ++i)
        hi = std::max({hi, DecayRe(0, b, 1e-3 * i), DecayIm(0, b, 1e-3 * i)});
    const double s = static_cast<double>(blocks);
    const double top = hi * std::max(1.0, std::floor(s / 2));
    EXPECT_DOUBLE_EQ(stacked.plot->y_data_max, top);
    EXPECT_DOUBLE_EQ(stacked.plot->y_data_min, -top / (2 * s - 1));
    // One block still spans a curve's height, never [0, 0].
    EXPECT_GT(stacked.plot->y_data_max - stacked.plot->y_data_min, hi);
    for (const cGwArr* a = stacked.plot->data->FirstArray(); a; a = a->next)
      EXPECT_TRUE(a->flags & kGwArrNoMarkers);

    View side(root.get(), MakeViewCode(kViewBlocksSideBySide, 0, 0));
    ASSERT_NE(side.plot, nullptr);
    EXPECT_EQ(side.plot->x_data_min, 0.0);
    EXPECT_DOUBLE_EQ(side.plot->x_data_max, s * 0.031);
    for (Qword b = 0; b < blocks; ++b) EXPECT_EQ(Find(side.plot->data, "real", b)->block_index, b);
  }
  // Blocks without a positive top fall back to their own span.
  std::unique_ptr<cKyData> root(NewDecayTree(1, 1, 8));
  cKyData* block = root->FirstChild()->FirstChild();
  for (Qword i = 0; i < 8; ++i) {
    block->Row(1)[i] = -1.0 - i;
    block->Row(2)[i] = -2.0;
  }
  View v(root.get(), MakeViewCode(kViewBlocksStacked, 0, 0));
  ASSERT_NE(v.plot, nullptr);
  EXPECT_EQ(v.plot->y_data_min, -8.0);
  EXPECT_EQ(v.plot->y_data_max, -1.0);
}

TEST(DataPlot, CurveWithComponentsFitAndDelta) {
  std::unique_ptr<cKyData> root(NewCurveTree(8));
  View v(root.get(), MakeViewCode(kViewCurve, 0, 0));
  ASSERT_NE(v.plot, nullptr);
  const cGwArr* data = Find(v.plot->data, "data");
  EXPECT_EQ(data->marker_kind, 1u);
  EXPECT_EQ(data->marker_size, 3u);
  EXPECT_EQ(data->flags, 0xC0005000u);
  const double amps[] = {3.0, 1.0}, rates[] = {5.0, 40.0};
  for (Qword i = 0; i < 8; ++i) {
    const double tau = CurveValue(0, i);
    for (Qword k = 0; k < 2; ++k)
      EXPECT_NEAR(Find(v.plot->data, "comp", k)->values[i],
                  amps[k] * std::exp(-rates[k] * tau) + 0.5, 1e-14);
    EXPECT_EQ(Find(v.plot->data, "comp", 2)->values[i], 0.5);
    EXPECT_EQ(Find(v.plot->data, "delta")->values[i], CurveValue(1, i) - CurveValue(3, i));
  }
  EXPECT_EQ(Find(v.plot->data, "fit")->colour, 0xF000u);
  EXPECT_EQ(Find(v.plot->data, "delta")->colour, 0xFF00FF00u);
  EXPECT_EQ(Find(v.plot->data, "comp")->flags, 0x80002000u);
}

// The component count and the discrete count come from result 0; neither
// may reach past the linked node.
TEST(DataPlot, CountsFromResultZeroAreClamped) {
  struct Case {
    double result0;
    Qword comps;  // component curves without the offset line
  } cases[] = {{2, 2}, {1e6, 2}, {1e30, 2}, {-3, 0}, {0.5, 0}, {1, 1}, {HUGE_VAL, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.result0);
    std::unique_ptr<cKyData> root(NewCurveTree(8));
    root->FirstChild()->results[0] = c.result0;
    View v(root.get(), MakeViewCode(kViewCurve, 0, 0));
    ASSERT_NE(v.plot, nullptr);
    Qword n = 0;
    while (Find(v.plot->data, "comp", n)) ++n;
    EXPECT_EQ(n, c.comps + 1);
  }
  const double amps[] = {1, 2, 3};
  for (double f : {3.0, 1e9, HUGE_VAL}) {
    SCOPED_TRACE(f);
    std::unique_ptr<cKyData> root(NewCurveTree());
    delete root->FirstChild()->linked;
    cKyData* dist = NewDistribution(3, 0, amps);
    dist->results[0] = f;
    root->FirstChild()->linked = dist;
    View v(root.get(), MakeViewCode(kViewDistribution, 0, 0));
    ASSERT_NE(v.plot, nullptr);
    EXPECT_EQ(SecondData(v.plot), nullptr);  // every point is discrete
    EXPECT_EQ(Names(v.plot->data), (std::vector<std::string>{"time", "dilt"}));
  }
}

namespace {

// The bin of x on the 256-point grid 10^(-4 + 6k/255): the nearest in log.
Qword NearestBin(double x) {
  const double l = std::log10(x);
  Qword best = 0;
  for (Qword k = 1; k < 256; ++k)
    if (std::fabs(l - (-4.0 + 6.0 * k / 255.0)) < std::fabs(l - (-4.0 + 6.0 * best / 255.0)))
      best = k;
  return best;
}

}  // namespace

TEST(DataPlot, DistributionHistogramAndContinuousPart) {
  struct Case {
    std::vector<double> amps;
    double sign;
  } cases[] = {
      {{2.0, 6.0}, 1.0}, {{2.0, 6.0, -1.0, 4.0, 1.0}, -1.0}, {{1.0, -1.0}, 1.0}, {{0.0, 0.0}, 1.0}};
  for (const Case& c : cases) {
    const Qword f = c.amps.size();
    SCOPED_TRACE(f);
    std::unique_ptr<cKyData> root(NewCurveTree());
    delete root->FirstChild()->linked;
    root->FirstChild()->linked = NewDistribution(f, 12, c.amps.data(), c.sign);
    View v(root.get(), MakeViewCode(kViewDistribution, 0, 0));
    ASSERT_NE(v.plot, nullptr);
    const cGwArr* grid = Find(v.plot->data, "time");
    const cGwArr* hist = Find(v.plot->data, "dilt");
    ASSERT_EQ(grid->count, 256u);
    // Logarithmic x axis: the grid as log10, -4 .. 2.
    EXPECT_NEAR(grid->values[0], -4.0, 1e-12);
    EXPECT_NEAR(grid->values[255], 2.0, 1e-12);
    double sum = 0, abs_sum = 0, largest = 0;
    for (double a : c.amps) {
      sum += a;
      abs_sum += std::fabs(a);
      largest = std::max(largest, std::fabs(a));
    }
    const double total = sum != 0 ? sum : abs_sum;
    const double scale = total != 0 ? 100.0 / total : 1.0;
    std::vector<double> want(256, 0.0);
    const double rates[] = {7.0, 300.0, 0.2, 0.0, 45.0};
    for (Qword i = 0; i < f; ++i)
      want[NearestBin(rates[i] == 0 ? 100.0 : 1 / rates[i])] += c.amps[i] * scale;
    for (Qword k = 0; k < 256; ++k) {
      ASSERT_TRUE(std::isfinite(hist->values[k]));
      EXPECT_NEAR(hist->values[k], want[k], 1e-12) << k;
    }
    // The continuous part reaches the height of the largest component.
    const cGwData* second = SecondData(v.plot);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(Names(second), (std::vector<std::string>{"time", "cilt"}));
    EXPECT_STREQ(second->Title(), "(time, cilt)");
    const cGwArr* cilt = Find(second, "cilt");
    double top = 0, csum = 0;
    for (Qword j = 0; j < cilt->count; ++j) {
      top = std::max(top, std::fabs(cilt->values[j]));
      csum += cilt->values[j];
    }
    const double height = (largest * std::fabs(scale) > 0) ? largest * std::fabs(scale) : 100.0;
    EXPECT_NEAR(top, height, 1e-12);
    EXPECT_GT(csum, 0.0);  // a negative continuous part is turned over
    // x of the continuous part: log10 of 1/rate.
    EXPECT_NEAR(Find(second, "time")->values[0], 0.0, 1e-15);
    EXPECT_NEAR(Find(second, "time")->values[11], -4.0, 1e-12);
    EXPECT_EQ(v.plot->include_zero_x, 0);
    EXPECT_TRUE(std::isfinite(v.gw->YRange()) && std::isfinite(v.gw->YMin()));
    EXPECT_LE(v.plot->x_data_min, -4.0);
    EXPECT_GE(v.plot->x_data_max, 2.0);
  }
}

TEST(DataPlot, DistributionWithoutDiscretePartShowsTheContinuousOne) {
  std::unique_ptr<cKyData> root(NewCurveTree());
  delete root->FirstChild()->linked;
  cKyData* dist = NewDistribution(0, 12, nullptr);
  dist->results[0] = NAN;
  root->FirstChild()->linked = dist;
  View v(root.get(), MakeViewCode(kViewDistribution, 0, 0));
  ASSERT_NE(v.plot, nullptr);
  EXPECT_EQ(Names(v.plot->data), (std::vector<std::string>{"time", "cilt"}));
  EXPECT_STREQ(v.plot->data->Title(), "(time, cilt)");
  EXPECT_EQ(v.plot->data->Plot(), v.plot);
  EXPECT_NEAR(v.plot->x_data_min, -4.0, 1e-12);
  EXPECT_EQ(v.plot->x_data_max, 0.0);  // the range starts at 0 .. 0
  EXPECT_DOUBLE_EQ(v.plot->y_data_max, 100.0);
}

TEST(DataPlot, ProfileRowsAsLog10AndFitByRowFlag) {
  std::unique_ptr<cKyData> root(new cKyData(0));
  FillRows(root.get(), 6, 4, ProfileValue);
  root->row_flags[2] = kKyRowResult;
  root->Row(1)[3] = 0.0;  // no logarithm: left out, not -inf
  View v(root.get(), MakeViewCode(kViewProfile, 9, 9));
  ASSERT_NE(v.plot, nullptr);
  EXPECT_EQ(Names(v.plot->data), (std::vector<std::string>{"brlx", "r", "fit", "r"}));
  for (Qword r = 0; r < 4; ++r)
    for (Qword i = 0; i < 6; ++i) {
      const cGwArr* a = v.plot->data->FirstArray();
      for (Qword k = 0; k < r; ++k) a = a->next;
      if (r == 1 && i == 3)
        EXPECT_TRUE(std::isnan(a->values[i]));
      else
        EXPECT_NEAR(a->values[i], std::log10(ProfileValue(r, i)), 1e-15);
    }
  EXPECT_EQ(Find(v.plot->data, "fit")->flags, 0x80002000u);
  EXPECT_EQ(Find(v.plot->data, "r")->flags, 0x80005000u);
  EXPECT_EQ(Find(v.plot->data, "r")->colour, 0xC0000000u);
  EXPECT_TRUE(std::isfinite(v.plot->y_data_min));
}

TEST(DataPlot, QarrayTableTakesItsUnitAndLogAxis) {
  std::unique_ptr<cKyData> root(NewQarrayTree("  Log", "G/cm"));
  cKyData* item = root->FirstChild();
  ASSERT_EQ(item->x_unit, nullptr);
  View v(root.get(), MakeViewCode(kViewQarray, 0, 0));
  ASSERT_NE(v.plot, nullptr);
  ASSERT_NE(item->x_unit, nullptr);
  EXPECT_STREQ(item->x_unit, "G/cm");
  EXPECT_EQ(v.plot->cursor_unit, item->x_unit);
  const cGwArr* tau = Find(v.plot->data, "tau");
  for (Qword i = 0; i < 5; ++i) EXPECT_NEAR(tau->values[i], -3.0 + i, 1e-14);
  EXPECT_EQ(Find(v.plot->data, "qr")->values, item->Row(1));
  EXPECT_EQ(Find(v.plot->data, "qtot")->values, item->Row(2));
  EXPECT_EQ(v.plot->x_margin, 0.1);  // 1 / (2 * 5)
  EXPECT_EQ(v.plot->include_zero_x, 0);
  EXPECT_NEAR(v.gw->XMin(), -3.0 - 0.1 * 4, 1e-12);
  // An item with its own unit keeps it.
  std::unique_ptr<cKyData> other(NewQarrayTree("LOG", "G/cm"));
  SetUnit(other->FirstChild(), "T");
  View w(other.get(), MakeViewCode(kViewQarray, 0, 0));
  EXPECT_STREQ(other->FirstChild()->x_unit, "T");
}

TEST(DataPlot, DeltaFactorIsAppliedOnce) {
  std::unique_ptr<cKyData> root(NewCurveTree(8));
  View v(root.get(), MakeViewCode(kViewCurve, 0, 0));
  ASSERT_NE(v.plot, nullptr);
  const cGwArr* delta = Find(v.plot->data, "delta");
  auto expect = [&](double factor) {
    for (Qword i = 0; i < 8; ++i)
      EXPECT_NEAR(delta->values[i], factor * (CurveValue(1, i) - CurveValue(3, i)), 1e-12);
  };
  for (double f : {100.0, 100.0, 10.0, 1000.0, 1.0, 1.0}) {
    v.plot->SetDeltaFactor(f);
    EXPECT_EQ(v.plot->delta_factor, f);
    expect(f);
  }
  v.plot->SetDeltaFactor(0.0);
  v.plot->SetDeltaFactor(NAN);
  expect(1.0);
}

TEST(DataPlot, DrawnThroughTheRecordingBackEnd) {
  for (const ViewCase& c : ViewCases()) {
    SCOPED_TRACE(c.what);
    std::unique_ptr<cKyData> root(c.tree());
    View v(root.get(), c.code);
    ASSERT_NE(v.plot, nullptr);
    // Creation asked the size (41, 42) and began (10).
    EXPECT_EQ(v.rec.Messages().front(), kGwMsgDeviceHeight);
    v.rec.Clear();
    v.plot->Draw(nullptr, 0);
    EXPECT_EQ(LastTarget(), &v.window_id);
    ASSERT_GE(v.rec.Count(kGwMsgFillRect), 1u);
    EXPECT_GT(v.rec.Count(kGwMsgLine), 0u);
    for (const RecordedDraw& m : v.rec.Of(kGwMsgLine)) {
      EXPECT_GE(std::min(m.x1, m.x2), 0);
      EXPECT_LE(std::max(m.x1, m.x2), 800);
      EXPECT_GE(std::min(m.y1, m.y2), 0);
      EXPECT_LE(std::max(m.y1, m.y2), 600);
    }
  }
}

TEST(DataPlot, VisibleKindsChooseTheCurvesDrawn) {
  std::unique_ptr<cKyData> root(NewDecayTree(1, 1, 64));
  View v(root.get(), MakeViewCode(kViewBlock, 0, 0));
  ASSERT_NE(v.plot, nullptr);
  auto pens = [&](Dword colour) {
    size_t n = 0;
    for (const RecordedDraw& m : v.rec.Of(kGwMsgPen)) n += static_cast<Dword>(m.x1) == colour;
    return n;
  };
  struct Case {
    Dword kinds;
    bool real, imag;
  } cases[] = {{0x1, true, false}, {0x2, false, true}, {0x3, true, true}, {0x4, false, false}};
  for (const Case& c : cases) {
    v.plot->data->SetVisibleKinds(c.kinds);
    v.rec.Clear();
    v.plot->Draw(nullptr, 0);
    EXPECT_EQ(pens(0xC0000000u) > 0, c.real) << c.kinds;
    EXPECT_EQ(pens(0x800000u) > 0, c.imag) << c.kinds;
  }
}

// With the allocator failing after k allocations, every view gives either no
// plot or one whose series are whole (named, with their values); the first
// k that leaves the allocator alone gives the full plot. Leaks show under
// the sanitizer build.
TEST(DataPlot, RunningOutOfMemoryLeavesNoPlotOrAWholeOne) {
  for (const ViewCase& c : ViewCases()) {
    SCOPED_TRACE(c.what);
    SweepAllocFailures(
        [&](AllocSweepStep& step) {
          std::unique_ptr<cKyData> root(c.tree());
          Qword id = c.code;
          cKyGw gw(&id, nullptr);
          std::unique_ptr<cKyDataPlot> plot(
              step.Fail([&] { return NewKyDataPlot(root.get(), &gw); }));
          if (!plot) return;
          for (const cGwArr* a = plot->data->FirstArray(); a; a = a->next) {
            ASSERT_NE(a->name, nullptr);
            ASSERT_NE(a->values, nullptr);
            ASSERT_GT(a->count, 0u);
          }
          if (Names(plot->data) == c.names) step.Succeeded();
        },
        400);
  }
}
