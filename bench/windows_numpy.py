#!/usr/bin/python3
"""The apodization windows of bench/windows.cpp in numpy, timed, against the
library's benchmark: 65536 samples at 1/48000 s from t = 0, the signal as
its two real halves (a 2 x n array, the library's layout), each window
written as numpy's vectorised formula of its closed form and multiplied
into both halves. The abscissae are made once, outside the timing; each
round windows a fresh copy, and only the window is timed.

Run from the repository root after building the benchmarks:
  env -u OPENBLAS_CORETYPE -u OPENBLAS_L2_SIZE /usr/bin/python3 bench/windows_numpy.py \\
      [build/release/bench/bench_windows]
It prints both times per window (the fastest of five alternating rounds) and
the ratio library / numpy.
"""
import json
import subprocess
import sys
import time

import numpy as np

N, DWELL = 65536, 1 / 48000
LN2 = np.log(2)
t = np.arange(N) * DWELL
decay = np.vstack([1.0 + 0.5 * np.sin(0.001 * np.arange(N)),
                   1.0 + 0.5 * np.sin(0.001 * (N + np.arange(N)))])


def stanning(p0, p1):
    T = min(p1 * (p0 if p0 != 0 else 4.0), t[-1])
    return np.where(t <= T, np.cos(np.pi * t / (2 * T)) ** 2, 0.0)


def cos2tmax(p0, _):
    return np.where(t < p0, np.cos(np.pi * t / (2 * p0)) ** 2, 0.0)


def maxwell(p0, _):
    u = (t / p0) ** 2
    return u * np.exp(-u)


def smoothstep(p0, p1):
    u = np.abs(t / p0) ** int(round(p1))
    return u / (1 + u)


WINDOWS = {
    1: ("Exponential", (2.0, 0), lambda p0, p1: np.exp(-np.pi * p0 * t)),
    2: ("Stanning", (0.5, 0.3), stanning),
    3: ("Cos2Tmax", (1.0, 0), cos2tmax),
    4: ("Gauss", (1.5, 0), lambda p0, p1: np.exp(-(np.pi * p0) ** 2 * t ** 2 / (4 * LN2))),
    5: ("Gauss-Lorentz", (1.5, 2.0),
        lambda p0, p1: np.exp(-(np.pi * p0) ** 2 * t ** 2 / (4 * LN2) - np.pi * p1 * t)),
    6: ("Sinc", (3.0, 0), lambda p0, p1: np.sinc(p0 * t)),
    7: ("Maxwell-Boltzmann", (0.3, 0), maxwell),
    8: ("Smoothstep", (0.0003, 2), smoothstep),
}


def numpy_us(code, rounds=200):
    _, (p0, p1), w = WINDOWS[code]
    times = []
    for _ in range(rounds):
        s = decay.copy()
        start = time.perf_counter()
        s *= w(p0, p1)
        times.append(time.perf_counter() - start)
    return float(np.median(times)) * 1e6


binary = sys.argv[1] if len(sys.argv) > 1 else "build/release/bench/bench_windows"
# Rounds of the library and of numpy alternate and each keeps its fastest
# round, so a busy machine slows both alike rather than one of them.
ours, theirs = {}, {}
for _ in range(5):
    out = subprocess.run([binary, "--benchmark_format=json", "--benchmark_repetitions=3",
                          "--benchmark_report_aggregates_only=true"],
                         capture_output=True, text=True, check=True).stdout
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            code = int(b["run_name"].split("/")[1])
            ours[code] = min(ours.get(code, float("inf")), b["real_time"])
    for code in WINDOWS:
        theirs[code] = min(theirs.get(code, float("inf")), numpy_us(code, 60))
for code in sorted(WINDOWS):
    n = theirs[code]
    print(f"{code} {WINDOWS[code][0]:18s} numpy {n:8.1f} us  library {ours[code]:8.1f} us  "
          f"ratio library/numpy {ours[code] / n:5.2f}")
