"""A far2l run's own folders inside the root, and the command that starts far2l there.

The profile holds an empty config.ini, so far2l skips its first-start help;
its own temp folder keeps far2l from offering to revive other runs' sessions.
"""
import os
import shlex
import shutil
import tempfile

QUIET = ["-set:Screen.Clock=0", "-set:Confirmations.Exit=0", "-set:Confirmations.ExitOrBknd=0"]


class RunFolder:
    """The run's folder: a fresh one under the root's /tmp, or HOME (a path inside
    the root, which must not exist yet) where the paths on the screen have to be fixed."""

    def __init__(self, root, home=None):
        if home:
            self.host = os.path.join(root, home.lstrip("/"))
            os.makedirs(self.host)
        else:
            self.host = tempfile.mkdtemp(prefix="qelfar-", dir=os.path.join(root, "tmp"))
        self.guest = "/" + os.path.relpath(self.host, root)
        for folder in ("prof/.config/settings", "tmp", "work"):
            os.makedirs(os.path.join(self.host, folder))
        open(os.path.join(self.host, "prof/.config/settings/config.ini"), "w").close()
        self.work = os.path.join(self.host, "work")

    def guest_path(self, relative="."):
        """RELATIVE (to the work folder) as far2l sees it."""
        return os.path.normpath(os.path.join(self.guest, "work", relative))

    def write(self, name, text):
        path = os.path.join(self.work, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", errors="surrogateescape") as file:  # names of any bytes
            file.write(text)

    def command(self, settings, panels, term, then=""):
        """far2l in a clean environment, its panels on PANELS (relative to the work folder),
        its error output in the run's stderr.log; THEN is shell code run after it."""
        g = self.guest
        far2l = ["far2l", "--tty", "--mortal", "-u", f"{g}/prof"] + QUIET + list(settings)
        for panel in panels:
            far2l += ["-cd", self.guest_path(panel)]
        shell = f"{shlex.join(far2l)} 2>{g}/stderr.log{then}"
        return ["/usr/bin/env", "-i", "PATH=/usr/bin:/bin", f"HOME={g}", f"TMPDIR={g}/tmp",
                f"TERM={term}", "LANG=C.UTF-8", "/bin/sh", "-c", shell]

    def stderr(self):
        try:
            with open(os.path.join(self.host, "stderr.log"), errors="replace") as log:
                return log.read()
        except FileNotFoundError:
            return ""

    def remove(self):
        shutil.rmtree(self.host, ignore_errors=True)
