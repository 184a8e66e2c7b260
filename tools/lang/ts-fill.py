#!/usr/bin/env python3
"""Fills the unfinished entries of a Qt translation source from a phrase book.

    ts-fill.py PHRASES.tsv KESTREL.ts [--check]

PHRASES.tsv holds "source<TAB>translation" lines (\\n and \\t escaped, "#"
comments). Every unfinished message whose source is in the book gets its
translation and loses the "unfinished" mark; finished ones are left alone.
With --check nothing is written: the program lists the unfinished sources and
ends with 1 when there are any.
"""
import sys
import xml.etree.ElementTree as ET


def read_phrases(path):
    phrases = {}
    with open(path, encoding="utf-8") as book:
        for line in book:
            line = line.rstrip("\n")
            if not line or line.startswith("#") or "\t" not in line:
                continue
            source, text = line.split("\t", 1)
            unescape = lambda s: s.replace("\\n", "\n").replace("\\t", "\t")
            phrases[unescape(source)] = unescape(text)
    return phrases


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    phrases = read_phrases(sys.argv[1])
    check = "--check" in sys.argv[3:]
    tree = ET.parse(sys.argv[2])
    missing = []
    filled = 0
    for message in tree.iter("message"):
        source = message.find("source").text or ""
        translation = message.find("translation")
        if translation.get("type") not in ("unfinished", None) or translation.get("type") is None:
            continue
        if source in phrases and not check:
            translation.text = phrases[source]
            del translation.attrib["type"]
            filled += 1
        else:
            missing.append(source)
    if check:
        for source in missing:
            print("unfinished: %r" % source)
        return 1 if missing else 0
    if filled:
        # The header lupdate writes, so that the two tools do not fight over it.
        body = ET.tostring(tree.getroot(), encoding="unicode")
        with open(sys.argv[2], "w", encoding="utf-8") as out:
            out.write('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n' + body + "\n")
    for source in missing:
        print("%s: no translation for %r" % (sys.argv[2], source))
    return 0


if __name__ == "__main__":
    sys.exit(main())
