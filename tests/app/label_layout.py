#!/usr/bin/env python3
"""Checks the y-axis labels of a plot image (PPM from the screen, PNG from an
SVG rendered by rsvg-convert): the labels stand left of the y axis, clear of
it, and none is cut at the left or top edge. Prints "ok" or what is wrong.

Usage: label_layout.py IMAGE
"""
import struct
import sys
import zlib


def read_ppm(data):
    fields = data.split(b"\n", 3)
    w, h = map(int, fields[1].split())
    return w, h, 3, fields[3]


def read_png(data):
    pos, idat, w, h, channels = 8, b"", 0, 0, 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            w, h, depth, colour = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and colour in (2, 6), (depth, colour)
            channels = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw, stride = zlib.decompress(idat), w * channels
    out, prev = bytearray(), bytearray(stride)
    for y in range(h):
        kind, row = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = row[i - channels] if i >= channels else 0
            b, c = prev[i], prev[i - channels] if i >= channels else 0
            if kind == 1:
                row[i] = (row[i] + a) & 255
            elif kind == 2:
                row[i] = (row[i] + b) & 255
            elif kind == 3:
                row[i] = (row[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        out += row
        prev = row
    return w, h, channels, bytes(out)


def main(path):
    data = open(path, "rb").read()
    w, h, channels, px = read_ppm(data) if data[:2] == b"P6" else read_png(data)

    def dark(x, y):
        p = (y * w + x) * channels
        if channels == 4 and px[p + 3] < 128:
            return False
        # Half-covered pixels of an antialiased one-pixel line count too.
        return max(px[p:p + 3]) < 160

    grid = [[dark(x, y) for x in range(w)] for y in range(h)]
    # The x axis: the row with the most dark pixels; the y axis: the column
    # with the most dark pixels above it.
    x_axis = max(range(h), key=lambda y: sum(grid[y]))
    rows = range(0, max(0, x_axis - 2))
    cols = [sum(grid[y][x] for y in rows) for x in range(w)]
    y_axis = max(range(w), key=lambda x: cols[x])
    if cols[y_axis] < len(rows) // 2:
        return "no y axis"
    left = y_axis
    while left > 0 and cols[left - 1] >= len(rows) // 2:
        left -= 1
    if cols[0]:
        return "a label is cut at the left edge"
    # The axis and its ticks (about 1/60 of the width, right of it) may
    # reach the top; nothing else may.
    ticks = y_axis + w // 40
    if any(grid[0][x] for x in range(w) if x < left - 1 or x > ticks):
        return "something is cut at the top edge"
    labels = [x for x in range(left) if cols[x]]
    if not labels:
        return "no labels left of the y axis"
    if max(labels) >= left - 1:
        return "labels touch the y axis"
    return "ok"


if __name__ == "__main__":
    print(main(sys.argv[1]))
