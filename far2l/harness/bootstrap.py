"""Makes the Debian 13 root with mmdebstrap from the mirror this machine's apt uses.

Everything is made in one .making-* folder of the cache, mmdebstrap's own
temporary folders included (its TMPDIR), and the finished root is moved into
place by renames; the folder goes whether the making succeeds, fails or is
stopped. The caller holds the cache's lock.
"""
import glob
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile

from harness import enter, mirror
from harness.root_cache import LOCKS, cache_dir, cannot_make, current_link

SUITE = "trixie"
PACKAGES = "far2l,tmux"
STOPPED = "stopped while making the Debian 13 root for far2l; its unfinished files are removed"


def make_root():
    if not shutil.which("mmdebstrap"):
        raise cannot_make("mmdebstrap is not installed")
    try:
        enter.launcher("/")
    except enter.CannotEnter as error:
        raise cannot_make(str(error))
    try:
        uri = mirror.find_mirror(SUITE)
    except mirror.NoMirror as error:
        raise cannot_make(str(error))
    for stale in glob.glob(os.path.join(cache_dir(), ".making-*")):
        _remove(stale)  # a killed maker's; we hold the lock
    work = tempfile.mkdtemp(prefix=".making-", dir=cache_dir())
    os.chmod(work, 0o755)  # apt downloads as its own user, which must reach it
    stopped = False
    try:
        tarball = os.path.join(work, "root.tar")
        _bootstrap(work, tarball, uri)
        version = _far2l_version(tarball)
        _extract(tarball, os.path.join(work, "root"))
        _publish(work, f"far2l-{version}")
    except (KeyboardInterrupt, SystemExit):  # Ctrl-C, or a signal (procs.exit_on_signals)
        signal.signal(signal.SIGINT, signal.SIG_IGN)  # the clean-up is not to be stopped
        stopped = True
        raise
    finally:
        _remove(work)
        if stopped:
            print(STOPPED, file=sys.stderr)


def _bootstrap(work, tarball, uri):
    """mmdebstrap, in a session of its own so that a stop reaches it only through here:
    then it is asked to end, and waited for while it unmounts and removes its folders."""
    log = os.path.join(cache_dir(), "mmdebstrap.log")
    with open(log, "w") as out:
        maker = subprocess.Popen(
            ["mmdebstrap", "--variant=minbase", f"--include={PACKAGES}", SUITE, tarball, uri],
            stdin=subprocess.DEVNULL, stdout=out, stderr=out, start_new_session=True,
            env=dict(os.environ, TMPDIR=work))
        try:
            status = maker.wait()
        except BaseException:
            signal.signal(signal.SIGINT, signal.SIG_IGN)
            _end_group(maker, signal.SIGTERM)
            maker.wait()
            _end_group(maker, signal.SIGKILL)  # anything of it still running
            raise
    if status != 0:
        raise cannot_make(f"mmdebstrap failed with status {status}, see {log}")


def _end_group(process, signum):
    try:
        os.killpg(process.pid, signum)
    except ProcessLookupError:
        pass


def _far2l_version(tarball):
    status = subprocess.run(["tar", "-xOf", tarball, "./var/lib/dpkg/status"],
                            capture_output=True, text=True, check=True).stdout
    match = re.search(r"^Package: far2l\n(?:.+\n)*?Version: (\S+)", status, re.M)
    if not match:
        raise cannot_make("far2l is missing from the new root")
    return match.group(1)


def _extract(tarball, folder):
    os.makedirs(folder)
    # Only root can make device nodes; others get the host's /dev bound in (see enter.py).
    devices = [] if enter.as_root() else ["--exclude=./dev/*"]
    subprocess.run(["tar", "-xf", tarball, "-C", folder, "--numeric-owner"] + devices,
                   check=True)


def _publish(work, name):
    """Moves the finished root from WORK to its versioned name and points the link at it.
    A root of the same version is replaced (a refresh), and goes with WORK, as does
    anything but a file at its lock paths."""
    target = os.path.join(cache_dir(), name)
    if os.path.isdir(target):
        os.rename(target, os.path.join(work, "replaced"))
    for lock in LOCKS:
        if os.path.lexists(target + lock) and not os.path.isfile(target + lock):
            os.rename(target + lock, os.path.join(work, "replaced" + lock))
    os.rename(os.path.join(work, "root"), target)
    link = current_link() + ".new"
    if os.path.lexists(link):
        os.remove(link)
    os.symlink(name, link)
    os.replace(link, current_link())


def _remove(folder):
    """Removes FOLDER, never crossing into a file system mounted below it."""
    subprocess.run(["rm", "-rf", "--one-file-system", folder], stdin=subprocess.DEVNULL)
