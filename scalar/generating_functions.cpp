// Exponential and ordinary generating functions, their derivatives (shift
// s > 0) and repeated integrals from 0 (s < 0), with one running term.
#include "scalar/iteration_loop.h"

namespace {

constexpr bool kApplyPowerOnLimit = true;

// Sums start + sum of term(i), i >= 1; a negative shift ends with x^m.
template <class Next>
Dword Run(double x, double* value, double start, Qword m, bool integral, Qword max_steps,
          Qword min_steps, bool power_on_limit, Next next) {
  double v = start;
  const auto end = iteration::Run(
      max_steps, true, min_steps > 3 ? min_steps : 3, [&](Qword i) { v += next(i); },
      [&] { return v; });
  const bool converged = end == iteration::End::kConverged;
  if (integral && (converged || power_on_limit)) v *= ruPower(x, m);
  *value = v;
  return converged ? kErrNone : kErrTooManyIterations;
}

double InverseFactorial(Qword m) {
  double t = 1;
  for (Qword j = 1; j <= m; ++j) t /= static_cast<double>(j);
  return t;
}

double Factorial(Qword m) {
  double t = 1;
  for (Qword j = 2; j <= m; ++j) t *= static_cast<double>(j);
  return t;
}

inline Qword Magnitude(Qlong s) { return s < 0 ? Qword{0} - static_cast<Qword>(s) : s; }

}  // namespace

VELTRIA_API Dword rEgfCoefFunc(double x, double* value, GfCoefFunc c, Qlong shift, Qword max_steps,
                               Qword min_steps) {
  if (!c) return kErrIllegalArgument;
  const Qword m = static_cast<Dword>(Magnitude(shift));
  double t = 1;
  if (shift >= 0) {
    return Run(x, value, c(m), m, false, max_steps, min_steps, false, [&](Qword i) {
      t = t * x / static_cast<double>(i);
      return c(m + i) * t;
    });
  }
  t = InverseFactorial(m);
  return Run(x, value, c(0) * t, m, true, max_steps, min_steps, false, [&](Qword i) {
    t = t * x / static_cast<double>(m + i);
    return c(i) * t;
  });
}

VELTRIA_API Dword rEgfCoefRatioFunc(double x, double* value, GfCoefFunc rho, Qlong shift,
                                    Qword max_steps, Qword min_steps) {
  if (!rho) return kErrIllegalArgument;
  const Qword m = static_cast<Dword>(Magnitude(shift));
  double t = rho(0);
  if (shift > 0) {
    for (Qword k = 1; k <= m; ++k) t *= rho(k);
  } else if (shift < 0) {
    t *= InverseFactorial(m);
  }
  const double start = t;
  if (shift >= 0) {
    return Run(x, value, start, m, false, max_steps, min_steps, false, [&](Qword i) {
      t = t * (x / static_cast<double>(i)) * rho(m + i);
      return t;
    });
  }
  return Run(x, value, start, m, true, max_steps, min_steps, false, [&](Qword i) {
    t = t * (x / static_cast<double>(m + i)) * rho(i);
    return t;
  });
}

VELTRIA_API Dword rOgfCoefFunc(double x, double* value, GfCoefFunc c, Qlong shift, Qword max_steps,
                               Qword min_steps) {
  if (!c) return kErrIllegalArgument;
  const Qword m = Magnitude(shift);
  if (shift == 0) {
    double t = 1;
    return Run(x, value, c(0), 0, false, max_steps, min_steps, kApplyPowerOnLimit, [&](Qword i) {
      t *= x;
      return c(i) * t;
    });
  }
  if (shift > 0) {
    double t = Factorial(m);
    return Run(x, value, c(m) * t, m, false, max_steps, min_steps, kApplyPowerOnLimit,
               [&](Qword i) {
                 t = t * (x / static_cast<double>(i)) * static_cast<double>(m + i);
                 return c(m + i) * t;
               });
  }
  double t = InverseFactorial(m);
  return Run(x, value, c(0) * t, m, true, max_steps, min_steps, kApplyPowerOnLimit, [&](Qword i) {
    t = t * (x / static_cast<double>(m + i)) * static_cast<double>(i);
    return c(i) * t;
  });
}

VELTRIA_API Dword rOgfCoefRatioFunc(double x, double* value, GfCoefFunc rho, Qlong shift,
                                    Qword max_steps, Qword min_steps) {
  if (!rho) return kErrIllegalArgument;
  const Qword m = Magnitude(shift);
  double t = rho(0);
  if (shift > 0) {
    for (Qword k = 1; k <= m; ++k) t *= static_cast<double>(k) * rho(k);
  } else if (shift < 0) {
    t *= InverseFactorial(m);
  }
  const double start = t;
  if (shift == 0) {
    return Run(x, value, start, 0, false, max_steps, min_steps, false, [&](Qword i) {
      t = t * x * rho(i);
      return t;
    });
  }
  if (shift > 0) {
    return Run(x, value, start, m, false, max_steps, min_steps, false, [&](Qword i) {
      t = t * ((x / static_cast<double>(i)) * static_cast<double>(m + i)) * rho(m + i);
      return t;
    });
  }
  return Run(x, value, start, m, true, max_steps, min_steps, false, [&](Qword i) {
    t = t * ((x / static_cast<double>(m + i)) * static_cast<double>(i)) * rho(i);
    return t;
  });
}
