// Complex ordinary and exponential generating functions, their derivatives
// and repeated integrals, from coefficients or coefficient ratios.
#include "base/error_codes.h"
#include "complexvec/complex_tools.h"
#include "scalar/real_helpers.h"

namespace {

// m! and 1/m! by multiplying or dividing by 2, 3, ..., m in turn. Once the
// running value is infinite or zero it stays so, which bounds the loop for
// any m.
double FactorialUpTo(Qword m) {
  double f = 1.0;
  for (Qword j = 2; j <= m && f <= ___MaxReal; ++j) f *= static_cast<double>(j);
  return f;
}
double InverseFactorialUpTo(Qword m) {
  double f = 1.0;
  for (Qword j = 2; j <= m && f != 0.0; ++j) f /= static_cast<double>(j);
  return f;
}

Qword Magnitude(Qlong s) {
  return s < 0 ? Qword{0} - static_cast<Qword>(s) : static_cast<Qword>(s);
}

enum class OnLimit { kApplyPowerThen39, kStop39 };

// The common loop: the value before step i is tested from the step after
// max(min_steps, 3); step(i) adds term i. A negative shift ends with the
// factor z^m.
template <class Step>
LibErrorCode RunSum(COMPLEX z, COMPLEX* value, COMPLEX start, Step step, Qlong s, Qword m,
                    Qword max_steps, Qword min_steps, OnLimit on_limit) {
  COMPLEX h0 = ZeroComplex, h1(___SqrtMaxReal, 0.0), h2(-___Root3MaxReal, 0.0);
  const Qword minimum = min_steps > 3 ? min_steps : 3;
  COMPLEX v = start;
  *value = v;
  LibErrorCode status = 0;
  for (Qword i = 1; i != 0; ++i) {
    if (i > max_steps) {
      status = kErrTooManyIterations;
      if (on_limit == OnLimit::kStop39) return status;
      break;
    }
    if (i > minimum && cConvergenceTest3(v, &h0, &h1, &h2, ___5EpsReal)) break;
    v += step(i);
    *value = v;
  }
  if (s < 0) *value = v * ccPowerUnsignedValue(z, m);
  return status;
}

}  // namespace

VELTRIA_API LibErrorCode cOgfCoefFunc(COMPLEX z, COMPLEX* value, CGfCoefFunction f, Qlong s,
                                      Qword max_steps, Qword min_steps) {
  if (!value) return kErrIllegalArgument;
  if (!f) {
    *value = ZeroComplex;
    return kErrIllegalArgument;
  }
  const Qword m = Magnitude(s);
  COMPLEX t;
  COMPLEX start;
  if (s == 0) {
    t = OneComplex;
    start = f(0);
  } else if (s > 0) {
    t = COMPLEX(FactorialUpTo(m), 0.0);
    start = f(m) * t;
  } else {
    t = COMPLEX(InverseFactorialUpTo(m), 0.0);
    start = f(0) * t;
  }
  auto step = [&](Qword i) {
    const double di = static_cast<double>(i);
    const double mi = static_cast<double>(m + i);
    if (s == 0) {
      t = t * z;
      return f(i) * t;
    }
    if (s > 0) {
      t = t * (z / di) * mi;
      return f(m + i) * t;
    }
    t = t * (z / mi) * di;
    return f(i) * t;
  };
  return RunSum(z, value, start, step, s, m, max_steps, min_steps, OnLimit::kApplyPowerThen39);
}

VELTRIA_API LibErrorCode cOgfCoefRatioFunc(COMPLEX z, COMPLEX* value, CGfCoefFunction f, Qlong s,
                                           Qword max_steps, Qword min_steps) {
  if (!f || !value) return kErrIllegalArgument;
  const Qword m = Magnitude(s);
  COMPLEX t = f(0);
  if (s > 0) {
    t = t * f(1);
    for (Qword j = 2; j <= m; ++j) t = t * (static_cast<double>(j) * f(j));
  } else if (s < 0) {
    t = t * InverseFactorialUpTo(m);
  }
  auto step = [&](Qword i) {
    const double di = static_cast<double>(i);
    const double mi = static_cast<double>(m + i);
    if (s == 0)
      t = t * (z * f(i));
    else if (s > 0)
      t = t * ((z / di) * mi * f(m + i));
    else
      t = t * ((z / mi) * di * f(i));
    return t;
  };
  return RunSum(z, value, t, step, s, m, max_steps, min_steps, OnLimit::kStop39);
}

VELTRIA_API LibErrorCode cEgfCoefFunc(COMPLEX z, COMPLEX* value, CGfCoefFunction f, Qlong s,
                                      Qword max_steps, Qword min_steps) {
  if (!f || !value) return kErrIllegalArgument;
  const Qword m = static_cast<Dword>(Magnitude(s));
  COMPLEX t = OneComplex;
  COMPLEX start;
  if (s == 0) {
    start = f(0);
  } else if (s > 0) {
    start = f(m);
  } else {
    t = COMPLEX(InverseFactorialUpTo(m), 0.0);
    start = f(0) * t;
  }
  auto step = [&](Qword i) {
    if (s == 0) {
      t = t * z / static_cast<double>(i);
      return f(i) * t;
    }
    if (s > 0) {
      t = t * z / static_cast<double>(i);
      return f(m + i) * t;
    }
    t = t * z / static_cast<double>(m + i);
    return f(i) * t;
  };
  return RunSum(z, value, start, step, s, m, max_steps, min_steps, OnLimit::kStop39);
}

VELTRIA_API LibErrorCode cEgfCoefRatioFunc(COMPLEX z, COMPLEX* value, CGfCoefFunction f, Qlong s,
                                           Qword max_steps, Qword min_steps) {
  if (!f || !value) return kErrIllegalArgument;
  const Qword m = static_cast<Dword>(Magnitude(s));
  COMPLEX t = f(0);
  if (s > 0) {
    for (Qword j = 1; j <= m; ++j) t = t * f(j);
  } else if (s < 0) {
    t = t * InverseFactorialUpTo(m);
  }
  auto step = [&](Qword i) {
    if (s == 0)
      t = t * ((z / static_cast<double>(i)) * f(i));
    else if (s > 0)
      t = t * ((z / static_cast<double>(i)) * f(m + i));
    else
      t = t * ((z / static_cast<double>(m + i)) * f(i));
    return t;
  };
  return RunSum(z, value, t, step, s, m, max_steps, min_steps, OnLimit::kStop39);
}
