#!/usr/bin/env python3
"""Makes (once) the cached Debian 13 root with far2l, checks it and prints its path.

usage: make_root.py [--refresh | --announce]
  --refresh   makes a new one from the mirror, replacing a damaged one
  --announce  only says, in one line, that the root is about to be made, when it is
As the far2l tests' first step it checks the root for everything the scenarios
need: its folders and programs, its lock files, far2l starting in it, and tmux.
"""
import sys

from harness import procs, rootfs


def main():
    if sys.argv[1:] not in ([], ["--refresh"], ["--announce"]):
        sys.exit(__doc__)
    if sys.argv[1:] == ["--announce"]:
        if rootfs.needs_making():
            print(rootfs.MAKING, flush=True)
        return 0
    procs.exit_on_signals()
    try:
        root = rootfs.ensure_root(refresh=sys.argv[1:] == ["--refresh"])
    except rootfs.RootUnavailable as error:
        print(f"far2l tests: {error}", file=sys.stderr)
        return 1
    print(root)
    return 0


if __name__ == "__main__":
    sys.exit(main())
