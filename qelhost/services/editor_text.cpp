#include "qelhost/services/editor_text.hpp"

#include <algorithm>

namespace {

int Length(const EditorText& Editor, int Line) {
    return static_cast<int>(Editor.Lines[Line].Text.size());
}

int LastLine(const EditorText& Editor) {
    return static_cast<int>(Editor.Lines.size()) - 1;
}

bool Before(TextPoint A, TextPoint B) {
    return A.Line < B.Line || (A.Line == B.Line && A.Pos < B.Pos);
}

// Scrolls the window so that the cursor is in it.
void Reveal(EditorText& Editor) {
    TextPoint& C = Editor.Cursor;
    if (C.Line < Editor.TopLine)
        Editor.TopLine = C.Line;
    else if (C.Line >= Editor.TopLine + Editor.WindowHeight)
        Editor.TopLine = C.Line - Editor.WindowHeight + 1;
    int Column = RealToTab(Editor.Lines[C.Line].Text, C.Pos, Editor.Settings.TabSize);
    if (Column < Editor.LeftPos)
        Editor.LeftPos = Column;
    else if (Column >= Editor.LeftPos + Editor.WindowWidth)
        Editor.LeftPos = Column - Editor.WindowWidth + 1;
}

// The cursor's place after an edit, which may have taken its line away.
void KeepCursorInText(EditorText& Editor) {
    TextPoint& C = Editor.Cursor;
    C.Line = std::clamp(C.Line, 0, LastLine(Editor));
    C.Pos = std::max(C.Pos, 0);
    if (!Editor.Settings.CursorBeyondEol)
        C.Pos = std::min(C.Pos, Length(Editor, C.Line));
    Reveal(Editor);
}

// Spaces up to the cursor when it stands past the line's end.
void PadToCursor(EditorText& Editor) {
    std::string& Text = Editor.Lines[Editor.Cursor.Line].Text;
    if (Editor.Cursor.Pos > static_cast<int>(Text.size()))
        Text.append(Editor.Cursor.Pos - Text.size(), ' ');
}

// The block the user stretches from the anchor to the cursor.
void StretchBlock(EditorText& Editor, Marking Mark) {
    TextPoint A = Editor.Anchor, C = Editor.Cursor;
    EditorBlock& B = Editor.Block;
    if (Mark == Marking::Stream) {
        B = {BlockKind::Stream, Before(C, A) ? C : A, Before(C, A) ? A : C};
    } else {
        int Column = RealToTab(Editor.Lines[C.Line].Text, C.Pos, Editor.Settings.TabSize);
        B = {BlockKind::Column,
             {std::min(A.Line, C.Line), std::min(A.Pos, Column)},
             {std::max(A.Line, C.Line), std::max(A.Pos, Column)}};
    }
    if (B.Start.Line == B.End.Line && B.Start.Pos == B.End.Pos)
        B.Kind = BlockKind::None;
}

// A block that typing or moving ends (unless blocks persist).
bool DropsBlock(const EditorText& Editor) {
    return Editor.Block.Kind != BlockKind::None && !Editor.Settings.PersistentBlocks;
}

void Changed(EditorText& Editor) {
    Editor.Modified = true;
    Editor.MarkingNow = Marking::None;
}

} // namespace

std::vector<EditorLine> SplitLines(const std::string& Bytes) {
    std::vector<EditorLine> Lines;
    EditorLine Current;
    for (size_t I = 0; I < Bytes.size(); ++I) {
        char C = Bytes[I];
        if (C != '\r' && C != '\n') {
            Current.Text += C;
            continue;
        }
        Current.End =
            C == '\r' && I + 1 < Bytes.size() && Bytes[I + 1] == '\n' ? "\r\n" : std::string(1, C);
        I += Current.End.size() - 1;
        Lines.push_back(std::move(Current));
        Current = {};
    }
    Lines.push_back(std::move(Current));
    return Lines;
}

std::string JoinLines(const std::vector<EditorLine>& Lines) {
    std::string Bytes;
    for (const EditorLine& Line : Lines)
        Bytes += Line.Text + Line.End;
    return Bytes;
}

void LoadText(EditorText& Editor, const std::string& Bytes) {
    Editor.Lines = SplitLines(Bytes);
    Editor.NewLineEnd = Editor.Lines[0].End.empty() ? "\r\n" : Editor.Lines[0].End;
    Editor.Cursor = {};
    Editor.TopLine = Editor.LeftPos = 0;
    Editor.Block = {};
    Editor.MarkingNow = Marking::None;
    Editor.Modified = false;
}

int RealToTab(const std::string& Line, int Pos, int TabSize) {
    int Column = 0;
    int Inside = std::min(Pos, static_cast<int>(Line.size()));
    for (int I = 0; I < Inside; ++I)
        Column = Line[I] == '\t' ? (Column / TabSize + 1) * TabSize : Column + 1;
    return Column + (Pos - Inside);
}

int TabToReal(const std::string& Line, int Column, int TabSize) {
    int At = 0;
    for (int I = 0; I < static_cast<int>(Line.size()); ++I) {
        int Next = Line[I] == '\t' ? (At / TabSize + 1) * TabSize : At + 1;
        if (Column < Next)
            return I;
        At = Next;
    }
    return static_cast<int>(Line.size()) + (Column - At);
}

std::string ExpandedTabs(const std::string& Line, int TabSize) {
    std::string Result;
    for (char C : Line)
        if (C == '\t')
            Result.append(TabSize - Result.size() % TabSize, ' ');
        else
            Result += C;
    return Result;
}

void PlaceCursor(EditorText& Editor, int Line, int Pos) {
    Editor.MarkingNow = Marking::None;
    Editor.Cursor = {Line, Pos};
    KeepCursorInText(Editor);
}

void MoveCursor(EditorText& Editor, CursorMove Move, Marking Mark) {
    if (Mark == Marking::None) {
        Editor.MarkingNow = Marking::None;
        if (DropsBlock(Editor))
            Editor.Block = {};
    } else if (Editor.MarkingNow != Mark) {
        TextPoint C = Editor.Cursor;
        if (Mark == Marking::Column)
            C.Pos = RealToTab(Editor.Lines[C.Line].Text, C.Pos, Editor.Settings.TabSize);
        Editor.Anchor = C;
        Editor.MarkingNow = Mark;
    }
    TextPoint& C = Editor.Cursor;
    bool Beyond = Editor.Settings.CursorBeyondEol;
    int Column = RealToTab(Editor.Lines[C.Line].Text, C.Pos, Editor.Settings.TabSize);
    int Line = C.Line;
    switch (Move) {
    case CursorMove::Left:
        if (C.Pos > 0)
            --C.Pos;
        else if (C.Line > 0)
            C = {C.Line - 1, Length(Editor, C.Line - 1)};
        break;
    case CursorMove::Right:
        if (Beyond || C.Pos < Length(Editor, C.Line))
            ++C.Pos;
        else if (C.Line < LastLine(Editor))
            C = {C.Line + 1, 0};
        break;
    case CursorMove::Home:
        C.Pos = 0;
        break;
    case CursorMove::End:
        C.Pos = Length(Editor, C.Line);
        break;
    case CursorMove::FileStart:
        C = {};
        break;
    case CursorMove::FileEnd:
        C = {LastLine(Editor), Length(Editor, LastLine(Editor))};
        break;
    case CursorMove::Up:
    case CursorMove::Down:
    case CursorMove::PageUp:
    case CursorMove::PageDown: {
        // Up and down keep the screen column.
        int Step = Move == CursorMove::Up || Move == CursorMove::Down ? 1 : Editor.WindowHeight;
        Line += Move == CursorMove::Up || Move == CursorMove::PageUp ? -Step : Step;
        C.Line = std::clamp(Line, 0, LastLine(Editor));
        C.Pos = TabToReal(Editor.Lines[C.Line].Text, Column, Editor.Settings.TabSize);
        break;
    }
    }
    KeepCursorInText(Editor);
    if (Mark != Marking::None)
        StretchBlock(Editor, Mark);
}

void TypeCharacter(EditorText& Editor, char Character) {
    if (Editor.Settings.Locked)
        return;
    if (DropsBlock(Editor))
        DeleteBlock(Editor);
    if (Character == '\t' && Editor.Settings.ExpandTabs != TabExpansion::None) {
        int Column = RealToTab(Editor.Lines[Editor.Cursor.Line].Text, Editor.Cursor.Pos,
                               Editor.Settings.TabSize);
        for (int I = Column % Editor.Settings.TabSize; I < Editor.Settings.TabSize; ++I)
            TypeCharacter(Editor, ' ');
        return;
    }
    PadToCursor(Editor);
    std::string& Text = Editor.Lines[Editor.Cursor.Line].Text;
    size_t Pos = Editor.Cursor.Pos;
    if (Editor.Overtype && Pos < Text.size())
        Text[Pos] = Character;
    else
        Text.insert(Pos, 1, Character);
    ++Editor.Cursor.Pos;
    Changed(Editor);
    Reveal(Editor);
}

void InsertText(EditorText& Editor, const std::string& Text) {
    if (Editor.Settings.Locked)
        return;
    for (size_t I = 0; I < Text.size(); ++I) {
        if (Text[I] == '\r' && I + 1 < Text.size() && Text[I + 1] == '\n')
            continue;
        if (Text[I] == '\n') {
            BreakLine(Editor, false);
            continue;
        }
        PadToCursor(Editor);
        Editor.Lines[Editor.Cursor.Line].Text.insert(Editor.Cursor.Pos, 1, Text[I]);
        ++Editor.Cursor.Pos;
    }
    Changed(Editor);
    Reveal(Editor);
}

void BreakLine(EditorText& Editor, bool Indent) {
    if (Editor.Settings.Locked)
        return;
    if (DropsBlock(Editor))
        DeleteBlock(Editor);
    TextPoint C = Editor.Cursor;
    EditorLine& Line = Editor.Lines[C.Line];
    int Pos = std::min(C.Pos, static_cast<int>(Line.Text.size()));
    std::string Indentation;
    if (Indent || Editor.Settings.AutoIndent)
        Indentation = Line.Text.substr(0, Line.Text.find_first_not_of(" \t"));
    if (Indentation.size() > static_cast<size_t>(Pos))
        Indentation.resize(Pos);
    EditorLine Next{Indentation + Line.Text.substr(Pos), Line.End};
    Line.Text.resize(Pos);
    Line.End = Editor.NewLineEnd;
    Editor.Lines.insert(Editor.Lines.begin() + C.Line + 1, std::move(Next));
    Editor.Cursor = {C.Line + 1, static_cast<int>(Indentation.size())};
    Changed(Editor);
    Reveal(Editor);
}

void DeleteBefore(EditorText& Editor) {
    if (Editor.Settings.Locked)
        return;
    if (DropsBlock(Editor) && Editor.Settings.DelRemovesBlocks) {
        DeleteBlock(Editor);
        return;
    }
    TextPoint& C = Editor.Cursor;
    if (C.Pos > Length(Editor, C.Line)) {
        --C.Pos; // past the end there is nothing to delete
        Reveal(Editor);
        return;
    }
    if (C.Pos > 0) {
        Editor.Lines[C.Line].Text.erase(--C.Pos, 1);
    } else if (C.Line > 0) {
        EditorLine& Previous = Editor.Lines[C.Line - 1];
        C = {C.Line - 1, static_cast<int>(Previous.Text.size())};
        Previous.Text += Editor.Lines[C.Line + 1].Text;
        Previous.End = Editor.Lines[C.Line + 1].End;
        Editor.Lines.erase(Editor.Lines.begin() + C.Line + 1);
    } else {
        return;
    }
    Changed(Editor);
    Reveal(Editor);
}

void DeleteAt(EditorText& Editor) {
    if (Editor.Settings.Locked)
        return;
    if (Editor.Block.Kind != BlockKind::None && Editor.Settings.DelRemovesBlocks) {
        DeleteBlock(Editor);
        return;
    }
    TextPoint C = Editor.Cursor;
    EditorLine& Line = Editor.Lines[C.Line];
    if (C.Pos < static_cast<int>(Line.Text.size())) {
        Line.Text.erase(C.Pos, 1);
    } else if (C.Line < LastLine(Editor)) {
        PadToCursor(Editor);
        Line.Text += Editor.Lines[C.Line + 1].Text;
        Line.End = Editor.Lines[C.Line + 1].End;
        Editor.Lines.erase(Editor.Lines.begin() + C.Line + 1);
    } else {
        return;
    }
    Changed(Editor);
}

void SetLine(EditorText& Editor, int Line, const std::string& Text, const std::string& End) {
    Editor.Lines[Line] = {Text, End};
    Changed(Editor);
    KeepCursorInText(Editor);
}

void DeleteLine(EditorText& Editor, int Line) {
    if (Editor.Lines.size() == 1)
        Editor.Lines[0] = {};
    else
        Editor.Lines.erase(Editor.Lines.begin() + Line);
    if (Editor.Cursor.Line > Line)
        --Editor.Cursor.Line;
    Changed(Editor);
    KeepCursorInText(Editor);
}

void DeleteBlock(EditorText& Editor) {
    EditorBlock B = Editor.Block;
    Editor.Block = {};
    Editor.MarkingNow = Marking::None;
    if (B.Kind == BlockKind::None || Editor.Settings.Locked)
        return;
    int TabSize = Editor.Settings.TabSize;
    if (B.Kind == BlockKind::Column) {
        for (int L = B.Start.Line; L <= B.End.Line; ++L) {
            std::string& Text = Editor.Lines[L].Text;
            size_t From = std::min<size_t>(TabToReal(Text, B.Start.Pos, TabSize), Text.size());
            size_t To = std::min<size_t>(TabToReal(Text, B.End.Pos, TabSize), Text.size());
            Text.erase(From, To - From);
        }
        Editor.Cursor = {B.Start.Line,
                         TabToReal(Editor.Lines[B.Start.Line].Text, B.Start.Pos, TabSize)};
    } else {
        EditorLine& First = Editor.Lines[B.Start.Line];
        const EditorLine& Last = Editor.Lines[B.End.Line];
        size_t From = std::min<size_t>(B.Start.Pos, First.Text.size());
        size_t To = std::min<size_t>(B.End.Pos, Last.Text.size());
        First.Text = First.Text.substr(0, From) + Last.Text.substr(To);
        First.End = Last.End;
        Editor.Lines.erase(Editor.Lines.begin() + B.Start.Line + 1,
                           Editor.Lines.begin() + B.End.Line + 1);
        Editor.Cursor = {B.Start.Line, static_cast<int>(From)};
    }
    Changed(Editor);
    KeepCursorInText(Editor);
}

void ExpandLineTabs(EditorText& Editor, int Line) {
    std::string& Text = Editor.Lines[Line].Text;
    if (Text.find('\t') == std::string::npos)
        return;
    if (Line == Editor.Cursor.Line)
        Editor.Cursor.Pos = RealToTab(Text, Editor.Cursor.Pos, Editor.Settings.TabSize);
    Text = ExpandedTabs(Text, Editor.Settings.TabSize);
    Changed(Editor);
}

void ClearBlock(EditorText& Editor) {
    Editor.Block = {};
    Editor.MarkingNow = Marking::None;
}

bool SelectStream(EditorText& Editor, int StartLine, int StartPos, int Width, int Height) {
    int EndLine = StartLine + Height - 1;
    if (StartLine < 0 || Height < 1 || EndLine > LastLine(Editor) || StartPos < 0 ||
        StartPos + Width < (Height == 1 ? StartPos : 0))
        return false;
    Editor.Block = {BlockKind::Stream, {StartLine, StartPos}, {EndLine, StartPos + Width}};
    if (Height == 1 && Width == 0)
        Editor.Block = {};
    Editor.MarkingNow = Marking::None;
    return true;
}

bool SelectColumns(EditorText& Editor, int StartLine, int StartColumn, int Width, int Height) {
    int EndLine = StartLine + Height - 1;
    if (StartLine < 0 || Height < 1 || EndLine > LastLine(Editor) || StartColumn < 0 || Width < 0)
        return false;
    Editor.Block = {BlockKind::Column, {StartLine, StartColumn}, {EndLine, StartColumn + Width}};
    if (Width == 0)
        Editor.Block = {};
    Editor.MarkingNow = Marking::None;
    return true;
}

LineSelection SelectionOf(const EditorText& Editor, int Line) {
    const EditorBlock& B = Editor.Block;
    if (B.Kind == BlockKind::None || Line < B.Start.Line || Line > B.End.Line)
        return {};
    const std::string& Text = Editor.Lines[Line].Text;
    int Size = static_cast<int>(Text.size());
    if (B.Kind == BlockKind::Column)
        return {TabToReal(Text, B.Start.Pos, Editor.Settings.TabSize),
                TabToReal(Text, B.End.Pos, Editor.Settings.TabSize)};
    if (Line == B.End.Line && B.End.Pos == 0 && B.End.Line > B.Start.Line)
        return {};
    int Start = Line == B.Start.Line ? std::min(B.Start.Pos, Size) : 0;
    int End = Line == B.End.Line ? std::min(B.End.Pos, Size) : -1;
    return {Start, End};
}

int LineNumber(const EditorText& Editor, int Given) {
    if (Given == -1)
        return Editor.Cursor.Line;
    return Given >= 0 && Given <= LastLine(Editor) ? Given : -2;
}

bool SetTabSize(EditorText& Editor, int Size) {
    if (Size < 1 || Size > MaxTabSize)
        return false;
    Editor.Settings.TabSize = Size;
    Reveal(Editor);
    return true;
}

void SetTabExpansion(EditorText& Editor, TabExpansion Expansion) {
    Editor.Settings.ExpandTabs = Expansion;
    if (Expansion == TabExpansion::All)
        for (int Line = 0; Line <= LastLine(Editor); ++Line)
            ExpandLineTabs(Editor, Line);
}

void SetBookmark(EditorText& Editor, int Number) {
    Editor.Bookmarks[Number] = {true, Editor.Cursor, Editor.Cursor.Line - Editor.TopLine,
                                Editor.LeftPos};
}

bool GoToBookmark(EditorText& Editor, int Number) {
    const Bookmark& Mark = Editor.Bookmarks[Number];
    if (!Mark.Set)
        return false;
    Editor.MarkingNow = Marking::None;
    PlaceCursor(Editor, Mark.At.Line, Mark.At.Pos);
    return true;
}
