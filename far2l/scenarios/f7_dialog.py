"""F7 on the plugin's panel: the input dialog accepted, closed by Esc and by its second button,
refilled from its history; Shift+F7 stays far2l's own."""
from harness import screen as scr
from harness import steps
from harness.session import ScreenError
from harness.steps import showing

ACCEPT, CANCEL, TITLE, LABEL, INITIAL, ENTERED, CANCELLED = 0, 1, 7, 8, 9, 10, 11


class Dialog:
    """The F7 dialog's texts in one language."""

    def __init__(self, text):
        self.text = text

    def showing(self, field):
        t = self.text
        return steps.box_is(t[TITLE], [f"{t[LABEL]} {field}", f"{{ {t[ACCEPT]} }} [ {t[CANCEL]} ]"])

    def open(self, f):
        f.keys("F7")
        f.wait_for(self.showing(self.text[INITIAL]))

    def answers(self, f, *messages):
        """The message boxes that follow, one after another, each closed by Enter;
        then the panel alone."""
        for lines in messages:
            steps.message(f, lines)
            f.keys("Enter")
        f.wait_for(steps.no_box(steps.BOX_TITLE))
        steps.sync(f)  # fails when a further box or dialog takes the typed mark

    def accept_typed(self, f, typed):
        """Typing replaces the selected initial text; Enter accepts; both messages follow."""
        self.open(f)
        f.type(typed)
        f.wait_for(self.showing(typed))
        f.keys("Enter")
        self.answers(f, [self.text[ENTERED]], [typed])


def from_history(f, dialog, entry):
    """Ctrl+Down lists the field's history; ENTRY, an earlier one, fills the field."""
    dialog.open(f)
    f.keys("C-Down")
    shown = entry[:8]  # the list cuts entries to its width
    listed = f.wait_for(showing(f"{shown!r} in the history list",
                                lambda s: scr.item_steps(s, shown) is not None))
    if scr.item_steps(listed, shown) == 0:
        raise ScreenError(f"{shown!r} below the newest history entry", listed)
    steps.pick(f, listed, shown)
    f.wait_for(dialog.showing(entry))
    f.keys("Enter")
    dialog.answers(f, [dialog.text[ENTERED]], [entry])


def shift_f7_left_to_far2l(f):
    """Shift+F7 shows nothing: the plugin declines it and far2l has nothing to do."""
    f.keys("S-F7")
    screen = steps.sync(f)  # fails when a box or dialog takes the typed mark
    if not steps.panel_titled(f.guest_path("far.ads"))(screen):
        raise ScreenError("the plugin's panel, as before Shift+F7", screen)


def run(journey):
    dialog = Dialog(journey.english)
    f = journey.far2l(files=["far.ads"])
    f.start()
    steps.open_far_ads(f)
    dialog.accept_typed(f, "far2l rocks")
    dialog.open(f)
    f.keys("Escape")
    dialog.answers(f, [dialog.text[CANCELLED]])
    dialog.open(f)
    f.keys("Tab", "Tab", "Enter")
    dialog.answers(f, [dialog.text[CANCELLED]])
    from_history(f, dialog, "far2l rocks")
    shift_f7_left_to_far2l(f)
    steps.leave(f)
