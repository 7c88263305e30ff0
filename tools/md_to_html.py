#!/usr/bin/env python3
"""Converts the user's guide (a small subset of Markdown: '#' headings,
paragraphs, '-' and '1.' lists with indented sub-lists, `code` and **bold**)
to one HTML page. Standard library only.

Usage: md_to_html.py guide.md out.html
"""
import html
import re
import sys


def inline(text):
    text = html.escape(text, quote=False)
    text = re.sub(r"`([^`]+)`", r"<code>\1</code>", text)
    return re.sub(r"\*\*([^*]+)\*\*", r"<b>\1</b>", text)


def convert(lines):
    out, para, stack = [], [], []  # stack of (indent, tag)

    def flush_para():
        if para:
            out.append("<p>" + inline(" ".join(para)) + "</p>")
            para.clear()

    def close_lists(indent=-1):
        while stack and stack[-1][0] > indent:
            out.append("</li></%s>" % stack.pop()[1])

    for raw in lines:
        line = raw.rstrip("\n")
        item = re.match(r"^( *)(- |\d+\. )(.*)$", line)
        if not line.strip():
            flush_para()
            close_lists()
            continue
        if line.startswith("#"):
            flush_para()
            close_lists()
            level = len(line) - len(line.lstrip("#"))
            out.append("<h%d>%s</h%d>" % (level, inline(line[level:].strip()), level))
        elif item:
            flush_para()
            indent, tag = len(item.group(1)), "ul" if item.group(2) == "- " else "ol"
            if stack and stack[-1][0] > indent:
                close_lists(indent)
            if stack and stack[-1][0] == indent:
                out.append("</li><li>" + inline(item.group(3)))
            else:
                stack.append((indent, tag))
                out.append("<%s><li>%s" % (tag, inline(item.group(3))))
        elif stack:
            out[-1] += " " + inline(line.strip())
        else:
            para.append(line.strip())
    flush_para()
    close_lists()
    return out


def main():
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        body = convert(f.readlines())
    page = ["<!DOCTYPE html>", '<html lang="en"><head><meta charset="utf-8">',
            "<title>Pelorin user's guide</title>",
            "<style>body{font-family:sans-serif;max-width:50em;margin:2em auto;line-height:1.4}"
            "code{background:#eee}</style></head><body>"] + body + ["</body></html>"]
    with open(target, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(page) + "\n")


if __name__ == "__main__":
    main()
