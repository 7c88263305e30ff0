#!/usr/bin/python3
"""The default processing script of bench/default_script.cpp in numpy,
timed, against the library's benchmark: 64 decays of 32768 points, each
through group-delay removal (68 points: the first k mirrored and
subtracted, shift left by k, zeros behind, point 0 x 0.85), zero filling
(cut to 1024 points, or doubled to 65536), the cos^2 window below
Tmax = 0.01 s, the smooth step u/(1 + u) with u = (t/0.0003)^2, and the
mean magnitude.

Run from the repository root after building the benchmarks:
  /usr/bin/python3 tools/bench_default_script.py [build/release/bench/bench_default_script]
It prints both times per script run and their ratio (numpy / library).
"""
import json
import subprocess
import sys
import timeit

import numpy as np

ITEMS, N, K, DWELL = 64, 32768, 68, 1 / 48000
t0 = np.arange(N) * DWELL
decays = [np.exp(-t0 / 0.05) * np.exp(2j * np.pi * (1000.0 + 10.0 * z) * t0) for z in range(ITEMS)]


def process(d, points):
    d = d.copy()
    d[K:2 * K] -= d[K - 1::-1]
    d = np.concatenate([d[K:], np.zeros(K, complex)])
    d[0] *= 0.85
    if points <= N:
        d, t = d[:points], t0[:points]
    else:
        d = np.concatenate([d, np.zeros(points - N, complex)])
        t = np.arange(points) * DWELL
    d *= np.where(t < 0.01, np.cos(np.pi * t / 0.02) ** 2, 0.0)
    u = (t / 0.0003) ** 2
    d *= u / (1 + u)
    return np.mean(np.abs(d))


def script(points):
    return [process(d, points) for d in decays]


binary = sys.argv[1] if len(sys.argv) > 1 else "build/release/bench/bench_default_script"
out = subprocess.run([binary, "--benchmark_format=json"], capture_output=True, text=True,
                     check=True).stdout
ours = {b["name"]: b["real_time"] for b in json.loads(out)["benchmarks"]}
for name, points in (("BM_DefaultScript", 1024), ("BM_DefaultScriptDoubling", 2 * N)):
    runs = 5
    numpy_ms = min(timeit.repeat(lambda: script(points), number=runs, repeat=3)) / runs * 1e3
    print(f"{name}: numpy {numpy_ms:8.2f} ms, library {ours[name]:8.2f} ms, "
          f"ratio numpy/library {numpy_ms / ours[name]:.2f}")
