"""QelPlugin from the plugins menus of the panels, the editor and the viewer, and a Qel: command.

Each answers with its own message and opens nothing; far2l is back where it was.
"""
from harness import steps
from harness.steps import showing

PANELS, EDITOR, VIEWER, COMMAND_LINE = 6, 3, 4, 5


def answered(f, text):
    """The message box with TEXT, closed by Enter."""
    steps.message(f, [text])
    f.keys("Enter")
    f.wait_for(steps.no_box(steps.BOX_TITLE))


def from_file_window(f, key, text):
    """KEY opens notes.txt in the editor or viewer; its F11 menu calls QelPlugin; F10 leaves."""
    steps.cursor_to(f, "notes.txt")
    f.keys(key)
    f.wait_for(showing("notes.txt's window", lambda s: s.startswith(f.guest_path("notes.txt"))))
    steps.plugins_menu(f)
    answered(f, text)
    f.keys("F10")
    f.wait_for(steps.panel_titled(f.guest_path(".")))  # the window closed, nothing opened


def run(journey):
    text = journey.english
    f = journey.far2l(files=["far.ads", "notes.txt"])
    f.start()
    work_folder = steps.panel_titled(f.guest_path("."))
    steps.plugins_menu(f)
    answered(f, text[PANELS])
    f.wait_for(work_folder)
    from_file_window(f, "F4", text[EDITOR])
    from_file_window(f, "F3", text[VIEWER])
    f.type("Qel:hello")
    f.keys("Enter")
    answered(f, text[COMMAND_LINE])
    f.wait_for(work_folder)
    steps.leave(f)
