"""The Debian 13 root holding far2l and tmux, made once and cached per far2l version.

The cache lives outside any build tree, so clean clones and CI runs on one
machine share it: ${XDG_CACHE_HOME:-~/.cache}/qelfar/far2l-VERSION/, with the
link far2l-root naming the one in use, so no network is needed once it exists.
Callers in parallel take a lock; only the first one makes the root.
"""
import fcntl
import glob
import os
import re
import shutil
import subprocess
import tempfile

from harness import enter, mirror

SUITE = "trixie"
PACKAGES = "far2l,tmux"
SKIP_HINT = "run the other tests with: make test FAR2L_TESTS=no"


class RootUnavailable(Exception):
    """The root can be neither found in the cache nor made; the text is one line."""

    def __init__(self, reason):
        self.reason = f"cannot make the Debian 13 root for far2l ({reason})"
        super().__init__(f"{self.reason}; {SKIP_HINT}")


def cache_dir():
    base = os.environ.get("XDG_CACHE_HOME") or os.path.expanduser("~/.cache")
    return os.path.join(base, "qelfar")


def current_link():
    return os.path.join(cache_dir(), "far2l-root")


def cached_root():
    """The cached root in use, or None when there is none yet."""
    root = os.path.realpath(current_link())
    return root if os.path.isfile(os.path.join(root, "usr/bin/far2l")) else None


def ensure_root(refresh=False):
    """The cached root, made first when missing (or when REFRESH asks for a new one)."""
    if not refresh and cached_root():
        return cached_root()
    os.makedirs(cache_dir(), exist_ok=True)
    with open(os.path.join(cache_dir(), "far2l-root.lock"), "a") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if refresh or not cached_root():
            _make_root()
    return cached_root()


def _make_root():
    if not shutil.which("mmdebstrap"):
        raise RootUnavailable("mmdebstrap is not installed")
    try:
        enter.launcher("/")
    except enter.CannotEnter as error:
        raise RootUnavailable(str(error))
    uri = mirror.find_mirror(SUITE)
    if not uri:
        raise RootUnavailable(f"no mirror in the apt sources serves Debian {SUITE}")
    for stale in glob.glob(os.path.join(cache_dir(), ".making-*")):
        shutil.rmtree(stale, ignore_errors=True)  # a killed maker's; we hold the lock
    work = tempfile.mkdtemp(prefix=".making-", dir=cache_dir())
    try:
        tarball = os.path.join(work, "root.tar")
        _bootstrap(tarball, uri)
        version = _far2l_version(tarball)
        _extract(tarball, os.path.join(work, "root"))
        _publish(work, f"far2l-{version}")
    finally:
        shutil.rmtree(work, ignore_errors=True)


def _bootstrap(tarball, uri):
    log = os.path.join(cache_dir(), "mmdebstrap.log")
    with open(log, "w") as out:
        status = subprocess.run(["mmdebstrap", "--variant=minbase", f"--include={PACKAGES}",
                                 SUITE, tarball, uri],
                                stdin=subprocess.DEVNULL, stdout=out, stderr=out).returncode
    if status != 0:
        raise RootUnavailable(f"mmdebstrap failed with status {status}, see {log}")


def _far2l_version(tarball):
    status = subprocess.run(["tar", "-xOf", tarball, "./var/lib/dpkg/status"],
                            capture_output=True, text=True, check=True).stdout
    match = re.search(r"^Package: far2l\n(?:.+\n)*?Version: (\S+)", status, re.M)
    if not match:
        raise RootUnavailable("far2l is missing from the new root")
    return match.group(1)


def _extract(tarball, folder):
    os.makedirs(folder)
    # Only root can make device nodes; others get the host's /dev bound in (see enter.py).
    devices = [] if enter.as_root() else ["--exclude=./dev/*"]
    subprocess.run(["tar", "-xf", tarball, "-C", folder, "--numeric-owner"] + devices,
                   check=True)


def _publish(work, name):
    """Moves the finished root from WORK to its versioned name and points the link at it.
    A root of the same version is replaced (a refresh), and goes with WORK."""
    target = os.path.join(cache_dir(), name)
    if os.path.isdir(target):
        os.rename(target, os.path.join(work, "replaced"))
    os.rename(os.path.join(work, "root"), target)
    link = current_link() + ".new"
    if os.path.lexists(link):
        os.remove(link)
    os.symlink(name, link)
    os.replace(link, current_link())
