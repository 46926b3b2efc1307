#!/usr/bin/env python3
"""Makes (once) the cached Debian 13 root with far2l and prints its path.

usage: make_root.py [--refresh]    --refresh makes a new one from the mirror
As the far2l tests' first step it also checks that far2l starts in the root
and that tmux, which drives far2l, is here.
"""
import shutil
import subprocess
import sys

from harness import enter, rootfs


def far2l_starts(root):
    help_text = subprocess.run(enter.launcher(root) + ["/usr/bin/far2l", "-h"],
                               stdin=subprocess.DEVNULL, capture_output=True, text=True)
    return help_text.returncode == 0 and "FAR2L" in help_text.stdout


def main():
    try:
        root = rootfs.ensure_root(refresh="--refresh" in sys.argv[1:])
    except rootfs.RootUnavailable as error:
        sys.exit(f"far2l tests: {error}")
    if not far2l_starts(root):
        sys.exit(f"far2l tests: far2l does not start in {root}: remake it with "
                 f"far2l/make_root.py --refresh; {rootfs.SKIP_HINT}")
    if not shutil.which("tmux"):
        sys.exit(f"far2l tests: tmux is not installed; {rootfs.SKIP_HINT}")
    print(root)


if __name__ == "__main__":
    main()
