// Distribution-properties records of the ten families.
#include "signal_fit/prob/props.h"

#include <cmath>

#include "scalar/gamma.h"
#include "scalar/real_helpers.h"
#include "signal_fit/prob/events.h"
#include "signal_fit/prob/log_beta.h"
#include "signal_fit/prob/probability.h"

namespace {

constexpr double kLn2 = 0.6931471805599453;
constexpr double kPi = 3.141592653589793;

double XLogX(double x) { return x > 0.0 ? x * std::log(x) : 0.0; }

// Full width at half height of the Poisson curve x -> lambda^x e^-lambda /
// Gamma(x + 1) on x >= 0 (the curve whose value at lambda is the mean
// density). The peak solves psi(x + 1) = ln lambda; both half-height points
// by bisection in logarithms, the lower one clamped to the support's end 0.
double PoissonHalfHeightWidth(double lambda) {
  const double ln_lambda = std::log(lambda);
  double peak = 0.0;
  if (rPsi0(1.0) < ln_lambda) {
    double lo = 0.0, hi = lambda + 1.0;
    for (int i = 0; i < 200 && hi - lo > 1e-15 * hi; ++i) {
      const double mid = 0.5 * (lo + hi);
      (rPsi0(mid + 1.0) < ln_lambda ? lo : hi) = mid;
    }
    peak = 0.5 * (lo + hi);
  }
  const double level = ProbPoissonLn(peak, lambda) - kLn2;
  auto above = [&](double x) { return ProbPoissonLn(x, lambda) >= level; };
  double left = 0.0;
  if (!above(0.0)) {
    double lo = 0.0, hi = peak;  // below at lo, above at hi
    for (int i = 0; i < 200 && hi - lo > 1e-15 * hi; ++i) {
      const double mid = 0.5 * (lo + hi);
      (above(mid) ? hi : lo) = mid;
    }
    left = 0.5 * (lo + hi);
  }
  double step = std::sqrt(lambda) + 1.0;
  double lo = peak, hi = peak + step;
  while (above(hi)) {
    lo = hi;
    step *= 2.0;
    hi = peak + step;
  }
  for (int i = 0; i < 200 && hi - lo > 1e-15 * hi; ++i) {
    const double mid = 0.5 * (lo + hi);
    (above(mid) ? lo : hi) = mid;
  }
  return 0.5 * (lo + hi) - left;
}

// psi(z + 1/2) - psi(z): for large z the two digammas agree in most digits,
// so the difference comes from its asymptotic series there.
double DigammaHalfStep(double z) {
  if (z < 50.0) return rPsi0(z + 0.5) - rPsi0(z);
  const double r = 1.0 / z;
  const double r2 = r * r;
  return 0.5 * r + r2 * (0.125 - r2 * (1.0 / 64 - r2 * (1.0 / 128 - r2 * (17.0 / 2048))));
}

}  // namespace

PdProps* pDPropsErase(PdProps* r) {
  r->Flags = 0xFFFFFF00u;
  double* fields[] = {&r->SupportLow,  &r->SupportHigh, &r->Mode,       &r->ModeDensity,
                      &r->Mean,        &r->MeanDensity, &r->Median,     &r->MedianDensity,
                      &r->StdDev,      &r->Variance,    &r->MeanAbsDev, &r->HalfHeightWidth,
                      &r->LowerInflex, &r->UpperInflex, &r->NhciWidth,  &r->NhciCenter,
                      &r->Skewness,    &r->ExKurtosis,  &r->Entropy};
  for (double* f : fields) *f = ___NAN;
  return r;
}

// Mode and median are outcomes (0 or 1), with the mass there; at p = 1/2
// the median is the lower one (the smallest k with P(X <= k) >= 1/2) and the
// mode the upper one, as the interval centre.
PdProps* pPropsBernoulli(double p, PdProps* r) {
  pDPropsErase(r);
  if (!(p >= 0.0 && p <= 1.0)) return r;
  const double q = 1.0 - p;
  r->Flags = 1;
  r->SupportLow = 0.0;
  r->SupportHigh = 1.0;
  r->Mode = p >= 0.5 ? 1.0 : 0.0;
  r->ModeDensity = p >= 0.5 ? p : q;
  r->Mean = p;
  r->MeanDensity = p;
  r->Median = p > 0.5 ? 1.0 : 0.0;
  r->MedianDensity = p > 0.5 ? p : q;
  r->Variance = p * q;
  r->StdDev = std::sqrt(r->Variance);
  r->MeanAbsDev = 2.0 * p * q;
  r->HalfHeightWidth = 0.5;
  r->LowerInflex = 0.0;
  r->UpperInflex = 1.0;
  r->NhciWidth = 0.0;
  r->NhciCenter = p >= 0.5 ? 1.0 : 0.0;
  r->Skewness = (1.0 - 2.0 * p) / std::sqrt(p * q);
  r->ExKurtosis = (1.0 - 6.0 * p * q) / (p * q);
  r->Entropy = -XLogX(p) - XLogX(q);
  return r;
}

PdProps* pPropsBeta(double a, double b, PdProps* r) {
  pDPropsErase(r);
  if (!(a > 0.0 && b > 0.0)) return r;
  const double s2 = a + b;
  r->Flags = 0;
  r->SupportLow = 0.0;
  r->SupportHigh = 1.0;
  if (a > 1.0 && b > 1.0) {
    r->Mode = (a - 1.0) / (s2 - 2.0);
    r->ModeDensity = pDfBeta(r->Mode, a, b);
  }
  r->Mean = a / s2;
  r->MeanDensity = pDfBeta(r->Mean, a, b);
  r->Median = pQfBeta(0.5, a, b);
  r->MedianDensity = pDfBeta(r->Median, a, b);
  r->Variance = a * b / (s2 * s2 * (s2 + 1.0));
  r->StdDev = std::sqrt(r->Variance);
  // 2 a^a b^b/(B(a, b) (a + b)^(a + b + 1)), in logarithms (the powers
  // overflow for shapes of a few hundred).
  r->MeanAbsDev =
      2.0 * std::exp(a * std::log(a / s2) + b * std::log(b / s2) - std::log(s2) - ProbBetaLn(a, b));
  const double s = std::sqrt((a - 1.0) * (b - 1.0) / (s2 - 3.0)) / (s2 - 2.0);
  if (std::isfinite(s)) {
    const double mode = (a - 1.0) / (s2 - 2.0);
    if ((a > 2.0 && b > 1.0) || (a > 1.0 && a < 2.0 && b < 1.0)) r->LowerInflex = mode - s;
    if ((b > 2.0 && a > 1.0) || (b > 1.0 && b < 2.0 && a < 1.0)) r->UpperInflex = mode + s;
  }
  r->Skewness = 2.0 * (b - a) * std::sqrt((s2 + 1.0) / (a * b)) / (s2 + 2.0);
  r->ExKurtosis = 6.0 * ((a - b) * (a - b) * (s2 + 1.0) - a * b * (s2 + 2.0)) /
                  (a * b * (s2 + 2.0) * (s2 + 3.0));
  r->Entropy =
      ProbBetaLn(a, b) - (a - 1.0) * rPsi0(a) - (b - 1.0) * rPsi0(b) + (s2 - 2.0) * rPsi0(s2);
  return r;
}

PdProps* pPropsCauchy(double x0, double gamma, PdProps* r) {
  pDPropsErase(r);
  if (!(gamma > 0.0)) return r;
  r->Flags = 0;
  r->SupportLow = ___MnsINF;
  r->SupportHigh = ___PlsINF;
  r->Mode = x0;
  r->ModeDensity = 0.3183098861837907 / gamma;
  r->Median = x0;
  r->MedianDensity = r->ModeDensity;
  r->Variance = ___PlsINF;
  r->StdDev = ___PlsINF;
  r->MeanAbsDev = ___PlsINF;
  r->HalfHeightWidth = 2.0 * gamma;
  r->LowerInflex = x0 - 0.5773502691896257 * gamma;
  r->UpperInflex = x0 + 0.5773502691896257 * gamma;
  r->NhciWidth = 2.0 * gamma;
  r->NhciCenter = x0;
  r->Entropy = 2.5310242469692907 + std::log(gamma);
  return r;
}

PdProps* pPropsChiSquare(Qword k, PdProps* r) {
  pDPropsErase(r);
  if (k == 0) return r;
  const double kd = static_cast<double>(k);
  r->Flags = 0;
  r->SupportLow = 0.0;
  r->SupportHigh = ___PlsINF;
  r->Mode = kd > 2.0 ? kd - 2.0 : 0.0;
  r->ModeDensity = pDfChiSquare(r->Mode, kd);
  r->Mean = kd;
  r->MeanDensity = pDfChiSquare(kd, kd);
  // The exact median: k (1 - 2/(9k))^3 is only an approximation (0.4705
  // against 0.4549 for k = 1).
  r->Median = pQfChiSquare(0.5, kd);
  r->MedianDensity = pDfChiSquare(r->Median, kd);
  r->Variance = 2.0 * kd;
  r->StdDev = std::sqrt(2.0 * kd);
  r->Skewness = std::sqrt(8.0 / kd);
  r->ExKurtosis = 12.0 / kd;
  const double h = 0.5 * kd;
  r->Entropy = h + kLn2 + rGammaLn(h) + (1.0 - h) * rPsi0(h);
  return r;
}

PdProps* pPropsExponential(double lambda, PdProps* r) {
  pDPropsErase(r);
  if (!(lambda > 0.0)) return r;
  r->Flags = 0;
  r->SupportLow = 0.0;
  r->SupportHigh = ___PlsINF;
  r->Mode = 0.0;
  r->ModeDensity = lambda;
  r->Mean = 1.0 / lambda;
  r->MeanDensity = 0.36787944117144233 * lambda;
  r->Median = kLn2 / lambda;
  r->MedianDensity = 0.5 * lambda;
  r->Variance = 1.0 / (lambda * lambda);
  r->StdDev = 1.0 / lambda;
  r->MeanAbsDev = 2.0 * 0.36787944117144233 / lambda;
  r->HalfHeightWidth = kLn2 / lambda;
  r->LowerInflex = 0.0;
  r->UpperInflex = 0.0;
  r->NhciWidth = kLn2 / lambda;
  r->NhciCenter = kLn2 / (2.0 * lambda);
  r->Skewness = 2.0;
  r->ExKurtosis = 6.0;
  r->Entropy = 1.0 - std::log(lambda);
  return r;
}

PdProps* pPropsFisherSnedecor(double d1, double d2, PdProps* r) {
  pDPropsErase(r);
  if (!(d1 > 0.0 && d2 > 0.0)) return r;
  r->Flags = 0;
  r->SupportLow = 0.0;
  r->SupportHigh = ___PlsINF;
  if (!rIsDifferentRel(d1, 2.0, ___5EpsReal)) {
    r->Mode = 0.0;
    r->ModeDensity = 1.0;
  } else if (d1 > 2.0) {
    r->Mode = (d1 - 2.0) / d1 * d2 / (d2 + 2.0);
    r->ModeDensity = pDfFisherSnedecor(r->Mode, d1, d2);
  }
  if (d2 > 2.0) {
    r->Mean = d2 / (d2 - 2.0);
    r->MeanDensity = pDfFisherSnedecor(r->Mean, d1, d2);
  }
  r->Median = pQfFisherSnedecor(0.5, d1, d2);
  r->MedianDensity = pDfFisherSnedecor(r->Median, d1, d2);
  if (d2 > 4.0) {
    const double m = d2 / (d2 - 2.0);
    r->Variance = 2.0 * m * m * (d1 + d2 - 2.0) / (d1 * (d2 - 4.0));
    r->StdDev = std::sqrt(r->Variance);
  }
  if (d1 > 2.0) {
    const double c = (d1 - 2.0) / (d2 + 2.0);
    const double h = std::sqrt(2.0 * (d1 + d2) * (d1 - 2.0) / (d2 + 4.0)) / (d2 + 2.0);
    // Below d1 = 4 the density is concave from 0 up to the mode: no lower
    // inflection (the formula's value would lie outside the support).
    const double lower = (d2 / d1) * (c - h);
    if (lower > 0.0) r->LowerInflex = lower;
    r->UpperInflex = (d2 / d1) * (c + h);
  }
  if (d2 > 6.0) {
    r->Skewness =
        (2.0 * d1 + d2 - 2.0) * std::sqrt(8.0 * (d2 - 4.0) / (d1 * (d1 + d2 - 2.0))) / (d2 - 6.0);
  }
  if (d2 > 8.0) {
    r->ExKurtosis =
        12.0 * (d1 * (5.0 * d2 - 22.0) * (d1 + d2 - 2.0) + (d2 - 4.0) * (d2 - 2.0) * (d2 - 2.0)) /
        (d1 * (d2 - 6.0) * (d2 - 8.0) * (d1 + d2 - 2.0));
  }
  // h = ln(d2/d1) + ln B(d1/2, d2/2) + (1 - d1/2) psi(d1/2)
  //     - (1 + d2/2) psi(d2/2) + ((d1 + d2)/2) psi((d1 + d2)/2).
  const double h1 = 0.5 * d1;
  const double h2 = 0.5 * d2;
  r->Entropy = std::log(d2 / d1) + ProbBetaLn(h1, h2) + (1.0 - h1) * rPsi0(h1) -
               (1.0 + h2) * rPsi0(h2) + (h1 + h2) * rPsi0(h1 + h2);
  return r;
}

PdProps* pPropsNormal(double mu, double sigma, PdProps* r) {
  pDPropsErase(r);
  if (!(sigma > 0.0)) return r;
  const double peak = 0.3989422804014327 / sigma;
  r->Flags = 0;
  r->SupportLow = ___MnsINF;
  r->SupportHigh = ___PlsINF;
  r->Mode = r->Mean = r->Median = mu;
  r->ModeDensity = r->MeanDensity = r->MedianDensity = peak;
  r->Variance = sigma * sigma;
  r->StdDev = sigma;
  r->MeanAbsDev = 0.7978845608028654 * sigma;
  r->HalfHeightWidth = 2.3548200450309493 * sigma;
  r->LowerInflex = mu - sigma;
  r->UpperInflex = mu + sigma;
  // The full width of mu +- 0.6745 sigma, as every other family gives it.
  r->NhciWidth = 1.3489795003921634 * sigma;
  r->NhciCenter = mu;
  r->Skewness = 0.0;
  r->ExKurtosis = 0.0;
  r->Entropy = 1.4189385332046727 + std::log(sigma);
  return r;
}

PdProps* pPropsPoisson(double lambda, PdProps* r) {
  pDPropsErase(r);
  if (!(lambda > 0.0) || std::isinf(lambda)) return r;
  const double fl = std::floor(lambda);
  r->Flags = 1;
  r->SupportLow = 0.0;
  r->SupportHigh = ___PlsINF;
  r->Mode = fl;  // the most probable count (also fl - 1 when lambda is whole)
  r->ModeDensity = pMfContPoisson(fl, lambda);
  r->Mean = lambda;
  r->MeanDensity = pMfContPoisson(lambda, lambda);
  // Start from floor(lambda + 1/3 - 0.02/lambda) and settle on the smallest
  // count whose cumulative probability reaches 1/2.
  double m = std::floor(lambda + 1.0 / 3.0 - 0.02 / lambda);
  if (m < 0.0) m = 0.0;
  while (m > 0.0 && pCfContPoisson(m - 1.0, lambda) >= 0.5) m -= 1.0;
  while (pCfContPoisson(m, lambda) < 0.5) m += 1.0;
  r->Median = m;
  r->MedianDensity = pMfContPoisson(m, lambda);
  r->Variance = lambda;
  r->StdDev = std::sqrt(lambda);
  // 2 lambda^(fl + 1) e^-lambda / fl!
  r->MeanAbsDev = 2.0 * lambda * std::exp(ProbPoissonLn(fl, lambda));
  r->HalfHeightWidth = PoissonHalfHeightWidth(lambda);
  r->LowerInflex = lambda < 1.0 ? 0.0 : lambda - std::sqrt(lambda);
  r->UpperInflex = lambda + std::sqrt(lambda);
  r->NhciWidth = 2.0 * std::sqrt(lambda);
  r->NhciCenter = lambda;
  r->Skewness = 1.0 / std::sqrt(lambda);
  r->ExKurtosis = 1.0 / lambda;
  return r;
}

PdProps* pPropsStudent(double nu, double mu, double sigma, PdProps* r) {
  pDPropsErase(r);
  if (!(nu > 0.0 && sigma > 0.0)) return r;
  const double peak = pDfStudent(mu, nu, mu, sigma);
  const double ln_b = ProbBetaLn(0.5 * nu, 0.5);  // B(nu/2, 1/2)
  r->Flags = 0;
  r->SupportLow = ___MnsINF;
  r->SupportHigh = ___PlsINF;
  r->Mode = mu;
  r->ModeDensity = peak;
  if (nu > 1.0) {
    r->Mean = mu;
    r->MeanDensity = peak;
    // 2 Gamma((nu+1)/2)/Gamma(nu/2) sqrt(nu/pi) sigma/(nu - 1), with the
    // gamma ratio as sqrt(pi)/B(nu/2, 1/2).
    r->MeanAbsDev = 2.0 * std::sqrt(nu) * sigma * std::exp(-ln_b) / (nu - 1.0);
  }
  r->Median = mu;
  r->MedianDensity = peak;
  if (nu > 2.0) {
    r->Variance = nu / (nu - 2.0) * sigma * sigma;
    r->StdDev = std::sqrt(nu / (nu - 2.0)) * sigma;
  }
  r->HalfHeightWidth = 2.0 * sigma * std::sqrt(nu * std::expm1(2.0 * kLn2 / (nu + 1.0)));
  const double inflex = sigma * std::sqrt(nu / (nu + 2.0));
  r->LowerInflex = mu - inflex;
  r->UpperInflex = mu + inflex;
  r->NhciWidth = 2.0 * (pQfStudent(0.75, nu, mu, sigma) - mu);
  r->NhciCenter = mu;
  if (nu > 3.0) r->Skewness = 0.0;
  if (nu > 4.0) r->ExKurtosis = 6.0 / (nu - 4.0);
  const double h = 0.5 * (nu + 1.0);
  r->Entropy = h * DigammaHalfStep(0.5 * nu) + 0.5 * std::log(nu) + ln_b + std::log(sigma);
  return r;
}

PdProps* pPropsUniform(double c, double w, PdProps* r) {
  pDPropsErase(r);
  if (!(w > 0.0)) return r;
  const double lo = c - 0.5 * w;
  const double hi = c + 0.5 * w;
  r->Flags = 0;
  r->SupportLow = lo;
  r->SupportHigh = hi;
  r->Mode = r->Mean = r->Median = c;
  r->ModeDensity = r->MeanDensity = r->MedianDensity = 1.0 / w;
  r->Variance = w * w / 12.0;
  r->StdDev = 0.28867513459481287 * w;
  r->MeanAbsDev = 0.25 * w;
  r->HalfHeightWidth = w;
  r->LowerInflex = lo;
  r->UpperInflex = hi;
  r->NhciWidth = 0.5 * w;
  r->NhciCenter = c;
  r->Skewness = 0.0;
  r->ExKurtosis = -1.2;
  r->Entropy = std::log(hi - lo);
  return r;
}
