// Bracketing root finders and the quadratic equation.
#include <cmath>

#include "scalar/numerical_tools.h"
#include "scalar/real_helpers.h"

namespace {

// A zero counts with the positive side (and so does NaN).
inline bool Negative(double v) { return v < 0; }

// Shrinks [a, b] around a sign change. The loop also ends when the new point
// equals an end (the bracket can shrink no further in doubles, or false
// position keeps one end fixed) and after a generous step limit, so that it
// ends for any tolerance and any function.
template <class F, class Point>
double Bracket(double a, double b, F f, double* f_at_root, double tol, Point point) {
  double fa = f(a), fb = f(b);
  if (f_at_root) *f_at_root = ___NAN;
  if (Negative(fa) == Negative(fb)) return ___NAN;
  if (tol == 0) tol = ___5EpsReal;
  constexpr int kStepLimit = 100000;
  for (int step = 0; step < kStepLimit && std::fabs(b - a) > tol; ++step) {
    const double m = point(a, b, fa, fb);
    if (!(m != a && m != b)) break;  // also stops on NaN
    const double fm = f(m);
    if (Negative(fm) != Negative(fb)) {
      a = m;
      fa = fm;
    } else {
      b = m;
      fb = fm;
    }
  }
  if (f_at_root) *f_at_root = fa;
  return a;
}

double Midpoint(double a, double b, double, double) { return 0.5 * (a + b); }

double FalsePosition(double a, double b, double fa, double fb) {
  const double w = fb / (fb - fa);
  return w * a + (1 - w) * b;
}

}  // namespace

VELTRIA_API double rSolveBinDiv(double a, double b, RealFunc f, double* f_at_root, double tol) {
  if (!f) return ___NAN;
  return Bracket(a, b, f, f_at_root, tol, Midpoint);
}

VELTRIA_API double rSolveBinDivRp(double a, double b, RealFuncUser f, Qlong user, double* f_at_root,
                                  double tol) {
  if (!f) return ___NAN;
  return Bracket(
      a, b, [&](double x) { return f(x, user); }, f_at_root, tol, Midpoint);
}

VELTRIA_API double rSolveNewton(double a, double b, RealFunc f, double* f_at_root, double tol) {
  if (!f) return ___NAN;
  return Bracket(a, b, f, f_at_root, tol, FalsePosition);
}

VELTRIA_API double rSolveNewtonRp(double a, double b, RealFuncParam f, double p, double* f_at_root,
                                  double tol) {
  if (!f) return ___NAN;
  return Bracket(
      a, b, [&](double x) { return f(x, p); }, f_at_root, tol, FalsePosition);
}

VELTRIA_API double rSolveQuadratic(double a, double b, double c, double* r1, double* r2) {
  if (a == 0) {
    *r2 = 0;
    if (b != 0) {
      *r1 = -c / b;
    } else {
      *r1 = c == 0 ? 0 : ___NAN;
    }
    return *r1;
  }
  if (a != 1) {
    b /= a;
    c /= a;
  }
  const double h = b / 2;
  const double d = h * h - c;
  if (d < 0) {
    *r2 = std::sqrt(-d);
    *r1 = -h;
    return -h;
  }
  *r2 = 0;
  const double s = std::sqrt(d);
  if (h < 0) {
    *r1 = s - h;
    return c / (s - h);
  }
  // s + h = 0 only for b = c = 0: the double root 0 (not 0/0).
  *r1 = s + h == 0 ? 0 : -c / (s + h);
  return -h - s;
}
