#!/usr/bin/env python3
"""Opens the HTML reference in headless Chromium and checks what a reader sees
after the page's script ran: every export of the table once, and the filter
(started from the page's ?q=) showing exactly the names that hold its text.
  page_test.py <chromium> <gen_reference> <docs/reference.html>"""
import html.parser
import pathlib
import subprocess
import sys
import tempfile
import urllib.parse

# Filter texts; what each must show is worked out from the table's names.
QUERIES = ["", "InStr", "window", "w", "hunspell_", "RECT_", "no such export"]

VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source", "track", "wbr"}


class Entries(html.parser.HTMLParser):
    """The export entries in page order, each with whether it shows: neither
    it nor an element around it is hidden."""

    def __init__(self):
        super().__init__()
        self.hidden_stack, self.entries = [], []

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        hidden = "hidden" in a or (bool(self.hidden_stack) and self.hidden_stack[-1])
        if "export" in (a.get("class") or "").split():
            self.entries.append((a.get("data-name"), not hidden))
        if tag not in VOID:
            self.hidden_stack.append(hidden)

    def handle_endtag(self, tag):
        if tag not in VOID and self.hidden_stack:
            self.hidden_stack.pop()


def dump_dom(chromium, url):
    with tempfile.TemporaryDirectory() as profile:
        run = subprocess.run(
            [chromium, "--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
             "--disable-component-update", "--disable-sync", "--no-first-run", f"--user-data-dir={profile}",
             "--dump-dom", url],
            capture_output=True, text=True, timeout=240)
    if run.returncode != 0:
        sys.exit(f"page_test: chromium exited with {run.returncode}: {run.stderr[-2000:]}")
    return run.stdout


def main():
    chromium, generator, page = sys.argv[1:4]
    if not pathlib.Path(chromium).is_file():
        sys.exit(f"page_test: no chromium at '{chromium}' (scripts/install-deps.sh installs it)")
    names = subprocess.run([generator, "names"], capture_output=True, text=True, check=True).stdout.split()
    base = pathlib.Path(page).resolve().as_uri()
    faults = []
    for query in QUERIES:
        url = base + ("?q=" + urllib.parse.quote(query) if query else "")
        parser = Entries()
        parser.feed(dump_dom(chromium, url))
        listed = [name for name, _ in parser.entries]
        shown = [name for name, visible in parser.entries if visible]
        expected = [n for n in names if query.lower() in n.lower()]
        if listed != names:
            faults.append(f"q={query!r}: the page lists {len(listed)} entries, the table has {len(names)} "
                          f"(first differences: {sorted(set(listed) ^ set(names))[:5]})")
        if shown != expected:
            faults.append(f"q={query!r}: {len(shown)} entries show, {len(expected)} hold the text "
                          f"(first differences: {sorted(set(shown) ^ set(expected))[:5]})")
        print(f"q={query!r}: {len(shown)} of {len(listed)} entries show")
    for f in faults:
        print("page_test:", f, file=sys.stderr)
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    main()
