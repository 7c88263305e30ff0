// A polynomial p(x) = sum c[k] x^k for the interpolation and spline tests,
// with a bound on the rounding of its evaluation.
#pragma once

#include <cmath>
#include <vector>

namespace test_poly {

struct Poly {
  std::vector<double> c;
  double At(double x) const {
    double v = 0;
    for (size_t k = c.size(); k-- > 0;) v = v * x + c[k];
    return v;
  }
  double Scale(double x) const {
    double s = 0, p = 1;
    for (double ck : c) {
      s += std::fabs(ck) * p;
      p *= std::fabs(x);
    }
    return s;
  }
  Poly Derivative() const {
    Poly d;
    for (size_t k = 1; k < c.size(); ++k) d.c.push_back(c[k] * static_cast<double>(k));
    return d;
  }
};

}  // namespace test_poly
