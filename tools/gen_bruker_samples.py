#!/usr/bin/env python3
"""Writes the sample Bruker acquisition folders under samples/bruker/.

Run with an interpreter that has numpy:
    /usr/bin/python3 tools/gen_bruker_samples.py [repository root]

Written from the public description of the acquisition folder: `acqus`
and `acqu2s` are JCAMP-DX texts ("##$KEY= value", arrays as "(0..63)"
followed by their items, texts between "<" and ">"); `fid` holds TD samples
(real, imaginary, ...) per decay, `ser` one such block per decay of the
second dimension (TD of `acqu2s`), every block padded with zero bytes to a
multiple of 1024 bytes; DTYPA 0 stores signed 32-bit integers, DTYPA 2
64-bit floats; BYTORDA 0 little-endian, 1 big-endian; `difflist` holds one
gradient value per line.

Each decay is s(t) = A c exp(-t/T2*) exp(i(2 pi f t + phi)) behind a
digital-filter group delay of GRPDLY points, plus seeded Gaussian noise.

The manifest (samples/bruker/manifest.csv) gives per folder what loading
and the program's default processing must give; the processing here is an
independent numpy version of it: group-delay removal (mirror subtraction
and shift by round(GDLY) points, first point x 0.85), zero filling to 1024
points, the Cos2Tmax window (Tmax 0.01 s) and the Smoothstep window
(a 0.0003 s, n 2), and the average magnitude over every point. The quantity
is that of the item's last block (the one the program shows). The output
concentration comes from the straight line Q = a C + b fitted by least
squares through the known samples of the same nuclide.
"""
import csv
import math
import os
import sys

import numpy as np

SEED = 20261211
ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), ".."))
OUT = os.path.join(ROOT, "samples", "bruker")

NUCLEI = {  # basic frequency (MHz), offset O1 (Hz), signal offset (Hz)
    "29Si": (79.4948, -7000.0, 250.0),
    "13C": (100.6228, 10000.0, -400.0),
    "1H": (400.13, 2400.0, 120.0),
}


def fmt(x):
    return "%.10g" % x


def array_lines(values, per_line=8):
    out = []
    for i in range(0, len(values), per_line):
        out.append(" ".join(fmt(v) for v in values[i:i + per_line]))
    return out


def acqus_text(p):
    """An acqus text from the parameter dict p (keys written in alphabetical order)."""
    d = [0.0] * 64
    d[1] = 2.0
    d[16] = 0.0002
    d[20] = p.get("difft", 0.05)
    pulses = [0.0] * 64
    pulses[1] = 10.5
    pulses[2] = 21.0
    pulses[30] = p.get("pgrad", 1000.0)
    keyline = p.get("keyline", False)
    lines = ["##TITLE= Parameter file, sample generator of Pelorin",
             "##JCAMPDX= 5.0",
             "##DATATYPE= Parameter Values",
             "##ORIGIN= " + p.get("origin", "Pelorin samples"),
             "##OWNER= samples",
             "$$ written by tools/gen_bruker_samples.py"]
    keys = {
        "BF1": fmt(p["bf1"]),
        "BYTORDA": str(p.get("bytorda", 0)),
        "DECIM": str(p.get("decim", 16)),
        "DSPFVS": str(p.get("dspfvs", 20)),
        "DTYPA": str(p.get("dtypa", 0)),
        "GRPDLY": fmt(p["grpdly"]),
        "NS": "16",
        "NUC1": "<%s>" % p["nuc"],
        "O1": fmt(p["o1"]),
        "PULPROG": "<%s>" % p.get("pulprog", "zg"),
        "SW": fmt(p["sw_h"] / p["bf1"]),
        "SW_h": fmt(p["sw_h"]),
        "TD": str(p["td"]),
    }
    if not p.get("no_sfo1"):
        keys["SFO1"] = fmt(p["bf1"] + 1e-6 * p["o1"])
    arrays = {"D": d, "P": pulses}
    for key in sorted(list(keys) + list(arrays)):
        if key in arrays:
            items = array_lines(arrays[key])
            if keyline == "range":  # every item on the key's line, after the range
                lines.append("##$%s= (0..63) %s" % (key, " ".join(items)))
            elif keyline == "bare":  # every item on the key's line, no range
                lines.append("##$%s= %s" % (key, " ".join(items)))
            else:
                lines.append("##$%s= (0..63)" % key)
                lines.extend(items)
        else:
            lines.append("##$%s= %s" % (key, keys[key]))
    lines.append("##END=")
    text = "\n".join(lines) + "\n"
    return text.encode("latin-1")


def decay(rng, td, sw_h, grpdly, amplitude, t2, freq, phase, noise):
    """TD samples of one decay (real, imaginary, ...) behind the filter delay."""
    n = td // 2
    k = np.arange(n, dtype=float)
    t = (k - grpdly) / sw_h
    s = amplitude * np.exp(-t / t2) * np.exp(1j * (2 * math.pi * freq * t + phase))
    s[t < 0] = 0
    s = s + noise * (rng.standard_normal(n) + 1j * rng.standard_normal(n))
    out = np.empty(td, dtype=float)
    out[0:2 * n:2] = s.real
    out[1:2 * n:2] = s.imag
    if td % 2:
        out[-1] = noise * rng.standard_normal()
    return out


def encode(samples, dtypa, bytorda):
    order = ">" if bytorda == 1 else "<"
    if dtypa == 0:
        data = np.round(samples).astype(order + "i4").tobytes()
    else:
        data = samples.astype(order + "f8").tobytes()
    pad = (-len(data)) % 1024
    return data + bytes(pad)


# --- the program's default processing, in numpy ----------------------------

def round_half_away(x):
    return math.floor(abs(x) + 0.5) * (1 if x >= 0 else -1)


def default_quantity(re, im, xoff, dw, gdly):
    """Quantity of one block after the default processing."""
    n = len(re)
    re = re.copy()
    im = im.copy()
    x_last = xoff + dw * (n - 1)
    x = np.array([xoff + i * ((x_last - xoff) / (n - 1)) for i in range(n)])
    # Group delay.
    k = max(0, round_half_away(gdly)) if not math.isnan(gdly) else None
    if k is None:
        return None
    if k:
        if k >= n // 2:
            return None
        for half in (re, im):
            for i in range(k):
                half[k + i] -= half[k - 1 - i]
            half[:n - k] = half[k:].copy()
            half[n - k:] = 0
        re[0] *= 0.85
        im[0] *= 0.85
    # Zero filling to 1024 points.
    m = 1024
    if m != n:
        step = (x[-1] - x[0]) / (n - 1)
        nx = np.array([x[i] if i < n else x[0] + step * i for i in range(m)])
        re = np.concatenate([re, np.zeros(max(0, m - n))])[:m]
        im = np.concatenate([im, np.zeros(max(0, m - n))])[:m]
        x = nx[:m]
        n = m
    t0, t1 = x[0], x[-1]
    b = (t1 - t0) / (n - 1)
    t = t0 + np.arange(n) * b
    # Cos2Tmax, Tmax 0.01 s.
    p0 = 0.01
    q = (p0 - t0) / b
    kk = math.ceil(q) if q >= 0 else n
    kk = min(kk, n)
    w = np.zeros(n)
    w[:kk] = np.cos(math.pi * t[:kk] / (2 * p0)) ** 2
    re *= w
    im *= w
    # Smoothstep, a 0.0003 s, n 2.
    u = (t / 0.0003) ** 2
    w = u / (1 + u)
    re *= w
    im *= w
    return float(np.mean(np.sqrt(re * re + im * im)))


def main():
    rng = np.random.default_rng(SEED)
    folders = []

    def add(name, nuc, conc, td=2048, sw_h=10000.0, grpdly=67.98, dtypa=0, bytorda=0,
            blocks=None, gradients=None, truncate=None, t2=0.02, expect=0, **extra):
        bf1, o1, freq = NUCLEI[nuc]
        p = dict(nuc=nuc, bf1=bf1, o1=o1, td=td, sw_h=sw_h, grpdly=grpdly, dtypa=dtypa,
                 bytorda=bytorda, **extra)
        folder = os.path.join(OUT, name)
        os.makedirs(folder, exist_ok=True)
        for old in os.listdir(folder):
            os.remove(os.path.join(folder, old))
        phase = rng.uniform(-math.pi, math.pi)
        amp = 2.0e5 * (conc if conc else 2.5)
        noise = 1500.0
        data = b""
        block_samples = []
        nblk = blocks or 1
        for j in range(nblk):
            a = amp * (math.exp(-0.002 * gradients[j] ** 2) if gradients else 1.0)
            s = decay(rng, td, sw_h, grpdly if grpdly >= 0 else extra["table_delay"], a, t2, freq,
                      phase, noise)
            if dtypa == 0:
                s = np.round(s)
            block_samples.append(s)
            data += encode(s, dtypa, bytorda)
        if truncate:
            data = data[:truncate]
        data_name = "ser" if blocks else "fid"
        with open(os.path.join(folder, data_name), "wb") as f:
            f.write(data)
        with open(os.path.join(folder, "acqus"), "wb") as f:
            f.write(acqus_text(p))
        if blocks:
            with open(os.path.join(folder, "acqu2s"), "wb") as f:
                f.write(("##TITLE= Parameter file\n##JCAMPDX= 5.0\n##$TD= %d\n##$NUC1= <off>\n##END=\n"
                         % blocks).encode())
        if gradients:
            with open(os.path.join(folder, "difflist"), "wb") as f:
                f.write("".join("%s\n" % fmt(g) for g in gradients).encode())
        gdly = grpdly if grpdly >= 0 else extra["table_delay"]
        folders.append(dict(name=name, nuc=nuc, conc=conc, td=td, sw_h=sw_h, gdly=gdly,
                            dtypa=dtypa, bytorda=bytorda, blocks=nblk, data=data_name,
                            samples=block_samples, expect=expect))

    for c in (1, 2, 3, 4, 5):
        add("si29_c%d" % c, "29Si", c)
    add("c13_c2", "13C", 2, grpdly=68.2)
    add("c13_c4", "13C", 4, grpdly=68.2)
    add("h1_invalid_nuclide", "1H", None)
    add("ser_dosy", "29Si", None, td=256, blocks=4, gradients=[2.5, 10.0, 17.5, 25.0],
        grpdly=20.0, pulprog="dstebpgp3s", pgrad=1200.0, difft=0.08)
    add("var_dtypa2_be", "29Si", 3, td=512, dtypa=2, bytorda=1)
    add("var_grpdly_table", "29Si", 3, td=512, grpdly=-1, decim=16, dspfvs=10,
        table_delay=69.5313)
    add("var_keyline", "29Si", 3, td=512, keyline="range", no_sfo1=True,
        origin="Laborat\xf6rium M\xfcller")  # Latin-1 bytes, outside the keys read
    add("var_keyline_bare", "29Si", 3, td=512, keyline="bare", pulprog="zg30_\xe9")
    add("var_odd_td", "29Si", 3, td=511)
    add("var_truncated", "29Si", 3, td=512, truncate=1000, expect=62)

    # Straight lines per nuclide through the samples of known concentration.
    quantities = {}
    for f in folders:
        if f["expect"] or f["nuc"] not in ("29Si", "13C"):
            continue
        xoff = float("%.15g" % ((1 / f["sw_h"]) / 2))
        dw = float("%.6g" % (1 / f["sw_h"]))
        q = None
        for s in f["samples"]:
            n = f["td"] // 2
            q = default_quantity(s[0:2 * n:2], s[1:2 * n:2], xoff, dw, f["gdly"])
        quantities[f["name"]] = q
    lines = {}
    for nuc in ("29Si", "13C"):
        pts = [(f["conc"], quantities[f["name"]]) for f in folders
               if f["nuc"] == nuc and f["name"].startswith(("si29_c", "c13_c"))]
        c = np.array([p[0] for p in pts], dtype=float)
        q = np.array([p[1] for p in pts], dtype=float)
        a, b = np.polyfit(c, q, 1)
        lines[nuc] = (a, b)

    with open(os.path.join(OUT, "manifest.csv"), "w", newline="") as f:
        w = csv.writer(f, lineterminator="\n")
        w.writerow(["folder", "data_file", "nuclide", "blocks", "td", "dtypa", "bytorda", "gdly",
                    "load_error", "concentration_in", "quantity", "concentration_out"])
        for x in folders:
            q = quantities.get(x["name"])
            cout = ""
            if q is not None and x["nuc"] in lines:
                a, b = lines[x["nuc"]]
                cout = "%.12g" % ((q - b) / a)
            w.writerow([x["name"], x["data"], x["nuc"], x["blocks"], x["td"], x["dtypa"],
                        x["bytorda"], "%.15g" % x["gdly"], x["expect"],
                        "" if x["conc"] is None or x["name"].startswith("var_") else x["conc"],
                        "" if q is None else "%.12g" % q, cout])


if __name__ == "__main__":
    main()
