// The data plot's construction: decoding the view code, the table of the
// views, units and axes, and the factory.
#include "data_engine/data_plot.h"

#include <cmath>
#include <new>

#include "arrays/rarr_ops.h"
#include "base/memory.h"
#include "data_engine/bgrd.h"
#include "data_engine/engine_text.h"
#include "data_engine/ky_data.h"
#include "framework/graphics/axes.h"
#include "framework/graphics/gw_data.h"

namespace {

// The node a view shows.
enum class ViewNode { kItemBlock, kItem, kLinked, kRoot };
// Where the x unit, scale and offset of the read-outs come from.
enum class ViewUnit { kNone, kFirstBlock, kLinked, kItemOrBunit, kPercent };

struct ViewRow {
  Qword view;
  Dword kind;
  Dword flags;
  Dword word;
  ViewNode node;
  ViewUnit unit;
  Dword axis_flags;
  bool axis_flags_need_log_grid;  // the axis flags only for a "BGRD" LOG item
  bool hide_axes;
  const char* title;  // null: the builder sets it
};

constexpr const char* kBlockTitle = "(time, real, imag, magn, powr)";
constexpr const char* kCurveTitle = "(tau, data, datai, fit, delta)";

constexpr ViewRow kViews[] = {
    {kViewBlock, kDataPlotBlock, 0x6000001, 3, ViewNode::kItemBlock, ViewUnit::kFirstBlock, 0,
     false, false, "(time, real, imag, magn, powr, fit, delta)"},
    {kViewBlocksSideBySide, kDataPlotBlocks, 0x6800022, 0, ViewNode::kItem, ViewUnit::kFirstBlock,
     0, false, false, kBlockTitle},
    {kViewCurve, kDataPlotCurve, 0x8000001, 0, ViewNode::kItem, ViewUnit::kNone, 0x10000, false,
     false, kCurveTitle},
    {kViewDistribution, kDataPlotDistribution, 0x1, 0, ViewNode::kLinked, ViewUnit::kLinked,
     0x2011210, false, false, nullptr},
    {kViewProfile, kDataPlotProfile, 0x401, 0, ViewNode::kRoot, ViewUnit::kNone, 0x12111210, false,
     false, "(brlx, r, fit)"},
    {kViewApodization, kDataPlotApodization, 0x1, 1, ViewNode::kItemBlock, ViewUnit::kFirstBlock, 0,
     false, false, "(time, refreal, real, imag, apod)"},
    {kViewBlocksStacked, kDataPlotBlocks, 0x42, 0, ViewNode::kItem, ViewUnit::kFirstBlock, 0, false,
     true, kBlockTitle},
    {kViewQarray, kDataPlotQarray, 0x20000001, 0, ViewNode::kItem, ViewUnit::kItemOrBunit,
     0x2010210, true, false, "(tau, qtot, qr)"},
    {kViewCalibration, kDataPlotCurve, 0x1000001, 0, ViewNode::kRoot, ViewUnit::kPercent, 0x2010200,
     false, false, kCurveTitle},
};

const ViewRow* FindView(Qword view) {
  for (const ViewRow& row : kViews)
    if (row.view == view) return &row;
  return nullptr;
}

const cKyAsciPars* ParametersOf(cKyData* node) {
  cKyData* owner = node ? node->ParameterOwner() : nullptr;
  return owner ? &owner->parameters : nullptr;
}

// The item's x unit; an item without one first takes its "BUNIT".
void FillUnitFromBunit(cKyData* item) {
  if (item->x_unit && item->x_unit[0]) return;
  const cKyAsciPars* pars = ParametersOf(item);
  char value[1024];
  if (!pars || pars->GetString("BUNIT", value) < 0 || value[0] == 0) return;
  LibErrorCode error = kErrNone;
  char* copy = EngineCopyA(value, &error);
  if (!copy) return;
  KillPtr(&item->x_unit);
  item->x_unit = copy;
}

}  // namespace

cKyDataPlot::cKyDataPlot(cKyData* data_root, cKyGw* context)
    : cPlot(0, 0, 0, 0),
      root(data_root),
      block_index(-1),
      build_error(kErrNone),
      delta_factor(1.0),
      owns_context_(false) {
  if (!root) return;
  build_error = Build(context);
  if (build_error != kErrNone) {
    Reset();
    root = nullptr;
  }
}

cKyDataPlot::~cKyDataPlot() {
  cKyGw* context = Context();
  if (owns_context_) delete context;
}

LibErrorCode cKyDataPlot::Build(cKyGw* context) {
  if (!context || !context->Target()) return kErrMissingArguments;
  SetContext(context);
  const Qword code = *static_cast<const Qword*>(context->Target());
  const ViewRow* view = FindView(ViewKind(code));
  if (!view) return kErrNotYetImplemented;
  kind = view->kind;
  flags = view->flags;
  word3 = view->word;
  block_index = -1;

  cKyData* item = root->Child(ViewItem(code));
  cKyData* node = nullptr;
  switch (view->node) {
    case ViewNode::kItemBlock:
      block_index = static_cast<Qlong>(ViewBlock(code));
      if (!item || !item->Child(static_cast<Qword>(block_index))) return kErrMissingInputData;
      node = item;
      break;
    case ViewNode::kItem:
      node = item;
      break;
    case ViewNode::kLinked:
      if (!item) return kErrMissingInputData;
      node = item->linked;
      if (!node) return kErrMissingDataObject;
      break;
    case ViewNode::kRoot:
      node = root;
      break;
  }
  if (!node) return kErrMissingInputData;

  const cKyData* unit_node = nullptr;
  switch (view->unit) {
    case ViewUnit::kNone:
      break;
    case ViewUnit::kFirstBlock:
      unit_node = item ? item->FirstChild() : nullptr;
      break;
    case ViewUnit::kLinked:
      unit_node = node;
      break;
    case ViewUnit::kItemOrBunit:
      FillUnitFromBunit(node);
      unit_node = node;
      break;
    case ViewUnit::kPercent:
      cursor_unit = "%";
      break;
  }
  if (unit_node) {
    cursor_unit = unit_node->x_unit;
    unit_factor = unit_node->x_scale;
    unit_offset = unit_node->x_offset;
  }

  Dword axis_flags = view->axis_flags;
  if (view->axis_flags_need_log_grid && BgrdGridTypeOf(ParametersOf(node)) != 2) axis_flags = 0;
  axes->SetFlags(axis_flags);
  if (view->hide_axes) axes->Hide();
  if (flags & kPlotRotatedCcw) context->SetOrientation(kGwRotateCcw);
  if (view->title) data->SetTitle(view->title);
  return BuildSeries(node);
}

LibErrorCode cKyDataPlot::BuildSeries(cKyData* node) {
  if (!node) return kErrMissingInputData;
  if (flags & kPlotFull) {
    switch (kind) {
      case kDataPlotCurve:
        return BuildCurve(node);
      case kDataPlotBlock:
        return BuildBlock(node);
      case kDataPlotDistribution:
        return BuildDistribution(node);
      case kDataPlotProfile:
        return BuildProfile(node);
      case kDataPlotApodization:
        return BuildApodization(node);
      case kDataPlotQarray:
        return BuildQarray(node);
      default:
        break;
    }
  } else if ((flags & kPlotBlocks) && kind == kDataPlotBlocks) {
    return BuildBlocks(node);
  }
  return kErrNotYetImplemented;
}

bool cKyDataPlot::XAxisLogarithmic() const { return axes && axes->XAxis()->IsLogarithmic(); }

void cKyDataPlot::ScaleFromData() {
  data->GetXRange(&x_data_min, &x_data_max);
  flags |= kPlotMarginX;
  AutoScaleX(nullptr);
  data->GetYRange(&y_data_min, &y_data_max);
  flags |= kPlotMarginY;
  AutoScaleY(nullptr);
}

void cKyDataPlot::SetDeltaFactor(double factor) {
  if (!(factor > 0.0) || !std::isfinite(factor) || factor == delta_factor) return;
  const double change = factor / delta_factor;
  for (cGwArr* a = cGwArr::FindByName("delta", data->FirstArray()); a;
       a = cGwArr::FindByName("delta", a->next)) {
    RArrIpMulConst(a->count, a->values, change);
    // The factor is positive: the extremes scale with the values.
    a->min *= change;
    a->max *= change;
  }
  delta_factor = factor;
}

cKyDataPlot* NewKyDataPlot(cKyData* data_root, cKyGw* context) {
  cKyDataPlot* plot = nullptr;
  try {
    plot = new cKyDataPlot(data_root, context);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  if (!plot->root) {
    delete plot;
    return nullptr;
  }
  return plot;
}
