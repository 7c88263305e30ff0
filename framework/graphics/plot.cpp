#include "framework/graphics/plot.h"

#include <cmath>
#include <cstring>

#include "base/memory.h"
#include "base/platform/c_number.h"
#include "base/strings.h"
#include "scalar/int_helpers.h"

namespace {

// A readout buffer of 256 characters, made on first use.
char* Buffer(char** slot) {
  if (!*slot) {
    Dword error = 0;
    *slot = NewArrFill<char>(&error, kPlotTextSize);
    if (*slot) (*slot)[0] = 0;
  }
  return *slot;
}

bool HasUnit(const char* unit) { return unit && unit[0]; }

void AutoScale(cKyGw* gw, bool use_margin, double* margin, bool include_zero, double a, double b,
               bool x_axis) {
  if (use_margin) {
    if (*margin == 0.0) *margin = 0.05;
  } else {
    *margin = 0.0;
  }
  // Ranges that are not finite would leave no finite scale; keep the old one.
  if (!std::isfinite(a) || !std::isfinite(b)) return;
  if (include_zero) {
    if (a > 0.0 && b > 0.0) a = 0.0;
    if (a < 0.0 && b < 0.0) b = 0.0;
  }
  const double c = *margin * (b - a);
  if (x_axis) {
    gw->SetXMin(a - c);
    gw->SetXRange((b - a) + 2.0 * c);
  } else {
    gw->SetYMin(a - c);
    gw->SetYRange((b - a) + 2.0 * c);
  }
}

}  // namespace

Dword PlotFlagsOf(const cPlot* plot) { return plot ? plot->flags : 0; }

cPlot::cPlot(Dword plot_kind, Dword plot_flags, Dword w3, Dword w4)
    : cGrob(0, 0),
      title(nullptr),
      cursor_unit(nullptr),
      axes(nullptr),
      data(nullptr),
      point_text(nullptr),
      x_cursor_text(nullptr),
      y_cursor_text(nullptr) {
  Reset();
  kind = plot_kind;
  flags = plot_flags;
  word3 = w3;
  word4 = w4;
}

cPlot::~cPlot() { FreeTexts(); }

void cPlot::FreeTexts() {
  KillStringA(&title);
  KillStringA(&point_text);
  KillStringA(&x_cursor_text);
  KillStringA(&y_cursor_text);
}

void cPlot::Reset() {
  kind = flags = word3 = word4 = 0;
  FreeTexts();
  background = kGwWhite;
  unit_factor = 1.0;
  unit_offset = 0.0;
  frequency = NAN;
  x_data_min = -0.1;
  x_data_max = 1.0;
  y_data_min = -0.1;
  y_data_max = 1.0;
  x_margin = y_margin = 0.0;
  include_zero_x = include_zero_y = 1;
  readout_x = readout_y = 0;
  delete data;
  data = new cGwData();
  data->SetPlot(this);
  AddChild(data);
  delete axes;
  axes = new cAxes(0, nullptr);
  AddChild(axes);
}

void cPlot::SetTitle(const char* text) {
  KillStringA(&title);
  if (text) title = NewCopyStringExA(text, 0);
}

void cPlot::DrawBefore(cKyGw* context, Dword) {
  cKyGw* gw = Resolve(context);
  if (!gw) return;
  gw->FillAll(background);
  LeaveRoomForYLabels(gw);
}

void cPlot::LeaveRoomForYLabels(cKyGw* gw) {
  if (!axes || axes->IsHidden() || (flags & (kPlotRotatedCcw | kPlotRotatedCw)) ||
      (gw->Orientation() & (kGwRotateCcw | kGwRotateCw)))
    return;
  // The room depends on the device's text widths: it is made at every draw,
  // on the screen and in an SVG file alike.
  const Qlong room = axes->YAxis()->LabelRoomLeft(gw);
  if (room <= 0 || room >= kGwLogicalSize / 2) return;
  const Qlong p0 = gw->XToLogical(0.0, true);
  // The y axis is off the page, or has room enough.
  if (p0 == kGwInvalid || p0 < 0 || p0 >= room) return;
  const double x_max = gw->XMin() + gw->XRange();
  if (!(x_max > 0.0) || !std::isfinite(x_max)) return;
  // x = 0 moves right to `room`; the right end stays where it is.
  const double r = static_cast<double>(room - gw->LogicalXOrigin());
  const double x_min = -r * x_max / (static_cast<double>(kGwLogicalSize) - r);
  gw->SetXRange(x_max - x_min);
  gw->SetXMin(x_min);
}

void cPlot::DrawAfter(cKyGw* context, Dword) {
  cKyGw* gw = Resolve(context);
  if (!gw || (flags & kPlotNoTitle)) return;
  gw->Text(500, 9990, title);
}

void cPlot::AutoScaleX(cKyGw* context) {
  cKyGw* gw = Resolve(context);
  if (!gw) return;
  AutoScale(gw, (flags & kPlotMarginX) != 0, &x_margin, include_zero_x != 0, x_data_min, x_data_max,
            true);
}

void cPlot::AutoScaleY(cKyGw* context) {
  cKyGw* gw = Resolve(context);
  if (!gw) return;
  AutoScale(gw, (flags & kPlotMarginY) != 0, &y_margin, include_zero_y != 0, y_data_min, y_data_max,
            false);
}

void cPlot::ZoomToPixelBox(cKyGw* context, Qlong x, Qlong y, Qlong width, Qlong height,
                           bool redraw) {
  cKyGw* gw = Resolve(context);
  if (!gw) return;
  if (!(flags & (kPlotRotatedCcw | kPlotRotatedCw))) {
    if (width > 0) {
      const double f = gw->DeviceXToReal(x);
      gw->SetXRange(gw->DeviceXToReal(x + width) - f);
      gw->SetXMin(f);
    }
    if (height > 0) {
      const double f = gw->DeviceYToReal(y + height);
      gw->SetYRange(gw->DeviceYToReal(y) - f);
      gw->SetYMin(f);
    }
  } else {
    Qlong ax, ay, bx, by;
    gw->DeviceToLogical(x, y, &ax, &ay);
    gw->DeviceToLogical(x + width, y + height, &bx, &by);
    if (ax > bx) std::swap(ax, bx);
    if (ay > by) std::swap(ay, by);
    if (width > 0) {
      const double lo = gw->LogicalToX(ax, true);
      gw->SetXRange(gw->LogicalToX(bx, true) - lo);
      gw->SetXMin(lo);
    }
    if (height > 0) {
      const double lo = gw->LogicalToY(ay, true);
      gw->SetYRange(gw->LogicalToY(by, true) - lo);
      gw->SetYMin(lo);
    }
  }
  if (width == 0) AutoScaleX(gw);
  if (height == 0) AutoScaleY(gw);
  if (redraw) Draw(Context(), 0);
}

Qlong cPlot::NearestIndex(double x) {
  if (!data) return -1;
  const cGwArr* ref = data->Reference();
  if (!ref || !ref->values || ref->count == 0) return -1;
  const double* p = ref->values;
  const Qword n = ref->count;
  if (p[n - 1] > p[0]) {
    for (Qword i = 1; i < n; ++i)
      if (x < (p[i - 1] + p[i]) / 2) return static_cast<Qlong>(i - 1);
  } else {
    for (Qword i = 1; i < n; ++i)
      if (x > (p[i - 1] + p[i]) / 2) return static_cast<Qlong>(i - 1);
  }
  return static_cast<Qlong>(n - 1);
}

bool cPlot::XAxisLog() const { return axes && axes->XAxis()->IsLogarithmic(); }
bool cPlot::YAxisLog() const { return axes && axes->YAxis()->IsLogarithmic(); }

const char* cPlot::XCursorText(double c1, double c2) {
  char* out = Buffer(&x_cursor_text);
  if (!out) return nullptr;
  const char* unit;
  if (HasUnit(cursor_unit)) {
    c1 = (c1 - unit_offset) * unit_factor;
    c2 = (c2 - unit_offset) * unit_factor;
    unit = cursor_unit;
  } else if (std::fabs(c1) < 1 && std::fabs(c2) < 1) {
    c1 *= 1000;
    c2 *= 1000;
    unit = "ms";
  } else {
    unit = "s";
  }
  if (XAxisLog()) {
    c1 = std::pow(10.0, c1);
    c2 = std::pow(10.0, c2);
  }
  if (std::isnan(c2)) {
    PlatformFormatCText(out, kPlotTextSize, "c: %.4g [%s]", c1, unit);
    return out;
  }
  char suffix[50] = "";
  if (std::isfinite(frequency) && std::strcmp(unit, "ppm") == 0)
    PlatformFormatCText(suffix, sizeof(suffix), " = %.1f [Hz]", (c1 - c2) * frequency);
  PlatformFormatCText(out, kPlotTextSize, "c1: %.3f, c2: %.3f, c1-c2: %.3f [%s]%s", c1, c2, c1 - c2,
                      unit, suffix);
  return out;
}

const char* cPlot::YCursorText(double c1, double c2) {
  char* out = Buffer(&y_cursor_text);
  if (!out) return nullptr;
  const char* unit = cursor_unit ? cursor_unit : "";
  if (YAxisLog()) {
    c1 = std::pow(10.0, c1);
    c2 = std::pow(10.0, c2);
  }
  if (std::isnan(c2))
    PlatformFormatCText(out, kPlotTextSize, "c: %.3f [%s]", c1, unit);
  else
    PlatformFormatCText(out, kPlotTextSize, "c1: %.3f, c2: %.3f, c1-c2: %.3f [%s]", c1, c2, c1 - c2,
                        unit);
  return out;
}

const char* cPlot::PointText(Qlong device_x, Qlong device_y) {
  cKyGw* gw = Context();
  if (!gw || !data) return nullptr;
  gw->DeviceToLogical(device_x, device_y, &readout_x, &readout_y);
  double x = gw->LogicalToX(readout_x, false);
  double y = gw->LogicalToY(readout_y, false);
  const cGwArr* ref = data->Reference();
  if (!ref) return nullptr;
  char* out = Buffer(&point_text);
  if (!out) return nullptr;
  const bool ppm_ok = std::isfinite(frequency);
  auto unit_of = [&](double* v) -> const char* {
    if (HasUnit(cursor_unit)) {
      *v = (*v - unit_offset) * unit_factor;
      return cursor_unit;
    }
    if (std::fabs(*v) < 0.001) {
      *v *= 1e6;
      return "us";
    }
    if (std::fabs(*v) < 1) {
      *v *= 1000;
      return "ms";
    }
    return "s";
  };
  char suffix[50] = "";
  const double p = ref->max;
  // The block readout needs a positive, finite block length to divide by.
  if ((flags & kPlotSideBySide) && p > 0.0 && std::isfinite(p)) {
    const double kd = std::floor(x / p);
    const double xb0 = x - kd * p;
    const Qlong index = NearestIndex(xb0);
    double xb = xb0;
    const char* unit = unit_of(&xb);
    if (ppm_ok && std::strcmp(unit, "ppm") == 0)
      PlatformFormatCText(suffix, sizeof(suffix), " = %.1f [Hz]", xb * frequency);
    const Qlong k = iFloor(kd);
    PlatformFormatCText(out, kPlotTextSize,
                        "block = %lld; x = %.3f [%s]%s, y = %.3f, fx = %.3g, Point %lld",
                        static_cast<long long>(k == kGwInvalid ? 0 : k + 1), xb, unit, suffix, y,
                        1000 * x, static_cast<long long>(index));
    return out;
  }
  const Qlong index = NearestIndex(x);
  const char* unit;
  if (!HasUnit(cursor_unit) && XAxisLog())
    unit = "s";
  else
    unit = unit_of(&x);
  if (XAxisLog()) x = std::pow(10.0, x);
  if (YAxisLog()) y = std::pow(10.0, y);
  if (ppm_ok && std::strcmp(unit, "ppm") == 0)
    PlatformFormatCText(suffix, sizeof(suffix), " = %.3f [Hz]", x * frequency);
  if (kind == kPlotKindRelaxation)
    PlatformFormatCText(out, kPlotTextSize, "T = %.3e [s], r = %.3e [1/s], w = %.3g", x, 1 / x, y);
  else if (kind == kPlotKindDispersion)
    PlatformFormatCText(out, kPlotTextSize, "Brlx = %.3e [MHz], rate = %.3e [1/s], T = %.3e [s]", x,
                        y, 1 / y);
  else
    PlatformFormatCText(out, kPlotTextSize, "x = %.3g [%s]%s, y = %.3g, Point %lld", x, unit,
                        suffix, y, static_cast<long long>(index));
  return out;
}
