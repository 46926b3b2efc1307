"""One far2l run in its own tmux server, on a fixed 100x30 screen, isolated from the caller.

Waits poll the screen every 50 ms and keep a screen only once it stops changing.
A wait whose text does not come fails as soon as far2l has settled without it:
its screen unchanged for QUIET seconds, in which far2l did no work. While the
screen changes or far2l works, a wait lasts up to TIMEOUT.
"""
import os
import re
import shlex
import shutil
import subprocess
import tempfile
import time

from harness import enter, procs
from harness.run_folder import RunFolder

WIDTH, HEIGHT = 100, 30
POLL = 0.05
SETTLE = 0.15
TIMEOUT = 10
QUIET = 2.0
# No status line, so far2l gets all 30 rows; the screen stays after far2l ends; and
# the pane's command is read by sh whatever the caller's login shell.
TMUX_CONF = "set -g status off\nset -g remain-on-exit on\nset -g default-shell /bin/sh\n"


class ScreenError(AssertionError):
    """What was expected and the whole screen that lacked it."""

    def __init__(self, expected, screen, waited=""):
        super().__init__(f"expected on the screen{waited}: {expected}\n"
                         f"--- screen {WIDTH}x{HEIGHT} ---\n{screen}\n--- end of screen ---")


def _matches(screen, wanted):
    if callable(wanted):
        return wanted(screen)
    if isinstance(wanted, re.Pattern):
        return wanted.search(screen) is not None
    return wanted in screen


def _panels_and_key_bar(screen):
    """far2l's panels and key bar"""
    lines = screen.split("\n")
    return len(lines) == HEIGHT and lines[0].startswith("╔") and lines[-1].startswith("1")


def _describe(wanted):
    if isinstance(wanted, re.Pattern):
        return f"/{wanted.pattern}/"
    return getattr(wanted, "__doc__", None) if callable(wanted) else repr(wanted)


class Far2l(RunFolder):
    """far2l inside ROOT. Put files in its work folder before start()."""

    def __init__(self, root, settings=(), home=None):
        super().__init__(root, home)
        self.root = root
        self.settings = list(settings)
        self.sockets = tempfile.mkdtemp(prefix="qelfar-tmux-")
        self.server = None

    def _tmux(self, *args):
        command = ["tmux", "-S", os.path.join(self.sockets, "s"), "-f",
                   os.path.join(self.sockets, "tmux.conf")] + list(args)
        env = {k: v for k, v in os.environ.items() if k != "TMUX"}
        return subprocess.run(command, capture_output=True, text=True, check=True,
                              env=env).stdout

    def start(self, panels=(".",)):
        """Starts far2l with its panels on these folders of the work folder; waits for them."""
        with open(os.path.join(self.sockets, "tmux.conf"), "w") as conf:
            conf.write(TMUX_CONF)
        far2l = self.command(self.settings, panels, "xterm-256color", "; echo far2l-exit=$?")
        self._tmux("new-session", "-d", "-s", "far2l", "-x", str(WIDTH), "-y", str(HEIGHT),
                   shlex.join(enter.launcher(self.root) + far2l))
        self.server = int(self._tmux("display-message", "-p", "#{pid}"))
        return self.wait_for(_panels_and_key_bar)

    def keys(self, *names):
        """Sends keys by tmux name (F7, S-F7, C-Down, Enter, Escape, ...), one call each."""
        for name in names:
            self._tmux("send-keys", "-t", "far2l", name)

    def type(self, text):
        self._tmux("send-keys", "-t", "far2l", "-l", "--", text)

    def capture(self):
        """The screen now: HEIGHT lines, trailing blanks dropped."""
        return self._tmux("capture-pane", "-p", "-t", "far2l").removesuffix("\n")

    def wait_for(self, wanted, timeout=TIMEOUT):
        """The settled screen once WANTED (text, regex or test) is on it."""
        deadline = time.monotonic() + timeout
        screen = self.capture()
        quiet_since, work = time.monotonic(), self._work()
        while time.monotonic() < deadline:
            if _matches(screen, wanted):
                time.sleep(SETTLE)
                again = self.capture()
                if again == screen:
                    return screen
                screen = again
                continue
            time.sleep(POLL)
            again = self.capture()
            if again != screen:
                screen, quiet_since, work = again, time.monotonic(), self._work()
            elif time.monotonic() - quiet_since >= QUIET:
                ticks, running = self._work()
                if ticks == work[0] and not running:
                    raise ScreenError(_describe(wanted), screen,
                                      f" (far2l settled {QUIET:.0f} s without it)")
                quiet_since, work = time.monotonic(), (ticks, running)
        raise ScreenError(_describe(wanted), screen, f" (not within {timeout} s)")

    def _work(self):
        """The processor time of far2l and what runs it in the pane, the tmux server left out
        (the captures keep it busy), and whether any of them is running now."""
        return procs.work(procs.tree(self.server)[1:]) if self.server else (0, True)

    def settled(self):
        """The screen once it stops changing."""
        def anything(screen):
            """any screen"""
            return True
        return self.wait_for(anything)

    def quit(self):
        """F10, then far2l's exit status from the screen."""
        self.keys("F10")
        screen = self.wait_for(re.compile(r"far2l-exit=\d+"))
        return int(re.search(r"far2l-exit=(\d+)", screen).group(1))

    def close(self):
        """Ends the tmux server and every process under it, then removes the run's folders."""
        if self.server:
            started = procs.tree(self.server)
            try:
                self._tmux("kill-server")
            except subprocess.CalledProcessError:
                pass
            deadline = time.monotonic() + 2
            while any(map(procs.alive, started)) and time.monotonic() < deadline:
                time.sleep(POLL)
            procs.kill(started)
        shutil.rmtree(self.sockets, ignore_errors=True)
        self.remove()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
