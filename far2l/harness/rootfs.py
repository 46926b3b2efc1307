"""The Debian 13 root holding far2l and tmux, made once and cached per far2l version.

The cache lives outside any build tree, so clean clones and CI runs on one
machine share it: ${XDG_CACHE_HOME:-~/.cache}/qelfar/far2l-VERSION/, with the
link far2l-root naming the one in use, so no network is needed once it exists.
Callers in parallel take a lock; only the first one makes the root. Every
caller checks the root it gets for all that a far2l run needs, so a damaged
one is told in one line before anything is written into it.
"""
import fcntl
import os
import shutil
import subprocess
import sys

from harness import bootstrap, enter
from harness.root_cache import LOCKS, RootUnavailable, cache_dir, cannot_make, current_link

MAKING = "making the Debian 13 root for far2l, once: about a minute"
REMAKE = "remake it with far2l/make_root.py --refresh"
# What the runs use inside the root.
FOLDERS = ["tmp", "usr/lib/far2l/Plugins"]
PROGRAMS = ["usr/bin/far2l", "usr/bin/env", "bin/sh"]


def damaged(root, fault):
    return RootUnavailable(f"the Debian 13 root for far2l in {root} {fault}: {REMAKE}")


def cached_root():
    """The cached root in use, or None when there is none yet."""
    root = os.path.realpath(current_link())
    return root if os.path.isfile(os.path.join(root, "usr/bin/far2l")) else None


def needs_making():
    return cached_root() is None


def ensure_root(refresh=False):
    """The cached root, checked, and made first when missing (or when REFRESH asks for a
    new one)."""
    if refresh or needs_making():
        os.makedirs(cache_dir(), exist_ok=True)
        with _lock(os.path.join(cache_dir(), "far2l-root.lock")):
            if refresh or needs_making():
                print(MAKING, file=sys.stderr, flush=True)
                bootstrap.make_root()
    check(cached_root())
    return cached_root()


def _lock(path):
    """The lock file at PATH, held exclusively until the block ends."""
    if os.path.lexists(path) and not os.path.isfile(path):
        raise RootUnavailable(f"the lock {path} is not a file: remove it")
    lock = open(path, "a")
    fcntl.flock(lock, fcntl.LOCK_EX)
    return lock


def check(root):
    """Raises RootUnavailable naming the first thing ROOT lacks for a far2l run."""
    for folder in FOLDERS:
        if not os.path.isdir(os.path.join(root, folder)):
            raise damaged(root, f"has no folder {folder}/")
    for program in PROGRAMS:
        if not os.access(os.path.join(root, program), os.X_OK):
            raise damaged(root, f"has no program {program}")
    for lock in [root + suffix for suffix in LOCKS]:
        if os.path.lexists(lock) and not os.path.isfile(lock):
            raise damaged(root, f"has a lock path {os.path.basename(lock)} that is not a file")
    try:
        launcher = enter.launcher(root)
    except enter.CannotEnter as error:
        raise cannot_make(str(error))
    help_text = subprocess.run(launcher + ["/usr/bin/far2l", "-h"], stdin=subprocess.DEVNULL,
                               capture_output=True, text=True)
    if help_text.returncode != 0 or "FAR2L" not in help_text.stdout:
        raise damaged(root, "has a far2l that does not start")
    if not shutil.which("tmux"):
        raise RootUnavailable("tmux, which drives far2l, is not installed")
