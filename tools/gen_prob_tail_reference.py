#!/usr/bin/env python3
"""Reference values of the Student, Fisher-Snedecor and beta cumulative
distributions far into both tails and at shape parameters up to 1e8,
written to tests/signal_fit/prob_tail_reference.inc.

Source: mpmath at 80 digits. The regularised incomplete beta I_x(a, b) is
the continued fraction DLMF 8.17.22, always on the side where it gives the
smaller of I and 1 - I directly (the other is 1 minus it at 80 digits), so
values down to 1e-300 keep every digit. The arguments are the exact doubles
the test passes: x = t is the double, and nu/(nu + t^2), d1 x/(d1 x + d2)
are formed from it in mpmath. Where the shapes are small enough, mpmath's
own betainc (hypergeometric series) cross-checks the fraction; for Student
a few rows are also checked by quadrature of the density.

Points are chosen by the tail probability they give: for each target p the
double t nearest the root of tail(t) = p, found in mpmath; the value at that
double is then computed afresh.

Each row: PROB_TAIL(function, x, p1, p2, expected cdf)
  function: CfStudent0 (x, nu), CfFisherSnedecor (x, d1, d2), CfBeta (x, a, b).
Usage: python3 tools/gen_prob_tail_reference.py > tests/signal_fit/prob_tail_reference.inc
"""
import sys

import mpmath as mp

mp.mp.dps = 80
TINY = mp.mpf(10) ** -600
EPS = mp.mpf(10) ** -75


def cf_lower(x, a, b):
    """I_x(a, b) by the continued fraction; converges for x < (a+1)/(a+b+2)."""
    front = mp.exp(a * mp.log(x) + b * mp.log1p(-x) - mp.log(a) - mp.log(mp.beta(a, b)))
    c = mp.mpf(1)
    d = 1 - (a + b) * x / (a + 1)
    d = 1 / (d if abs(d) > TINY else TINY)
    f = d
    for m in range(1, 2000000):
        for num in (m * (b - m) * x / ((a + 2 * m - 1) * (a + 2 * m)),
                    -(a + m) * (a + b + m) * x / ((a + 2 * m) * (a + 2 * m + 1))):
            d = 1 + num * d
            d = 1 / (d if abs(d) > TINY else TINY)
            c = 1 + num / c
            c = c if abs(c) > TINY else TINY
            f *= c * d
        if abs(c * d - 1) < EPS:
            return front * f
    raise SystemExit(f"continued fraction did not converge at {x}, {a}, {b}")


def reg_beta(x, a, b):
    """(I_x(a, b), 1 - I_x(a, b)), the smaller one computed directly."""
    x, a, b = mp.mpf(x), mp.mpf(a), mp.mpf(b)
    if x <= 0:
        return mp.mpf(0), mp.mpf(1)
    if x >= 1:
        return mp.mpf(1), mp.mpf(0)
    if x < (a + 1) / (a + b + 2):
        v = cf_lower(x, a, b)
        return v, 1 - v
    w = cf_lower(1 - x, b, a)
    return 1 - w, w


def student_cdf(t, nu):
    t, nu = mp.mpf(t), mp.mpf(nu)
    if t == 0:
        return mp.mpf(1) / 2
    tail = reg_beta(nu / (nu + t * t), nu / 2, mp.mpf(1) / 2)[0] / 2
    return tail if t < 0 else 1 - tail


def fisher_cdf(x, d1, d2):
    x, d1, d2 = mp.mpf(x), mp.mpf(d1), mp.mpf(d2)
    u = d1 * x
    return reg_beta(u / (u + d2), d1 / 2, d2 / 2)[0]


def beta_cdf(x, a, b):
    return reg_beta(x, a, b)[0]


def nearest_double(f, lo, hi, target, upper):
    """The double t in [lo, hi] where f's tail (f, or 1 - f when upper)
    reaches target, by bisection on ln of the tail (monotone)."""
    lt = mp.log(target)

    def g(t):
        v = f(t)
        tail = 1 - v if upper else v
        return mp.log(tail) - lt if tail > 0 else mp.mpf(-10) ** 9

    lo, hi = mp.mpf(lo), mp.mpf(hi)
    glo = g(lo)
    for _ in range(400):
        mid = (lo + hi) / 2 if hi / lo < 4 or lo <= 0 else mp.sqrt(lo * hi)
        gm = g(mid)
        if (gm > 0) == (glo > 0):
            lo, glo = mid, gm
        else:
            hi = mid
        if hi - lo <= abs(hi) * mp.mpf(2) ** -60:
            break
    return float(mid)


rows = []


def add(fn, x, p1, p2, value):
    v = float(value)
    if v == 0.0 or v < 2.2250738585072014e-308:
        return  # no normal double to compare
    rows.append((fn, x, p1, p2, v))


def cross_check(value, other, what):
    if other != 0 and abs(value - other) > mp.mpf(10) ** -25 * abs(other):
        raise SystemExit(f"cross-check failed for {what}: {value} vs {other}")


# The three points where the tails were lost at large degrees of freedom.
for (t, nu) in [(-5.7, 1500.0), (-8.0, 1500.0), (-20.0, 1e5)]:
    add("CfStudent0", t, nu, 0.0, student_cdf(t, nu))

TARGETS = [0.25, 1e-3, 1e-12, 1e-40, 1e-100, 1e-200, 1e-300]

# Student: lower tails by the target, the upper side by symmetry of the
# points (their cdf is 1 minus the tail).
for nu in [0.5, 1.0, 2.5, 10.0, 1500.0, 1e5, 1e8]:
    for p in TARGETS:
        # tail(-|t|) = p: search |t| between 1e-3 and 1e300.
        f = lambda s, nu=nu: student_cdf(-s, nu)
        if f(mp.mpf(1e300)) > p:
            continue  # the tail does not get that small at finite doubles
        s = nearest_double(f, 1e-3, 1e300, p, False)
        add("CfStudent0", -s, nu, 0.0, student_cdf(-s, nu))
        add("CfStudent0", s, nu, 0.0, student_cdf(s, nu))
        if nu < 1e4 and p > 1e-40:
            # The density integrated numerically, an independent route.
            c = mp.exp(mp.loggamma((nu + 1) / 2) - mp.loggamma(mp.mpf(nu) / 2)) / mp.sqrt(nu * mp.pi)
            q = mp.quad(lambda u: c * (1 + u * u / nu) ** (-(mp.mpf(nu) + 1) / 2),
                        [-mp.inf, -4 * mp.mpf(s), -mp.mpf(s)])
            if abs(q - student_cdf(-s, nu)) > mp.mpf(10) ** -20 * student_cdf(-s, nu):
                raise SystemExit(f"quadrature disagrees for Student {s}, {nu}")

# Fisher-Snedecor: lower tails (small x) and upper tails (cdf near 1).
for (d1, d2) in [(1.0, 1.0), (2.5, 7.0), (10.0, 1e8), (1e8, 3.0), (1e4, 1e4), (1e8, 1e8),
                 (0.5, 1e6), (1e6, 0.5)]:
    f = lambda x, d1=d1, d2=d2: fisher_cdf(x, d1, d2)
    for p in TARGETS:
        if f(mp.mpf(1e-300)) < p:
            x = nearest_double(f, 1e-300, 1e300, p, False)
            add("CfFisherSnedecor", x, d1, d2, f(x))
        if 1 - f(mp.mpf(1e300)) < p and p > 1e-100:
            x = nearest_double(f, 1e-300, 1e300, p, True)
            add("CfFisherSnedecor", x, d1, d2, f(x))
    if max(d1, d2) < 1e3:
        for x in [0.3, 2.0]:
            y = mp.mpf(d1) * x / (mp.mpf(d1) * x + d2)
            cross_check(f(x), mp.betainc(d1 / 2, d2 / 2, 0, y, regularized=True), "fisher")

# Beta: lower tails in x, upper tails near 1 (given as 1 - small, exact
# doubles close to 1 are few, so the upper targets stop at 1e-100).
for (a, b) in [(0.5, 0.5), (2.0, 3.0), (1e3, 0.5), (0.5, 1e8), (1e8, 1e8), (1e8, 2.0),
               (5e7, 0.5)]:
    f = lambda x, a=a, b=b: beta_cdf(x, a, b)
    for p in TARGETS:
        if f(mp.mpf(1e-300)) < p:
            x = nearest_double(f, 1e-300, 1.0, p, False)
            add("CfBeta", x, a, b, f(x))
        if p > 1e-100 and 1 - f(1 - mp.mpf(2) ** -53) < p:
            x = nearest_double(f, 1e-300, 1.0, p, True)
            if x < 1.0:
                add("CfBeta", x, a, b, f(x))
    if max(a, b) < 1e3:
        for x in [0.1, 0.7]:
            cross_check(f(x), mp.betainc(a, b, 0, x, regularized=True), "beta")

print("// Generated by tools/gen_prob_tail_reference.py (mpmath, 80 digits); do not edit.")
print("// PROB_TAIL(function, x, p1, p2, expected cdf)")
for (fn, x, p1, p2, v) in rows:
    print(f"PROB_TAIL({fn}, {x!r}, {p1!r}, {p2!r}, {v!r})")
print(f"generated {len(rows)} rows", file=sys.stderr)
