// The curve renderer: narrows the index range to the visible window, then
// draws either one vertical stroke per device column (the envelope of the
// values that fall into it) or the points with lines and markers.
#include <cmath>

#include "framework/graphics/gw_data.h"
#include "scalar/int_helpers.h"

namespace {

// Up to this many visible points every point gets its marker.
constexpr Qword kMarkerLimit = 128;
// Column numbers beyond this are not worth an envelope; the point mode
// clips each segment instead.
constexpr double kColumnLimit = 4.0e15;

struct Span {
  Qword first, last, c;
};

void PointMode(cKyGw* gw, Dword array_flags, const double* x, const double* y, const Span& s,
               double xlo, double xhi, double ylo, double yhi, Dword marker_kind,
               Dword marker_size) {
  const bool lines = !(array_flags & kGwArrNoLines);
  const bool markers =
      !(array_flags & kGwArrNoMarkers) && ((array_flags & kGwArrAllMarkers) || s.c <= kMarkerLimit);
  bool have_previous = false;
  double px = 0.0, py = 0.0;
  for (Qword i = s.first; i <= s.last; ++i) {
    const double yi = y[i];
    if (!std::isfinite(yi)) continue;
    const double xi = x[i];
    if (have_previous && lines && !(py < ylo && yi < ylo) && !(py >= yhi && yi >= yhi))
      gw->LineReal(px, py, xi, yi);
    if (markers && xi >= xlo && xi < xhi && yi >= ylo && yi < yhi)
      gw->MarkerReal(xi, yi, marker_kind, marker_size);
    px = xi;
    py = yi;
    have_previous = true;
  }
}

// Folds a value into the column's extremes; values that are not finite are
// left out, as the point mode leaves them out.
inline void Fold(double v, double* low, double* high, bool* any) {
  if (!std::isfinite(v)) return;
  if (!*any) {
    *low = *high = v;
    *any = true;
    return;
  }
  if (v < *low) *low = v;
  if (v > *high) *high = v;
}

}  // namespace

void DrawCurve(cKyGw* gw, Dword plot_flags, Dword array_flags, Qword n, const double* x,
               const double* y, Dword colour, Dword line_width, Dword marker_kind,
               Dword marker_size) {
  if (!gw || !gw->BackEnd() || !x || !y || n == 0) return;
  gw->SetPen(colour, line_width, 0, 0);
  double xlo = gw->LogicalToX(0, true);
  double xhi = gw->LogicalToX(kGwLogicalSize, true);
  const double ylo = gw->LogicalToY(0, true);
  const double yhi = gw->LogicalToY(kGwLogicalSize, true);
  if (plot_flags & kPlotSideBySide) {
    xlo = 0.0;
    xhi = static_cast<double>(gw->LogicalXEnd() - gw->LogicalXOrigin()) / gw->XScale();
  }
  const bool rotated = (plot_flags & (kPlotRotatedCcw | kPlotRotatedCw)) != 0;
  const Qlong M = rotated ? gw->DeviceHeight() : gw->DeviceWidth();

  Span s{0, n - 1, n};
  if (plot_flags & kPlotEveryPoint) {
    PointMode(gw, array_flags, x, y, s, xlo, xhi, ylo, yhi, marker_kind, marker_size);
    return;
  }
  const bool increasing = x[n - 1] > x[0];
  if (increasing) {
    if (x[0] >= xhi || x[n - 1] < xlo) return;
    Qword j = 1;
    while (j < n && !(x[j] >= xlo)) ++j;
    s.first = j < n ? j - 1 : 0;
    s.last = n - 1;
    // The first index from the end inside the window; when none lies there
    // the window falls between first and first + 1.
    if (n >= 2 && s.first + 1 <= n - 2) {
      s.last = s.first + 1;
      for (Qword i = n - 2; i > s.first; --i)
        if (x[i] <= xhi) {
          s.last = i + 1;
          break;
        }
    }
  } else {
    if (x[0] < xlo || x[n - 1] >= xhi) return;
    Qword j = 1;
    while (j < n && !(x[j] <= xhi)) ++j;
    s.first = j < n ? j - 1 : 0;
    s.last = n - 1;
    if (n >= 2 && s.first + 1 <= n - 2) {
      s.last = s.first + 1;
      for (Qword i = n - 2; i > s.first; --i)
        if (x[i] >= xlo) {
          s.last = i + 1;
          break;
        }
    }
  }
  s.c = s.last - s.first + 1;

  // Device columns of the end points.
  const double scale = static_cast<double>(M) / static_cast<double>(kGwLogicalSize);
  auto column = [&](double v) {
    return ((v - gw->XMin()) * gw->XScale() + static_cast<double>(gw->LogicalXOrigin())) * scale;
  };
  const double pr = column(x[s.first]);
  const double po = column(x[s.last]);
  if (!(std::fabs(pr) < kColumnLimit) || !(std::fabs(po) < kColumnLimit)) {
    PointMode(gw, array_flags, x, y, s, xlo, xhi, ylo, yhi, marker_kind, marker_size);
    return;
  }
  const Qlong r = iFloor(pr);
  const double phi = pr - static_cast<double>(r);
  const Qlong o = iCeil(po);
  const int dir = increasing ? 1 : -1;
  if (dir == 1 && (o < 0 || r > M)) return;
  if (dir == -1 && (r < 0 || o > M)) return;
  const Qword m = static_cast<Qword>(o > r ? o - r : r - o) + 1;
  if (5 * m > 4 * s.c) {
    PointMode(gw, array_flags, x, y, s, xlo, xhi, ylo, yhi, marker_kind, marker_size);
    return;
  }

  // Envelope mode: c values spread over m columns in the manner of a line
  // rasteriser, one stroke per column.
  Qword t = static_cast<Qword>(phi * static_cast<double>(s.c));
  const Qword c = s.c;
  Qword i = s.first;
  bool have_previous = false;
  double prev_low = 0.0, prev_high = 0.0;
  const Qlong H = gw->DeviceHeight();
  // All m columns, the one of the last point included, so that no value at
  // the end is dropped; the last column takes whatever is left.
  Qlong col = r;
  for (Qword q = 0; q < m && i <= s.last; ++q, col += dir) {
    double low = 0.0, high = 0.0;
    bool any = false;
    Fold(y[i++], &low, &high, &any);
    while (t < c - m) {
      t += m;
      if (i <= s.last) Fold(y[i++], &low, &high, &any);  // none past the last
    }
    t = (t + m) % c;
    if (q + 1 == m)
      while (i <= s.last) Fold(y[i++], &low, &high, &any);
    if (!any) continue;
    if (have_previous) {
      if (prev_high < low) low = prev_high;
      if (prev_low > high) high = prev_low;
    }
    Qlong lx;
    if (!rotated) {
      lx = gw->DeviceXToLogical(col);
    } else {
      Qlong ly;
      gw->DeviceToLogical(0, (plot_flags & kPlotRotatedCcw) ? H - col : col, &lx, &ly);
    }
    gw->Line(lx, gw->YToLogical(low, true), lx, gw->YToLogical(high, true));
    prev_low = low;
    prev_high = high;
    have_previous = true;
  }
}
