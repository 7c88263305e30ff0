// Relaxivity dispersion profile of paramagnetic aqua ions (electron spin
// 5/2): inner-sphere dipolar and scalar terms and the outer-sphere term,
// fitted with each parameter in its own fitting unit.
#include <cmath>
#include <complex>

#include "base/error_codes.h"
#include "signal_fit/fit/fit_problem.h"
#include "signal_fit/fit/minimizer.h"
#include "signal_fit/fit/profile_simplex.h"
#include "signal_fit/fit/term_fits.h"

namespace {

constexpr int kParams = 10;
constexpr double kUnit[kParams] = {1, 1, 3e-10, 1000, 1e10, 1e-7, 1e-9, 1e-10, 4e-10, 2e-9};
constexpr double kS = 2.5;

double OuterJ(std::complex<double> z) {
  const std::complex<double> num = 1.0 + z / 4.0;
  const std::complex<double> den = 1.0 + z + 4.0 * z * z / 9.0 + z * z * z / 9.0;
  return (num / den).real();
}

Dword AquaionsProfileTarget(Minimizer* m) {
  const FitProblem* p = static_cast<const FitProblem*>(m->userData);
  double phys[kParams];
  for (int i = 0; i < kParams; ++i) phys[i] = *m->params[i] * kUnit[i];
  double sum = 0;
  for (Qword i = 0; i < p->pointCount; ++i) {
    const double r = AquaionsProfileRate(phys, p->mode, p->x[i]) - p->y[i] / p->scale;
    sum += r * r;
  }
  if (m->flags & kFitEnforceBounds)
    for (int i = 0; i < kParams; ++i) {
      if (!m->variedParams[i]) continue;
      const double v = *m->params[i];
      const double lo = std::fmin(p->lowerBounds[i], p->upperBounds[i]);
      const double hi = std::fmax(p->lowerBounds[i], p->upperBounds[i]);
      if (!(v >= lo && v <= hi)) sum *= 2;
    }
  m->value = sum;
  return kErrNone;
}

}  // namespace

double AquaionsProfileRate(const double* p, Dword termBits, double nu) {
  const double offset = p[0], K = 1.8001e-5 * p[1], r = p[2], A = p[3], delta = p[4];
  const double tauM = p[5], tauV = p[6], tauR = p[7], d = p[8], D = p[9];
  const double ss = kS * (kS + 1);
  const double r3 = r * r * r;
  const double Cdd = 2.872017e-43 / (r3 * r3);
  const double Csc = 0.6666666 * ss * A * A;
  const double B = 0.04 * (4 * ss - 3) * delta * delta;
  const double wI = 6283185.307179586 * nu;
  const double wS = 658.2276 * std::fabs(wI);
  const double g = wS * wS * tauV * tauV;
  const double T1e = 1 / (B * tauV * (1 / (1 + g) + 4 / (1 + 4 * g)));
  const double T2e = 1 / (0.5 * B * tauV * (3 + 5 / (1 + g) + 2 / (1 + 4 * g)));
  const double te2 = 1 / (1 / tauM + 1 / T2e);
  const double tc1 = 1 / (1 / tauM + 1 / T1e + 1 / tauR);
  const double tc2 = 1 / (1 / tauM + 1 / T2e + 1 / tauR);
  const double Rdd =
      (termBits & 1)
          ? Cdd * (3 * tc1 / (1 + wI * wI * tc1 * tc1) + 7 * tc2 / (1 + wS * wS * tc2 * tc2))
          : 0;
  const double Rsc = (termBits & 2) ? Csc * te2 / (1 + wS * wS * te2 * te2) : 0;
  const double R1M = Rdd + Rsc;
  // With no inner-sphere term 1/R1M is infinite and the contribution 0.
  const double Ris = K / (1 / R1M + tauM);
  double Ros = 0;
  if (termBits & 8) {
    const double tD = d * d / D;
    const std::complex<double> z1 = std::sqrt(std::complex<double>(tD / T1e, wI * tD));
    const std::complex<double> z2 = std::sqrt(std::complex<double>(tD / T2e, wS * tD));
    Ros = 3.219839e-19 / (d * D) * (3 * OuterJ(z1) + 7 * OuterJ(z2));
  }
  return Ris + Ros + offset;
}

VELTRIA_API Dword AquaionsFfcProfileFit(Dword flags, Dword termBits, Qword n, const double* nu,
                                        const double* y, double* params, const Long* free,
                                        const double* lower, const double* upper,
                                        double* residuals) {
  if (!nu || !y || !params || !free || !lower || !upper || n == 0) return kErrMissingInputData;
  double given[kParams];
  for (int i = 0; i < kParams; ++i) {
    given[i] = params[i];
    params[i] /= kUnit[i];
  }
  double* pointers[2 * kParams];
  double* const* varied = pointers + kParams;
  FitProblem problem;
  ProfileProblemInit(&problem, termBits, n, nu, y, lower, upper);
  const Dword error =
      ProfileSimplexFit(flags, &problem, kParams, params, free, pointers, AquaionsProfileTarget);
  if (error != kErrNone) {
    // A failed fit gives the caller's values back rather than leaving them
    // in fitting units.
    for (int i = 0; i < kParams; ++i) params[i] = given[i];
    return error;
  }
  // A fixed parameter comes back as given, not through a divide-multiply
  // round trip that can move its last digit.
  for (int i = 0; i < kParams; ++i) params[i] = varied[i] ? params[i] * kUnit[i] : given[i];
  if (residuals)
    for (Qword i = 0; i < n; ++i)
      residuals[i] = y[i] - AquaionsProfileRate(params, termBits, nu[i]);
  return kErrNone;
}
