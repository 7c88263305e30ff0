#!/usr/bin/python3
"""Reference values of the Weibull moment generating function for
tests/signal_fit/weibull_mgf_test.cpp: tests/signal_fit/weibull_mgf_reference.inc.

M(t) = E[e^(tX)] for X ~ Weibull(k, lambda) is, with s = t lambda,

    M = int_0^inf k v^(k-1) exp(s v - v^k) dv,

taken here by mpmath.quad at 40 digits, split at the peak of the integrand
and at powers of ten so that the long tails of shapes just above 1 are
followed.  Where the series sum_n s^n Gamma(1 + n/k)/n! converges within
20000 terms it is summed too (at 220 digits, as the
terms of s < 0 cancel) and both must agree to 25 digits; for k = 2 the closed form
1 + s sqrt(pi)/2 e^(s^2/4) erfc(-s/2) must agree as well.  Each row also
carries the condition number |s| M'(s)/M(s) = |s| E[V e^(sV)]/M (the
relative change of M per relative change of s), which bounds the accuracy
any double evaluation can reach.  lambda is 1 or a power of two, so t lambda
is exact.

Rows: shapes from 1.0001 to 10 (dense just above 1), s from -30 to beyond
1 wherever M stays below 1e300; shapes 100 and 1e6 by the series with its
derivative (checked against the quadrature at 100).

Run: /usr/bin/python3 tools/gen_weibull_mgf_reference.py  (from the repository root)
"""
import mpmath as mp

mp.mp.dps = 40
OUT = "tests/signal_fit/weibull_mgf_reference.inc"


def integrand(s, k, power):
    return lambda v: v ** power * k * v ** (k - 1) * mp.exp(s * v - v ** k)


def peak(s, k):
    # Maximum of s v - v^k + (k - 1) ln v, where s = k v^(k-1) - (k-1)/v.
    f = lambda v: s - k * v ** (k - 1) + (k - 1) / v
    lo, hi = mp.mpf("1e-30"), mp.mpf(1)
    while f(hi) > 0:
        hi *= 2
    return mp.findroot(f, (lo, hi), solver="anderson")


def quad_mgf(s, k, power=0):
    v0 = peak(s, k)
    pts = sorted(set([mp.mpf(0), v0 / 2, v0, 2 * v0] + [mp.mpf(10) ** j for j in range(-3, 16)]))
    return mp.quad(integrand(s, k, power), pts + [mp.inf], maxdegree=12)


def series_mgf(s, k):
    with mp.workdps(220):  # for s < 0 the terms cancel by up to 100 digits
        return series_terms(s, k)


def series_terms(s, k):
    total, n = mp.mpf(1), 0
    term = mp.mpf(1)
    while n < 20000:
        n += 1
        term = s ** n * mp.gamma(1 + mp.mpf(n) / k) / mp.factorial(n)
        total += term
        if abs(term) < mp.mpf(10) ** -45 * abs(total):
            return total
    return None


def series_pair(s, k):
    """M and M' by the series, for large shapes (the integrand is a spike of
    width about 1/k at v = 1, the series converges like that of e^s)."""
    with mp.workdps(220):
        m, dm, n = mp.mpf(1), mp.mpf(0), 0
        while True:
            n += 1
            c = mp.gamma(1 + mp.mpf(n) / k) / mp.factorial(n)
            m += s ** n * c
            dm += n * s ** (n - 1) * c
            if abs(s ** n * c) < mp.mpf(10) ** -60 * abs(m) and n > abs(s):
                return m, dm


def rows():
    out = []
    for ks in ["100", "1e6"]:
        k = float(ks)
        for ss in ["-30", "-3", "-0.5", "0.5", "3", "30"]:
            sm = mp.mpf(float(ss))
            m, dm = series_pair(sm, mp.mpf(k))
            if k == 100:  # the quadrature still resolves this spike
                pts = [0, 0.8, 0.9, 0.95, 0.97, 0.99, 1, 1.01, 1.03, 1.1, 2, mp.inf]
                q = mp.quad(integrand(sm, mp.mpf(k), 0), pts, maxdegree=12)
                if abs(q - m) > abs(m) * mp.mpf(10) ** -25:
                    raise RuntimeError("series and quadrature disagree at s=%s k=%s" % (ss, ks))
            out.append((float(ss), k, float(m), float(abs(sm) * dm / m)))
    shapes = ["1.0001", "1.001", "1.005", "1.01", "1.02", "1.03", "1.05", "1.2", "2", "3.5", "10"]
    svals = ["-30", "-3", "-1.5", "-1", "-0.999", "-0.5", "-0.125", "0.25", "0.5", "0.75", "0.875",
             "0.9375", "0.96875", "0.984375", "0.99609375", "1", "1.00390625", "1.015625", "1.0625",
             "1.25", "2", "4"]
    for ks in shapes:
        k = float(ks)
        for ss in svals:
            s = float(ss)
            km, sm = mp.mpf(k), mp.mpf(s)
            # ln M is about the peak value; skip rows far beyond the double range.
            v0 = peak(sm, km) if s > 0 else None
            if v0 is not None and sm * v0 - v0 ** km > 650:
                continue
            m = quad_mgf(sm, km)
            if m > mp.mpf("1e300"):
                continue
            if k < 1.03 and abs(s) >= 0.5 or k < 1.2 and s < -1.2:
                pass  # the series needs too many terms or digits there
            else:
                ser = series_mgf(sm, km)
                if ser is not None and abs(ser - m) > abs(m) * mp.mpf(10) ** -25:
                    raise RuntimeError("series and quadrature disagree at s=%s k=%s" % (s, k))
            if k == 2:  # closed form through erfc
                closed = 1 + sm * mp.sqrt(mp.pi) / 2 * mp.exp(sm * sm / 4) * mp.erfc(-sm / 2)
                if abs(closed - m) > abs(m) * mp.mpf(10) ** -25:
                    raise RuntimeError("closed form and quadrature disagree at s=%s" % s)
            mean_v = quad_mgf(sm, km, 1) / m
            cond = abs(sm) * mean_v
            out.append((s, k, float(m), float(cond)))
    return out


def main():
    with open(OUT, "w") as f:
        f.write("// Generated by tools/gen_weibull_mgf_reference.py (mpmath, 40 digits); do not edit.\n")
        f.write("// Rows: s = t lambda, shape k, M, condition number |s| M'(s)/M(s).\n\n")
        f.write("static const WeibullMgfRow kWeibullMgfRows[] = {\n")
        for s, k, m, c in rows():
            f.write("    {%s, %s, %s, %s},\n" % (s.hex(), k.hex(), m.hex(), c.hex()))
        f.write("};\n")


if __name__ == "__main__":
    main()
