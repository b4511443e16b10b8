#!/usr/bin/env python3
"""Generates data/gs1-digital-link.csv from the GS1 Barcode Syntax Dictionary.

The table gives each AI its role in a GS1 Digital Link URI: whether it may stand in the
query as a data attribute (flag "?") and, for a primary key ("dlpkey"), the ordered
qualifier sequences it accepts in the path. Ranges are expanded into single AIs; AIs
with neither role are left out. data/gs1-digital-link.md describes the columns.

Run from the repository root:
  python3 tools/codegen/gen_gs1_digital_link.py PATH/gs1-syntax-dictionary.txt
"""
import pathlib
import sys

OUT = pathlib.Path("data/gs1-digital-link.csv")


def expand(ais):
    if "-" not in ais:
        return [ais]
    first, last = ais.split("-")
    assert len(first) == len(last), ais
    return [str(n).zfill(len(first)) for n in range(int(first), int(last) + 1)]


def entries(text):
    for line in text.splitlines():
        body = line.split("#", 1)[0].split()
        if not body:
            continue
        ais, rest = body[0], body[1:]
        flags = rest[0] if rest and not rest[0][0].isalnum() and not rest[0].startswith("[") else ""
        attributes = [word for word in rest if word.startswith("dlpkey")]
        assert len(attributes) <= 1, line
        key = attributes[0] if attributes else None
        yield ais, "?" in flags, key


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    rows = []
    for ais, attribute, key in entries(pathlib.Path(sys.argv[1]).read_text(encoding="utf-8")):
        qualifiers = ""
        if key is not None:
            assert "-" not in ais, ais
            qualifiers = key.partition("=")[2].replace(",", " ")
        if not attribute and key is None:
            continue
        for ai in expand(ais):
            rows.append(f"{ai},{int(attribute)},{int(key is not None)},{qualifiers}")
    OUT.write_text("AI,Attribute,PrimaryKey,Qualifiers\n" + "\n".join(rows) + "\n")


if __name__ == "__main__":
    main()
