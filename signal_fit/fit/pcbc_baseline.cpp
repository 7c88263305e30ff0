// Baselines of one part of the spectrum: a Chebyshev series in
// x = 2(j - n/2)/n or a Fourier series in theta = pi (j - n/2)/n, with the
// two lowest coefficients set from the edge windows while the fit runs.
#include <cmath>
#include <numbers>

#include "scalar/orthogonal_polys.h"
#include "signal_fit/fit/pcbc.h"

namespace {

double WindowMean(const double* part, Qword first, Qword last) {
  double s = 0;
  for (Qword j = first; j <= last; ++j) s += part[j];
  return s / static_cast<double>(last - first + 1);
}

double ChebX(Qword j, Qword n) {
  const double nd = static_cast<double>(n);
  return 2 * (static_cast<double>(j) - nd / 2) / nd;
}

double Theta(Qword j, Qword n) {
  const double nd = static_cast<double>(n);
  return std::numbers::pi * (static_cast<double>(j) - nd / 2) / nd;
}

// Basis function i of the Fourier series at theta (0: 1, 2k-1: sin k theta,
// 2k: cos k theta).
double FourierBasis(Qword i, double theta) {
  if (i == 0) return 1;
  const double k = static_cast<double>((i + 1) / 2);
  return i % 2 ? std::sin(k * theta) : std::cos(k * theta);
}

// c0 + c1 u passes through the edge means minus the higher terms.
template <class Basis>
void FitEdges(const PcBcWork& w, const double* part, double* coef, Qword m, Basis basis) {
  double L = WindowMean(part, w.leftStart, w.leftEnd) / w.scale;
  double R = WindowMean(part, w.rightStart, w.rightEnd) / w.scale;
  for (Qword i = 2; i < m; ++i) {
    L -= coef[i] * basis(i, w.leftCentre);
    R -= coef[i] * basis(i, w.rightCentre);
  }
  const double uL = basis(1, w.leftCentre), uR = basis(1, w.rightCentre);
  coef[0] = (L * uR - R * uL) / (uR - uL);
  coef[1] = (R - L) / (uR - uL);
}

}  // namespace

void PcBcBaselineChebyshev(const PcBcWork& w, double* part, double* coef, Qword m) {
  const Qword n = w.count;
  if (!(w.flags & kPcBcFinal))
    FitEdges(w, part, coef, m, [n](Qword i, Qword j) { return rChebyshevT(ChebX(j, n), i); });
  for (Qword j = 0; j < n; ++j) {
    const double x = ChebX(j, n);
    // T_0 = 1, T_1 = x, T_{i+1} = 2x T_i - T_{i-1}.
    double prev = 1, cur = x, b = coef[0] + coef[1] * x;
    for (Qword i = 2; i < m; ++i) {
      const double next = 2 * x * cur - prev;
      prev = cur;
      cur = next;
      b += coef[i] * cur;
    }
    part[j] -= w.scale * b;
  }
}

void PcBcBaselineFourier(const PcBcWork& w, double* part, double* coef, Qword m) {
  const Qword n = w.count;
  if (!(w.flags & kPcBcFinal))
    FitEdges(w, part, coef, m, [n](Qword i, Qword j) { return FourierBasis(i, Theta(j, n)); });
  for (Qword j = 0; j < n; ++j) part[j] -= w.scale * coef[0];
  // Each harmonic k advances by the angle k pi / n from point to point.
  const double theta0 = Theta(0, n);
  for (Qword k = 1; 2 * k - 1 < m; ++k) {
    const double kd = static_cast<double>(k);
    const double cs = coef[2 * k - 1], cc = 2 * k < m ? coef[2 * k] : 0;
    const double step = kd * std::numbers::pi / static_cast<double>(n);
    const double ds = std::sin(step), dc = std::cos(step);
    double s = std::sin(kd * theta0), c = std::cos(kd * theta0);
    for (Qword j = 0; j < n; ++j) {
      part[j] -= w.scale * (cs * s + cc * c);
      const double sn = s * dc + c * ds;
      c = c * dc - s * ds;
      s = sn;
    }
  }
}
