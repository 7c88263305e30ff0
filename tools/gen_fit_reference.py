#!/usr/bin/python3
"""Reference values of the linear fits, written to tests/signal_fit/fit_reference.inc.

Sources: weighted least squares by numpy.linalg.lstsq on rows scaled by
sqrt(w) (power basis), numpy.polynomial.chebyshev.chebfit with w=sqrt(w),
the straight line in exact rational arithmetic (fractions) from the decimal
values of the doubles, and the decomposition's inverse Gram matrix and
normal quantile from numpy and scipy.stats.norm.ppf.

Run from the repository root: /usr/bin/python3 tools/gen_fit_reference.py
"""
from fractions import Fraction

import numpy as np
from numpy.polynomial import chebyshev
from scipy.stats import norm

rng = np.random.default_rng(32)
out = []


def arr(name, values):
    vals = ", ".join(repr(float(v)) for v in values)
    out.append(f"const double {name}[] = {{{vals}}};")


def scalar(name, value):
    out.append(f"constexpr double {name} = {float(value)!r};")


# Power bases on wide abscissas (the normal equations look singular unscaled).
for tag, deg, hi in (("Cubic1000", 3, 1000.0), ("Quartic100", 4, 100.0)):
    n = 60
    x = np.sort(rng.uniform(0.0, hi, n))
    w = rng.uniform(0.5, 2.0, n)
    true = rng.uniform(-1, 1, deg + 1) / hi ** np.arange(deg + 1)
    y = np.polyval(true[::-1], x) + rng.normal(0, 0.05, n)
    A = np.vander(x, deg + 1, increasing=True) * np.sqrt(w)[:, None]
    c = np.linalg.lstsq(A, y * np.sqrt(w), rcond=None)[0]
    arr(f"kPow{tag}X", x)
    arr(f"kPow{tag}Y", y)
    arr(f"kPow{tag}W", w)
    arr(f"kPow{tag}Coef", c)

# Chebyshev basis on [-1, 1].
n = 41
x = np.linspace(-1, 1, n) + rng.uniform(-0.01, 0.01, n)
w = rng.uniform(0.2, 3.0, n)
y = np.cos(2.3 * x) + 0.1 * x ** 5 + rng.normal(0, 0.01, n)
arr("kChebX", x)
arr("kChebY", y)
arr("kChebW", w)
arr("kChebCoef", chebfit := chebyshev.chebfit(x, y, 6, w=np.sqrt(w)))

# Straight line far from zero, exact.
n = 25
x = 1e7 + np.arange(n) * 0.37 + rng.uniform(0, 0.01, n)
y = 3.25 * (x - 1e7) + 17.5 + rng.normal(0, 0.2, n)
fx = [Fraction(v) for v in x]
fy = [Fraction(v) for v in y]
mx = sum(fx) / n
my = sum(fy) / n
sxx = sum((a - mx) ** 2 for a in fx)
sxy = sum((a - mx) * (b - my) for a, b in zip(fx, fy))
slope = sxy / sxx
icpt = my - slope * mx
ssr = sum((b - slope * a - icpt) ** 2 for a, b in zip(fx, fy))
arr("kLineX", x)
arr("kLineY", y)
scalar("kLineSlope", slope)
scalar("kLineIntercept", icpt)
scalar("kLineSd", np.sqrt(float(ssr / (n - 1))))

# Decomposition into three smooth components plus noise.
n, m = 200, 3
t = np.linspace(0, 1, n)
C = np.stack([np.exp(-3 * t), np.sin(4 * t), 0.5 + t * t], axis=1)
yd = C @ np.array([1.5, -0.75, 0.25]) + rng.normal(0, 0.01, n)
coef = np.linalg.lstsq(C, yd, rcond=None)[0]
ginv = np.linalg.inv(C.T @ C)
arr("kDecoC", C.T.ravel())  # column j at j n
arr("kDecoY", yd)
arr("kDecoCoef", coef)
arr("kDecoGinvDiag", np.diag(ginv))
scalar("kDecoZ95", norm.ppf(1 - (1 - 0.95) / 2))

# Noisy bi-exponential decay: the least-squares optimum by
# scipy.optimize.least_squares on offset + a1 exp(-r1 x) + a2 exp(-r2 x).
from scipy.optimize import least_squares  # noqa: E402

x = np.geomspace(1e-3, 10, 40)
y = 0.1 + 2.0 * np.exp(-0.5 * x) + 1.0 * np.exp(-20 * x) + rng.normal(0, 0.01, x.size)


def model(p, t):
    return p[0] + p[1] * np.exp(-p[3] * t) + p[2] * np.exp(-p[4] * t)


fit = least_squares(lambda p: model(p, x) - y, [0.1, 2, 1, 0.5, 20], xtol=1e-15, ftol=1e-15,
                    gtol=1e-15, method="lm")
arr("kBiExpX", x)
arr("kBiExpY", y)
arr("kBiExpFit", fit.x)  # offset, a1, a2, r1, r2
scalar("kBiExpRms", np.sqrt(np.mean((model(fit.x, x) - y) ** 2)))

with open("tests/signal_fit/fit_reference.inc", "w") as f:
    f.write("// Written by tools/gen_fit_reference.py; do not edit.\n")
    f.write("\n".join(out))
    f.write("\n")
