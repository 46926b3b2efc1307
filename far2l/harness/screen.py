"""Reads far2l's text screen: framed boxes, menu items, the two panels.

Box-drawing characters are one column wide, so string indexes are columns.
"""
import re

TOP_LEFT = "╔┌"
SIDES = "║│"
SEPARATORS = "╟├"
PANEL_WIDTH = 50


def rows(screen):
    return screen.split("\n")


def _at(line, column):
    """The character at COLUMN, a blank past the line's end (captures drop trailing blanks)."""
    return line[column] if 0 <= column < len(line) else " "


def box(screen, title):
    """The non-blank text lines of the box whose top frame carries TITLE, or None.

    Separator lines are left out.
    """
    lines = rows(screen)
    for top, line in enumerate(lines):
        at = line.find(f" {title} ")
        if at < 0 or _at(line, at - 1) not in "═─":
            continue
        left = max(line.rfind(corner, 0, at) for corner in TOP_LEFT)
        ends = [i for i in (line.find("╗", at), line.find("┐", at)) if i >= 0]
        if left >= 0 and ends:
            return _inside(lines[top + 1:], left, min(ends))
    return None


def _inside(lines, left, right):
    found = []
    for line in lines:
        frame = _at(line, left)
        if frame in SEPARATORS:
            continue
        if frame not in SIDES:
            break
        text = line[left + 1:right].strip()
        if text:
            found.append(text)
    return found


def item_steps(screen, text):
    """How many Down presses after Home reach the menu or list item showing TEXT.

    The item's own frame is followed up to the box's top corner; separator and
    heading lines in between are not items. None when no framed item shows TEXT.
    """
    lines = rows(screen)
    for row, line in enumerate(lines):
        at = line.find(text)
        if at < 0:
            continue
        column = max(line.rfind(side, 0, at) for side in SIDES)
        steps = _items_above(lines[:row], column) if column >= 0 else None
        if steps is not None:
            return steps
    return None


def _items_above(lines, column):
    steps = 0
    for line in reversed(lines):
        frame = _at(line, column)
        if frame in TOP_LEFT:
            return steps
        if frame in SIDES:
            steps += 1
        elif frame not in SEPARATORS:
            return None
    return None


def panel(screen, side):
    """The left or right panel's columns of every row."""
    start = 0 if side == "left" else PANEL_WIDTH
    return [line[start:start + PANEL_WIDTH] for line in rows(screen)]


def panel_title(screen, side):
    match = re.search(r"═ (.+?) ═", panel(screen, side)[0])
    return match.group(1) if match else ""


def panel_footer(screen, side):
    """The text in the panel's bottom frame, such as "60 bytes in 3 files"."""
    bottom = [line for line in panel(screen, side) if line.startswith("╚")]
    return bottom[0].strip("╚╝═ ") if bottom else ""


def _divider(lines):
    """The row of the line between the file list and the status line (0 when not shown)."""
    return next((row for row, line in enumerate(lines) if line.startswith("╟")), 0)


def panel_status(screen, side):
    """The status line under the file list: the current file's name and details."""
    lines = panel(screen, side)
    return lines[_divider(lines) + 1].strip("║") if _divider(lines) else ""


def panel_rows(screen, side):
    """The file list's lines, between the column titles and the divider, right-trimmed."""
    lines = panel(screen, side)
    return [line.strip("║").rstrip() for line in lines[2:_divider(lines)]]
