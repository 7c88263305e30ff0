#!/usr/bin/python3
"""The 12-spin system of bench/spin_simulation.cpp in its full Hilbert space
(4096 product states of 12 spins 1/2), timed in numpy, against the library's
benchmark. Same numbers: shifts 37.5 g + 3 g^2 / 7 Hz, J(i, j) = 7.5 / (i - j)
+ 0.25 (i + j) Hz for 0 < i - j <= 3. numpy builds H from the spin operators
(zz terms on the diagonal, flip-flop terms off it), diagonalises it with
numpy.linalg.eigh, takes the amplitudes <j|I+|i> = V^T (P V) with the total
raising operator P (sparse), and bins every line above 1e-12 (intensity A^2 2 / 4096)
into 8192 bins over [-100, 600) Hz, as the benchmark's run does.

Run from the repository root after building the benchmarks:
  /usr/bin/python3 tools/bench_spin_numpy.py [build/release/bench/bench_spin_simulation]
It prints both times per simulation and their ratio (numpy / library), and
checks that both give the same total intensity (12, one per spin).
"""
import json
import subprocess
import sys
import time

import numpy as np
import scipy.sparse

N = 12
DIM = 1 << N
FROM, TO, BINS = -100.0, 600.0, 8192


def simulate():
    states = np.arange(DIM)
    # Bit g of a state is spin g raised (m = +1/2).
    bits = (states[:, None] >> np.arange(N)[None, :]) & 1
    m = bits - 0.5
    shift = np.array([37.5 * g + 3.0 * g * g / 7.0 for g in range(N)])
    diag = m @ shift
    H = np.zeros((DIM, DIM))
    for i in range(N):
        for j in range(i):
            if i - j > 3:
                continue
            J = 7.5 / (i - j) + 0.25 * (i + j)
            diag += J * m[:, i] * m[:, j]
            # I+_i I-_j + I-_i I+_j: swap the two bits where they differ.
            differ = bits[:, i] != bits[:, j]
            a = states[differ]
            b = a ^ ((1 << i) | (1 << j))
            H[b, a] += 0.5 * J
    H[states, states] = diag
    E, V = np.linalg.eigh(H)
    rows, cols = [], []
    for g in range(N):
        low = states[bits[:, g] == 0]
        rows.append(low | (1 << g))
        cols.append(low)
    rows, cols = np.concatenate(rows), np.concatenate(cols)
    P = scipy.sparse.csr_matrix((np.ones(rows.size), (rows, cols)), shape=(DIM, DIM))
    A = V.T @ (P @ V)  # A[j, i] = <j|I+|i>
    intensity = A * A * (2.0 / DIM)
    freq = E[:, None] - E[None, :]
    keep = (intensity > 1e-12) & (freq >= FROM) & (freq < TO)
    index = np.floor((freq[keep] - FROM) / ((TO - FROM) / BINS) + 0.5).astype(np.int64)
    ok = index < BINS
    bins = np.zeros(BINS)
    np.add.at(bins, index[ok], intensity[keep][ok])
    return bins, intensity[intensity > 1e-12].sum()


start = time.perf_counter()
bins, total = simulate()
numpy_ms = (time.perf_counter() - start) * 1e3
binary = sys.argv[1] if len(sys.argv) > 1 else "build/release/bench/bench_spin_simulation"
out = subprocess.run([binary, "--benchmark_format=json"], capture_output=True, text=True,
                     check=True).stdout
ours_ms = json.loads(out)["benchmarks"][0]["real_time"]
print(f"total intensity (numpy) {total:.9f}, spins {N}")
print(f"numpy   {numpy_ms:10.1f} ms per simulation (full space, {DIM} states)")
print(f"library {ours_ms:10.1f} ms per simulation (manifolds)")
print(f"ratio numpy/library {numpy_ms / ours_ms:.2f}")
