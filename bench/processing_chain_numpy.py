#!/usr/bin/python3
"""The processing chain of bench/processing_chain.cpp in numpy, on the same
files, timed, against the library's benchmark, with every quantity compared.

For each case (N data sets of P complex points) this script writes N Bruker
folders (acqus and fid, 32-bit little-endian integers, SW_h 10000 Hz,
GRPDLY 67.98) of damped tones with noise, runs the benchmark on them, and
does numpy's same steps, vectorised over the data sets (in chunks of 64):
  1. read each fid; the time axis as the reader makes it: DW = "%g" of
     1/SW_h, XOFF = "%.15g" of DW/2, t_k = XOFF + k (last - XOFF)/(P - 1);
  2. group delay k = 68: points k .. 2k-1 minus the first k mirrored, shift
     left by k with zeros behind, point 0 times 0.85;
  3. zero filling to 2P points, the axis continued with its step;
  4. cos^2(pi t/(2 Tmax)) for the samples k < ceil((Tmax - t0)/B), 0 after
     (Tmax = 1 s), then u/(1 + u) with u = (t/0.0003)^2, with t = t0 + k B
     over the window's span;
  5. the centred transform fftshift(ifft(z)) sqrt(n);
  6. the mean magnitude over all points.
The times include reading the files (ours: loading through the command
interface and the task run, its version snapshot included).

Run from the repository root after building the benchmarks:
  env -u OPENBLAS_CORETYPE -u OPENBLAS_L2_SIZE /usr/bin/python3 \\
      bench/processing_chain_numpy.py [build/release/bench/bench_processing_chain]
It prints, per case, both times (numpy: the median of 5 runs; ours: the mean
of the benchmark's rounds), ours/numpy, the same for the first round of
each (memory the process has not used before), and the largest relative
difference of the quantities (which must stay below 1e-12).
"""
import json
import math
import os
import shutil
import subprocess
import sys
import tempfile
import time

import numpy as np

CASES = [(16, 32768), (64, 32768), (256, 32768), (256, 1024), (1024, 1024), (4096, 1024)]
SW_H, GDLY, TMAX, A_STEP, N_STEP = 10000.0, 67.98, 1.0, 0.0003, 2
CHUNK = 64


def acqus(points):
    zeros = " ".join(["0"] * 32)
    return ("##TITLE= bench\n##$BF1= 79.4948\n##$BYTORDA= 0\n"
            f"##$D= (0..31)\n{zeros}\n##$DTYPA= 0\n"
            f"##$GRPDLY= {GDLY}\n##$NUC1= <29Si>\n##$O1= 0\n##$P= (0..31)\n{zeros}\n"
            f"##$PULPROG= <zg>\n##$SW_h= {SW_H:g}\n##$TD= {2 * points}\n##END=\n")


def write_case(folder, n, points):
    rng = np.random.default_rng(n * 7 + points)
    t = np.arange(points) / SW_H
    for z in range(n):
        d = os.path.join(folder, str(z))
        os.makedirs(d)
        with open(os.path.join(d, "acqus"), "w") as f:
            f.write(acqus(points))
        f1, f2 = 100.0 + 7.0 * (z % 50), -1300.0 + 11.0 * (z % 37)
        s = 4e6 * np.exp(-t / 0.3) * np.exp(2j * np.pi * f1 * t) + \
            1.5e6 * np.exp(-t / 0.05) * np.exp(2j * np.pi * f2 * t)
        raw = np.empty(2 * points, "<i4")
        raw[0::2] = np.round(s.real + rng.normal(0, 2e3, points))
        raw[1::2] = np.round(s.imag + rng.normal(0, 2e3, points))
        raw.tofile(os.path.join(d, "fid"))


def axis(points):
    dw = float("%g" % (1 / SW_H))
    xoff = float("%.15g" % (dw / 2))
    last = xoff + dw * (points - 1)
    step = (last - xoff) / (points - 1)
    filled = 2 * points
    t0, t1 = xoff, xoff + step * (filled - 1)
    b = (t1 - t0) / (filled - 1)
    k = np.arange(filled)
    t = t0 + k * b
    cut = math.ceil((TMAX - t0) / b)
    cut = filled if cut >= filled else max(cut, 0)
    cos2 = np.where(k < cut, np.cos(np.pi * t / (2 * TMAX)) ** 2, 0.0)
    u = np.abs(t / A_STEP) ** N_STEP
    return cos2 * (u / (1 + u))


def chain(folder, n, points):
    window = axis(points)
    k = int(math.floor(GDLY + 0.5))
    out = np.empty(n)
    for c0 in range(0, n, CHUNK):
        rows = min(CHUNK, n - c0)
        raw = np.empty((rows, 2 * points), "<i4")
        for r in range(rows):
            raw[r] = np.fromfile(os.path.join(folder, str(c0 + r), "fid"), "<i4")
        z = raw[:, 0::2] + 1j * raw[:, 1::2]
        z[:, k:2 * k] -= z[:, k - 1::-1]
        filled = np.zeros((rows, 2 * points), complex)
        filled[:, :points - k] = z[:, k:]
        filled[:, 0] *= 0.85
        filled *= window
        spectrum = np.fft.fftshift(np.fft.ifft(filled, axis=1), axes=1) * math.sqrt(2 * points)
        out[c0:c0 + rows] = np.mean(np.abs(spectrum), axis=1)
    return out


def main():
    binary = sys.argv[1] if len(sys.argv) > 1 else "build/release/bench/bench_processing_chain"
    root = tempfile.mkdtemp(prefix="pelorin-chain-")
    try:
        for n, points in CASES:
            write_case(os.path.join(root, f"case_{n}_{points}"), n, points)
        env = dict(os.environ, PELORIN_CHAIN_DIR=root)
        out = subprocess.run([binary, "--benchmark_format=json", "--benchmark_min_time=1"],
                             capture_output=True, text=True, check=True, env=env).stdout
        ours = {}
        for b in json.loads(out)["benchmarks"]:
            if "error_message" in b:
                sys.exit(f"{b['name']}: {b['error_message']}")
            _, n, points = b["name"].split("/")[:3]
            ours[(int(n), int(points))] = (b["real_time"], b["first_round_ms"])
        for n, points in CASES:
            folder = os.path.join(root, f"case_{n}_{points}")
            times = []
            for _ in range(5):
                start = time.perf_counter()
                q = chain(folder, n, points)
                times.append(time.perf_counter() - start)
            numpy_ms, numpy_first = sorted(times)[len(times) // 2] * 1e3, times[0] * 1e3
            mean, first = ours[(n, points)]
            theirs = np.loadtxt(os.path.join(folder, "quantities.txt"), ndmin=1)
            worst = float(np.max(np.abs(theirs - q) / np.abs(q)))
            flag = "" if worst < 1e-12 else "  QUANTITIES DIFFER"
            print(f"N = {n:5d} x {points:5d} points: numpy {numpy_ms:8.1f} ms, library "
                  f"{mean:8.1f} ms, ours/numpy {mean / numpy_ms:5.2f}; first rounds "
                  f"{numpy_first:8.1f} and {first:8.1f} ms, {first / numpy_first:5.2f}; "
                  f"max rel. diff {worst:.1e}{flag}")
    finally:
        shutil.rmtree(root)


main()
