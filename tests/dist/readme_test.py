#!/usr/bin/env python3
"""Follows the zip's readme as a macro author would: lays each engine out as
its section says (beside lorimax.dll and lmx.exe, MeCab's mecabrc with the
line the readme gives, Hunspell's dictionary in dic), runs the section's
check lines through the zip's lmx under Wine and compares what lmx prints
with what the readme says it prints. The engines are those `make test`
builds (the HMJRE.DLL stand-in in place of the editor's own, beside lmx.exe,
which stands in for the editor). The readme names no web address.
  readme_test.py <unpacked zip folder> <Windows build> <scripts/wine-run>"""
import pathlib
import shutil
import subprocess
import sys
import tempfile


def indented_block(lines, start, depth=8):
    """The lines after `start` indented by at least `depth`, de-indented."""
    block = []
    for line in lines[start + 1:]:
        if len(line) - len(line.lstrip(" ")) < depth or not line.strip():
            break
        block.append(line[depth:])
    return block


def sections(lines):
    """Each engine section's name, check lines and the output it promises."""
    found, name = [], None
    for i, line in enumerate(lines):
        if line.startswith("  □ "):
            name = line[4:].strip()
        elif name and "lmx -f check.txt" in line:
            script = indented_block(lines, i)
        elif name and "表示されれば" in line:
            found.append((name, script, indented_block(lines, i)))
            name = None
    return found


def normal(text):
    return [line.rstrip() for line in text.replace("\r\n", "\n").split("\n") if line.strip()]


def main():
    zip_folder, build, wine_run = (pathlib.Path(a).resolve() for a in sys.argv[1:4])
    readme = (zip_folder / "readme-ja.txt").read_text(encoding="utf-8-sig").replace("\r\n", "\n")
    lines = readme.split("\n")
    faults = []
    if "://" in readme:
        faults.append("the readme names a web address")
    mecabrc = [l.strip() for l in lines if l.strip().startswith("dicdir = ")]
    found = sections(lines)
    if len(found) != 4 or len(mecabrc) != 1:
        sys.exit(f"readme_test: found {len(found)} engine checks and {len(mecabrc)} mecabrc lines, not 4 and 1")
    macro = build / "bin" / "macro"
    with tempfile.TemporaryDirectory() as work:
        folder = pathlib.Path(work) / "macro"
        shutil.copytree(zip_folder, folder)
        for engine in ("NKF32.DLL", "libmecab.dll", "libhunspell.dll", "HMJRE.DLL"):
            shutil.copy(macro / engine, folder / engine)
        (folder / "ipadic").symlink_to((macro / "ipadic").resolve())
        (folder / "mecabrc").write_bytes((mecabrc[0] + "\r\n").encode())
        (folder / "dic").mkdir()
        for part in ("aff", "dic"):
            (folder / "dic" / f"en_US.{part}").symlink_to(f"/usr/share/hunspell/en_US.{part}")
        for name, script, expected in found:
            (folder / "check.txt").write_text("\n".join(script) + "\n", encoding="utf-8")
            run = subprocess.run([str(wine_run), "lmx.exe", "-f", "check.txt"], cwd=folder, capture_output=True)
            got = normal(run.stdout.decode("utf-8", "replace"))
            if run.returncode != 0 or got != normal("\n".join(expected)):
                faults.append(f"{name}: lmx exited with {run.returncode} and printed\n  " + "\n  ".join(got) +
                              "\nwhere the readme says\n  " + "\n  ".join(expected) +
                              ("\n" + run.stderr.decode("utf-8", "replace") if run.stderr else ""))
            else:
                print(f"readme_test: {name}: {len(script)} lines, as the readme says")
    for f in faults:
        print("readme_test:", f, file=sys.stderr)
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    main()
