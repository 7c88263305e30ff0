#!/usr/bin/env python3
"""Reads an SVG file written by the library, for the graphics tests.

  svg_check.py elements FILE      one line per element inside the drawing:
                                  tag, then name=value of its attributes in
                                  document order; text elements add text=...
  svg_check.py pixel FILE X Y [R] renders FILE with rsvg-convert -w 1000
                                  -h 1000 and prints "R G B" of pixel (X, Y),
                                  or of every pixel within R of it, row by row

Exit status 2 when the file is not well-formed XML, 3 when rsvg-convert is
missing or fails.
"""
import shutil
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
import zlib

NS = "{http://www.w3.org/2000/svg}"


def elements(path):
    try:
        root = ET.parse(path).getroot()
    except ET.ParseError as e:
        print("parse error:", e)
        return 2
    out = []
    for el in root.iter():
        tag = el.tag[len(NS):] if el.tag.startswith(NS) else el.tag
        if tag in ("svg", "g"):
            out.append(tag + "".join(" %s=%s" % (k, v) for k, v in el.attrib.items()))
            continue
        line = tag + "".join(" %s=%s" % (k, v) for k, v in el.attrib.items())
        if tag == "text":
            line += " text=" + (el.text or "")
        out.append(line)
    sys.stdout.buffer.write(("\n".join(out) + "\n").encode("utf-8"))
    return 0


def decode_png(data):
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    pos, idat, width, height, colour = 8, b"", 0, 0, 0
    while pos < len(data):
        n, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and interlace == 0 and colour in (2, 6)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + n
    bpp = 4 if colour == 6 else 3
    raw = zlib.decompress(idat)
    stride = width * bpp
    rows, prev, i = [], bytearray(stride), 0
    for _ in range(height):
        f = raw[i]
        line = bytearray(raw[i + 1:i + 1 + stride])
        i += 1 + stride
        for x in range(stride):
            a = line[x - bpp] if x >= bpp else 0
            b = prev[x]
            c = prev[x - bpp] if x >= bpp else 0
            if f == 1:
                line[x] = (line[x] + a) & 255
            elif f == 2:
                line[x] = (line[x] + b) & 255
            elif f == 3:
                line[x] = (line[x] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pr = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[x] = (line[x] + pr) & 255
        rows.append(line)
        prev = line
    return width, height, bpp, rows


def pixel(path, x, y, radius=0):
    tool = shutil.which("rsvg-convert")
    if not tool:
        print("rsvg-convert missing")
        return 3
    with tempfile.NamedTemporaryFile(suffix=".png") as png:
        r = subprocess.run([tool, "-w", "1000", "-h", "1000", "-o", png.name, path])
        if r.returncode != 0:
            return 3
        width, height, bpp, rows = decode_png(open(png.name, "rb").read())
    for yy in range(max(0, y - radius), min(height, y + radius + 1)):
        for xx in range(max(0, x - radius), min(width, x + radius + 1)):
            px = rows[yy][xx * bpp:xx * bpp + bpp]
            # Transparent pixels read as white, as on a page.
            if bpp == 4 and px[3] == 0:
                print("255 255 255")
            else:
                print("%d %d %d" % (px[0], px[1], px[2]))
    return 0


if __name__ == "__main__":
    if sys.argv[1] == "elements":
        sys.exit(elements(sys.argv[2]))
    radius = int(sys.argv[5]) if len(sys.argv) > 5 else 0
    sys.exit(pixel(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), radius))
