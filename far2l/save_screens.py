#!/usr/bin/env python3
"""Saves far2l's screens of qelfar as text for README: its panel in the full view,
which shows the sizes, and its F7 dialog.

usage: save_screens.py PACKAGE_DIR [OUT_DIR]    (OUT_DIR defaults to far2l/screens)
The run lives in /home/user inside the root and its files carry a fixed date,
so the screens are the same each time.
"""
import fcntl
import os
import shutil
import sys

from harness import failure, install, lng, procs, rootfs, steps
from harness.session import Far2l, ScreenError
from scenarios.f7_dialog import CANCELLED, Dialog
from scenarios.file_panel import full_view_with_sizes

FIXED_TIME = 1735732800  # 2025-01-01 12:00 UTC
FILES = {"far.ads": "a sample far.ads\n", "notes.txt": "plain text\n"}
HOME = "/home/user"


def prepare(f):
    for name, text in FILES.items():
        f.write(name, text)
    for path in [os.path.join(f.work, name) for name in FILES] + [f.work, f.host]:
        os.utime(path, (FIXED_TIME, FIXED_TIME))


def save(screen, path):
    with open(path, "w") as out:
        out.write("\n".join(line.rstrip() for line in screen.split("\n")) + "\n")
    print(f"saved {path}")


def screens(root, package, out):
    with install.installed(root, package), Far2l(root, home=HOME) as f:
        try:
            capture(f, package, out)
        except ScreenError as error:
            print(failure.report("screen capture", error, [f]), file=sys.stderr)
            return 1
    return 0


def capture(f, package, out):
    prepare(f)
    f.start(panels=(".", "."))
    steps.open_far_ads(f)
    save(full_view_with_sizes(f), os.path.join(out, "panel.txt"))
    dialog = Dialog(lng.messages(os.path.join(package, "qelfar_eng.lng")))
    dialog.open(f)
    save(f.settled(), os.path.join(out, "f7_dialog.txt"))
    f.keys("Escape")
    dialog.answers(f, [dialog.text[CANCELLED]])
    steps.leave(f)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    procs.exit_on_signals()
    package = os.path.abspath(sys.argv[1])
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[2] if len(sys.argv) > 2 else os.path.join(here, "screens")
    os.makedirs(out, exist_ok=True)
    try:
        root = rootfs.ensure_root()
    except rootfs.RootUnavailable as error:
        print(f"far2l tests: {error}", file=sys.stderr)
        return 1
    # One run at a time owns HOME; one left by a killed run is removed.
    with open(root + ".screens-lock", "a") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        shutil.rmtree(os.path.join(root, HOME.lstrip("/")), ignore_errors=True)
        return screens(root, package, out)


if __name__ == "__main__":
    sys.exit(main())
