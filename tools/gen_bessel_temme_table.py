#!/usr/bin/python3
"""Taylor coefficients of 1/Gamma(1 + mu) about mu = 0, for Temme's series of
K_mu (scalar/bessel_k_fractional.cpp), from mpmath at 50 digits.

1/Gamma(1 + mu) = sum a_k mu^k, so with |mu| <= 1/2
  (1/Gamma(1 - mu) - 1/Gamma(1 + mu)) / (2 mu) = -(a_1 + a_3 mu^2 + ...)
  (1/Gamma(1 - mu) + 1/Gamma(1 + mu)) / 2     =   a_0 + a_2 mu^2 + ...
The even and odd coefficients are written as two tables, enough terms that
the first one left out is below 1e-20 at mu = 1/2.

Writes scalar/bessel_temme_table.inc.
"""
import os
import mpmath as mp

mp.mp.dps = 50
N = 40
a = mp.taylor(lambda t: mp.rgamma(1 + t), 0, N)


def keep(coeffs):
    out = []
    for i, c in enumerate(coeffs):
        out.append(c)
        if i >= 4 and all(abs(d) * mp.mpf(0.5) ** (2 * (i + j)) < 1e-20 for j, d in enumerate(coeffs[i + 1:i + 3], 1)):
            break
    return out


even = keep(a[0::2])
odd = keep(a[1::2])
here = os.path.dirname(os.path.abspath(__file__))
path = os.path.join(here, "..", "scalar", "bessel_temme_table.inc")
with open(path, "w") as f:
    f.write("// Written by tools/gen_bessel_temme_table.py: Taylor coefficients of\n")
    f.write("// 1/Gamma(1 + mu), even and odd powers (mpmath, 50 digits).\n")
    for name, cs in (("kRGammaEven", even), ("kRGammaOdd", odd)):
        f.write("static constexpr double %s[%d] = {\n" % (name, len(cs)))
        for c in cs:
            f.write("    %s,\n" % mp.nstr(c, 17, min_fixed=0, max_fixed=0))
        f.write("};\n")
print(path, len(even), len(odd))
