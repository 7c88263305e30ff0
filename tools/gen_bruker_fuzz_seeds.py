#!/usr/bin/env python3
"""Packs sample Bruker folders into seeds of the whole-folder fuzz target.

A seed is one byte (0 for a fid, 1 for a ser), then acqus, the data file,
acqu2s and difflist joined by the break line the target cuts at; missing
files are left off at the end. Run from anywhere:
    python3 tools/gen_bruker_fuzz_seeds.py
writes fuzz/corpus/bruker_folder/<folder>. Standard library only.
"""
import os

BREAK = b"\n%%FILE%%\n"
FOLDERS = ["si29_c1", "c13_c2", "ser_dosy", "var_dtypa2_be", "var_odd_td", "var_truncated",
           "var_grpdly_table"]


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    samples = os.path.join(root, "samples", "bruker")
    out = os.path.join(root, "fuzz", "corpus", "bruker_folder")
    os.makedirs(out, exist_ok=True)
    for folder in FOLDERS:
        path = os.path.join(samples, folder)
        ser = os.path.exists(os.path.join(path, "ser"))
        parts = []
        for name in ["acqus", "ser" if ser else "fid", "acqu2s", "difflist"]:
            f = os.path.join(path, name)
            if not os.path.exists(f):
                break
            with open(f, "rb") as h:
                parts.append(h.read())
        with open(os.path.join(out, folder), "wb") as h:
            h.write(bytes([1 if ser else 0]) + BREAK.join(parts))


main()
