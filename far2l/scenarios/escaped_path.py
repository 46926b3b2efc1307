"""far.ads at the end of a long path of bytes that are not UTF-8: far2l hands each such byte
to the plugin as a 5-byte escape, here 4,893 bytes for a path of 1,053, and the panel opens
titled with the whole path, far.ads at its end; `..` leaves it."""
import os

from harness import screen as scr
from harness import steps
from harness.steps import showing

ESCAPE = "\ue5ca"  # far2l's mark before the two hex digits of a byte that is not UTF-8
FOLDERS = [b"\xff" * 48 + b"%02d" % n for n in range(10, 30)]


def escaped(path):
    """PATH (a str whose undecodable bytes are surrogates) as far2l writes it."""
    return "".join(f"{ESCAPE}{ord(c) - 0xDC00:02x}" if 0xDC80 <= ord(c) <= 0xDCFF else c
                   for c in path)


def run(journey):
    folder = os.fsdecode(b"/".join(FOLDERS))
    f = journey.far2l(files=[f"{folder}/far.ads"])
    guest = f.guest_path(folder)
    if len(escaped(f"{guest}/far.ads").encode()) <= 4096:
        raise SystemExit("escaped_path: the path is meant to be over 4096 bytes escaped")
    f.start()
    f.type(f"cd {escaped(guest)}")  # far2l takes its escapes back to the bytes
    f.keys("Enter")
    f.wait_for(showing("far.ads in the left panel", lambda s: "far.ads" in steps.names(s)))
    steps.cursor_to(f, "far.ads")
    f.keys("Enter")
    f.wait_for(showing("the left panel titled with a path ending in /far.ads",
                       lambda s: scr.panel_title(s, "left").endswith("/far.ads")))
    f.wait_for(steps.listing(steps.PANEL_NAMES))
    steps.cursor_to(f, "..")
    f.keys("Enter")
    f.wait_for(showing("the cursor back on far.ads",
                       lambda s: scr.panel_status(s, "left").split()[:1] == ["far.ads"]))
    steps.leave(f)
