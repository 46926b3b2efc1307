"""What a user does in far2l, each step checked on the screen before the next one."""
from harness import screen as scr
from harness.session import HEIGHT, ScreenError

SYNC_MARK = "qelfar-sync"
BOX_TITLE = "Information"  # the plugin's message boxes
PANEL_NAMES = ["..", "file.1", "file.2", "file.3"]


def showing(description, test):
    """TEST (screen -> bool), described by DESCRIPTION when it fails."""
    test.__doc__ = description
    return test


def _words(lines):
    return None if lines is None else [" ".join(line.split()) for line in lines]


def box_is(title, lines):
    """A box titled TITLE holding exactly LINES (runs of blanks count as one)."""
    return showing(f"a box titled {title!r} holding {lines!r}",
                   lambda s: _words(scr.box(s, title)) == _words(lines))


def no_box(title):
    return showing(f"no box titled {title!r}", lambda s: scr.box(s, title) is None)


def message(f, lines):
    """Waits for the plugin's message box of LINES with its Ok button."""
    return f.wait_for(box_is(BOX_TITLE, list(lines) + ["{ Ok }"]))


def pick(f, screen, text):
    """Chooses the item showing TEXT in the menu or list on SCREEN."""
    steps = scr.item_steps(screen, text)
    if steps is None:
        raise ScreenError(f"a menu or list item showing {text!r}", screen)
    f.keys("Home", *["Down"] * steps, "Enter")


def plugins_menu(f):
    """F11, then QelPlugin in the menu that opens."""
    f.keys("F11")
    menu = f.wait_for(showing("QelPlugin in a menu",
                              lambda s: scr.item_steps(s, "QelPlugin") is not None))
    pick(f, menu, "QelPlugin")


def command_line(screen):
    return scr.rows(screen)[HEIGHT - 2].rstrip("↑ ")


def names(screen, side="left"):
    """The names in the file list's first column, without the folder mark."""
    return [row[1:].split("│")[0].rstrip() for row in scr.panel_rows(screen, side)]


def cursor_to(f, name, side="left"):
    """Moves the active panel's cursor to NAME, and waits for its status line to name it."""
    screen = f.settled()
    shown = names(screen, side)
    if name not in shown:
        raise ScreenError(f"{name!r} in the {side} panel", screen)
    f.keys("Home", *["Down"] * shown.index(name))
    return f.wait_for(showing(f"{name!r} in the {side} panel's status line",
                              lambda s: scr.panel_status(s, side).split()[:1] == [name]))


def sync(f):
    """Shows that far2l took every key sent so far: a mark typed into the command line
    appears and goes again. Keys that made nothing happen show nothing else."""
    f.type(SYNC_MARK)
    f.wait_for(showing("the mark typed into the command line",
                       lambda s: command_line(s).endswith(SYNC_MARK)))
    f.keys("Escape")
    return f.wait_for(showing("an empty command line",
                              lambda s: not command_line(s).endswith(SYNC_MARK)))


def panel_titled(title, side="left"):
    return showing(f"the {side} panel titled {title!r}",
                   lambda s: scr.panel_title(s, side) == title)


def listing(wanted, side="left"):
    """The panel's file list holds exactly WANTED, in this order, then blank lines."""
    return showing(f"the {side} panel listing {wanted!r}",
                   lambda s: [n for n in names(s, side) if n] == list(wanted))


def full_view(f):
    """F9, the Left menu, Full: the view mode that shows sizes."""
    f.keys("F9")
    f.wait_for(showing("the menu bar", lambda s: scr.rows(s)[0].split()[:2] == ["Left", "Files"]))
    f.keys("Down")
    pick(f, f.wait_for(showing("the Full entry", lambda s: scr.item_steps(s, "Full") is not None)),
         "Full")
    return f.wait_for(showing("a Size column", lambda s: "Size" in scr.panel(s, "left")[1]))


def leave(f):
    """F10 with nothing open: far2l ends with status 0."""
    if f.quit() != 0:
        raise ScreenError("far2l-exit=0", f.capture())


def open_far_ads(f):
    """Enter on far.ads in the left panel: the plugin's panel, titled with its full path."""
    cursor_to(f, "far.ads")
    f.keys("Enter")
    f.wait_for(panel_titled(f.guest_path("far.ads")))
    return f.wait_for(listing(PANEL_NAMES))
