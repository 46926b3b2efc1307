"""Where the cached Debian 13 root lives, and how a root that cannot be had is told.

Both the maker of the root (bootstrap.py) and the code that finds and checks it
(rootfs.py) use these; they use neither of the two.
"""
import os

SKIP_HINT = "run the other tests with: make test FAR2L_TESTS=no"
# The lock files beside the root.
LOCKS = [".plugin-lock", ".screens-lock"]


class RootUnavailable(Exception):
    """The root can be neither found nor made, or is damaged; str() is the one line to print."""

    def __init__(self, reason):
        self.reason = reason
        super().__init__(f"{reason}; {SKIP_HINT}")


def cannot_make(reason):
    return RootUnavailable(f"cannot make the Debian 13 root for far2l ({reason})")


def cache_dir():
    base = os.environ.get("XDG_CACHE_HOME") or os.path.expanduser("~/.cache")
    return os.path.join(base, "qelfar")


def current_link():
    return os.path.join(cache_dir(), "far2l-root")
