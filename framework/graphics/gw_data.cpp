#include "framework/graphics/gw_data.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

#include "base/memory.h"
#include "base/strings.h"
#include "scalar/int_helpers.h"

namespace {

struct Kind {
  const char* name;
  Dword bit;
};

const Kind kKinds[] = {
    {"real", 0x1},      {"imag", 0x2},     {"magn", 0x4},
    {"powr", 0x8},      {"data", 0x10000}, {"fit", 0x20000},
    {"delta", 0x40000}, {"comp", 0x80000}, {"apod", 0x10000000},
};

// Separator lines between side-by-side blocks are drawn only for fewer
// blocks than this.
constexpr Qlong kMaxBlockLines = 71;

}  // namespace

cGwData::cGwData()
    : cGrob(0, 0),
      plot_(nullptr),
      first_(nullptr),
      reference_(nullptr),
      description_(nullptr),
      row_count_(0) {}

cGwData::~cGwData() { Clear(); }

void cGwData::Clear() {
  while (first_) {
    cGwArr* next = first_->next;
    delete first_;
    first_ = next;
  }
  KillStringA(&description_);
  plot_ = nullptr;
  reference_ = nullptr;
  SetContext(nullptr);
  row_count_ = 0;
}

cGwArr* cGwData::AddArray(const double* values, Qword count, Qword block_index, const char* name,
                          Dword colour, Dword flags, bool copy) {
  if (!values) return nullptr;
  cGwArr* a = new (std::nothrow) cGwArr(values, count, block_index, flags, name, colour, 1, copy);
  if (!a) return nullptr;
  cGwArr* last = LastArray();
  a->previous = last;
  a->next = nullptr;
  a->owner = this;
  if (last)
    last->next = a;
  else
    first_ = a;
  return a;
}

bool cGwData::RemoveArray(cGwArr* array) {
  if (!array || array->owner != this) return false;
  if (array->previous)
    array->previous->next = array->next;
  else
    first_ = array->next;
  if (array->next) array->next->previous = array->previous;
  if (reference_ == array) reference_ = nullptr;
  delete array;
  return true;
}

Dword cGwData::ArrayCount() const {
  Dword n = 0;
  for (cGwArr* a = first_; a; a = a->next) ++n;
  return n;
}

cGwArr* cGwData::LastArray() const {
  cGwArr* a = first_;
  while (a && a->next) a = a->next;
  return a;
}

void cGwData::HideByName(const char* name) {
  for (cGwArr* a = cGwArr::FindByName(name, first_); a; a = cGwArr::FindByName(name, a->next))
    a->flags |= kGwArrHidden | kGwArrNoRange;
}

void cGwData::ShowByName(const char* name) {
  for (cGwArr* a = cGwArr::FindByName(name, first_); a; a = cGwArr::FindByName(name, a->next))
    a->flags &= ~(kGwArrHidden | kGwArrNoRange);
}

void cGwData::SetVisibleKinds(Dword display_flags) {
  for (const Kind& k : kKinds) {
    if (display_flags & k.bit)
      ShowByName(k.name);
    else
      HideByName(k.name);
  }
}

void cGwData::SetTitle(const char* text) {
  KillStringA(&description_);
  if (text) description_ = NewCopyStringExA(text, 0);
}

cGwArr* cGwData::Reference() {
  if (!reference_) reference_ = first_;
  return reference_;
}

void cGwData::GetXRange(double* min, double* max) {
  const cGwArr* ref = Reference();
  *min = ref ? ref->min : 0.0;
  *max = ref ? ref->max : 1.0;
}

void cGwData::GetYRange(double* min, double* max) {
  const cGwArr* ref = Reference();
  bool any = false;
  for (const cGwArr* a = first_; a; a = a->next) {
    if (a == ref || (a->flags & (kGwArrHidden | kGwArrNoRange))) continue;
    if (!any || a->min < *min) *min = a->min;
    if (!any || a->max > *max) *max = a->max;
    any = true;
  }
  if (!any) {
    *min = -1.0;
    *max = 1.0;
  }
}

void cGwData::DrawBefore(cKyGw* context, Dword) {
  cKyGw* gw = Resolve(context);
  if (!gw || !gw->BackEnd() || !first_ || !first_->next) return;
  gw->SetLogicalWindow(0, kGwLogicalSize, 0, kGwLogicalSize);
  reference_ = first_;
  reference_->flags |= kGwArrHidden;
  const Dword flags = PlotFlagsOf(plot_);
  if ((flags & kPlotFull) || ((flags & kPlotBlocks) && (flags & kPlotOverlaid))) {
    for (const cGwArr* a = first_; a; a = a->next)
      if (!(a->flags & kGwArrHidden)) DrawSeries(gw, flags, reference_, a);
  } else if (flags & kPlotBlocks) {
    if (flags & kPlotStacked)
      DrawStacked(gw, flags);
    else if (flags & kPlotSideBySide)
      DrawSideBySide(gw, flags);
  }
}

void cGwData::DrawStacked(cKyGw* gw, Dword flags) {
  const Qword n = row_count_;
  if (n == 0) return;
  const Qlong h = static_cast<Qlong>(static_cast<Qword>(kGwLogicalSize) / n);
  if ((flags & kPlotRowLines) && h > 0) {
    gw->SetPen(kGwGrey, 1, 0, 0);
    for (Qword i = 0; i < n; ++i) {
      const Qlong y = static_cast<Qlong>(i) * h;
      gw->Line(0, y, kGwLogicalSize, y);
    }
  }
  // Rows from the last to the first, each row's arrays in chain order.
  std::vector<const cGwArr*> rows;
  for (const cGwArr* a = first_; a; a = a->next)
    if (!(a->flags & kGwArrHidden) && a->block_index < n) rows.push_back(a);
  std::stable_sort(rows.begin(), rows.end(), [](const cGwArr* a, const cGwArr* b) {
    return a->block_index > b->block_index;
  });
  for (const cGwArr* a : rows) {
    const Qword r = a->block_index;
    gw->SetLogicalYOrigin(static_cast<Qlong>(r) * h);
    DrawCurve(gw, flags, a->flags, std::min(a->count, reference_->count), reference_->values,
              a->values, CurveColour(n, r), a->line_width, a->marker_kind, a->marker_size);
  }
  gw->SetLogicalYOrigin(0);
}

void cGwData::DrawSideBySide(cKyGw* gw, Dword flags) {
  const double p = reference_->max;
  // Without a positive block length there are no blocks to lay out.
  if (!(p > 0.0) || !std::isfinite(p)) return;
  const double x_min = gw->XMin();
  const Qlong k0 = iFloor(x_min / p);
  const Qlong k1 = iFloor((x_min + gw->XRange()) / p);
  if (k0 == kGwInvalid || k1 == kGwInvalid || k1 < k0) return;
  const double o0 = x_min - static_cast<double>(k0) * p;
  if ((flags & kPlotBlockLines) && k1 - k0 < kMaxBlockLines) {
    gw->SetPen(kGwGrey, 1, 0, 0);
    for (Qlong k = k0; k <= k1; ++k) {
      const Qlong lx = gw->XToLogical(static_cast<double>(k) * p, false);
      gw->Line(lx, 0, lx, kGwLogicalSize);
    }
  }
  for (const cGwArr* a = LastArray(); a; a = a->previous) {
    if (a->flags & kGwArrHidden) continue;
    if (a->block_index > static_cast<Qword>(INT64_MAX)) continue;
    const Qlong k = static_cast<Qlong>(a->block_index);
    if (k < k0 || k > k1) continue;
    gw->SetXMin(p * static_cast<double>(k0 - k) + o0);
    DrawSeries(gw, flags, reference_, a);
    gw->SetXMin(x_min);
  }
}

void DrawSeries(cKyGw* context, Dword plot_flags, const cGwArr* reference, const cGwArr* array) {
  if (!reference || !array) return;
  // A curve longer than its x values is drawn as far as the x values go.
  const Qword n = std::min(reference->count, array->count);
  DrawCurve(context, plot_flags, array->flags, n, reference->values, array->values, array->colour,
            array->line_width, array->marker_kind, array->marker_size);
}

Dword CurveColour(Qword count, Qword index) {
  const double v = static_cast<double>(index) * 6.0 / static_cast<double>(count);
  if (!(v >= 0.0) || !(v < 6.0)) return 0;
  const Qlong s = iFloor(v);
  const double f = v - static_cast<double>(s);
  const Dword a = static_cast<Dword>(iRealRoundToQlong(180.0 * std::sqrt(f), nullptr));
  const Dword b = static_cast<Dword>(iRealRoundToQlong(180.0 * std::sqrt(1.0 - f), nullptr));
  Dword red = 0, green = 0, blue = 0;
  switch (s) {
    case 0:
      red = 180;
      green = a;
      break;
    case 1:
      red = b;
      green = 180;
      break;
    case 2:
      green = 180;
      blue = a;
      break;
    case 3:
      green = b;
      blue = 180;
      break;
    case 4:
      red = a;
      blue = 180;
      break;
    case 5:
      red = 180;
      blue = b;
      break;
    default:
      return 0;
  }
  return (red << 24) | (green << 16) | (blue << 8);
}
