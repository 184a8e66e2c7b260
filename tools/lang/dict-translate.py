#!/usr/bin/env python3
"""Writes a language pack's dictionary files from the English ones.

    dict-translate.py ENGLISH_DIR PHRASES.tsv OUT_DIR

ENGLISH_DIR holds 10000.txt..10002.txt; PHRASES.tsv maps English descriptions
to translations ("source<TAB>translation"). A source may hold placeholders:
"{1}" takes the text it matches as it stands, "{1*}" translates it through
the book again ("Input {1} - {2*}"). Lines "unit:e.u.<TAB>u.e." translate the
unit field of CONF and ADJ lines. The type letter and mnemonic, the range and
the default are copied byte for byte; the description and unit are padded to
the English columns (East Asian wide characters count two). A description
without a translation stops the program, naming it. Output is UTF-8; the build
writes it in the pack's encoding.
"""
import re
import sys
import unicodedata


def read_book(path):
    exact, patterns, units = {}, [], {}
    with open(path, encoding="utf-8") as book:
        for line in book:
            line = line.rstrip("\n")
            if not line or line.startswith("#") or "\t" not in line:
                continue
            source, text = line.split("\t", 1)
            if source.startswith("unit:"):
                units[source[5:]] = text
            elif "{" in source:
                regex = re.escape(source)
                regex = re.sub(r"\\\{(\d)\\\*\\\}|\\\{(\d)\\\}", lambda m: "(?P<g%s>.+?)" % (m.group(1) or m.group(2)), regex)
                patterns.append((re.compile("^" + regex + "$"), text))
            else:
                exact[source] = text
    return exact, patterns, units


def translate(text, book):
    exact, patterns, _ = book
    if text in exact:
        return exact[text]
    for regex, target in patterns:
        match = regex.match(text)
        if not match:
            continue
        result = target
        for name, value in match.groupdict().items():
            number = name[1:]
            if "{%s*}" % number in result:
                inner = translate(value, book)
                if inner is None:
                    break
                result = result.replace("{%s*}" % number, inner)
            result = result.replace("{%s}" % number, value)
        else:
            return result
    return None


def width(text):
    return sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in text)


def pad(text, columns):
    return text + " " * max(0, columns - width(text))


def convert(line, kind, book):
    fields = line.split(";")
    described = 1 if kind == 0 else 2
    english = fields[described].rstrip(" ")
    translated = translate(english, book)
    if translated is None:
        sys.exit("no translation for %r" % english)
    if ";" in translated:
        sys.exit("a translation holds ';': %r" % translated)
    fields[described] = pad(translated, len(fields[described]))
    if kind != 0:
        unit = fields[1].rstrip(" ")
        fields[1] = pad(book[2].get(unit, unit), len(fields[1]))
    return ";".join(fields)


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    english_dir, book_path, out_dir = sys.argv[1:]
    book = read_book(book_path)
    for kind in range(3):
        name = "1000%d.txt" % kind
        with open("%s/%s" % (english_dir, name), encoding="latin-1") as source:
            lines = source.read().split("\n")[:-1]
        with open("%s/%s" % (out_dir, name), "w", encoding="utf-8", newline="\n") as out:
            for line in lines:
                out.write(convert(line, kind, book) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
