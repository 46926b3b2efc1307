#!/usr/bin/env python3
"""Checks that README shows far2l's screens as the harness captures them now.

usage: check_screens.py PACKAGE_DIR README
Captures the screens afresh into a temporary folder (save_screens.py) and
fails when one differs from far2l/screens/ or is missing from README;
`make screens` brings both up to date.
"""
import os
import subprocess
import sys
import tempfile

from harness import procs

HERE = os.path.dirname(os.path.abspath(__file__))
SCREENS = ["panel.txt", "f7_dialog.txt"]


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    procs.exit_on_signals()
    package, readme = sys.argv[1:3]
    with open(readme, encoding="utf-8") as f:
        shown = f.read()
    faults = []
    with tempfile.TemporaryDirectory() as fresh:
        if subprocess.run([sys.executable, os.path.join(HERE, "save_screens.py"), package,
                           fresh], stdout=subprocess.DEVNULL).returncode != 0:
            return 1  # save_screens.py has said why
        for name in SCREENS:
            with open(os.path.join(fresh, name), encoding="utf-8") as f:
                captured = f.read()
            with open(os.path.join(HERE, "screens", name), encoding="utf-8") as f:
                kept = f.read()
            if captured != kept:
                faults.append(f"far2l/screens/{name} is not what far2l shows now:\n{captured}")
            if kept not in shown:
                faults.append(f"{readme} does not show far2l/screens/{name}")
    for fault in faults:
        print(fault, file=sys.stderr)
    if faults:
        print("make screens captures them again; then copy them into README", file=sys.stderr)
        return 1
    print("README shows far2l's screens as captured now")
    return 0


if __name__ == "__main__":
    sys.exit(main())
