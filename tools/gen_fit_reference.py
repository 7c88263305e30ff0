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

# Truncated singular-value inversion of a Laplace kernel: numpy's SVD with
# the singular values below threshold times the largest dropped.
t = np.geomspace(1e-3, 5, 50)
r = np.geomspace(0.5, 200, 12)
K = np.exp(-np.outer(t, r))
ys = K @ rng.uniform(0, 1, r.size) + rng.normal(0, 1e-3, t.size)
U, sv, Vt = np.linalg.svd(K, full_matrices=False)
keep = sv >= 1e-3 * sv[0]
xs = Vt[keep].T @ ((U[:, keep].T @ ys) / sv[keep])
arr("kSvdT", t)
arr("kSvdR", r)
arr("kSvdY", ys)
arr("kSvdAmp", xs)
arr("kSvdFitted", K @ xs)

# Term functions 1-8 at 50 abscissas, written out from their formulas.
v = np.geomspace(0.01, 40, 50)
c, tau, eta = 1.7, 0.37, 0.45
d = tau * v
terms = {
    1: c * np.exp(-d), 2: c * np.exp(-d ** 2), 3: c * np.exp(d ** 2), 4: c / (1 + d ** 2),
    5: c * np.abs(v) ** tau, 6: c / (1 + d ** 2) + c / (0.25 + d ** 2),
    7: c / (1 + np.abs(d) ** eta),
    8: c / (1 + ((1 - eta) * d) ** 2) + 3 * c / (1 + d ** 2) + 6 * c / (1 + ((1 + eta) * d) ** 2),
}
arr("kTermV", v)
arr("kTermValues", np.concatenate([terms[t] for t in range(1, 9)]))  # type t at (t - 1) 50


# Aqua-ion relaxation rate (S = 5/2) with numpy's complex square root.
def aqua(p, bits, nu):
    off, q, r, A, delta, tm, tv, tr, dd, D = p
    S = 2.5
    ss = S * (S + 1)
    K = 1.8001e-5 * q
    Cdd = 2.872017e-43 / r ** 6
    Csc = 0.6666666 * ss * A ** 2
    B = 0.04 * (4 * ss - 3) * delta ** 2
    wI = 6283185.307179586 * nu
    wS = 658.2276 * np.abs(wI)
    g = wS ** 2 * tv ** 2
    R1e = B * tv * (1 / (1 + g) + 4 / (1 + 4 * g))
    R2e = 0.5 * B * tv * (3 + 5 / (1 + g) + 2 / (1 + 4 * g))
    te2 = 1 / (1 / tm + R2e)
    tc1 = 1 / (1 / tm + R1e + 1 / tr)
    tc2 = 1 / (1 / tm + R2e + 1 / tr)
    Rdd = Cdd * (3 * tc1 / (1 + wI ** 2 * tc1 ** 2) + 7 * tc2 / (1 + wS ** 2 * tc2 ** 2)) \
        if bits & 1 else 0 * nu
    Rsc = Csc * te2 / (1 + wS ** 2 * te2 ** 2) if bits & 2 else 0 * nu
    R1M = Rdd + Rsc
    with np.errstate(divide="ignore"):
        Ris = K / (1 / R1M + tm)
    Ros = 0 * nu
    if bits & 8:
        tD = dd ** 2 / D
        z1 = np.sqrt(tD * R1e + 1j * wI * tD)
        z2 = np.sqrt(tD * R2e + 1j * wS * tD)

        def j(z):
            return ((1 + z / 4) / (1 + z + 4 * z ** 2 / 9 + z ** 3 / 9)).real

        Ros = 3.219839e-19 / (dd * D) * (3 * j(z1) + 7 * j(z2))
    return Ris + Ros + off


aqua_p = [0.05, 6, 2.9e-10, 1500, 1.1e10, 2e-7, 1.5e-9, 1.2e-10, 4.2e-10, 2.2e-9]
nu = np.geomspace(0.01, 400, 50)
arr("kAquaParams", aqua_p)
arr("kAquaNu", nu)
arr("kAquaRates", np.concatenate([aqua(aqua_p, b, nu) for b in (11, 1, 2, 8, 0)]))

with open("tests/signal_fit/fit_reference.inc", "w") as f:
    f.write("// Written by tools/gen_fit_reference.py; do not edit.\n")
    f.write("\n".join(out))
    f.write("\n")
