#!/usr/bin/python3
"""The processing chain of bench/sarr_chain.cpp in numpy, timed, against the
library's benchmark: group-delay removal on 2^15 points (the first k points
mirrored and subtracted, shift left by k, zeros behind), zero filling to
2^16, an exponential and a Gaussian window, the centred transform
fftshift(ifft(x)) * sqrt(n) and the mean magnitude.

Run from the repository root after building the benchmarks:
  /usr/bin/python3 tools/bench_sarr_chain.py [build/dev/bench/bench_sarr_chain]
It prints both times per chain and their ratio (numpy / library).
"""
import json
import subprocess
import sys
import timeit

import numpy as np

N, FILLED, K, DWELL = 1 << 15, 1 << 16, 68, 1e-4
rng = np.random.default_rng(11)
t = np.arange(N) * DWELL
env = np.exp(-t / 0.3)
decay = env * (np.exp(2j * np.pi * 120 * t) + 0.5 * np.exp(2j * np.pi * 410 * t))
decay = decay + rng.normal(0, 0.01, N) + 1j * rng.normal(0, 0.01, N)
tt = np.arange(FILLED) * DWELL
win = np.exp(-np.pi * 2.0 * tt) * np.exp(-(np.pi * 1.5) ** 2 * tt ** 2 / (4 * np.log(2)))


def chain():
    d = decay.copy()
    d[K:2 * K] -= d[K - 1::-1]
    d = np.concatenate([d[K:], np.zeros(K, complex)])
    f = np.zeros(FILLED, complex)
    f[:N] = d
    f *= np.exp(-np.pi * 2.0 * tt)
    f *= np.exp(-(np.pi * 1.5) ** 2 * tt ** 2 / (4 * np.log(2)))
    s = np.fft.fftshift(np.fft.ifft(f)) * np.sqrt(FILLED)
    return np.sqrt(np.mean(np.abs(s) ** 2))


runs = 50
numpy_us = min(timeit.repeat(chain, number=runs, repeat=5)) / runs * 1e6
binary = sys.argv[1] if len(sys.argv) > 1 else "build/dev/bench/bench_sarr_chain"
out = subprocess.run([binary, "--benchmark_format=json"], capture_output=True, text=True,
                     check=True).stdout
ours_us = json.loads(out)["benchmarks"][0]["real_time"]
print(f"numpy   {numpy_us:10.1f} us per chain")
print(f"library {ours_us:10.1f} us per chain")
print(f"ratio numpy/library {numpy_us / ours_us:.2f}")
