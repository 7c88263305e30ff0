// The sine and cosine integrals by rational approximations: one rational
// function of x² up to x = 4, the auxiliary functions f and g beyond.
#include "scalar/elementary.h"
#include "scalar/error_functions.h"
#include "scalar/real_helpers.h"

namespace {
constexpr double kEulerGamma = 0.5772156649015329;
constexpr double kHalfPi = 1.5707963267948966;

// Coefficients lowest power first.
constexpr double kSiNum[] = {1,
                             -0.045439340981633,
                             0.0011545722575101668,
                             -0.000014101853682133025,
                             9.432808094387131e-8,
                             -3.5320197899716837e-10,
                             7.08240282274876e-13,
                             -6.053382120104225e-16};
constexpr double kSiDen[] = {1,
                             0.010116214573922557,
                             0.000049917511616975513,
                             1.556549863087456e-7,
                             3.280675710557897e-10,
                             4.504909757538658e-13,
                             3.2110705119371216e-16};
constexpr double kCiNum[] = {-0.25,
                             0.007518515244388983,
                             -0.0001275283422402677,
                             1.052973638462392e-6,
                             -4.68889508144848e-9,
                             1.0648080289118924e-11,
                             -9.937284888575855e-15};
constexpr double kCiDen[] = {1,
                             0.011592605689110734,
                             6.721268008142544e-5,
                             2.5553327708612963e-7,
                             6.970712957609589e-10,
                             1.3853635277277863e-12,
                             1.8910605471305976e-15,
                             1.3975961673137686e-18};

// The auxiliary functions of both integrals, in powers of 1/x².
constexpr double kFNum[] = {1,
                            744.4370681619367,
                            196396.37289514687,
                            23775031.012543183,
                            1430734038.2127464,
                            43373623887.04325,
                            640533830574.022,
                            4209681805710.7695,
                            10079518298036.857,
                            4948166881999.52,
                            -494701168645.41595};
constexpr double kFDen[] = {1,
                            746.4370681619276,
                            197865.24703158395,
                            24153567.016512685,
                            1474789521.9298546,
                            45859511584.77658,
                            708501308149.5154,
                            5060844645934.751,
                            14346854917158.102,
                            11153549350991.426};
constexpr double kGNum[] = {1,
                            813.5952011516862,
                            235239.1816264782,
                            31255757.079577874,
                            2062975951.4676335,
                            68305220542.3625,
                            1090495284503.6278,
                            7576645832578.344,
                            18100448746466.457,
                            6432916131430.495,
                            -1365171376708.7168};
constexpr double kGDen[] = {1,
                            819.5952011514515,
                            240036.75283557878,
                            32602666.164709084,
                            2233555432.7809935,
                            78746501734.183,
                            1398667106964.1458,
                            11716472337173.66,
                            40183908730765.664,
                            39965325788749.08};

template <size_t N>
double Horner(const double (&c)[N], double y) {
  double p = 0;
  for (size_t i = N; i-- > 0;) p = p * y + c[i];
  return p;
}

// f(x) and g(x) for x > 4.
void Auxiliary(double x, double* f, double* g) {
  const double y = 1 / (x * x);
  *f = (1 / x) * Horner(kFNum, y) / Horner(kFDen, y);
  *g = y * Horner(kGNum, y) / Horner(kGDen, y);
}

// Si for x >= 0.
double SineIntegralOfMagnitude(double x) {
  if (x <= 4) {
    const double a = x * x;
    return x * Horner(kSiNum, a) / Horner(kSiDen, a);
  }
  if (rIsPlsINF(x)) return kHalfPi;
  double f, g;
  Auxiliary(x, &f, &g);
  return kHalfPi - f * rCos(x) - g * rSin(x);
}
}  // namespace

// Si is odd; NaN stays NaN.
VELTRIA_API double rSineIntegral(double x) {
  if (x < 0) return -SineIntegralOfMagnitude(-x);
  return SineIntegralOfMagnitude(x);
}

// Ci of a negative argument is complex: NaN, like NaN itself.
VELTRIA_API double rCosineIntegral(double x) {
  if (!(x >= 0)) return ___NAN;
  if (x <= 4) {
    const double a = x * x;
    return kEulerGamma + rLog(x) + a * Horner(kCiNum, a) / Horner(kCiDen, a);
  }
  if (rIsPlsINF(x)) return 0;
  double f, g;
  Auxiliary(x, &f, &g);
  return f * rSin(x) - g * rCos(x);
}
