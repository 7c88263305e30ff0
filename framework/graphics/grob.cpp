#include "framework/graphics/grob.h"

#include <cmath>

#include "base/platform/allocator.h"

Dword cGrol::ForEach(GrobFunction function, cKyGw* context, Dword call_flags) {
  const bool forward = ((call_flags | flags_) & kGrolForward) != 0;
  cKyListItem* item = forward ? FirstB() : LastB();
  while (item) {
    // The next item is taken first: the function may not remove the current.
    cKyListItem* next = forward ? item->NextB() : item->PrevB();
    const Dword result = function(static_cast<cGrob*>(item), context, call_flags);
    if (result) return result;
    item = next;
  }
  return 0;
}

void cGrol::Draw(cKyGw* context, Dword call_flags) {
  if (!context || !context->BackEnd() || IsHidden()) return;
  ForEach(cGrob::DrawChild, context, call_flags);
}

cGrob::cGrob(Dword flags, Dword word2)
    : grob_flags_(flags), word2_(word2), children_(new cGrol(0, this)), context_(nullptr) {}

cGrob::~cGrob() {
  delete children_;
  Unlink();
}

void cGrob::DrawBefore(cKyGw*, Dword) {}
void cGrob::DrawAfter(cKyGw*, Dword) {}

void cGrob::AddChild(cGrob* child) { children_->Add(child); }

void cGrob::Draw(cKyGw* context, Dword call_flags) {
  cKyGw* gw = Resolve(context);
  if (!gw || !gw->BackEnd() || IsHidden()) return;
  DrawBefore(gw, call_flags);
  children_->Draw(gw, call_flags);
  DrawAfter(gw, call_flags);
}

Dword cGrob::DrawChild(cGrob* child, cKyGw* context, Dword call_flags) {
  child->Draw(context, call_flags);
  return 0;
}

void cGrob::SetRanges(cKyGw* context, double x1, double x2, double y1, double y2, bool redraw) {
  cKyGw* gw = Resolve(context);
  if (!gw) return;
  gw->SetXRange(std::fabs(x2 - x1));
  gw->SetXMin(x1 < x2 ? x1 : x2);
  gw->SetYRange(std::fabs(y2 - y1));
  gw->SetYMin(y1 < y2 ? y1 : y2);
  if (redraw) Draw(context_, 0);
}

void cGrob::ZoomY(cKyGw* context, double factor, double value, bool redraw) {
  cKyGw* gw = Resolve(context);
  if (!gw) return;
  const Qlong l = gw->YToLogical(value, true);
  const double scale = gw->YScale() * factor;
  // A factor that would leave no finite, non-zero scale changes nothing.
  if (l == kGwInvalid || !std::isfinite(scale) || scale == 0.0) return;
  gw->SetYScale(scale);
  gw->SetYMin(value - static_cast<double>(l) / scale);
  if (redraw) Draw(context_, 0);
}
