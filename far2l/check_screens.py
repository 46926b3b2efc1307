#!/usr/bin/env python3
"""Checks that README shows far2l's screen as the harness captures it now.

usage: check_screens.py PACKAGE_DIR README
`make screens` (or `make update-expected`) writes it into README again.
"""
import os
import sys

import save_screens
from harness import procs


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    procs.exit_on_signals()
    package, readme = os.path.abspath(sys.argv[1]), sys.argv[2]
    with open(readme, encoding="utf-8") as f:
        kept = save_screens.shown(f.read())
    captured = save_screens.capture(package)
    if kept != captured:
        print(f"{readme} does not show far2l's screen as it is now:\n{captured}"
              "make screens writes it into README", file=sys.stderr)
        return 1
    print("README shows far2l's screen as captured now")
    return 0


if __name__ == "__main__":
    sys.exit(main())
