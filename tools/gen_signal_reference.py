#!/usr/bin/python3
"""Reference tables of the signal arrays, the Fourier transform, windows,
filters, phase unwrapping and Savitzky-Golay coefficients.

Source: numpy and scipy, each value computed from the textbook definition
the table names (not from the library):
- fft: fftshift(ifft(x)) * sqrt(n), the centred transform with the positive
  exponent and symmetric scaling;
- hilbert: fftshift(scipy.signal.hilbert(ifftshift(s))), the analytic
  signal of a centred real spectrum;
- eval: element-wise complex operations on numpy complex128 arrays;
- cfeval: the same on complex64 data, computed in float64 and rounded to
  float32 (code 28 in float32 throughout);
- windows: the window formulas written out with numpy;
- rect: scipy.ndimage.uniform_filter1d(mode='nearest');
- conv: numpy.convolve on edge-padded data (kernel reversed, so that it is
  applied as given);
- unwrap: numpy.unwrap;
- savgol: the least-squares coefficients solved in exact rational
  arithmetic (fractions), each row also checked against
  scipy.signal.savgol_coeffs(..., use='dot') to 1e-5 (scipy's own
  Vandermonde solve loses digits for wide off-centre windows).

Inputs come from a seeded numpy generator. Run from the repository root:
  /usr/bin/python3 tools/gen_signal_reference.py
It writes tests/signal_fit/sig_reference.inc.
"""
import numpy as np
import scipy.signal
import scipy.ndimage

rng = np.random.default_rng(20261210)
out = []


def arr(name, values, ctype="double"):
    values = np.asarray(values).ravel()
    body = ",\n  ".join(", ".join(repr(float(v)) for v in values[i:i + 4])
                        for i in range(0, len(values), 4))
    out.append(f"const {ctype} {name}[] = {{\n  {body}}};")


def farr(name, values):
    values = np.asarray(values, dtype=np.float32).ravel()
    body = ",\n  ".join(", ".join(f"{float(v)!r}f" for v in values[i:i + 4])
                        for i in range(0, len(values), 4))
    out.append(f"const float {name}[] = {{\n  {body}}};")


def split(z):
    return np.concatenate([z.real, z.imag])


# Fourier transform.
n = 256
x = rng.normal(size=n) + 1j * rng.normal(size=n)
arr("kFftIn", split(x))
arr("kFftOut", split(np.fft.fftshift(np.fft.ifft(x)) * np.sqrt(n)))

# Hilbert transform of a centred real spectrum of a few Lorentzians.
n = 128
f = np.arange(n) - n / 2
s = sum(a / (1 + ((f - c) / w) ** 2) for a, c, w in [(1.0, -20, 2.5), (0.6, 7, 1.5), (0.3, 30, 4.0)])
arr("kHilbertIn", s)
arr("kHilbertOut", split(np.fft.fftshift(scipy.signal.hilbert(np.fft.ifftshift(s)))))

# SArrEval codes on complex arrays (n = 12), b the destination's own values.
n = 12
a = rng.normal(size=n) + 1j * rng.normal(size=n)
b = rng.normal(size=n) + 1j * rng.normal(size=n)
p1, p2 = 0.75, -1.25
arr("kEvalA", split(a))
arr("kEvalB", split(b))
rows = []


def both(fr, fi):
    return np.concatenate([fr(a.real), fi(a.imag)])


cases = {
    1: split(a),
    2: np.concatenate([np.full(n, p1), np.full(n, p2)]),
    3: split(a + complex(p1, p2)),
    4: both(lambda r: r * p1, lambda i: i * p2),
    5: np.abs(split(a)),
    6: -split(a),
    7: split(a) ** 2,
    8: split(a) * np.abs(split(a)),
    9: both(np.cumsum, np.cumsum),
    16: both(lambda r: r[::-1], lambda i: i[::-1]),
    17: both(lambda r: np.where(np.arange(n) < n // 2, r, 0), lambda i: np.where(np.arange(n) < n // 2, i, 0)),
    18: both(lambda r: np.roll(r, n // 2), lambda i: np.roll(i, n // 2)),
    23: np.concatenate([b.real + p1 * a.real, b.imag + p2 * a.imag]),
    24: np.concatenate([b.real * a.real, b.imag * a.imag]),
    25: np.concatenate([np.abs(a), a.imag]),
    26: np.concatenate([np.abs(a), np.angle(a)]),
    28: np.concatenate([np.abs(a) ** 2, a.imag]),
    29: np.concatenate([np.abs(a) ** 2, np.angle(a)]),
    30: np.concatenate([a.imag, a.real]),
    31: split(a * complex(p1, p2)),
    36: split(a * b),
    37: np.concatenate([b.real, a.real]),
    38: np.concatenate([a.imag, b.imag]),
    39: both(np.sort, np.sort),
}
codes = sorted(cases)
out.append("const Dword kEvalCodes[] = {" + ", ".join(map(str, codes)) + "};")
arr("kEvalOut", np.concatenate([cases[c] for c in codes]))

# CFArrEval on complex64 (interleaved).
c = (rng.normal(size=n) + 1j * rng.normal(size=n)).astype(np.complex64)
inter = np.empty(2 * n, dtype=np.float32)
inter[0::2] = c.real
inter[1::2] = c.imag
farr("kCfIn", inter)
cd = c.astype(np.complex128)
cf = {
    2: (np.full(n, p1), np.full(n, p2)),
    3: (cd.real + p1, cd.imag + p2),
    4: (cd.real * p1, cd.imag * p2),
    25: (np.abs(cd), cd.imag),
    26: (np.abs(cd), np.angle(cd)),
    28: (c.real * c.real + c.imag * c.imag, cd.imag),
    30: (cd.imag, cd.real),
    31: ((cd * complex(p1, p2)).real, (cd * complex(p1, p2)).imag),
    37: (cd.real, cd.real),
    38: (cd.imag, cd.imag),
    7: (cd.real, cd.imag),
}
cfcodes = sorted(cf)
out.append("const Dword kCfCodes[] = {" + ", ".join(map(str, cfcodes)) + "};")
res = []
for k in cfcodes:
    r, i = cf[k]
    v = np.empty(2 * n, dtype=np.float32)
    v[0::2] = np.asarray(r, dtype=np.float64).astype(np.float32)
    v[1::2] = np.asarray(i, dtype=np.float64).astype(np.float32)
    res.append(v)
farr("kCfOut", np.concatenate(res))

# Windows: n = 33 samples from t0 = 0.1 to t1 = 2.3.
n, t0, t1 = 33, 0.1, 2.3
t = t0 + np.arange(n) * (t1 - t0) / (n - 1)
ln2 = np.log(2)
win = []
specs = [
    (1, 0.8, 0.0, np.exp(-np.pi * 0.8 * t)),
    (2, 1.5, 0.7, None),
    (3, 1.7, 0.0, None),
    (4, 0.9, 0.0, np.exp(-(np.pi * 0.9) ** 2 * t ** 2 / (4 * ln2))),
    (5, 0.9, 0.4, np.exp(-(np.pi * 0.9) ** 2 * t ** 2 / (4 * ln2) - np.pi * 0.4 * t)),
    (6, 1.3, 0.0, np.sin(np.pi * 1.3 * t) / (np.pi * 1.3 * t)),
    (7, 0.6, 0.0, (t / 0.6) ** 2 * np.exp(-(t / 0.6) ** 2)),
    (8, 1.1, 3.0, (t / 1.1) ** 3 / (1 + (t / 1.1) ** 3)),
]
for code, q0, q1, w in specs:
    if code == 2:
        T = min(q1 * q0, t1)
        w = np.where(t > T, 0.0, np.cos(np.pi * t / (2 * T)) ** 2)
    if code == 3:
        K = int(np.ceil((q0 - t0) / ((t1 - t0) / (n - 1))))
        w = np.where(np.arange(n) < K, np.cos(np.pi * t / (2 * q0)) ** 2, 0.0)
    win.append((code, q0, q1, w))
out.append("struct WindowRow { ApodizationType code; double p0, p1; };")
out.append("const WindowRow kWindowRows[] = {" +
           ", ".join(f"{{{c}, {q0!r}, {q1!r}}}" for c, q0, q1, _ in win) + "};")
arr("kWindowOut", np.concatenate([w for *_, w in win]))

# Moving average and convolution with clamped edges.
n = 40
x = rng.normal(size=n)
arr("kFilterIn", x)
rect = []
for L in (3, 7, 21):
    rect.append(scipy.ndimage.uniform_filter1d(x, L, mode="nearest"))
arr("kRectOut", np.concatenate(rect))
kernel = np.array([0.1, -0.3, 0.5, 0.9, 0.2, -0.05])
m = len(kernel)
h = (m - 1) // 2
padded = np.concatenate([np.full(h, x[0]), x, np.full(m - 1 - h, x[-1])])
arr("kConvKernel", kernel)
arr("kConvOut", np.convolve(padded, kernel[::-1], mode="valid"))

# Phase unwrapping of a wrapped phase ramp with noise.
n = 50
phase = np.cumsum(rng.uniform(-2.5, 2.5, size=n)) + rng.normal(size=n) * 0.1
wrapped = np.angle(np.exp(1j * phase)) + 2 * np.pi * rng.integers(-3, 4, size=n)
arr("kUnwrapIn", wrapped)
arr("kUnwrapOut", np.unwrap(wrapped))

# Savitzky-Golay coefficient sets (window, order, derivative, position in
# the window).
sg = [(5, 2, 0, 2), (5, 3, 0, 2), (17, 3, 0, 8), (17, 3, 1, 8), (17, 3, 2, 8),
      (9, 4, 1, 0), (9, 4, 2, 8), (11, 3, 0, 3), (201, 5, 0, 100), (201, 5, 1, 0)]
out.append("struct SgRow { Qword m, p, k; double pos; };")
out.append("const SgRow kSgRows[] = {" +
           ", ".join(f"{{{m}, {p}, {k}, {pos}.0}}" for m, p, k, pos in sg) + "};")


def exact_savgol(m, p, k, pos):
    from fractions import Fraction
    from math import factorial
    xs = [Fraction(i - pos) for i in range(m)]
    q = p + 1
    G = [[sum(x ** (a + b) for x in xs) for b in range(q)] + [Fraction(factorial(k) if a == k else 0)]
         for a in range(q)]
    for col in range(q):  # Gauss-Jordan, exact
        piv = next(r for r in range(col, q) if G[r][col] != 0)
        G[col], G[piv] = G[piv], G[col]
        inv = 1 / G[col][col]
        G[col] = [v * inv for v in G[col]]
        for r in range(q):
            if r != col and G[r][col] != 0:
                f = G[r][col]
                G[r] = [a - f * b for a, b in zip(G[r], G[col])]
    u = [G[r][q] for r in range(q)]
    return np.array([float(sum(u[j] * x ** j for j in range(q))) for x in xs])


rows = []
for m, p, k, pos in sg:
    exact = exact_savgol(m, p, k, pos)
    ref = scipy.signal.savgol_coeffs(m, p, deriv=k, pos=pos, use="dot")
    assert np.max(np.abs(exact - ref)) <= 1e-5 * np.max(np.abs(exact)), (m, p, k, pos)
    rows.append(exact)
arr("kSgOut", np.concatenate(rows))

with open("tests/signal_fit/sig_reference.inc", "w") as fh:
    fh.write("// Generated by tools/gen_signal_reference.py from numpy and scipy; do not edit.\n")
    fh.write("\n".join(out) + "\n")
