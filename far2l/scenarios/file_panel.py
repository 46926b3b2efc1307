"""A plain file refused; far.ads opened as a panel of three files, other files and a second
far.ads refused meanwhile; the panel left by `..` and opened again."""
import re

from harness import screen as scr
from harness import steps
from harness.session import ScreenError
from harness.steps import showing

SIZES = [("1", "10"), ("2", "20"), ("3", "30")]


def sizes(screen):
    """(extension, size) of each file in the full view, where a name shows as `file   1`."""
    rows = scr.panel_rows(screen, "left")
    return [m.groups() for m in (re.match(r" file\s+(\d)\s*│\s*(\d+)│", r) for r in rows) if m]


def full_view_with_sizes(f):
    steps.full_view(f)
    f.wait_for(showing(f"file.1 to file.3 of sizes {SIZES}", lambda s: sizes(s) == SIZES))
    return f.wait_for(showing("60 bytes in 3 files in the footer",
                              lambda s: scr.panel_footer(s, "left") == "60 bytes in 3 files"))


def refused(f, name):
    """Enter on NAME, a plain file, leaves the work folder's panel as it was."""
    steps.cursor_to(f, name)
    f.keys("Enter")
    screen = steps.sync(f)
    if not steps.panel_titled(f.guest_path("."))(screen):
        raise ScreenError(f"after Enter on {name}, the panel still titled "
                          f"{f.guest_path('.')!r}", screen)


def refused_meanwhile(f, names):
    """Enter on each of NAMES in the right panel's sub folder leaves both panels as they are."""
    f.keys("Tab")
    f.wait_for(showing("the right panel active",
                       lambda s: steps.command_line(s) == f.guest_path("sub") + "#"))
    for name in names:
        steps.cursor_to(f, name, "right")
        f.keys("Enter")
        screen = steps.sync(f)
        for side, title in (("right", f.guest_path("sub")), ("left", f.guest_path("far.ads"))):
            if not steps.panel_titled(title, side)(screen):
                raise ScreenError(f"after Enter on sub/{name}, the {side} panel still titled "
                                  f"{title!r}", screen)
    f.keys("Tab")
    f.wait_for(showing("the plugin's panel active", lambda s: steps.command_line(s) == "#"))


def leave_by_dots(f):
    """Enter on `..` closes the panel; the cursor is back on far.ads."""
    steps.cursor_to(f, "..")
    f.keys("Enter")
    f.wait_for(steps.panel_titled(f.guest_path(".")))
    f.wait_for(showing("the cursor on far.ads",
                       lambda s: scr.panel_status(s, "left").split()[:1] == ["far.ads"]))


def run(journey):
    f = journey.far2l(files=["far.ads", "notes.txt", "sub/far.ads", "sub/notes.txt"])
    f.start(panels=(".", "sub"))
    refused(f, "notes.txt")
    steps.open_far_ads(f)
    full_view_with_sizes(f)
    refused_meanwhile(f, ["notes.txt", "far.ads"])
    leave_by_dots(f)
    f.keys("Enter")
    f.wait_for(steps.panel_titled(f.guest_path("far.ads")))
    f.wait_for(steps.listing(steps.PANEL_NAMES))
    steps.leave(f)
