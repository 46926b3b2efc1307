#include "qelhost/services/editor_view.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/text_format.hpp"

#include <algorithm>

namespace {

// A line as the screen shows it: tabs as spaces, a control character as its
// picture (one cell, so that the marks below stay in place).
std::string ScreenText(const std::string& Line, int TabSize) {
    std::u32string Shown = OemToUnicode(ExpandedTabs(Line, TabSize));
    for (char32_t& C : Shown)
        if (C < 0x20)
            C = 0x2400 + C;
        else if (C == 0x7F)
            C = 0x2421;
    return ToUtf8(Shown);
}

// The marks under Line, or "" when it has neither the cursor nor the block.
std::string Marks(const EditorText& Text, int Line) {
    int TabSize = Text.Settings.TabSize;
    const std::string& Source = Text.Lines[Line].Text;
    LineSelection Part = SelectionOf(Text, Line);
    bool HasCursor = Text.Cursor.Line == Line;
    if (Part.Start < 0 && !HasCursor)
        return "";
    std::string Row;
    auto Mark = [&](int Column, char What) {
        if (static_cast<int>(Row.size()) <= Column)
            Row.resize(Column + 1, ' ');
        Row[Column] = What;
    };
    if (Part.Start >= 0) {
        int Size = static_cast<int>(Source.size());
        int End = Part.End < 0 ? Size + 1 : Part.End; // the line's end is in the block
        int From = RealToTab(Source, Part.Start, TabSize);
        int To =
            Part.End < 0 ? RealToTab(Source, Size, TabSize) + 1 : RealToTab(Source, End, TabSize);
        for (int Column = From; Column < To; ++Column)
            Mark(Column, '~');
    }
    if (HasCursor)
        Mark(RealToTab(Source, Text.Cursor.Pos, TabSize), '^');
    return Row;
}

} // namespace

std::string EditorStatus(const EditorWindow& Editor) {
    const EditorText& Text = Editor.Text;
    std::string Name =
        Editor.HasTitle ? Quoted(OemToUnicode(Editor.Title)) : Escaped(TitleName(Editor.Name));
    int Column =
        RealToTab(Text.Lines[Text.Cursor.Line].Text, Text.Cursor.Pos, Text.Settings.TabSize);
    return Name + (Text.Modified ? " (modified)" : "") + " │ Line " +
           std::to_string(Text.Cursor.Line + 1) + "/" + std::to_string(Text.Lines.size()) +
           " │ Col " + std::to_string(Column + 1);
}

std::string EditorPicture(const EditorWindow& Editor) {
    const EditorText& Text = Editor.Text;
    std::string Picture = "editor: " + EditorStatus(Editor) + "\n";
    int Count = static_cast<int>(Text.Lines.size());
    int Width = static_cast<int>(std::to_string(std::min(Count, MaxShownLines)).size());
    for (int Line = 0; Line < Count && Line < MaxShownLines; ++Line) {
        std::string Number = std::to_string(Line + 1);
        std::string Gutter = std::string(Width - Number.size(), ' ') + Number + "│";
        Picture += Gutter + ScreenText(Text.Lines[Line].Text, Text.Settings.TabSize) + "\n";
        std::string Under = Marks(Text, Line);
        if (!Under.empty())
            Picture += std::string(Width, ' ') + "│" + Under + "\n";
    }
    if (Count > MaxShownLines)
        Picture += "… " + std::to_string(Count - MaxShownLines) + " more lines\n";
    return Picture;
}
