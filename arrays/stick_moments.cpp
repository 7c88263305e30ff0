#include "arrays/stick_moments.h"

#include <cmath>

#include "arrays/rarr.h"
#include "base/double_to_int.h"
#include "base/memory.h"
#include "scalar/real_helpers.h"

namespace {
inline double Sign(double d) { return d < 0 ? -1.0 : (d > 0 ? 1.0 : 0.0); }
}  // namespace

VELTRIA_API Dword RArrSticksM1toM4(Qword n, const double* x, const double* w, double* m1,
                                   double* a1, double* m2, double* s2, double* m3, double* a3,
                                   double* m4, double* s4) {
  *m1 = *a1 = *m2 = *s2 = *m3 = *a3 = *m4 = *s4 = 0;
  if (n == 0) return kErrNone;
  double total = 0, first = 0;
  for (Qword i = 0; i < n; ++i) {
    total += w[i];
    first += w[i] * x[i];
  }
  if (!(total > 0)) return kErrIllegalData;
  const double m = first / total;
  double sa1 = 0, sm2 = 0, ss2 = 0, sm3 = 0, sa3 = 0, sm4 = 0, ss4 = 0;
  for (Qword i = 0; i < n; ++i) {
    const double d = x[i] - m, d2 = d * d, d3 = d2 * d, d4 = d2 * d2, s = Sign(d);
    sa1 += w[i] * std::fabs(d);
    sm2 += w[i] * d2;
    ss2 += w[i] * s * d2;
    sm3 += w[i] * d3;
    sa3 += w[i] * std::fabs(d3);
    sm4 += w[i] * d4;
    ss4 += w[i] * s * d4;
  }
  *m1 = m;
  *a1 = sa1 / total;
  *m2 = sm2 / total;
  *s2 = ss2 / total;
  *m3 = sm3 / total;
  *a3 = sa3 / total;
  *m4 = sm4 / total;
  *s4 = ss4 / total;
  return kErrNone;
}

VELTRIA_API double RArrShapeSticksM1toM4(Qword n, const double* x, const double* w, double* m1,
                                         double* a1, double* s2, double* m3, double* a3, double* m4,
                                         double* s4) {
  double m2 = 0;
  if (RArrSticksM1toM4(n, x, w, m1, a1, &m2, s2, m3, a3, m4, s4) != kErrNone) return ___NAN;
  const double sigma = std::sqrt(m2);
  *a1 /= sigma;
  *s2 /= m2;
  *m3 /= m2 * sigma;
  *a3 /= m2 * sigma;
  *m4 /= m2 * m2;
  *s4 /= m2 * m2;
  return sigma;
}

VELTRIA_API Dword RArrShapesChebyshev(Qword n, const double* x, const double* w, Dword k, double* c,
                                      double* h) {
  if (n == 0 || !x || !w) return kErrMissingInputData;
  double total = 0;
  for (Qword i = 0; i < n; ++i) total += w[i];
  if (total == 0) return kErrDivisionByZero;
  if (k < 2) k = 2;
  double sum_v2 = 0, m = 0;
  for (Qword i = 0; i < n; ++i) {
    const double v = w[i] / total;
    sum_v2 += v * v;
    m += v * x[i];
  }
  double var = 0;
  for (Qword i = 0; i < n; ++i) var += w[i] / total * (x[i] - m) * (x[i] - m);
  const double s = std::sqrt(var);
  for (Dword j = 3; j <= k; ++j) c[j] = 0;
  for (Dword j = 0; j < (k + 1) / 2; ++j) h[j] = 0;
  for (Qword i = 0; i < n; ++i) {
    const double v = w[i] / total;
    const double u = (x[i] - m) / (std::sqrt(2.0) * s);
    const double su = Sign(u);
    h[0] += v * std::fabs(u);
    double t_prev = 1, t = u;  // T(0), T(1)
    for (Dword j = 2; j < k; ++j) {
      const double next = 2 * u * t - t_prev;
      t_prev = t;
      t = next;
      if (j > 2) c[j] += v * t;
      if (j & 1) h[j / 2] += v * su * t;
    }
  }
  c[0] = 1 / sum_v2;
  c[1] = m;
  c[2] = s;
  return kErrNone;
}

namespace {
// Rounding as +0.5 then truncation.
inline Qlong RoundUp(double v) { return DoubleToQlong(v + 0.5); }
}  // namespace

// A width that is not positive and finite, or an oversampling below 1, has
// no profile: 25 instead of a grid of unbounded size.
VELTRIA_API Dword RArrShapeProps(Qword n, const double* a, const double* x, double width,
                                 double* centre, double* lines, double* adev, double* sigma,
                                 double* s2, double* skew, double* askew, double* ratio3,
                                 double* kurt, double* ratio4, Qlong oversampling) {
  *centre = *lines = *adev = *sigma = *s2 = *skew = *askew = *ratio3 = *kurt = *ratio4 = 0;
  if (n == 0) return kErrNone;
  if (!(width > 0) || !std::isfinite(width) || oversampling < 1) return kErrIllegalParameters;
  double xmin = x[0], xmax = x[0];
  for (Qword i = 0; i < n; ++i) {
    if (a[i] < 0) return kErrIllegalData;
    if (x[i] < xmin) xmin = x[i];
    if (x[i] > xmax) xmax = x[i];
  }
  const double lo = xmin - 3 * width, hi = xmax + 3 * width;
  const double points = static_cast<double>(oversampling) * (hi - lo) / width + 0.5;
  if (!(points < 1e9)) return kErrAlloc;  // no profile of that size fits in memory
  Qword count = DoubleToQword(points);
  if (count % 2 == 0) ++count;
  const double o = (hi - lo) / static_cast<double>(count - 1);
  Dword error = kErrNone;
  double* p = RArrNew0(&error, count);
  if (!p) return kErrAlloc;
  for (Qword i = 0; i < n; ++i) {
    const Qlong first = RoundUp((x[i] - lo - width / 2) / o);
    const Qlong last = RoundUp((x[i] - lo + width / 2) / o);
    for (Qlong j = first < 0 ? 0 : first; j <= last && static_cast<Qword>(j) < count; ++j)
      p[j] += a[i];
  }
  double s = 0, sq = 0, moment1 = 0;
  for (Qword j = 0; j < count; ++j) {
    s += p[j];
    sq += p[j] * p[j];
    moment1 += (lo + static_cast<double>(j) * o) * p[j];
  }
  if (s == 0) {
    RArrKill(&p);
    return kErrIllegalData;
  }
  const double c = moment1 / s;
  double ad = 0, d2 = 0, sd2 = 0, d3 = 0, ad3 = 0, d4 = 0, sd4 = 0;
  for (Qword j = 0; j < count; ++j) {
    const double d = lo + static_cast<double>(j) * o - c, q = d * d, sg = Sign(d);
    ad += p[j] * std::fabs(d);
    d2 += p[j] * q;
    sd2 += p[j] * sg * q;
    d3 += p[j] * q * d;
    ad3 += p[j] * std::fabs(q * d);
    d4 += p[j] * q * q;
    sd4 += p[j] * sg * q * q;
  }
  RArrKill(&p);
  const double v = d2 / s;
  const double sig = std::sqrt(v);
  *centre = c;
  *lines = s * s / sq / static_cast<double>(oversampling);
  *sigma = sig;
  *adev = ad / s / sig;
  *s2 = sd2 / s / v;
  *skew = d3 / s / (v * sig);
  *askew = ad3 / s / (v * sig);
  *ratio3 = d3 / ad3;
  *kurt = d4 / s / (v * v);
  *ratio4 = sd4 / d4;
  return kErrNone;
}
