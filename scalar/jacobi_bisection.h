// The bracket that the Jacobi functions and their inverses halve on the
// first quarter period: two ends with their sn, cn, dn and the midpoint.
#pragma once
#include "scalar/elliptic_internal.h"

struct JacobiPoint {
  double u, sn, cn, dn;
};

// About 50 halvings reach full precision; the cap only bounds the work.
inline constexpr int kJacobiMaxSteps = 1000;

class JacobiBracket {
 public:
  JacobiBracket(double m, const JacobiPoint& lo, const JacobiPoint& hi) : m_(m), lo_(lo), hi_(hi) {
    mid = Middle();
  }

  // Moves the lower end (or the upper one) to the midpoint and computes the
  // new midpoint; false when the bracket can no longer shrink.
  bool Halve(bool move_lower) {
    (move_lower ? lo_ : hi_) = mid;
    const JacobiPoint next = Middle();
    if (next.u == lo_.u || next.u == hi_.u) return false;
    mid = next;
    return true;
  }

  double lo_u() const { return lo_.u; }
  double hi_u() const { return hi_.u; }

  JacobiPoint mid;

 private:
  JacobiPoint Middle() const {
    JacobiPoint p;
    p.u = 0.5 * (lo_.u + hi_.u);
    rJacobiMidpoint(lo_.sn, lo_.cn, lo_.dn, hi_.sn, hi_.cn, hi_.dn, m_, &p.sn, &p.cn, &p.dn);
    return p;
  }

  double m_;
  JacobiPoint lo_, hi_;
};
