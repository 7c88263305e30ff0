#!/usr/bin/env python3
"""An independent reader of Bruker acquisition folders, for the tests.

Written from the public description of the format, not from the program's
code: `acqus` and `acqu2s` are JCAMP-DX texts of labelled records
("##$TD= 2048"); an array record gives its index range "(0..63)" and its
items follow, separated by white space, up to the next record; texts stand
between "<" and ">". `fid` holds one decay of TD samples, `ser` one block of
TD samples per decay of the second dimension (TD of `acqu2s`); samples
alternate real and imaginary parts, 32-bit signed integers for DTYPA 0 and
64-bit IEEE floats for DTYPA 2, little-endian for BYTORDA 0 and big-endian
for BYTORDA 1, and every block is padded with zero bytes to a multiple of
1024 bytes. `difflist` holds one value per line.

Usage: bruker_read.py FOLDER
Prints, one per line:
    record NAME VALUE         (every record of acqus, arrays as their items)
    record2 NAME VALUE        (records of acqu2s)
    difflist VALUE
    data NAME BLOCKS POINTS   (the data file, its blocks and complex points)
    padding OK|BAD            (every padding byte zero)
    point BLOCK K RE IM       (RE, IM as exact hexadecimal floats)
Exit status 0, or 1 with a message on standard error for a folder it cannot
read. Standard library only.
"""
import os
import re
import struct
import sys


def parse_jcamp(raw):
    """{label: value text, stripped}; arrays as lists of item texts."""
    text = raw.decode("latin-1")
    records = {}
    current = None
    for line in re.split(r"\r\n|\r|\n", text):
        if line.startswith("$$"):
            continue
        m = re.match(r"##\$?([^=]*)=(.*)$", line)
        if m:
            label, value = m.group(1), m.group(2).strip()
            r = re.match(r"\((\d+)\.\.(\d+)\)(.*)$", value)
            if r:
                items = r.group(3).split()
                records[label] = items
                current = (label, int(r.group(2)) - int(r.group(1)) + 1)
            else:
                records[label] = value
                current = None
        elif current is not None:
            records[current[0]].extend(line.split())
    return records


def angle(value):
    m = re.match(r"<(.*)>$", value)
    return m.group(1) if m else value


def fail(message):
    sys.stderr.write(message + "\n")
    sys.exit(1)


def main():
    folder = sys.argv[1]
    names = {n.lower(): n for n in os.listdir(folder)}
    if "acqus" not in names:
        fail("no acqus")
    with open(os.path.join(folder, names["acqus"]), "rb") as f:
        acqus = parse_jcamp(f.read())
    for k, v in sorted(acqus.items()):
        print("record %s %s" % (k, " ".join(v) if isinstance(v, list) else v))
    blocks = 1
    data_name = names.get("fid")
    if "ser" in names:
        data_name = names["ser"]
        if "acqu2s" not in names:
            fail("ser without acqu2s")
        with open(os.path.join(folder, names["acqu2s"]), "rb") as f:
            acqu2s = parse_jcamp(f.read())
        for k, v in sorted(acqu2s.items()):
            print("record2 %s %s" % (k, " ".join(v) if isinstance(v, list) else v))
        blocks = int(acqu2s["TD"])
    if data_name is None:
        fail("no fid or ser")
    if "difflist" in names:
        with open(os.path.join(folder, names["difflist"]), "rb") as f:
            for line in f.read().decode("latin-1").splitlines():
                print("difflist %s" % line)
    td = int(acqus["TD"])
    dtypa = int(acqus["DTYPA"])
    order = {0: "<", 1: ">"}[int(acqus["BYTORDA"])]
    code, size = {0: ("i", 4), 2: ("d", 8)}[dtypa]
    stride = (td * size + 1023) // 1024 * 1024
    with open(os.path.join(folder, data_name), "rb") as f:
        data = f.read()
    points = td // 2
    print("data %s %d %d" % (data_name, blocks, points))
    if len(data) < (blocks - 1) * stride + td * size:
        fail("data file too short")
    padding_ok = True
    for b in range(blocks):
        start = b * stride
        values = struct.unpack_from("%s%d%s" % (order, td, code), data, start)
        pad = data[start + td * size:start + stride]
        padding_ok = padding_ok and pad == bytes(len(pad))
        for k in range(points):
            print("point %d %d %s %s" % (b, k, float(values[2 * k]).hex(), float(values[2 * k + 1]).hex()))
    print("padding %s" % ("OK" if padding_ok else "BAD"))


if __name__ == "__main__":
    main()
