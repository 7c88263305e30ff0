// Arithmetic of truncated series: products, quotients, reciprocals and
// square roots by their O(n^2) recurrences. The exponential reading weighs
// each term of a sum by the binomial coefficient C(i, j).
#include <cmath>

#include "arrays/generating_functions.h"
#include "arrays/rarr.h"
#include "arrays/rarr_ops.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "scalar/elementary.h"

namespace {

// The sum over j = from .. to (from 0 or 1) of C(i, j)·u[j]·v[i - j] for
// the exponential reading, of u[j]·v[i - j] for the ordinary one. C(i, j)
// is built up along the sum in doubles.
template <bool kExp>
double Convolve(const double* u, const double* v, Qword i, Qword from, Qword to) {
  double s = 0;
  if constexpr (kExp) {
    double c = from == 0 ? 1 : static_cast<double>(i);
    for (Qword j = from; j <= to; ++j) {
      if (j > from) c = c * static_cast<double>(i - j + 1) / static_cast<double>(j);
      s += c * u[j] * v[i - j];
    }
  } else {
    for (Qword j = from; j <= to; ++j) s += u[j] * v[i - j];
  }
  return s;
}

// The recurrences read the destination's earlier elements, so a
// destination that is also a source is written through a temporary.
template <class Run>
Dword Into(Qword n, double* dst, bool aliased, Run run) {
  if (!aliased) {
    run(dst);
    return kErrNone;
  }
  Dword error;
  double* tmp = RArrNew(&error, n);
  if (!tmp) return error;
  run(tmp);
  RArrCopy(n, tmp, dst);
  RArrKill(&tmp);
  return kErrNone;
}

template <bool kExp>
Dword Mul(Qword n, const double* a, const double* b, double* dst) {
  if (!a || !b || n == 0) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  return Into(n, dst, dst == a || dst == b, [&](double* c) {
    for (Qword i = 0; i < n; ++i) c[i] = Convolve<kExp>(a, b, i, 0, i);
  });
}

template <bool kExp>
Dword Div(Qword n, const double* a, const double* b, double* dst) {
  if (!a || !b || n == 0) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  return Into(n, dst, dst == a || dst == b, [&](double* q) {
    for (Qword i = 0; i < n; ++i) q[i] = (a[i] - Convolve<kExp>(b, q, i, 1, i)) / b[0];
  });
}

template <bool kExp>
Dword Reciprocal(Qword n, const double* a, double* dst) {
  if (!a || n == 0) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  if (a[0] == 0) return kErrIllegalData;
  return Into(n, dst, dst == a, [&](double* r) {
    r[0] = 1 / a[0];
    for (Qword i = 1; i < n; ++i) r[i] = -Convolve<kExp>(a, r, i, 1, i) / a[0];
  });
}

template <bool kExp>
Dword Sqrt(Qword n, const double* a, double* dst) {
  if (!a || n == 0) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  // The exponential form refuses only a zero constant term; a negative one
  // runs on with NaN.
  if (kExp ? a[0] == 0 : !(a[0] > 0)) return kErrIllegalData;
  return Into(n, dst, dst == a, [&](double* s) {
    s[0] = kExp ? rSqrt(a[0]) : std::sqrt(a[0]);
    const double twice = 2 * s[0];
    for (Qword i = 1; i < n; ++i) s[i] = (a[i] - Convolve<kExp>(s, s, i, 1, i - 1)) / twice;
  });
}

}  // namespace

VELTRIA_API Dword RArrOgfAdd(Qword n, const double* a, const double* b, double* dst) {
  return RArrAdd(n, a, b, dst);
}
VELTRIA_ALIAS(Dword, RArrEgfAdd, (Qword n, const double* a, const double* b, double* dst),
              RArrOgfAdd);
VELTRIA_API Dword RArrOgfSub(Qword n, const double* a, const double* b, double* dst) {
  return RArrSub(n, a, b, dst);
}
VELTRIA_ALIAS(Dword, RArrEgfSub, (Qword n, const double* a, const double* b, double* dst),
              RArrOgfSub);

VELTRIA_API Dword RArrOgfMul(Qword n, const double* a, const double* b, double* dst) {
  return Mul<false>(n, a, b, dst);
}
VELTRIA_API Dword RArrEgfMul(Qword n, const double* a, const double* b, double* dst) {
  return Mul<true>(n, a, b, dst);
}
VELTRIA_API Dword RArrOgfDiv(Qword n, const double* a, const double* b, double* dst) {
  return Div<false>(n, a, b, dst);
}
VELTRIA_API Dword RArrEgfDiv(Qword n, const double* a, const double* b, double* dst) {
  return Div<true>(n, a, b, dst);
}
VELTRIA_API Dword RArrOgf1Div(Qword n, const double* a, double* dst) {
  return Reciprocal<false>(n, a, dst);
}
VELTRIA_API Dword RArrEgf1Div(Qword n, const double* a, double* dst) {
  return Reciprocal<true>(n, a, dst);
}
VELTRIA_API Dword RArrOgfSqrt(Qword n, const double* a, double* dst) {
  return Sqrt<false>(n, a, dst);
}
VELTRIA_API Dword RArrEgfSqrt(Qword n, const double* a, double* dst) {
  return Sqrt<true>(n, a, dst);
}
