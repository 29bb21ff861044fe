#!/usr/bin/env python3
"""Opens the HTML reference in headless Chromium, as a reader's 1000 x 800
window, and checks what the reader sees after the page's script ran: every
export of the table once; the filter (started from the page's ?q=) showing
exactly the names that hold its text, with the introductions folded away and
the first match at the top of the screen, right under the header; the version
in the header; and no note meant for developers. It saves what the screen
shows for some filters in the screenshot folder.
  page_test.py <chromium> <gen_reference> <docs/reference.html> <version> <screenshot folder>"""
import base64
import fcntl
import json
import os
import pathlib
import subprocess
import sys
import tempfile
import urllib.parse

# Filter texts; what each must show is worked out from the table's names.
QUERIES = ["", "InStr", "window", "w", "hunspell_", "RECT_", "mecab", "EditorConfigGetPcreVersionStr", "no such export"]
SCREENSHOTS = {"": "all", "mecab": "mecab", "EditorConfigGetPcreVersionStr": "last"}

# What the reader sees: innerText leaves out what is hidden, comments and scripts.
SEEN = """JSON.stringify({
  entries: Array.from(document.querySelectorAll('.export')).map(e => [e.dataset.name, e.offsetParent !== null]),
  intro: document.querySelector('.intro').offsetParent !== null,
  header: document.querySelector('header').innerText,
  headerBottom: document.querySelector('header').getBoundingClientRect().bottom,
  first: (e => e && {name: e.dataset.name, top: e.getBoundingClientRect().top})(
      Array.from(document.querySelectorAll('.export')).find(e => e.offsetParent !== null)),
  text: document.body.innerText})"""


class Browser:
    """Headless Chromium driven over its debugging pipe (fd 3 in, fd 4 out)."""

    def __init__(self, chromium, profile):
        to_browser, self.commands = os.pipe()
        self.replies, from_browser = os.pipe()

        def pipes():
            # Out of the way first: either end may itself be 3 or 4.
            ends = [fcntl.fcntl(fd, fcntl.F_DUPFD, 10) for fd in (to_browser, from_browser)]
            for fd, end in zip((3, 4), ends):
                os.dup2(end, fd)
                os.set_inheritable(fd, True)

        self.process = subprocess.Popen(
            [chromium, "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             f"--user-data-dir={profile}", "--remote-debugging-pipe"],
            close_fds=False, preexec_fn=pipes, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(to_browser)
        os.close(from_browser)
        self.pending, self.events, self.next_id, self.session = b"", [], 0, None
        target = self.send("Target.createTarget", url="about:blank")["targetId"]
        self.session = self.send("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        self.send("Emulation.setDeviceMetricsOverride", width=1000, height=800, deviceScaleFactor=1, mobile=False)
        self.send("Page.enable")

    def message(self):
        while b"\0" not in self.pending:
            chunk = os.read(self.replies, 1 << 16)
            if not chunk:
                sys.exit("page_test: chromium closed its pipe")
            self.pending += chunk
        text, self.pending = self.pending.split(b"\0", 1)
        return json.loads(text)

    def send(self, method, **params):
        self.next_id += 1
        command = {"id": self.next_id, "method": method, "params": params}
        if self.session:
            command["sessionId"] = self.session
        os.write(self.commands, json.dumps(command).encode() + b"\0")
        while True:
            m = self.message()
            if m.get("id") == self.next_id:
                if "error" in m:
                    sys.exit(f"page_test: {method}: {m['error']}")
                return m["result"]
            self.events.append(m.get("method"))

    def open(self, url):
        self.events.clear()
        self.send("Page.navigate", url=url)
        while "Page.loadEventFired" not in self.events:
            self.events.append(self.message().get("method"))
        return json.loads(self.send("Runtime.evaluate", expression=SEEN, returnByValue=True)["result"]["value"])

    def screenshot(self, path):
        path.write_bytes(base64.b64decode(self.send("Page.captureScreenshot", format="png")["data"]))

    def close(self):
        self.process.kill()
        self.process.wait()


def main():
    chromium, generator, page, version, screens = sys.argv[1:6]
    if not pathlib.Path(chromium).is_file():
        sys.exit(f"page_test: no chromium at '{chromium}' (scripts/install-deps.sh installs it)")
    names = subprocess.run([generator, "names"], capture_output=True, text=True, check=True).stdout.split()
    base = pathlib.Path(page).resolve().as_uri()
    pathlib.Path(screens).mkdir(parents=True, exist_ok=True)
    faults = []
    with tempfile.TemporaryDirectory(ignore_cleanup_errors=True) as profile:
        browser = Browser(chromium, profile)
        try:
            for query in QUERIES:
                seen = browser.open(base + ("?q=" + urllib.parse.quote(query) if query else ""))
                say = lambda what: faults.append(f"q={query!r}: {what}")
                listed = [name for name, _ in seen["entries"]]
                shown = [name for name, visible in seen["entries"] if visible]
                expected = [n for n in names if query.lower() in n.lower()]
                if listed != names:
                    say(f"the page lists {len(listed)} entries, the table has {len(names)} "
                        f"(first differences: {sorted(set(listed) ^ set(names))[:5]})")
                if shown != expected:
                    say(f"{len(shown)} entries show, {len(expected)} hold the text "
                        f"(first differences: {sorted(set(shown) ^ set(expected))[:5]})")
                if seen["intro"] != (query == ""):
                    say("the introduction shows" if seen["intro"] else "the introduction is folded without a filter")
                first = seen.get("first") or {}
                gap = first.get("top", 0) - seen["headerBottom"]
                if query and expected and not 0 <= gap <= 20:
                    say(f"the first match {first.get('name')} stands {gap:.0f} px below the header")
                if f"lorimax {version}" not in seen["header"]:
                    say(f"the header does not show lorimax {version}: {seen['header'][:80]!r}")
                for note in ("make docs", "do not edit", "手で編集"):
                    if note in seen["text"]:
                        say(f"a note for developers shows: {note!r}")
                print(f"q={query!r}: {len(shown)} of {len(listed)} entries show; first match {first.get('name')} "
                      f"{gap:.0f} px below the header")
                if query in SCREENSHOTS:
                    shot = pathlib.Path(screens) / f"reference-{SCREENSHOTS[query]}.png"
                    browser.screenshot(shot)
                    print(f"  screenshot: {shot}")
        finally:
            browser.close()
    for f in faults:
        print("page_test:", f, file=sys.stderr)
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    main()
