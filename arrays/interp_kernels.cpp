// The two- and three-point kernels and one quadratic spline segment.
#include "arrays/interp.h"
#include "scalar/real_helpers.h"

VELTRIA_API double rIntExt2L(double x, double x0, double x1, double y0, double y1) {
  return y0 + (y1 - y0) * ((x - x0) / (x1 - x0));
}

// Taylor form about the middle point with the second divided difference c;
// the slope at x1 comes from the longer of the two intervals, corrected by c.
VELTRIA_API double rIntExt3Q(double x, double x0, double x1, double x2, double y0, double y1,
                             double y2) {
  const double s = (y2 - y1) / (x2 - x1);
  const double c = (s - (y0 - y1) / (x0 - x1)) / (x2 - x0);
  const double slope =
      x0 + x2 >= 2 * x1 ? s - c * (x2 - x1) : (y1 - y0) / (x1 - x0) + c * (x1 - x0);
  const double d = x - x1;
  return y1 + d * (slope + c * d);
}

VELTRIA_API double rIntExt3QExtreme(double x0, double x1, double x2, double y0, double y1,
                                    double y2, double* xe, double* ye) {
  const double s = (y2 - y1) / (x2 - x1);
  const double d = 2 * (s - (y0 - y1) / (x0 - x1)) / (x2 - x0);
  const double g = s - d * (x2 - x1) / 2;
  if (xe) *xe = x1 - g / d;
  if (ye) *ye = y1 - 0.5 * g * (g / d);
  return d;
}

VELTRIA_API double rSplineQ2(double x, double x0, double x1, double y0, double y1, double* slope) {
  if (!slope) return ___NAN;
  const double b = *slope;
  const double h = x1 - x0;
  const double c = ((y1 - y0) / h - b) / h;
  const double t = x - x0;
  *slope = b + 2 * c * h;
  return y0 + t * (b + c * t);
}
