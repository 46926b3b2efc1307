"""How to run a program inside the Debian 13 root: chroot, a user namespace, or proot.

Decided by probing what this machine allows, in that order. Nothing stays
mounted on the host: the user-namespace way binds /dev in a private mount
namespace that ends with the program.
"""
import os
import shutil
import subprocess


class CannotEnter(Exception):
    pass


def _works(command):
    try:
        return subprocess.run(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, timeout=20).returncode == 0
    except (OSError, subprocess.TimeoutExpired):
        return False


def as_root():
    return os.geteuid() == 0


def launcher(root):
    """The command prefix that runs the rest of a command line inside ROOT."""
    if as_root():
        return ["chroot", root]
    if _works(["unshare", "-r", "-m", "true"]):
        # A non-root user's copy of the root has no device nodes: lend the host's.
        bind_and_chroot = 'mount --rbind /dev "$0/dev" && exec chroot "$0" "$@"'
        return ["unshare", "-r", "-m", "sh", "-c", bind_and_chroot, root]
    if shutil.which("proot"):
        return ["proot", "-r", root, "-b", "/dev", "-b", "/proc", "-w", "/"]
    raise CannotEnter("not root, no user namespaces and no proot to enter it")
