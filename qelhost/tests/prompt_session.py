#!/usr/bin/env python3
"""Types a session at qelhost through a pseudo-terminal, as a person would.

    prompt_session.py PLUGIN.dll DIALOGS.dll [EMULATOR] QELHOST

Each journey of PLUGIN.dll makes a mistake at every kind of prompt (qel>, a
box's, a dialog's field and buttons), which qelhost must tell in one line
and ask again, and ends by Ctrl-D, which must close the plugin's panel and
end the run with status 0, on a fresh line. DIALOGS.dll's settings dialog
is answered at the prompt with check boxes, a radio button and a list item
as a script answers it.
"""
import ast
import os
import pty
import select
import sys
import termios
import time

CTRL_D = "\x04"
TIMEOUT = 20  # seconds a step may take while qelhost writes or works
QUIET = 2  # seconds without output or work from qelhost: it is waiting for input

# (what to type, or None to type nothing; what must then appear, in order;
# "^" before a text: right where the output last stopped)
MISTAKES_THEN_CTRL_D_IN_A_DIALOG = [
    (None, ["qel> "]),
    ("jump\x1b[2J", ['qelhost: unknown command "jump\\x1b[2J" (help lists the commands)', "qel> "]),
    ("key Foo", ['qelhost: key: unknown key "Foo" (the keys: F1 to F12, Enter', "qel> "]),
    ("menu panels 0", ['qelhost: menu: the item is a number from 1, not "0"', "qel> "]),
    ("help", ["numbered from 1", "the keys: F1 to F12", "qel> "]),
    ("answer button Maybe", ["qel> "]),
    ("menu panels", ['qelhost: line 5: no button "Maybe" here; the buttons are { Ok }; asking',
                     "Press which? 1 { Ok }, Esc"]),
    ("Maybe", ['qelhost: there is no button "Maybe"', "Press which?"]),
    ("1", ["user: presses { Ok }", "qel> "]),
    (r"open D:\work\far.ads", ["GetFindData lists ", "qel> "]),
    ("key F7", ["PKF_PREPROCESS | 0x76", "Text:   Hello, world", "New text (Enter keeps it): "]),
    ("日本", ["qelhost: code page 866 has no 日本", "New text (Enter keeps it): "]),
    ("typed", ["Press which? 1 { Accept }, 2 [ Cancel ], Esc"]),
    ("Nope", ['qelhost: there is no button "Nope"', "Press which?"]),
    ("check 1", ["qelhost: this dialog has no check boxes", "Press which?"]),
    ("1", ["user: presses { Accept }", "You entered:", "Press which?"]),
    ("", ["typed", "Press which?"]),
    ("", ["the plugin handled F7", "qel> "]),
    ("key F7", ['history InputHistory 1: "typed"', "!N takes history entry N from 1"]),
    ("!5", ['qelhost: the history has entries 1 to 1, not "5"', "New text"]),
    ("!1", ["Press which?", "(Enter for the default): "]),
    (CTRL_D, ["^\nuser: ends the input (Ctrl-D)", "user: presses Esc", "Input cancelled",
              "user: presses Esc", "host: ClosePlugin(1): the plugin's panel closes",
              "host: the session ends"]),
]

CTRL_D_AT_THE_COMMAND_PROMPT = [
    (None, ["qel> "]),
    ("open far.ads", ["GetFindData lists ", "qel> "]),
    ("answer esc", ["qel> "]),
    (CTRL_D, ["^\nqelhost: line 2: the answer there was not used\n"
              "host: ClosePlugin(1): the plugin's panel closes\nhost: the session ends"]),
]

SETTINGS_CHOSEN_AT_THE_PROMPT = [
    (None, ["qel> "]),
    ("menu panels 1", ["DN_INITDIALOG", "[ ] Enable auto wrap", "New text (Enter keeps it): "]),
    ("60", ["Before the button: check N (check boxes 1 to 2), radio N (radio buttons 1 to 2), "
            "item N (list items 1 to 5; not 4, 5)", "Press which?"]),
    ("check 9", ['qelhost: the check boxes are 1 to 2, not "9"', "Press which?"]),
    ("radio", ['qelhost: the radio buttons are 1 to 2, not ""', "Press which?"]),
    ("check 1", ["Press which?"]),
    ("check 2", ["Press which?"]),
    ("radio 2", ["Press which?"]),
    ("item 4", ["qelhost: list item 4 is a separator", "Press which?"]),
    ("item 5", ["qelhost: list item 5 is disabled", "Press which?"]),
    ("item 3", ["Press which?"]),
    ("1", ["user: toggles [ ] Enable auto wrap", "user: toggles [ ] Justify right border",
           "user: chooses ( ) Wrap anywhere", 'user: picks "Mac"',
           "on, margin 60, anywhere, justify, line ends Mac", "Press which?"]),
    ("", ["qel> "]),
    (CTRL_D, ["host: the session ends"]),
]


class Terminal:
    def __init__(self, command):
        self.pid, self.fd = pty.fork()
        if self.pid == 0:
            # What is typed is not echoed back, so that only qelhost's
            # output is read.
            attributes = termios.tcgetattr(0)
            attributes[3] &= ~termios.ECHO
            termios.tcsetattr(0, termios.TCSANOW, attributes)
            os.execvp(command[0], command)
        self.output = ""
        self.seen = 0
        self.ended = False

    def type(self, text):
        os.write(self.fd, (text if text == CTRL_D else text + "\n").encode())

    def read_more(self, deadline):
        ready, _, _ = select.select([self.fd], [], [], max(0, deadline - time.time()))
        if not ready:
            return False
        try:
            data = os.read(self.fd, 65536)
        except OSError:  # the other side has closed
            data = b""
        self.output += data.decode("utf-8", "replace").replace("\r\n", "\n")
        self.ended = not data
        return bool(data)

    def work(self):
        """qelhost's processor time so far in clock ticks; None while it runs."""
        try:
            with open(f"/proc/{self.pid}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
        except OSError:
            return None
        return None if fields[0] in "RD" else int(fields[11]) + int(fields[12])

    def expect(self, text):
        """Reads until TEXT; fails once qelhost has ended or settled without it."""
        deadline = time.time() + TIMEOUT
        at_once = text.startswith("^")
        text = text.lstrip("^")
        quiet_since, work = time.time(), self.work()
        while text not in self.output[self.seen:]:
            if self.read_more(min(deadline, time.time() + 0.1)):
                quiet_since, work = time.time(), self.work()
            elif self.ended:
                raise AssertionError(f"did not see {text!r} before qelhost's output ended")
            elif time.time() >= deadline:
                raise AssertionError(f"did not see {text!r} within {TIMEOUT} s")
            elif time.time() - quiet_since >= QUIET:
                now = self.work()
                if now is not None and now == work:
                    raise AssertionError(f"qelhost settled {QUIET} s without {text!r}")
                quiet_since, work = time.time(), now
        found = self.output.index(text, self.seen)
        if at_once and found != self.seen:
            raise AssertionError(f"{text!r} does not follow at once")
        self.seen = found + len(text)

    def finish(self):
        while self.read_more(time.time() + 20):
            pass
        _, status = os.waitpid(self.pid, 0)
        return os.waitstatus_to_exitcode(status)


def step_lines(steps):
    """The line of this file where each of the table STEPS' steps is written."""
    table = next(name for name, value in globals().items() if value is steps)
    with open(__file__) as source:
        module = ast.parse(source.read())
    assignment = next(node for node in module.body if isinstance(node, ast.Assign)
                      and getattr(node.targets[0], "id", None) == table)
    return [step.lineno for step in assignment.value.elts]


def journey(name, command, steps):
    terminal = Terminal(command)
    lines = step_lines(steps)
    try:
        for number, (typed, expected) in enumerate(steps):
            step = f"step {number + 1} ({os.path.basename(__file__)}:{lines[number]})"
            if typed is not None:
                terminal.type(typed)
            for text in expected:
                terminal.expect(text)
        step = "after its last step"
        status = terminal.finish()
        if status != 0:
            raise AssertionError(f"exit status {status}, expected 0")
    except AssertionError as failure:
        print(f"{name}, {step}: {failure}\n--- what qelhost wrote ---\n{terminal.output}")
        return False
    print(f"{name}: passed")
    return True


def main():
    command = sys.argv[3:] + [sys.argv[1]]
    dialogs = sys.argv[3:] + [sys.argv[2]]
    passed = [journey("mistakes, then Ctrl-D in a dialog", command,
                      MISTAKES_THEN_CTRL_D_IN_A_DIALOG),
              journey("Ctrl-D at the command prompt", command, CTRL_D_AT_THE_COMMAND_PROMPT),
              journey("check boxes, radio buttons and list items at the prompt", dialogs,
                      SETTINGS_CHOSEN_AT_THE_PROMPT)]
    return 0 if all(passed) else 1


if __name__ == "__main__":
    sys.exit(main())
