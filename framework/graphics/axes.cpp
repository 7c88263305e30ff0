#include "framework/graphics/axes.h"

#include <algorithm>
#include <cmath>

#include "base/platform/c_number.h"
#include "framework/graphics/gw_data.h"
#include "scalar/int_helpers.h"
#include "scalar/real_helpers.h"

namespace {

constexpr Qlong kTickLength = 512;
// Between a label and the tick or line beside it.
constexpr Qlong kLabelGap = 160;

// Labels are formatted with C printf rules into a 50-character buffer.
void Label(char* buffer, bool log, double v) {
  PlatformFormatCText(buffer, 50, log ? "10^%.0f" : "%g", v);
}

void GridLines(cKyGw* gw, bool vertical) {
  auto line = [&](double v) {
    if (vertical)
      gw->LineReal(v, gw->YMin(), v, gw->YMin() + gw->YRange());
    else
      gw->LineReal(gw->XMin(), v, gw->XMin() + gw->XRange(), v);
  };
  gw->SetPen(kGwGrey, 1, 0, 0);
  line(-6.0);
  double b = 1e-6;
  for (int decade = 0; decade < 12; ++decade) {
    gw->SetPen(kGridLight, 1, 0, 0);
    for (int j = 2; j <= 19; ++j) line(std::log10(j * b));
    b *= 10.0;
    gw->SetPen(kGwGrey, 1, 0, 0);
    line(std::log10(b));
  }
}

}  // namespace

double AxisStep(double range, bool logarithmic) {
  if (!std::isfinite(range) || !(range > 0.0)) return 0.0;
  Long e = 0;
  const double m = rMantissaAndExponent(range, &e, 10);
  if (logarithmic && e <= 0) return 1.0;
  const double unit = std::pow(10.0, static_cast<double>(e - 1));
  if (m < 2.0) return 2.0 * unit;
  if (m < 5.0) return 5.0 * unit;
  return std::pow(10.0, static_cast<double>(e));
}

cAxis::cAxis(Dword flags, cKyGw* context)
    : cGrob(0, 0), flags_word_(flags), line_width_(1), colour_(0) {
  SetContext(context);
}

void cAxis::DrawBefore(cKyGw* context, Dword) {
  cKyGw* gw = Resolve(context);
  if (!gw) return;
  const Dword direction = flags_word_ & kAxisDirectionMask;
  const Dword scale = flags_word_ & kAxisScaleMask;
  if (scale != 0 && scale != 0x10) return;
  if (direction == 0)
    DrawAxis(gw, false);
  else if (direction == 1)
    DrawAxis(gw, true);
}

Qlong cAxis::LabelRoomLeft(cKyGw* gw) const {
  if (!gw || (flags_word_ & kAxisDirectionMask) != 1 || (flags_word_ & kAxisScaleMask) != 0 ||
      !(flags_word_ & kAxisTickMask) || (flags_word_ & kAxisTicksBelow))
    return 0;
  const double min = gw->YMin(), range = gw->YRange();
  const double step = AxisStep(range, false);
  if (step == 0.0 || !std::isfinite(min)) return 0;
  const double f = rFmod(min, step);
  const double off = f == 0.0 ? 0.0 : (min < 0.0 ? std::fabs(f) : step - std::fabs(f));
  gw->SendFont();
  Qlong widest = 0;
  for (Qword k = 0; k < kAxisMaxTicks; ++k) {
    const double v = min + off + static_cast<double>(k) * step;
    if (v > min + range) break;
    if (std::fabs(v) <= step * 1e-6) continue;
    char label[50];
    Label(label, false, v);
    widest = std::max(widest, gw->TextWidth(label));
  }
  if (widest == 0) return 0;
  const Qlong a = (flags_word_ & kAxisTicksBoth) ? kTickLength : 0;
  // A gap on both sides of the labels: none touches the axis or the edge.
  return a + kLabelGap + widest + kLabelGap;
}

void cAxis::DrawAxis(cKyGw* gw, bool vertical) {
  const bool log = IsLogarithmic();
  const double min = vertical ? gw->YMin() : gw->XMin();
  const double range = vertical ? gw->YRange() : gw->XRange();
  const double scale = vertical ? gw->YScale() : gw->XScale();
  const Qlong p0 = vertical ? gw->XToLogical(0.0, true) : gw->YToLogical(0.0, true);

  gw->SetPen(colour_, log ? 2 : line_width_, 0, 0);
  if (vertical)
    gw->LineReal(0.0, min, 0.0, min + range);
  else
    gw->LineReal(min, 0.0, min + range, 0.0);
  if (!(flags_word_ & kAxisTickMask)) return;
  const Qlong a = (flags_word_ & (kAxisTicksBelow | kAxisTicksBoth)) ? kTickLength : 0;
  const Qlong b = (flags_word_ & (kAxisTicksAbove | kAxisTicksBoth)) ? kTickLength : 0;

  // Ticks only over a finite range: NaN or infinite ones would never end.
  const double step = AxisStep(range, log);
  if (step == 0.0 || !std::isfinite(min) || p0 == kGwInvalid) return;
  const double f = rFmod(min, step);
  const double off = f == 0.0 ? 0.0 : (min < 0.0 ? std::fabs(f) : step - std::fabs(f));
  gw->SendFont();
  const bool tick_lines = !(log && (flags_word_ & kAxisGrid));
  const Qlong text_height = gw->TextHeight();
  for (Qword k = 0; k < kAxisMaxTicks; ++k) {
    const double d = off + static_cast<double>(k) * step;
    const double v = min + d;
    if (v > min + range) break;
    if (std::fabs(v) <= step * 1e-6) continue;
    const Qlong t = iRealRoundToQlong(d * scale, nullptr);
    char label[50];
    Label(label, log, v);
    const Qlong text_width = gw->TextWidth(label);
    if (!vertical) {
      if (tick_lines) gw->Line(t, p0 + b, t, p0 - a);
      const Qlong lx = log ? t : t - text_width / 2;
      gw->Text(lx, p0 - a - text_height, label);
    } else {
      if (tick_lines) gw->Line(p0 - a, t, p0 + b, t);
      // Left of the ticks, clear of them; the labels at the ends stay on
      // the page rather than be cut.
      const Qlong lx = (flags_word_ & kAxisTicksBelow) ? p0 : p0 - a - kLabelGap - text_width;
      const bool at_tick = (flags_word_ & kAxisTicksBoth) || (log && (flags_word_ & kAxisGrid));
      const Qlong ly = at_tick ? t : t - text_height / 2;
      gw->Text(lx, std::clamp<Qlong>(ly, 0, std::max<Qlong>(0, kGwLogicalSize - text_height)),
               label);
    }
  }
}

void cAxis::DrawXGrid(cKyGw* context) {
  cKyGw* gw = Resolve(context);
  if (!gw || !(flags_word_ & kAxisGrid) || !IsLogarithmic()) return;
  GridLines(gw, true);
}

void cAxis::DrawYGrid(cKyGw* context) {
  cKyGw* gw = Resolve(context);
  if (!gw || !(flags_word_ & kAxisGrid) || !IsLogarithmic()) return;
  GridLines(gw, false);
}

cAxes::cAxes(Dword flags, cKyGw* context) : cGrob(0, 0) {
  x_axis_ = new cAxis(0, context);
  y_axis_ = new cAxis(0, context);
  AddChild(x_axis_);
  AddChild(y_axis_);
  SetFlags(flags);
  SetContext(context);
}

void cAxes::SetFlags(Dword word) {
  x_axis_->SetAxisFlags(word & 0xFFFF);
  y_axis_->SetAxisFlags(word >> 16);
}

void cAxes::DrawBefore(cKyGw* context, Dword) {
  cKyGw* gw = Resolve(context);
  if (!gw) return;
  x_axis_->DrawXGrid(gw);
  y_axis_->DrawYGrid(gw);
}
