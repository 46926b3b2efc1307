#!/usr/bin/env python3
"""Writes far2l's screen of qelfar into README: its panel in the full view, which shows
the sizes, with the F7 dialog open over it.

usage: save_screens.py PACKAGE_DIR README [--check]
The screen goes into the text block that follows README's marker line; with
--check, README is left alone and the run fails unless it shows the screen
as captured now (the test far2l.readme_screens). The run lives in /home/user
inside the root and its files carry a fixed date, so the screen is the same
each time.
"""
import fcntl
import os
import re
import shutil
import sys

from harness import failure, install, lng, procs, rootfs, steps
from harness.session import Far2l, ScreenError
from scenarios.f7_dialog import CANCELLED, Dialog
from scenarios.file_panel import full_view_with_sizes

FIXED_TIME = 1735732800  # 2025-01-01 12:00 UTC
FILES = {"far.ads": "a sample far.ads\n", "notes.txt": "plain text\n"}
HOME = "/home/user"
MARKER = "<!-- far2l's screen, written by make screens -->"
BLOCK = re.compile(re.escape(MARKER) + r"\n```text\n(.*?)```\n", re.S)


def prepare(f):
    for name, text in FILES.items():
        f.write(name, text)
    for path in [os.path.join(f.work, name) for name in FILES] + [f.work, f.host]:
        os.utime(path, (FIXED_TIME, FIXED_TIME))


def _screen(root, package):
    with install.installed(root, package), Far2l(root, home=HOME) as f:
        prepare(f)
        f.start(panels=(".", "."))
        steps.open_far_ads(f)
        full_view_with_sizes(f)
        dialog = Dialog(lng.messages(os.path.join(package, "qelfar_eng.lng")))
        dialog.open(f)
        screen = f.settled()
        f.keys("Escape")
        dialog.answers(f, [dialog.text[CANCELLED]])
        steps.leave(f)
    return "\n".join(line.rstrip() for line in screen.split("\n")) + "\n"


def capture(package):
    """far2l's screen now, with PACKAGE installed."""
    root = rootfs.ensure_root()
    # One run at a time owns HOME; one left by a killed run is removed.
    with open(root + ".screens-lock", "a") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        shutil.rmtree(os.path.join(root, HOME.lstrip("/")), ignore_errors=True)
        return _screen(root, package)


def shown(readme_text):
    """The screen README shows, or None when it has no marked block."""
    match = BLOCK.search(readme_text)
    return match.group(1) if match else None


def main():
    arguments = [a for a in sys.argv[1:] if a != "--check"]
    if len(arguments) != 2:
        sys.exit(__doc__)
    procs.exit_on_signals()
    package, readme = os.path.abspath(arguments[0]), arguments[1]
    with open(readme, encoding="utf-8") as f:
        text = f.read()
    if shown(text) is None:
        sys.exit(f"{readme} has no line {MARKER!r} followed by a text block")
    try:
        screen = capture(package)
    except (rootfs.RootUnavailable, install.NoPackage) as error:
        print(f"far2l tests: {error}", file=sys.stderr)
        return 1
    except ScreenError as error:
        print(failure.report("screen capture", error, []), file=sys.stderr)
        return 1
    if "--check" in sys.argv:
        if shown(text) != screen:
            sys.exit(f"{readme} does not show far2l's screen as it is now:\n{screen}"
                     "make screens writes it into README")
        print(f"{readme} shows far2l's screen as captured now")
        return 0
    with open(readme, "w", encoding="utf-8") as f:
        f.write(BLOCK.sub(lambda _: f"{MARKER}\n```text\n{screen}```\n", text, count=1))
    print(f"wrote far2l's screen into {readme}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
