#!/usr/bin/env python3
"""Checks every loaddll/dllfunc* call of the sample macros against the table
of exports: the export exists, the argument count matches, and the call form
fits its kinds. Each sample's twin lmx script must call the same exports in
the same order.
  check_calls.py table.h macro.mac...   (exit 1 on the first faulty file)"""
import pathlib
import re
import sys

FORMS = ("dllfuncstrw", "dllfuncstr", "dllfuncw", "dllfunc")


def read_table(path):
    table = {}
    for m in re.finditer(r"^\s*X\((\w+), (\w+), ([ISW]), (.*)$", path.read_text(encoding="utf-8"), re.M):
        kinds = "".join(re.findall(r"\(([ISW]), \w+", m.group(4)))
        table[m.group(2)] = (m.group(3), kinds)
    return table


def call_form(result, kinds):
    """The one form that passes these kinds, or None when none does."""
    wide = "W" in kinds
    if result == "I":
        return "dllfuncw" if wide else "dllfunc"
    if result == "W":
        return "dllfuncstrw"
    return None if wide else "dllfuncstr"


def arguments(text, start):
    """The top-level arguments of the call whose "(" is at text[start]."""
    args, depth, current, i = [], 0, "", start + 1
    while i < len(text):
        c = text[i]
        if c == '"':
            j = i + 1
            while j < len(text) and text[j] != '"':
                j += 2 if text[j] == "\\" else 1
            current += text[i:j + 1]
            i = j + 1
            continue
        if c == "(":
            depth += 1
        elif c == ")":
            if depth == 0:
                args.append(current.strip())
                return args
            depth -= 1
        elif c == "," and depth == 0:
            args.append(current.strip())
            current = ""
            i += 1
            continue
        current += c
        i += 1
    raise ValueError("unclosed call")


def check_macro(path, table):
    text = path.read_bytes().decode("cp932")
    faults, names = [], []
    if not re.search(r"\bloaddll\b", text) or not re.search(r"\bfreedll\b", text):
        faults.append("no loaddll or no freedll")
    for m in re.finditer(r"\b(%s)\s*\(" % "|".join(FORMS), text):
        line = text.count("\n", 0, m.start()) + 1
        args = arguments(text, m.end() - 1)
        if args and args[0].startswith("#"):
            args = args[1:]  # the DLL number
        name = args[0].strip('"') if args else ""
        names.append(name)
        if name not in table:
            faults.append(f"line {line}: no export named {name}")
            continue
        result, kinds = table[name]
        if len(args) - 1 != len(kinds):
            faults.append(f"line {line}: {name} takes {len(kinds)} argument(s), {len(args) - 1} given")
        form = call_form(result, kinds)
        if m.group(1) != form:
            faults.append(f"line {line}: {name} is called with {m.group(1)}, its kinds need {form}")
    twin = path.with_suffix(".lmx")
    if twin.exists():
        # A call line's first word that is not an option (--raw, --hex).
        twin_names = [next(w for w in l.split() if not w.startswith("--"))
                      for l in twin.read_text(encoding="utf-8").splitlines()
                      if l.strip() and not l.lstrip().startswith("#")]
        if twin_names != names:
            faults.append(f"{twin.name} calls {twin_names}, the macro {names}")
    return faults


def main():
    table = read_table(pathlib.Path(sys.argv[1]))
    status = 0
    for name in sys.argv[2:]:
        for fault in check_macro(pathlib.Path(name), table):
            print(f"{name}: {fault}")
            status = 1
    return status


if __name__ == "__main__":
    sys.exit(main())
