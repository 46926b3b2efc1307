#include "qelhost/services/editor_keys.hpp"
#include "host/host_constants.hpp"

namespace {

// Ctrl+key codes of the editor's bookmarks: Ctrl+Shift+digit sets one,
// Ctrl+digit goes to it.
bool IsDigitKey(int Base) {
    return Base >= '0' && Base <= '9';
}

struct Move {
    int Base;
    CursorMove Plain;
    CursorMove WithCtrl;
};

const Move Moves[] = {
    {KEY_LEFT, CursorMove::Left, CursorMove::Left},
    {KEY_RIGHT, CursorMove::Right, CursorMove::Right},
    {KEY_UP, CursorMove::Up, CursorMove::Up},
    {KEY_DOWN, CursorMove::Down, CursorMove::Down},
    {KEY_HOME, CursorMove::Home, CursorMove::FileStart},
    {KEY_END, CursorMove::End, CursorMove::FileEnd},
    {KEY_PGUP, CursorMove::PageUp, CursorMove::FileStart},
    {KEY_PGDN, CursorMove::PageDown, CursorMove::FileEnd},
};

bool MovesCursor(EditorText& Text, int Base, int Modifiers) {
    for (const Move& M : Moves) {
        if (M.Base != Base)
            continue;
        bool Ctrl = Modifiers & KEY_CTRL;
        Marking Mark = !(Modifiers & KEY_SHIFT) ? Marking::None
                       : Modifiers & KEY_ALT    ? Marking::Column
                                                : Marking::Stream;
        if ((Modifiers & KEY_ALT) && Mark == Marking::None)
            return false;
        MoveCursor(Text, Ctrl ? M.WithCtrl : M.Plain, Mark);
        return true;
    }
    return false;
}

} // namespace

WindowAction EditorTakesKey(EditorWindow& Editor, int Key) {
    EditorText& Text = Editor.Text;
    int Modifiers = Key & KeyModifierMask;
    int Base = Key & ~KeyModifierMask;
    if (Modifiers & (KEY_RCTRL | KEY_RALT))
        Modifiers |= (Modifiers & KEY_RCTRL ? KEY_CTRL : 0) | (Modifiers & KEY_RALT ? KEY_ALT : 0);
    if (MovesCursor(Text, Base, Modifiers))
        return WindowAction::Done;
    if (Key == (KEY_SHIFT | KEY_SPACE)) // a space all the same
        Modifiers = 0;
    if (Modifiers == 0 && Base >= 0x20 && Base <= 0xFF) {
        TypeCharacter(Text, static_cast<char>(Base));
        return WindowAction::Done;
    }
    if (Modifiers == (KEY_CTRL | KEY_SHIFT) && IsDigitKey(Base)) {
        SetBookmark(Text, Base - '0');
        return WindowAction::Done;
    }
    if (Modifiers == KEY_CTRL && IsDigitKey(Base))
        return GoToBookmark(Text, Base - '0') ? WindowAction::Done : WindowAction::Nothing;
    if (Modifiers == KEY_CTRL && Base == 'Y') {
        DeleteLine(Text, Text.Cursor.Line);
        return WindowAction::Done;
    }
    if (Modifiers != 0)
        return WindowAction::Nothing;
    switch (Base) {
    case KEY_TAB:
        TypeCharacter(Text, '\t');
        return WindowAction::Done;
    case KEY_ENTER:
        BreakLine(Text, false);
        return WindowAction::Done;
    case KEY_BS:
        DeleteBefore(Text);
        return WindowAction::Done;
    case KEY_DEL:
        DeleteAt(Text);
        return WindowAction::Done;
    case KEY_INS:
        Text.Overtype = !Text.Overtype;
        return WindowAction::Done;
    case KEY_F2:
        return WindowAction::Save;
    case KEY_ESC:
    case KEY_F10:
        return WindowAction::Close;
    }
    return WindowAction::Nothing;
}

WindowAction ViewerTakesKey(ViewerWindow& Viewer, int Key) {
    switch (Key) {
    case KEY_DOWN:
        ScrollViewer(Viewer, 1);
        return WindowAction::Done;
    case KEY_UP:
        ScrollViewer(Viewer, -1);
        return WindowAction::Done;
    case KEY_PGDN:
        ScrollViewer(Viewer, Viewer.WindowHeight);
        return WindowAction::Done;
    case KEY_PGUP:
        ScrollViewer(Viewer, -Viewer.WindowHeight);
        return WindowAction::Done;
    case KEY_RIGHT:
        ++Viewer.LeftPos;
        return WindowAction::Done;
    case KEY_LEFT:
        Viewer.LeftPos -= Viewer.LeftPos > 0;
        return WindowAction::Done;
    case KEY_HOME:
    case KEY_CTRL | KEY_HOME:
        ViewerToStart(Viewer);
        return WindowAction::Done;
    case KEY_END:
    case KEY_CTRL | KEY_END:
        ViewerToEnd(Viewer);
        return WindowAction::Done;
    case KEY_F2:
        Viewer.Wrap = !Viewer.Wrap;
        return WindowAction::Done;
    case KEY_F4:
        Viewer.Hex = !Viewer.Hex;
        return WindowAction::Done;
    case KEY_ESC:
    case KEY_F10:
    case KEY_F3:
        return WindowAction::Close;
    }
    return WindowAction::Nothing;
}
