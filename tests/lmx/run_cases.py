#!/usr/bin/env python3
"""Runs lmx under Wine on every case of a table, twice: with standard input,
output and error on a pseudo-terminal, where Wine's console host gives lmx a
console (what a user at a command prompt has), and redirected to pipes.
  run_cases.py WINE_ENV_SH LMX_EXE SOURCE_ROOT CASES_FILE [NAME_REGEX]

The table (tests/lmx/cases.txt), one directive a line:
  file NAME ENCODING ... end     a file made before the cases run, its lines in
                                 utf-8, utf-8-bom, utf-16le-bom, utf-16be-bom,
                                 utf-16le or cp932 (CRLF line ends)
  plant NAME FROM ... end        a copy of FROM (a code page 932 sample) with
                                 "- old" / "+ new" line pairs replaced (⏎ in
                                 the new text a line break), or "+ new" lines
                                 alone appended
  ## title                       starts a case
  ui en                          the user's UI language English (else Japanese)
  only console | only redirected the case runs in that mode only
  $ ARGS [< FILE]                lmx's arguments (shell words; {root} the
                                 source root, a word with * a glob)
  | TEXT, ! TEXT                 a line of standard output, of standard error
  |~ RE, !~ RE                   a line matching the regular expression
  |..., !...                     any lines (none included)
  aligned                        the columns of every output line start alike
  exit N                         the exit status
On the console both streams come as one, in the order the case lists them.
"""
import glob
import os
import pty
import re
import select
import shlex
import struct
import subprocess
import sys
import fcntl
import termios

ENCODINGS = {"utf-8": ("utf-8", b""), "utf-8-bom": ("utf-8", b"\xef\xbb\xbf"),
             "utf-16le-bom": ("utf-16-le", b"\xff\xfe"), "utf-16be-bom": ("utf-16-be", b"\xfe\xff"),
             "utf-16le": ("utf-16-le", b""), "cp932": ("cp932", b"")}


def wine_environment(env_script):
    out = subprocess.run(["bash", "-c", 'source "$0" && env -0', env_script], capture_output=True, check=True).stdout
    return dict(item.split("=", 1) for item in out.decode().split("\0") if "=" in item)


def read_table(path, root, work):
    cases, case, lines = [], None, open(path, encoding="utf-8").read().split("\n")
    i = 0
    while i < len(lines):
        line = lines[i]
        i += 1
        word = line.split(" ", 1)
        if word[0] in ("file", "plant"):
            body = []
            while lines[i] != "end":
                body.append(lines[i])
                i += 1
            i += 1
            make_file(word[1].split(), body, word[0] == "plant", root, work)
        elif line.startswith("## "):
            case = {"title": line[3:], "ui": "ja", "modes": ("console", "redirected"), "expect": [],
                    "aligned": False, "exit": 0}
            cases.append(case)
        elif line.startswith("ui "):
            case["ui"] = line[3:]
        elif line.startswith("only "):
            case["modes"] = (line[5:],)
        elif line == "$" or line.startswith("$ "):
            words = shlex.split(line[1:].replace("{root}", root))
            case["stdin"] = None
            if len(words) > 1 and words[-2] == "<":
                case["stdin"], words = words[-1], words[:-2]
            case["args"] = [a for w in words for a in (sorted(glob.glob(w)) if "*" in w else [w])]
        elif line[:2] in ("| ", "! ", "|~", "!~", "|.", "!."):
            stream = "out" if line[0] == "|" else "err"
            kind = "re" if line[1] == "~" else "any" if line[1:] == "..." else "text"
            case["expect"].append((stream, kind, line[3:] if kind == "re" else line[2:]))
        elif line == "aligned":
            case["aligned"] = True
        elif line.startswith("exit "):
            case["exit"] = int(line[5:])
        elif line and not line.startswith("#"):
            sys.exit(f"{path}:{i}: cannot read: {line}")
    return cases


def make_file(words, body, plant, root, work):
    if plant:
        name, source = words
        text = open(os.path.join(root, source), encoding="cp932", newline="").read()
        k = 0
        while k < len(body):
            if body[k].startswith("- "):
                old, new = body[k][2:], body[k + 1][2:]
                if text.count(old) != 1:
                    sys.exit(f"plant {name}: '{old}' is not in {source} once")
                text = text.replace(old, new.replace("⏎", "\r\n"))
                k += 2
            else:
                text += body[k][2:] + "\r\n"
                k += 1
        data = text.encode("cp932")
    else:
        name, encoding = words
        codec, bom = ENCODINGS[encoding]
        data = bom + "".join(l + "\r\n" for l in body).encode(codec)
    with open(os.path.join(work, name), "wb") as f:
        f.write(data)


def run_console(command, env, work, stdin):
    """Runs on a pseudo-terminal; gives the exit status and the text shown."""
    master, slave = pty.openpty()
    fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", 100, 1000, 0, 0))
    source = open(os.path.join(work, stdin), "rb") if stdin else slave
    p = subprocess.Popen(command, stdin=source, stdout=slave, stderr=slave, cwd=work, env=env,
                         start_new_session=True)
    os.close(slave)
    data = b""
    while True:
        ready, _, _ = select.select([master], [], [], 0.5)
        if not ready:
            if p.poll() is not None:
                break
            continue
        try:
            chunk = os.read(master, 65536)
        except OSError:
            break
        if not chunk:
            break
        data += chunk
    status = p.wait()
    os.close(master)
    if stdin:
        source.close()
    text = data.decode("utf-8", "replace")
    text = re.sub(r"\x1b\[[0-9;?]*[ -/]*[@-~]|\x1b\][^\x07]*\x07|\r", "", text)
    return status, text


def run_redirected(command, env, work, stdin, encoding):
    source = open(os.path.join(work, stdin), "rb") if stdin else subprocess.DEVNULL
    p = subprocess.run(command, stdin=source, capture_output=True, cwd=work, env=env)
    codec = {"utf-8": "utf-8", "cp932": "cp932", "utf-16le": "utf-16-le"}.get(encoding, "utf-8")
    try:
        return p.returncode, p.stdout.decode(codec), p.stderr.decode(codec)
    except UnicodeDecodeError as e:
        return p.returncode, f"(not {codec}: {e})", ""


def matches(expect, lines):
    """Whether the lines are the expected ones, '...' standing for any lines."""
    if not expect:
        return not lines
    _, kind, value = expect[0]
    if kind == "any":
        return any(matches(expect[1:], lines[k:]) for k in range(len(lines) + 1))
    if not lines:
        return False
    ok = lines[0] == value if kind == "text" else re.fullmatch(value, lines[0]) is not None
    return ok and matches(expect[1:], lines[1:])


def split_lines(text):
    return text.split("\n")[:-1] if text.endswith("\n") else text.split("\n") if text else []


def aligned(lines):
    starts = {tuple(m.start() for m in re.finditer(r"(?<=  )\S", line))[:3] for line in lines}
    return len(starts) == 1


def main():
    env_script, lmx, table = sys.argv[1], sys.argv[2], sys.argv[4]
    root = os.path.abspath(sys.argv[3])
    only = re.compile(sys.argv[5]) if len(sys.argv) > 5 else None
    work = os.path.join(os.path.dirname(os.path.abspath(lmx)), "lmx-cases")
    os.makedirs(work, exist_ok=True)
    cases = read_table(table, root, work)
    base = wine_environment(env_script)
    english = dict(base, LC_MESSAGES="en_US.UTF-8")
    english.pop("LC_ALL")
    failures = runs = 0
    for case in cases:
        if only and not only.search(case["title"]):
            continue
        env = english if case["ui"] == "en" else base
        command = ["wine", os.path.abspath(lmx)] + case["args"]
        encoding = case["args"][case["args"].index("--encoding") + 1] if "--encoding" in case["args"] else "utf-8"
        for mode in case["modes"]:
            runs += 1
            if mode == "console":
                status, text = run_console(command, env, work, case["stdin"])
                ok = matches(case["expect"], split_lines(text))
                shown = text
                out_lines = [l for l in split_lines(text)]
            else:
                status, out, err = run_redirected(command, env, work, case["stdin"], encoding)
                ok = matches([e for e in case["expect"] if e[0] == "out"], split_lines(out)) and \
                    matches([e for e in case["expect"] if e[0] == "err"], split_lines(err))
                shown = f"stdout:\n{out}stderr:\n{err}"
                out_lines = split_lines(out)
            if case["aligned"] and not aligned(out_lines):
                ok = False
            if not ok or status != case["exit"]:
                failures += 1
                print(f"FAIL {case['title']} ({mode}): lmx {shlex.join(case['args'])}: exit {status}"
                      f" (want {case['exit']})\n{shown}", flush=True)
    print(f"{runs - failures} of {runs} runs as expected ({len(cases)} cases, console and redirected)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
