// The apodization windows. The exponential and Gaussian factors advance by
// a multiplicative recurrence and are recomputed exactly every few
// samples, so long records pay few exponentials and accumulate no error
// from block to block; the other factors are taken at the sample's own
// abscissa. The data are written only once the parameters are known good.
// A signal's two halves take each factor in the same pass, so a factor is
// computed once per sample whatever the number of halves.
#include "signal_fit/signal/apodization.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>

#include "base/double_to_int.h"
#include "base/error_codes.h"

namespace {
constexpr double kPi = std::numbers::pi;

constexpr Qword kResync = 16;  // samples between exact window values

// The sample offsets 0, 1, 2, ... of a block as doubles: k0 + j is formed
// exactly as a sum of doubles, which (unlike a conversion of the unsigned
// index) runs as a vector operation.
constexpr Qword kBlock = 256;
struct Offsets {
  double j[kBlock];
  constexpr Offsets() : j() {
    for (Qword i = 0; i < kBlock; ++i) j[i] = static_cast<double>(i);
  }
};
constexpr Offsets kOffsets;

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
// q_k = exp(-E (2 t_k B + B^2) - L B) and c = exp(-2 E B^2). Sample k takes
// f(k, w_k).
template <class S, class F>
void ApplyExpQuadratic(Qword n, S s, double t0, double B, double E, double L, F f) {
  const double c = std::exp(-2 * E * B * B);
  // Blocks of kResync samples, kChains of them side by side: each block's
  // recurrence is the same as alone, but the chains do not wait for each
  // other's products.
  constexpr Qword kChains = 4, kGroup = kChains * kResync;
  Qword k0 = 0;
  for (; n - k0 >= kGroup; k0 += kGroup) {
    double w[kChains], q[kChains], out[kGroup];
    for (Qword b = 0; b < kChains; ++b) {
      const double t = t0 + static_cast<double>(k0 + b * kResync) * B;
      w[b] = std::exp(-E * t * t - L * t);
      q[b] = std::exp(-E * (2 * t * B + B * B) - L * B);
    }
    for (Qword j = 0; j < kResync; ++j)
      for (Qword b = 0; b < kChains; ++b) {
        out[b * kResync + j] = w[b];
        w[b] *= q[b];
        q[b] *= c;
      }
    for (Qword i = 0; i < kGroup; ++i) s.Scale(k0 + i, f(k0 + i, out[i]));
  }
  for (; k0 < n; k0 += kResync) {
    const double t = t0 + static_cast<double>(k0) * B;
    double w = std::exp(-E * t * t - L * t);
    double q = std::exp(-E * (2 * t * B + B * B) - L * B);
    const Qword end = n - k0 < kResync ? n : k0 + kResync;
    for (Qword k = k0; k < end; ++k) {
      s.Scale(k, f(k, w));
      w *= q;
      q *= c;
    }
  }
}

template <class S>
void ApplyExpQuadratic(Qword n, S s, double t0, double B, double E, double L) {
  ApplyExpQuadratic(n, s, t0, B, E, L, [](Qword, double w) { return w; });
}

// cos and sin of the angle a t_k: exact values at the first sample of each
// block of kTurn, and within a block the angle sum with a table of the
// turns cos(j a B), sin(j a B). Each value is two products and a sum away
// from exact ones, so no error is carried from sample to sample, and the
// block's loop runs as vector operations. Sample k takes f(t_k, cos, sin).
constexpr Qword kTurn = 64;  // at most kBlock

template <class S, class F>
void ApplyTurning(Qword n, S s, double t0, double B, double a, F f) {
  if (n == 0) return;
  double ct[kTurn], st[kTurn], w[kTurn];
  const double d = a * B;
  const Qword table = n < kTurn ? n : kTurn;
  for (Qword j = 0; j < table; ++j) {
    ct[j] = std::cos(d * static_cast<double>(j));
    st[j] = std::sin(d * static_cast<double>(j));
  }
  for (Qword k0 = 0; k0 < n; k0 += kTurn) {
    const double x = a * (t0 + static_cast<double>(k0) * B);
    const double C = std::cos(x), S0 = std::sin(x);
    const Qword m = n - k0 < kTurn ? n - k0 : kTurn;
    for (Qword j = 0; j < m; ++j)
      w[j] =
          f(t0 + static_cast<double>(k0 + j) * B, C * ct[j] - S0 * st[j], S0 * ct[j] + C * st[j]);
    for (Qword j = 0; j < m; ++j) s.Scale(k0 + j, w[j]);
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
  ApplyTurning(K, s, t0, B, kPi / (2 * p0), [](double, double c, double) { return c * c; });
  for (Qword k = K; k < n; ++k) s.Zero(k);
  return kErrNone;
}

// u = |t/p0|^N by binary powering over a block of samples at a time:
// every sample of the block takes the same products in the same order, so
// the loops over the block run as vector operations.
template <class S>
void SmoothstepBlocks(Qword n, S s, double t0, double B, double p0, Qword N) {
  typedef double V2 __attribute__((vector_size(16)));
  constexpr double kMax = std::numeric_limits<double>::max();
  constexpr V2 kMax2 = {kMax, kMax};
  double x[kBlock], u[kBlock];
  // t/p0 advances by B/p0 from t0/p0: a product per sample, not a quotient.
  const double x0 = t0 / p0, b = B / p0;
  for (Qword k0 = 0; k0 < n; k0 += kBlock) {
    const Qword m = n - k0 < kBlock ? n - k0 : kBlock;
    const Qword pairs = (m + 1) / 2;  // an odd block's last pair has a spare lane
    const double k0d = static_cast<double>(k0);
    for (Qword i = 0; i < 2 * pairs; ++i) {
      // The magnitude keeps odd powers of negative times from crossing the
      // pole at u = -1.
      x[i] = std::fabs(x0 + (k0d + kOffsets.j[i]) * b);
      u[i] = 1;
    }
    for (Qword e = N;;) {
      if (e & 1)
        for (Qword i = 0; i < 2 * pairs; ++i) u[i] *= x[i];
      e >>= 1;
      if (e == 0) break;
      for (Qword i = 0; i < 2 * pairs; ++i) x[i] *= x[i];
    }
    // An overflowing u gives the window's limit 1: it is taken as the
    // largest double, whose quotient rounds to 1 (inf/inf would be NaN); a
    // NaN stays NaN. Written on vectors, as the compiler keeps a scalar
    // select.
    for (Qword i = 0; i < pairs; ++i) {
      V2 v;
      std::memcpy(&v, u + 2 * i, sizeof v);
      v = v > kMax2 ? kMax2 : v;
      v = v / (1 + v);
      std::memcpy(x + 2 * i, &v, sizeof v);
    }
    for (Qword i = 0; i < m; ++i) s.Scale(k0 + i, x[i]);
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
      ApplyTurning(n, s, t0, B, kPi * p0, [p0](double t, double, double sine) {
        const double x = kPi * p0 * t;
        return x == 0 ? 1.0 : sine / x;
      });
      return kErrNone;
    case 7:
      if (p0 == 0) {
        ZeroAll(n, s);
        return kErrNone;
      }
      if (!std::isfinite(1 / (p0 * p0))) {
        // No recurrence for an infinite rate: each value on its own.
        Apply(n, s, t0, B, [p0](double t) {
          const double u = (t / p0) * (t / p0);
          return u * std::exp(-u);
        });
        return kErrNone;
      }
      // u exp(-u) with u = (t/p0)^2: the Gaussian recurrence with E = 1/p0^2.
      ApplyExpQuadratic(n, s, t0, B, 1 / (p0 * p0), 0, [t0, B, p0](Qword k, double g) {
        const double t = t0 + static_cast<double>(k) * B;
        return (t / p0) * (t / p0) * g;
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

Dword RArrApodizePair(ApodizationType type, Qword n, double* re, double* im, double t0, double t1,
                      const double* p) {
  if (!re || !im) return kErrMissingInputData;
  if (n < 2) return kErrNone;  // one sample: no window to take
  // Both take each factor in one pass; a refusal comes before the first
  // write, so the two change together or not at all.
  return Window(type, n, TwoHalves{re, im}, t0, t1, p);
}

VELTRIA_API Dword SArrTdApodize(ApodizationType type, Qword n, double* s, double t0, double t1,
                                const double* p) {
  if (!s || n == 0) return kErrMissingInputData;
  return RArrApodizePair(type, n, s, s + n, t0, t1, p);
}
