// The text of qelhost's editor and what the user and the plugin do to it:
// lines with their own line ends, a cursor, a stream or column block, tabs
// with their screen columns, bookmarks. Texts are the plugin's bytes (code
// page 866); positions count bytes in a line ("real" positions), columns
// count screen cells with tabs expanded ("tab" positions), both from 0.
#pragma once

#include <string>
#include <vector>

struct EditorLine {
    std::string Text;
    std::string End; // "\r\n", "\n", "\r" or "" (the last line, without one)
};

struct TextPoint {
    int Line = 0;
    int Pos = 0;
};

enum class BlockKind { None, Stream, Column };
// Shift (stream) or Alt+Shift (column) held with a cursor key.
enum class Marking { None, Stream, Column };

// A stream block runs from Start to End (exclusive), real positions; a line
// it reaches only at position 0 holds none of it. A column block covers the
// lines Start.Line to End.Line and the screen columns Start.Pos to End.Pos
// (exclusive).
struct EditorBlock {
    BlockKind Kind = BlockKind::None;
    TextPoint Start, End;
};

// How tabs typed or already there are kept.
enum class TabExpansion { None, All, New };

struct EditorSettings {
    int TabSize = 8;
    TabExpansion ExpandTabs = TabExpansion::None;
    bool AutoIndent = false;
    bool CursorBeyondEol = true;
    bool PersistentBlocks = false; // else moving the cursor or typing ends the block
    bool DelRemovesBlocks = true;
    bool Locked = false;
};

constexpr int BookmarkCount = 10;
constexpr int MaxTabSize = 512;

struct Bookmark {
    bool Set = false;
    TextPoint At;
    int ScreenLine = 0;
    int LeftPos = 0;
};

struct EditorText {
    std::vector<EditorLine> Lines{1}; // never empty
    TextPoint Cursor;
    int TopLine = 0, LeftPos = 0;
    int WindowWidth = 80, WindowHeight = 23;
    bool Overtype = false;
    EditorBlock Block;
    // Where Shift with a cursor key began the block that it now stretches.
    Marking MarkingNow = Marking::None;
    TextPoint Anchor; // Pos is a real position, or a column for a column block
    EditorSettings Settings;
    bool Modified = false;
    std::string NewLineEnd = "\r\n"; // for lines the user adds: the file's first
    Bookmark Bookmarks[BookmarkCount];
};

// The file's bytes as lines; an empty file is one empty line.
std::vector<EditorLine> SplitLines(const std::string& Bytes);
std::string JoinLines(const std::vector<EditorLine>& Lines);
// The text of a file just read: its lines, the end new lines get.
void LoadText(EditorText& Editor, const std::string& Bytes);

// Screen column of real position Pos of Line (past its end, one per position).
int RealToTab(const std::string& Line, int Pos, int TabSize);
// Real position at screen column Column: within a tab, the tab's own.
int TabToReal(const std::string& Line, int Column, int TabSize);
// The line with its tabs as spaces.
std::string ExpandedTabs(const std::string& Line, int TabSize);

enum class CursorMove { Left, Right, Up, Down, Home, End, PageUp, PageDown, FileStart, FileEnd };

// Moves the cursor; with Marking, the block stretches from where it began.
void MoveCursor(EditorText& Editor, CursorMove Move, Marking Mark);
// Puts the cursor at Line (clamped) and Pos (past the end only where the
// cursor may go beyond it), scrolling the window to show it.
void PlaceCursor(EditorText& Editor, int Line, int Pos);

// What the user types: a character (a tab as the settings keep it),
// Enter, BackSpace, Del. Each first removes a block that is not kept.
void TypeCharacter(EditorText& Editor, char Character);
void BreakLine(EditorText& Editor, bool Indent);
void DeleteBefore(EditorText& Editor);
void DeleteAt(EditorText& Editor);
// Text at the cursor as typed, "\n" (or "\r\n") breaking the line.
void InsertText(EditorText& Editor, const std::string& Text);

void SetLine(EditorText& Editor, int Line, const std::string& Text, const std::string& End);
void DeleteLine(EditorText& Editor, int Line);
void DeleteBlock(EditorText& Editor);
void ExpandLineTabs(EditorText& Editor, int Line);

void ClearBlock(EditorText& Editor);
// Sets the block; false when it does not fit the text. A stream block ends
// at StartPos + Width on its last line (Width may be negative on a later
// line than the first), as the host's ECTL_SELECT puts it.
bool SelectStream(EditorText& Editor, int StartLine, int StartPos, int Width, int Height);
bool SelectColumns(EditorText& Editor, int StartLine, int StartColumn, int Width, int Height);

// The part of Line in the block, as real positions: Start -1 when none of
// it is; End -1 when the block runs on past the line's end.
struct LineSelection {
    int Start = -1;
    int End = -1;
};
LineSelection SelectionOf(const EditorText& Editor, int Line);

// The line number, or -1 for the cursor's, checked: -2 when there is none.
int LineNumber(const EditorText& Editor, int Given);

// Sets the tab size (1 to MaxTabSize); false for another.
bool SetTabSize(EditorText& Editor, int Size);
void SetTabExpansion(EditorText& Editor, TabExpansion Expansion);

void SetBookmark(EditorText& Editor, int Number);
// Returns false for a bookmark that is not set.
bool GoToBookmark(EditorText& Editor, int Number);
