// The editor's text: tabs and their columns, the parts of lines a block
// covers, and the edits that split and join lines, each checked against
// what the plugin would read back through EditorControl.
#include "qelhost/services/editor_text.hpp"

#include <gtest/gtest.h>

namespace {

EditorText Loaded(const std::string& Bytes) {
    EditorText Editor;
    LoadText(Editor, Bytes);
    return Editor;
}

std::string Selections(const EditorText& Editor) {
    std::string Result;
    for (int Line = 0; Line < static_cast<int>(Editor.Lines.size()); ++Line) {
        LineSelection Part = SelectionOf(Editor, Line);
        Result += std::to_string(Part.Start) + ":" + std::to_string(Part.End) + " ";
    }
    return Result;
}

} // namespace

TEST(EditorLines, LineEndsOfEveryKindComeBackAsTheyWere) {
    const char* Files[] = {"", "one", "a\nb\n", "a\r\nb\rc\n\nd", "\r\n\r\n"};
    for (const char* File : Files)
        EXPECT_EQ(JoinLines(SplitLines(File)), File) << File;
    std::vector<EditorLine> Lines = SplitLines("a\r\nb\rc");
    ASSERT_EQ(Lines.size(), 3u);
    EXPECT_EQ(Lines[0].End, "\r\n");
    EXPECT_EQ(Lines[1].End, "\r");
    EXPECT_EQ(Lines[2].End, "");
    EXPECT_EQ(Loaded("x\ny").NewLineEnd, "\n");
    EXPECT_EQ(Loaded("x").NewLineEnd, "\r\n");
}

TEST(EditorTabs, RealAndScreenPositionsMapBothWays) {
    struct Case {
        const char* Line;
        int TabSize, Pos, Column;
    };
    const Case Cases[] = {
        {"abc", 8, 2, 2},     {"\tx", 8, 1, 8},   {"ab\tx", 4, 3, 4},
        {"abcd\tx", 4, 5, 8}, {"\t\ty", 3, 2, 6}, {"ab", 8, 5, 5},
        {"a\t", 8, 4, 10},    {"", 8, 0, 0},      {"x\t\ty", 1, 3, 3},
    };
    for (const Case& C : Cases) {
        EXPECT_EQ(RealToTab(C.Line, C.Pos, C.TabSize), C.Column) << C.Line << " " << C.Pos;
        EXPECT_EQ(TabToReal(C.Line, C.Column, C.TabSize), C.Pos) << C.Line << " " << C.Column;
    }
    // A column inside a tab is the tab's own position.
    EXPECT_EQ(TabToReal("ab\tx", 3, 8), 2);
    EXPECT_EQ(TabToReal("ab\tx", 7, 8), 2);
    EXPECT_EQ(ExpandedTabs("ab\tc\td", 4), "ab  c   d");
}

TEST(EditorBlocks, EachLineReportsItsPartOfTheBlock) {
    EditorText Editor = Loaded("hello world\n(a [b] c)\n\tlong\nlast");
    struct Case {
        const char* What;
        BlockKind Kind;
        int Line, Pos, Width, Height;
        const char* Parts;
    };
    const Case Cases[] = {
        {"a word", BlockKind::Stream, 0, 0, 5, 1, "0:5 -1:-1 -1:-1 -1:-1 "},
        // Whole lines: the block reaches the next line only at its start.
        {"whole lines", BlockKind::Stream, 1, 0, 0, 2, "-1:-1 0:-1 -1:-1 -1:-1 "},
        {"across lines", BlockKind::Stream, 0, 6, 3, 3, "6:-1 0:-1 0:5 -1:-1 "},
        {"past a short line's end", BlockKind::Stream, 3, 2, 10, 1, "-1:-1 -1:-1 -1:-1 2:4 "},
        // Columns 2 to 9: the tab covers columns 0 to 7, so line 3 from its tab.
        {"columns over a tab", BlockKind::Column, 1, 2, 8, 3, "-1:-1 2:10 0:3 2:10 "},
    };
    for (const Case& C : Cases) {
        bool Fits = C.Kind == BlockKind::Stream
                        ? SelectStream(Editor, C.Line, C.Pos, C.Width, C.Height)
                        : SelectColumns(Editor, C.Line, C.Pos, C.Width, C.Height);
        ASSERT_TRUE(Fits) << C.What;
        EXPECT_EQ(Selections(Editor), C.Parts) << C.What;
    }
    EXPECT_FALSE(SelectStream(Editor, 3, 0, 1, 2)); // past the last line
    EXPECT_FALSE(SelectColumns(Editor, -2, 0, 1, 1));
}

TEST(EditorBlocks, ShiftWithCursorKeysStretchesTheBlockFromWhereItBegan) {
    EditorText Editor = Loaded("hello World\n(a [b] c)\nlong line\nLast\n");
    for (int I = 0; I < 5; ++I)
        MoveCursor(Editor, CursorMove::Right, Marking::Stream);
    EXPECT_EQ(Selections(Editor), "0:5 -1:-1 -1:-1 -1:-1 -1:-1 ");
    MoveCursor(Editor, CursorMove::Left, Marking::None); // a plain key ends it
    EXPECT_EQ(Editor.Block.Kind, BlockKind::None);

    PlaceCursor(Editor, 2, 0);
    MoveCursor(Editor, CursorMove::Down, Marking::Stream);
    EXPECT_EQ(Selections(Editor), "-1:-1 -1:-1 0:-1 -1:-1 -1:-1 ");
    MoveCursor(Editor, CursorMove::Up, Marking::Stream);
    MoveCursor(Editor, CursorMove::Up, Marking::Stream); // back past where it began
    EXPECT_EQ(Selections(Editor), "-1:-1 0:-1 -1:-1 -1:-1 -1:-1 ");

    PlaceCursor(Editor, 0, 1);
    MoveCursor(Editor, CursorMove::Down, Marking::Column);
    MoveCursor(Editor, CursorMove::Right, Marking::Column);
    MoveCursor(Editor, CursorMove::Right, Marking::Column);
    EXPECT_EQ(Selections(Editor), "1:3 1:3 -1:-1 -1:-1 -1:-1 ");
    DeleteBlock(Editor);
    EXPECT_EQ(JoinLines(Editor.Lines), "hlo World\n([b] c)\nlong line\nLast\n");
}

TEST(EditorEdits, TypingAndDeletingSplitAndJoinLines) {
    struct Step {
        const char* What;
        void (*Do)(EditorText&);
        const char* Text;
        int Line, Pos;
    };
    const Step Steps[] = {
        {"type", [](EditorText& E) { TypeCharacter(E, 'X'); }, "aX\tb\r\ncd", 0, 2},
        {"Enter", [](EditorText& E) { BreakLine(E, false); }, "aX\r\n\tb\r\ncd", 1, 0},
        {"BackSpace joins", [](EditorText& E) { DeleteBefore(E); }, "aX\tb\r\ncd", 0, 2},
        {"End", [](EditorText& E) { MoveCursor(E, CursorMove::End, Marking::None); }, "aX\tb\r\ncd",
         0, 4},
        {"Del joins", [](EditorText& E) { DeleteAt(E); }, "aX\tbcd", 0, 4},
        {"right past the end",
         [](EditorText& E) {
             MoveCursor(E, CursorMove::End, Marking::None);
             MoveCursor(E, CursorMove::Right, Marking::None);
         },
         "aX\tbcd", 0, 7},
        {"typing pads", [](EditorText& E) { TypeCharacter(E, '!'); }, "aX\tbcd !", 0, 8},
        {"insert text", [](EditorText& E) { InsertText(E, "1\r\n2"); }, "aX\tbcd !1\r\n2", 1, 1},
        {"Enter with indent",
         [](EditorText& E) {
             PlaceCursor(E, 0, 3);
             BreakLine(E, true);
         },
         "aX\t\r\nbcd !1\r\n2", 1, 0},
    };
    EditorText Editor = Loaded("a\tb\r\ncd");
    PlaceCursor(Editor, 0, 1);
    for (const Step& S : Steps) {
        S.Do(Editor);
        EXPECT_EQ(JoinLines(Editor.Lines), S.Text) << S.What;
        EXPECT_EQ(Editor.Cursor.Line, S.Line) << S.What;
        EXPECT_EQ(Editor.Cursor.Pos, S.Pos) << S.What;
    }
    EXPECT_TRUE(Editor.Modified);
}

TEST(EditorEdits, TypingOverABlockReplacesItAndTabsExpandAsSet) {
    EditorText Editor = Loaded("one two\nthree\n");
    ASSERT_TRUE(SelectStream(Editor, 0, 4, -4, 2)); // "two" and its line end
    PlaceCursor(Editor, 0, 4);
    TypeCharacter(Editor, '2');
    EXPECT_EQ(JoinLines(Editor.Lines), "one 2three\n");
    EXPECT_EQ(Editor.Block.Kind, BlockKind::None);

    Editor = Loaded("\tx\n\ty");
    SetTabSize(Editor, 4);
    SetTabExpansion(Editor, TabExpansion::New);
    PlaceCursor(Editor, 1, 2);
    TypeCharacter(Editor, '\t');
    EXPECT_EQ(JoinLines(Editor.Lines), "\tx\n\ty   ");
    SetTabExpansion(Editor, TabExpansion::All);
    EXPECT_EQ(JoinLines(Editor.Lines), "    x\n    y   ");
    EXPECT_EQ(Editor.Cursor.Pos, 8);
}
