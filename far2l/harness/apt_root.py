"""A throwaway copy of the cached root, in which apt installs and purges a package offline.

The copy shares /usr's files with the cached root through hard links: under
a second for its 180 MB where a full copy takes about two, and no second
copy on disk. That is safe because dpkg never writes into an existing file
(it unpacks beside it and renames) and removing a file removes only the
copy's link; everything outside /usr, where apt and dpkg keep their state,
is copied. The root's /tmp and /home, which other runs use, start empty, and
the hand-installed qelfar, which they swap in and out, is left out. The root
has no package lists, so apt can only use what is installed already: it
never reaches the network.
"""
import contextlib
import fcntl
import glob
import os
import shutil
import subprocess
import tempfile

from harness import enter, install

COPY_PREFIX = ".copy-"
EMPTY = {"tmp": 0o1777, "home": 0o755, "proc": 0o555, "sys": 0o555}
# What apt and dpkg write on their own: their state, caches and logs.
CHANGING = ("var", "tmp", "home", "proc", "sys", "dev", "run")


def _remove_stale(parent):
    """Copies left by runs that were killed: their pid is in the name."""
    for copy in glob.glob(os.path.join(parent, COPY_PREFIX + "*")):
        pid = os.path.basename(copy)[len(COPY_PREFIX):].split("-", 1)[0]
        if pid.isdigit() and not os.path.exists(f"/proc/{pid}"):
            shutil.rmtree(copy, ignore_errors=True)


def _fill(root, copy):
    for name in os.listdir(root):
        source, target = os.path.join(root, name), os.path.join(copy, name)
        if name in EMPTY:
            os.mkdir(target)
            os.chmod(target, EMPTY[name])
        elif name == "usr":
            subprocess.run(["cp", "-a", "--link", source, target], check=True)
        else:
            subprocess.run(["cp", "-a", source, target], check=True)
    shutil.rmtree(os.path.join(copy, install.PLUGINS, "qelfar"), ignore_errors=True)


@contextlib.contextmanager
def copy_of(root):
    """A copy of ROOT beside it, removed when the block ends."""
    parent = os.path.dirname(root)
    _remove_stale(parent)
    copy = tempfile.mkdtemp(prefix=f"{COPY_PREFIX}{os.getpid()}-", dir=parent)
    try:
        with open(root + ".plugin-lock", "a") as lock:
            fcntl.flock(lock, fcntl.LOCK_SH)  # no run swaps the hand-installed copy meanwhile
            _fill(root, copy)
        yield copy
    finally:
        shutil.rmtree(copy, ignore_errors=True)


class AptFailed(AssertionError):
    pass


def apt_get(root, *arguments):
    """apt-get ARGUMENTS inside ROOT, without questions; its output when it fails."""
    command = enter.launcher(root) + [
        "/usr/bin/env", "-i", "PATH=/usr/sbin:/usr/bin:/sbin:/bin", "LANG=C.UTF-8",
        "DEBIAN_FRONTEND=noninteractive", "apt-get", "-y", "-q", "-o", "Dpkg::Use-Pty=0",
        *arguments]
    result = subprocess.run(command, stdin=subprocess.DEVNULL, capture_output=True, text=True)
    if result.returncode != 0:
        raise AptFailed(f"apt-get {' '.join(arguments)} failed with status "
                        f"{result.returncode}:\n{result.stdout}{result.stderr}")
    return result.stdout


def files(root):
    """Every path in ROOT but where apt, dpkg and running programs keep their state."""
    found = set()
    for top in sorted(set(os.listdir(root)) - set(CHANGING)):
        path = os.path.join(root, top)
        found.add("/" + top)
        for folder, dirs, names in os.walk(path):
            for name in dirs + names:
                found.add("/" + os.path.relpath(os.path.join(folder, name), root))
    return found
