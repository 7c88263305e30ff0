#!/usr/bin/python3
"""The inverse Laplace problem of bench/fit_ilt.cpp solved by scipy, timed,
against the library's benchmark: the same 1000 times geomspace(1e-4, 5),
100 rates geomspace(0.1, 1e4), the same data, and scipy.optimize.nnls on
the kernel stacked with Tikhonov rows sqrt(lam) L (L the second difference,
lam = 1e-4 times the kernel's largest squared singular value).

Run from the repository root after building the benchmarks:
  /usr/bin/python3 tools/bench_ilt.py [build/release/bench/bench_fit_ilt]
It prints both times and their ratio (library / scipy).
"""
import json
import subprocess
import sys
import timeit

import numpy as np
from scipy.optimize import nnls

t = np.geomspace(1e-4, 5, 1000)
r = np.geomspace(0.1, 1e4, 100)
i = np.arange(t.size)
y = 0.6 * np.exp(-2 * t) + 0.4 * np.exp(-100 * t) + 1e-3 * np.sin(12.9898 * i)
K = np.exp(-np.outer(t, r))
L = np.diff(np.eye(r.size), 2, axis=0)
lam = 1e-4 * np.linalg.norm(K, 2) ** 2
A = np.vstack([K, np.sqrt(lam) * L])
b = np.concatenate([y, np.zeros(L.shape[0])])


def solve():
    return nnls(A, b, maxiter=50 * r.size)[0]


runs = 5
scipy_ms = min(timeit.repeat(solve, number=runs, repeat=3)) / runs * 1e3
binary = sys.argv[1] if len(sys.argv) > 1 else "build/release/bench/bench_fit_ilt"
out = subprocess.run([binary, "--benchmark_format=json"], capture_output=True, text=True,
                     check=True).stdout
bench = json.loads(out)["benchmarks"][0]
ours_ms = bench["real_time"]
amp = solve()
print(f"scipy nnls + Tikhonov {scipy_ms:10.2f} ms per transform "
      f"(residual rms {np.sqrt(np.mean((K @ amp - y) ** 2)):.2e})")
print(f"library simplex       {ours_ms:10.2f} ms per transform ({bench['calls']:.0f} target calls)")
print(f"ratio library/scipy {ours_ms / scipy_ms:.1f}")
