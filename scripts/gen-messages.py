#!/usr/bin/env python3
"""Writes the header of the families' codes and messages from exports/messages.txt.

For each family, LMX_MESSAGES_<family>(X) applies X(code, name, cp932, ja, en)
to its rows in order: the code (-1 where the family names its messages
instead), the name, the Japanese message as code page 932 bytes (what the
library hands to macros), the same in UTF-8, and the English form.

    gen-messages.py exports/messages.txt <header>
"""
import sys


def literal(data: bytes) -> str:
    """A C string literal of these bytes, every non-ASCII byte escaped."""
    out, escaped = '"', False
    for b in data:
        c = chr(b)
        if escaped and c in "0123456789abcdefABCDEF":
            out += '" "'  # an escape must not swallow the digit after it
        escaped = False
        if b >= 0x80 or b < 0x20:
            out += "\\x%02X" % b
            escaped = True
        elif c in '"\\':
            out += "\\" + c
        else:
            out += c
    return out + '"'


def main(source: str, header: str) -> None:
    families: dict[str, list[str]] = {}
    with open(source, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) != 5:
                sys.exit(f"{source}:{number}: five fields separated by TAB expected")
            family, code, name, ja, en = fields
            row = "X(%s, %s, %s, %s, %s)" % (
                "-1" if code == "-" else int(code), name,
                literal(ja.encode("cp932")), literal(ja.encode("utf-8")), literal(en.encode("utf-8")))
            families.setdefault(family, []).append(row)
    text = "// Generated from exports/messages.txt by scripts/gen-messages.py; do not edit.\n"
    text += "#ifndef LORIMAX_MESSAGES_H\n#define LORIMAX_MESSAGES_H\n\n"
    for family, rows in families.items():
        text += "#define LMX_MESSAGES_%s(X) \\\n  " % family + " \\\n  ".join(rows) + "\n\n"
    text += "#endif\n"
    with open(header, "w", encoding="ascii", newline="\n") as f:
        f.write(text)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
