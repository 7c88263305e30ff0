// Axes of a plot: cAxes holds an x and a y cAxis; an axis draws its line
// through the origin of the other, ticks at rounded steps with labels, and
// for decimal-logarithmic scales "10^n" labels and an optional decade grid.
#pragma once
#include "base/types.h"
#include "framework/graphics/grob.h"

enum : Dword {
  kAxisDirectionMask = 0xF,  // 0 horizontal, 1 vertical
  kAxisScaleMask = 0xF0,     // 0 linear, 1 decimal-logarithmic
  kAxisTicksBelow = 0x100,   // below a horizontal axis, left of a vertical one
  kAxisTicksAbove = 0x200,   // above a horizontal axis, right of a vertical one
  kAxisTicksBoth = 0x400,
  kAxisTickMask = 0xF00,
  kAxisGrid = 0x1000,
};

constexpr Dword kGridLight = 0xC0E0C000u;
// A tick loop never sends more ticks than this, whatever the range says.
constexpr Qword kAxisMaxTicks = 1000;

class cAxis : public cGrob {
 public:
  cAxis(Dword flags, cKyGw* context);
  void DrawBefore(cKyGw* context, Dword call_flags) override;
  void DrawXGrid(cKyGw* context);
  void DrawYGrid(cKyGw* context);

  Dword AxisFlags() const { return flags_word_; }
  void SetAxisFlags(Dword flags) { flags_word_ = flags; }
  Dword Colour() const { return colour_; }
  void SetColour(Dword colour) { colour_ = colour; }
  bool IsLogarithmic() const { return (flags_word_ & kAxisScaleMask) == 0x10; }
  // The logical width a vertical axis needs left of its line for its ticks
  // and labels (0 when it puts none there).
  Qlong LabelRoomLeft(cKyGw* gw) const;

 private:
  void DrawAxis(cKyGw* gw, bool vertical);

  Dword flags_word_;
  Dword line_width_;
  Dword colour_;
};

class cAxes : public cGrob {
 public:
  cAxes(Dword flags, cKyGw* context);
  void SetFlags(Dword word);
  void Hide() { SetGrobFlags(GrobFlags() | kGrobHidden); }
  void DrawBefore(cKyGw* context, Dword call_flags) override;
  cAxis* XAxis() const { return x_axis_; }
  cAxis* YAxis() const { return y_axis_; }

 private:
  cAxis* x_axis_;
  cAxis* y_axis_;
};

// The tick step of a range (0 when the range gives none).
double AxisStep(double range, bool logarithmic);
