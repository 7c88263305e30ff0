// The apodization windows. The exponential and Gaussian factors advance by
// a multiplicative recurrence and are recomputed exactly every few
// samples, so long records pay few exponentials and accumulate no error
// from block to block; the other factors are taken at the sample's own
// abscissa. The data are written only once the parameters are known good.
// A signal's two halves take each factor in the same pass, so a factor is
// computed once per sample whatever the number of halves.
#include "signal_fit/signal/apodization.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "base/double_to_int.h"
#include "base/error_codes.h"

namespace {
constexpr double kPi = std::numbers::pi;

constexpr Qword kResync = 16;  // samples between exact window values

// The arrays a window works on: one real array, or the two halves of a
// signal array that take the same factor.
struct OneArray {
  double* a;
  void Scale(Qword k, double w) const { a[k] *= w; }
  void Zero(Qword k) const { a[k] = 0; }
};
struct TwoHalves {
  double* a;
  double* b;
  void Scale(Qword k, double w) const {
    a[k] *= w;
    b[k] *= w;
  }
  void Zero(Qword k) const { a[k] = b[k] = 0; }
};

template <class S, class W>
void Apply(Qword n, S s, double t0, double B, W w) {
  for (Qword k = 0; k < n; ++k) s.Scale(k, w(t0 + static_cast<double>(k) * B));
}

template <class S>
void ZeroAll(Qword n, S s) {
  for (Qword k = 0; k < n; ++k) s.Zero(k);
}

// w(t) = exp(-E t^2 - L t): w_(k+1) = w_k q_k, q_(k+1) = q_k c with
// q_k = exp(-E (2 t_k B + B^2) - L B) and c = exp(-2 E B^2).
template <class S>
void ApplyExpQuadratic(Qword n, S s, double t0, double B, double E, double L) {
  const double c = std::exp(-2 * E * B * B);
  for (Qword k0 = 0; k0 < n; k0 += kResync) {
    const double t = t0 + static_cast<double>(k0) * B;
    double w = std::exp(-E * t * t - L * t);
    double q = std::exp(-E * (2 * t * B + B * B) - L * B);
    const Qword end = n - k0 < kResync ? n : k0 + kResync;
    for (Qword k = k0; k < end; ++k) {
      s.Scale(k, w);
      w *= q;
      q *= c;
    }
  }
}

template <class S>
Dword Stanning(Qword n, S s, double t0, double t1, double B, const double* p) {
  double T = t1;
  if (std::isfinite(p[1])) T = p[1] * (p[0] == 0 ? 4.0 : p[0]);
  if (T > t1) T = t1;
  // A window of no length (or a NaN one) has no cosine to follow.
  if (!(T > 0)) return kErrIllegalArgument;
  Apply(n, s, t0, B, [T](double t) {
    if (t > T) return 0.0;
    const double c = std::cos(kPi * t / (2 * T));
    return c * c;
  });
  return kErrNone;
}

template <class S>
Dword Cos2Tmax(Qword n, S s, double t0, double B, double p0) {
  if (std::isnan(p0)) return kErrIllegalArgument;
  if (p0 == 0) {
    ZeroAll(n, s);
    return kErrNone;
  }
  // K: the first sample past p0. A cut-off before the first sample (or an
  // undefined one) ends the window at once rather than letting the
  // periodic cos^2 run on.
  const double q = std::ceil((p0 - t0) / B);
  Qword K = 0;
  if (q >= static_cast<double>(n)) {
    K = n;
  } else if (q > 0) {
    K = DoubleToQword(q);
  }
  for (Qword k = 0; k < K; ++k) {
    const double c = std::cos(kPi * (t0 + static_cast<double>(k) * B) / (2 * p0));
    s.Scale(k, c * c);
  }
  for (Qword k = K; k < n; ++k) s.Zero(k);
  return kErrNone;
}

// u = |t/p0|^N by binary powering over a block of samples at a time:
// every sample of the block takes the same products in the same order, so
// the loops over the block run as vector operations.
template <class S>
void SmoothstepBlocks(Qword n, S s, double t0, double B, double p0, Qword N) {
  constexpr Qword kBlock = 256;
  double x[kBlock], u[kBlock];
  for (Qword k0 = 0; k0 < n; k0 += kBlock) {
    const Qword m = n - k0 < kBlock ? n - k0 : kBlock;
    for (Qword i = 0; i < m; ++i) {
      // The magnitude keeps odd powers of negative times from crossing the
      // pole at u = -1.
      x[i] = std::fabs((t0 + static_cast<double>(k0 + i) * B) / p0);
      u[i] = 1;
    }
    for (Qword e = N;;) {
      if (e & 1)
        for (Qword i = 0; i < m; ++i) u[i] *= x[i];
      e >>= 1;
      if (e == 0) break;
      for (Qword i = 0; i < m; ++i) x[i] *= x[i];
    }
    // An overflowing u is the window's limit 1.
    for (Qword i = 0; i < m; ++i)
      s.Scale(k0 + i, u[i] > std::numeric_limits<double>::max() ? 1.0 : u[i] / (1 + u[i]));
  }
}

template <class S>
Dword Smoothstep(Qword n, S s, double t0, double B, const double* p) {
  const double r = std::round(p[1]);
  const Qword N = r > 0 ? DoubleToQword(r) : 0;  // negative or NaN: 0
  if (p[0] == 0) return kErrNone;
  if (N == 0) {
    for (Qword k = 0; k < n; ++k) s.Scale(k, 0.5);
    return kErrNone;
  }
  if (p[0] < 0 || std::isnan(p[0])) return kErrIllegalArgument;
  SmoothstepBlocks(n, s, t0, B, p[0], N);
  return kErrNone;
}

// Every refusal is decided from the parameters before a value is written.
template <class S>
Dword Window(ApodizationType type, Qword n, S s, double t0, double t1, const double* p) {
  if (type < 1 || type > 8) return kErrUnknownId;
  if (!p) return kErrMissingParameters;
  const double B = (t1 - t0) / static_cast<double>(n - 1);
  const double p0 = p[0], p1 = p[1];
  const double E = (kPi * p0) * (kPi * p0) / (4 * std::numbers::ln2);
  switch (type) {
    case 1:
      ApplyExpQuadratic(n, s, t0, B, 0, kPi * p0);
      return kErrNone;
    case 2:
      return Stanning(n, s, t0, t1, B, p);
    case 3:
      return Cos2Tmax(n, s, t0, B, p0);
    case 4:
      ApplyExpQuadratic(n, s, t0, B, E, 0);
      return kErrNone;
    case 5:
      ApplyExpQuadratic(n, s, t0, B, E, kPi * p1);
      return kErrNone;
    case 6:
      if (p0 == 0) return kErrNone;
      Apply(n, s, t0, B, [p0](double t) {
        const double x = kPi * p0 * t;
        return x == 0 ? 1.0 : std::sin(x) / x;
      });
      return kErrNone;
    case 7:
      if (p0 == 0) {
        ZeroAll(n, s);
        return kErrNone;
      }
      Apply(n, s, t0, B, [p0](double t) {
        const double u = (t / p0) * (t / p0);
        return u * std::exp(-u);
      });
      return kErrNone;
    default:
      return Smoothstep(n, s, t0, B, p);
  }
}
}  // namespace

VELTRIA_API Dword RArrApodization(ApodizationType type, Qword n, double* data, double t0, double t1,
                                  const double* p) {
  if (!data) return kErrMissingInputData;
  if (n < 2) return kErrNone;
  return Window(type, n, OneArray{data}, t0, t1, p);
}

VELTRIA_API Dword SArrTdApodize(ApodizationType type, Qword n, double* s, double t0, double t1,
                                const double* p) {
  if (!s || n == 0) return kErrMissingInputData;
  if (n < 2) return kErrNone;  // one sample: no window to take
  // Both halves take each factor in one pass; a refusal comes before the
  // first write, so the signal changes as a whole or not at all.
  return Window(type, n, TwoHalves{s, s + n}, t0, t1, p);
}
