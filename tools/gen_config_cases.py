#!/usr/bin/env python3
"""Generates tests/command/config_cases.inc: sequences of configuration-file
operations with the exact bytes of the file afterwards and what each reader
answers then.

The expected bytes come from the model below, written from the file format's
rules alone (not from the library): the file is parsed into loose lines and
sections, a writer edits that structure and the structure is written out
again. Run: python3 tools/gen_config_cases.py > tests/command/config_cases.inc
"""

DISC = b"KyApp Configuration"
HEADERS = {"recent": b"Recent files:", "script": b"User's script:", "setup": b"Setup:"}
CRLF = b"\r\n"
ILLEGAL_PARAMETERS = 25


def split_lines(data):
    """Raw lines with their terminators; the last may have none."""
    out, pos = [], 0
    while pos < len(data):
        lf = data.find(b"\n", pos)
        end = len(data) if lf < 0 else lf + 1
        out.append(data[pos:end])
        pos = end
    return out


def text_of(raw):
    if raw.endswith(b"\r\n"):
        return raw[:-2]
    if raw.endswith(b"\n"):
        return raw[:-1]
    return raw


def has_disc(data):
    i = 0
    while i < len(data) and i < 100 and data[i:i + 1] in (b" ", b"\t", b"\r", b"\n"):
        i += 1
    return i < 100 and data[i:].startswith(DISC)


def parse(data):
    """List of blocks: ["loose", raw] or ["section", kind, header_raw, body_raws, closed]."""
    lines = split_lines(data)
    blocks, i = [], 0
    while i < len(lines):
        kind = next((k for k, h in HEADERS.items() if text_of(lines[i]) == h), None)
        if kind is None:
            blocks.append(["loose", lines[i]])
            i += 1
            continue
        j, closed = i + 1, False
        if kind == "recent":
            while j < len(lines) and text_of(lines[j]).startswith(b'"'):
                j += 1
        elif kind == "setup":
            while j < len(lines) and text_of(lines[j]) != b"":
                j += 1
        elif j < len(lines) and text_of(lines[j]).startswith(b'"'):
            # The closing quote ends its line; a first quote anywhere else
            # marks a damaged script that holds no body.
            rest = b"".join(text_of(l) + b"\n" for l in lines[j:])[1:]
            if b'"' in rest and rest[rest.index(b'"') + 1:].startswith(b"\n"):
                closed = True
                j += rest[:rest.index(b'"')].count(b"\n") + 1
        blocks.append(["section", kind, lines[i], lines[i + 1:j], closed])
        i = j
    return blocks


def find(blocks, kind):
    return next((b for b in blocks if b[0] == "section" and b[1] == kind), None)


def read(data, kind):
    if data is None or not has_disc(data):
        return None
    sec = find(parse(data), kind)
    if sec is None:
        return None
    body = sec[3]
    if kind == "recent":
        return b"".join(text_of(l) for l in body) if body else None
    if kind == "setup":
        return b"".join(text_of(l) + CRLF for l in body) if body else None
    if not sec[4]:
        return None
    joined = CRLF.join(text_of(l) for l in body)[1:]
    return joined[:joined.index(b'"')]


def crlf(text):
    out = b""
    for i, c in enumerate(text):
        if c == ord("\n") and (i == 0 or text[i - 1] != ord("\r")):
            out += b"\r"
        out += bytes([c])
    return out


def build(kind, arg, dtype):
    """(error, body lines); error -1: nothing to do."""
    if not arg:
        return -1, None
    if kind == "recent":
        if any(c in arg for c in b'"\r\n'):
            return ILLEGAL_PARAMETERS, None
        return 0, [b'"' + arg + b'"' + str(dtype).encode() + CRLF]
    if kind == "script":
        if b'"' in arg:
            return ILLEGAL_PARAMETERS, None
        return 0, [b'"' + crlf(arg) + b'"' + CRLF]
    text = crlf(arg)
    if text.startswith(CRLF) or CRLF + CRLF in text:
        return ILLEGAL_PARAMETERS, None
    if not text.endswith(CRLF):
        text += CRLF
    return 0, [text]


def serialize(blocks):
    out = b""
    for b in blocks:
        out += b[1] if b[0] == "loose" else b[2] + b"".join(b[3])
    return out


def write(data, kind, arg, dtype=0):
    """(error, new data)."""
    error, body = build(kind, arg, dtype)
    if error:
        return (0 if error == -1 else error), data
    if data is None or not has_disc(data):
        return 0, DISC + CRLF + CRLF + HEADERS[kind] + CRLF + b"".join(body)
    blocks = parse(data)
    sec = find(blocks, kind)
    if sec is None:
        if not data.endswith(b"\n"):
            data += CRLF
        return 0, data + CRLF + HEADERS[kind] + CRLF + b"".join(body)
    if not sec[2].endswith(b"\n"):
        sec[2] += CRLF
    if kind == "recent":
        old = [l for l in sec[3]]
        entry = text_of(body[0])
        for i, l in enumerate(old):
            if text_of(l) == entry:
                del old[i]
                break
        old = [l if l.endswith(b"\n") else l + CRLF for l in old]
        sec[3] = body + old[:29]
    else:
        sec[3] = body
    return 0, serialize(blocks)


# Each case: name, initial bytes (None: no file), operations (kind, 8-bit
# argument, data type).
CASES = [
    ("recent_creates_file", None, [("recent", b"/data/a/1", 8)]),
    ("recent_same_twice_one_entry", None,
     [("recent", b"/data/a/1", 8), ("recent", b"/data/b/2", 8), ("recent", b"/data/a/1", 8)]),
    ("recent_other_type_two_entries", None,
     [("recent", b"/data/a/1", 8), ("recent", b"/data/a/1", 12)]),
    ("recent_31st_drops_oldest", None,
     [("recent", b"/data/run%02d" % i, 8) for i in range(31)]),
    ("recent_31st_repeat_of_oldest", None,
     [("recent", b"/data/run%02d" % i, 8) for i in range(30)] + [("recent", b"/data/run00", 8)]),
    ("recent_refuses_quote_and_breaks", None,
     [("recent", b"/data/ok", 8), ("recent", b'/data/"x"', 8), ("recent", b"/data/a\nb", 8),
      ("recent", b"/data/a\rb", 8), ("recent", b"", 8)]),
    ("setup_twice_keeps_second", None,
     [("setup", b"lb=0.3\r\nzf=2\r\n", 0), ("setup", b"lb=1.5", 0)]),
    ("setup_empty_changes_nothing", None, [("setup", b"", 0)]),
    ("setup_refuses_empty_line", None,
     [("setup", b"a=1", 0), ("setup", b"a=2\n\nb=3", 0), ("setup", b"\na=2", 0)]),
    ("setup_bare_line_feeds", None, [("setup", b"a=1\nb=2\n", 0), ("setup", b"c=3\n", 0)]),
    ("script_twice_keeps_second", None,
     [("script", b"FIT 1\r\nQUANTIFY", 0), ("script", b"ZF 2", 0)]),
    ("script_line_break_reads_crlf", None, [("script", b"line one\nline two", 0)]),
    ("script_refuses_quote", None, [("script", b"ok", 0), ("script", b'say "hi"', 0)]),
    ("script_with_header_texts", None,
     [("script", b"A\nSetup:\nRecent files:\nUser's script:\nB", 0), ("setup", b"s=1", 0),
      ("recent", b"/data/x", 8), ("setup", b"s=2", 0), ("script", b"C", 0),
      ("recent", b"/data/y", 8)]),
    ("setup_with_header_line", None,
     [("setup", b"Recent files:\r\nk=v", 0), ("recent", b"/data/z", 8), ("setup", b"k=w", 0)]),
    ("all_three_sections", None,
     [("recent", b"/d/1", 8), ("script", b"S", 0), ("setup", b"x=1", 0), ("recent", b"/d/2", 9),
      ("script", b"T\nU", 0), ("setup", b"y=2\r\nz=3", 0)]),
    ("no_discriminator_rewritten", b"something else\r\nRecent files:\r\n\"/old\"8\r\n",
     [("setup", b"q=1", 0)]),
    ("no_discriminator_readers_null", b"Recent files:\r\n\"/old\"8\r\nSetup:\r\nq=1\r\n", []),
    ("discriminator_after_blanks", b"\r\n  \tKyApp Configuration\r\n\r\nSetup:\r\nq=1\r\n",
     [("recent", b"/d/new", 8)]),
    ("hand_file_without_last_line_end",
     b"KyApp Configuration\r\n\r\nSetup:\r\nq=1", [("recent", b"/d/1", 8), ("setup", b"q=2", 0)]),
    ("hand_recent_without_last_line_end",
     b"KyApp Configuration\r\n\r\nRecent files:\r\n\"/d/old\"8", [("recent", b"/d/new", 8)]),
    ("hand_header_at_end", b"KyApp Configuration\r\nUser's script:", [("script", b"S", 0)]),
    ("unclosed_script_stays", b"KyApp Configuration\r\n\r\nUser's script:\r\n\"never closed\r\n",
     [("script", b"New", 0)]),
    ("unclosed_script_then_recent_files",
     b"KyApp Configuration\r\n\r\nUser's script:\r\n\"never closed\r\n",
     [("recent", b"/d/1", 8), ("recent", b"/d/2", 8), ("recent", b"/d/3", 8)]),
    ("unclosed_script_then_setup_and_script",
     b"KyApp Configuration\r\n\r\nUser's script:\r\n\"open\r\nmore\r\n",
     [("setup", b"a=1", 0), ("recent", b"/d/1", 8), ("script", b"S", 0), ("setup", b"a=2", 0),
      ("recent", b"/d/2", 8)]),
    ("loose_lines_kept",
     b"KyApp Configuration\r\nnote\r\n\r\nSetup:\r\na=1\r\n\r\ntrailing\r\n",
     [("setup", b"a=2\r\nb=3", 0), ("recent", b"/d/1", 8)]),
]


def c_string(data):
    if data is None:
        return "nullptr"
    out = '"'
    for c in data:
        ch = chr(c)
        if ch == '"':
            out += '\\"'
        elif ch == "\\":
            out += "\\\\"
        elif ch == "\r":
            out += "\\r"
        elif ch == "\n":
            out += "\\n"
        elif ch == "\t":
            out += "\\t"
        elif 32 <= c < 127 and ch != "?":
            out += ch
        else:
            out += "\\%03o" % c
    return out + '"'


def main():
    kinds = {"recent": "kKyConfigRecentFiles", "script": "kKyConfigUserScript",
             "setup": "kKyConfigSetup"}
    print("// Generated by tools/gen_config_cases.py from its model of the file format.")
    print("// Do not edit: change the generator and run it again.")
    for name, initial, ops in CASES:
        data = initial
        steps = []
        for kind, arg, dtype in ops:
            error, new = write(data, kind, arg, dtype)
            steps.append((kind, arg, dtype, error))
            data = new
        reads = [read(data, k) for k in ("recent", "script", "setup")]
        print("{%s, %s, %s," % (c_string(name.encode()), "true" if initial is not None else "false",
                                c_string(initial if initial is not None else b"")))
        print(" {")
        for kind, arg, dtype, error in steps:
            print("  {%s, %s, %d, %d}," % (kinds[kind], c_string(arg), dtype, error))
        print(" },")
        print(" %s, %s," % ("true" if data is not None else "false", c_string(data or b"")))
        print(" %s, %s, %s}," % tuple(c_string(r) for r in reads))


if __name__ == "__main__":
    main()
