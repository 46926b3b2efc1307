"""Installs the built far2l package of qelfar into the shared root, safely for parallel runs.

Every far2l run holds a shared lock on the installed plugin for its whole life,
since far2l may load the plugin late; installing takes the lock exclusively,
so files never change under a running far2l. Runs of one build install the
same bytes, so only the first one copies anything.
"""
import contextlib
import fcntl
import filecmp
import os
import shutil
import tempfile

PLUGINS = "usr/lib/far2l/Plugins"
FOLDER = "qelfar/plug"
BINARY = "qelfar.far-plug-mb"


class NoPackage(Exception):
    def __init__(self, package):
        self.reason = (f"no {BINARY} in {package}: build it with "
                       "cmake --preset far2l && cmake --build --preset far2l")
        super().__init__(self.reason)


def check_package(package):
    if not os.path.isfile(os.path.join(package, BINARY)):
        raise NoPackage(package)


def _installed_same(root, package):
    target = os.path.join(root, PLUGINS, FOLDER)
    if not os.path.isdir(target) or sorted(os.listdir(target)) != sorted(os.listdir(package)):
        return False
    _, differ, errors = filecmp.cmpfiles(package, target, os.listdir(package), shallow=False)
    return not differ and not errors


def _replace(root, package):
    """Puts a full copy beside the plugins folder, then swaps it in by renames."""
    plugins = os.path.join(root, PLUGINS)
    staging = tempfile.mkdtemp(prefix=".qelfar-", dir=os.path.dirname(plugins))
    shutil.copytree(package, os.path.join(staging, "qelfar", "plug"))
    old = os.path.join(plugins, "qelfar")
    if os.path.exists(old):
        os.rename(old, os.path.join(staging, "old"))
    os.rename(os.path.join(staging, "qelfar"), old)
    shutil.rmtree(staging)


@contextlib.contextmanager
def installed(root, package):
    """Keeps PACKAGE installed in ROOT, unchanged, while the block runs."""
    check_package(package)
    with open(root + ".plugin-lock", "a") as lock:
        while True:
            fcntl.flock(lock, fcntl.LOCK_SH)
            if _installed_same(root, package):
                break
            fcntl.flock(lock, fcntl.LOCK_UN)
            fcntl.flock(lock, fcntl.LOCK_EX)
            if not _installed_same(root, package):
                _replace(root, package)
            fcntl.flock(lock, fcntl.LOCK_UN)
        yield
