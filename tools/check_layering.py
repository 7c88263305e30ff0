#!/usr/bin/env python3
"""Fails when a source file includes a header of a layer above its own.

Calls go downward only; each folder below may include the folders listed for
it (and itself). command/ sits above the data engine and the physics layer,
framework/ below them. The program's window-free code (app/core) includes
neither FLTK nor the windows of app/ui. Run from anywhere:
    python3 tools/check_layering.py [repository root]
Standard library only.
"""
import os
import re
import sys

LOWER = {
    "base": [],
    "scalar": ["base"],
    # Complex numerics and real arrays form one layer and share its pieces.
    "complexvec": ["base", "scalar", "arrays"],
    "arrays": ["base", "scalar", "complexvec"],
    "signal_fit": ["base", "scalar", "complexvec", "arrays"],
    "framework": ["base", "scalar", "complexvec", "arrays"],
    "data_engine": ["base", "scalar", "complexvec", "arrays", "signal_fit", "framework"],
    "nmrphys": ["base", "scalar", "complexvec", "arrays", "signal_fit", "framework"],
    "command": ["base", "scalar", "complexvec", "arrays", "signal_fit", "framework",
                "data_engine", "nmrphys"],
    "app": ["base", "scalar", "complexvec", "arrays", "signal_fit", "framework",
            "command", "data_engine", "nmrphys"],
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
ANY_INCLUDE = re.compile(r'^\s*#\s*include\s+[<"]([^>"]+)[>"]')
# Folders that may not include these prefixes, although their layer may.
WINDOW_FREE = {
    "app/core": ["FL/", "app/ui/"],
}


def layer_of(path):
    """The layer a repository-relative path belongs to, or None."""
    top = path.split("/", 1)[0]
    return top if top in LOWER else None


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    root = os.path.abspath(root)
    bad = []
    for layer in LOWER:
        for folder, _, files in os.walk(os.path.join(root, layer)):
            for name in files:
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.join(folder, name)
                rel = os.path.relpath(path, root)
                own = layer_of(rel)
                allowed = set(LOWER[own]) | {own}
                with open(path, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        w = ANY_INCLUDE.match(line)
                        if w:
                            for folder_rule, banned in WINDOW_FREE.items():
                                if not rel.startswith(folder_rule + "/"):
                                    continue
                                for prefix in banned:
                                    if w.group(1).startswith(prefix):
                                        bad.append("%s:%d includes %s (%s is window-free)"
                                                   % (rel, number, w.group(1), folder_rule))
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        target = layer_of(m.group(1))
                        if target and target not in allowed:
                            bad.append("%s:%d includes %s (%s may not call %s)"
                                       % (rel, number, m.group(1), own, target))
    for line in bad:
        print(line)
    if bad:
        print("%d forbidden includes" % len(bad))
        return 1
    print("layering: no upward include")
    return 0


sys.exit(main())
