#include "host/native_panels.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/editor_keys.hpp"
#include "qelhost/services/key_names.hpp"
#include "qelhost/services/from_plugin.hpp"
#include "qelhost/services/text_format.hpp"
#include "qelhost/services/window_control.hpp"
#include "qelhost/stop_run.hpp"

#include <stdio.h>
#include <string.h>
#include <strings.h>

#include <algorithm>
#include <exception>

namespace {

WindowHooks Hooks;

// The longest line or inserted text qelhost takes from the plugin.
constexpr int MaxLineBytes = 1024 * 1024;
// The host's word delimiters, until the plugin sets its own.
const char DefaultWordDiv[] = " \t!%^&*()+|{}:\"<>?`-=\\[];',./";
std::string WordDiv = DefaultWordDiv;
constexpr size_t WordDivSize = 256; // ESPT_GETWORDDIV's buffer, with the zero

const char* const CommandNames[] = {
    "ECTL_GETSTRING",    "ECTL_SETSTRING",    "ECTL_INSERTSTRING",
    "ECTL_DELETESTRING", "ECTL_DELETECHAR",   "ECTL_INSERTTEXT",
    "ECTL_GETINFO",      "ECTL_SETPOSITION",  "ECTL_SELECT",
    "ECTL_REDRAW",       "ECTL_EDITORTOOEM",  "ECTL_OEMTOEDITOR",
    "ECTL_TABTOREAL",    "ECTL_REALTOTAB",    "ECTL_EXPANDTABS",
    "ECTL_SETTITLE",     "ECTL_READINPUT",    "ECTL_PROCESSINPUT",
    "ECTL_ADDCOLOR",     "ECTL_GETCOLOR",     "ECTL_SAVEFILE",
    "ECTL_QUIT",         "ECTL_SETKEYBAR",    "ECTL_PROCESSKEY",
    "ECTL_SETPARAM",     "ECTL_GETBOOKMARKS", "ECTL_TURNOFFMARKINGBLOCK",
    "ECTL_DELETEBLOCK",
};
static_assert(std::size(CommandNames) == ECTL_DELETEBLOCK + 1);

const char* const ParameterNames[] = {
    "ESPT_TABSIZE",      "ESPT_EXPANDTABS", "ESPT_AUTOINDENT",       "ESPT_CURSORBEYONDEOL",
    "ESPT_CHARCODEBASE", "ESPT_CHARTABLE",  "ESPT_SAVEFILEPOSITION", "ESPT_LOCKMODE",
    "ESPT_SETWORDDIV",   "ESPT_GETWORDDIV",
};
static_assert(std::size(ParameterNames) == ESPT_GETWORDDIV + 1);

// The call being served, for the transcript and for reports of bad records.
struct Call {
    std::string Where; // "EditorControl(ECTL_SETSTRING)"
    EditorWindow& Editor;
    EditorText& Text;
    void* Param;
};

void Tell(const Call& C, const std::string& What) {
    printf("host: %s: %s\n", C.Where.c_str(), What.c_str());
}

std::string Shown(const std::string& Oem) {
    return Quoted(OemToUnicode(Oem));
}

BlockKind KindOf(int BlockType) {
    return BlockType == BTYPE_STREAM   ? BlockKind::Stream
           : BlockType == BTYPE_COLUMN ? BlockKind::Column
                                       : BlockKind::None;
}

int BlockTypeOf(BlockKind Kind) {
    return Kind == BlockKind::Stream   ? BTYPE_STREAM
           : Kind == BlockKind::Column ? BTYPE_COLUMN
                                       : BTYPE_NONE;
}

DWORD OptionsOf(const EditorSettings& S) {
    return (S.ExpandTabs == TabExpansion::All ? EOPT_EXPANDALLTABS : 0) |
           (S.ExpandTabs == TabExpansion::New ? EOPT_EXPANDONLYNEWTABS : 0) |
           (S.PersistentBlocks ? EOPT_PERSISTENTBLOCKS : 0) |
           (S.DelRemovesBlocks ? EOPT_DELREMOVESBLOCKS : 0) | (S.AutoIndent ? EOPT_AUTOINDENT : 0) |
           (S.CursorBeyondEol ? EOPT_CURSORBEYONDEOL : 0);
}

int GetInfo(Call& C) {
    const EditorText& T = C.Text;
    EditorInfo Info;
    memset(&Info, 0, sizeof Info);
    Info.EditorID = C.Editor.Id;
    Info.FileName = C.Editor.PluginPath.c_str();
    Info.WindowSizeX = T.WindowWidth;
    Info.WindowSizeY = T.WindowHeight;
    Info.TotalLines = static_cast<int>(T.Lines.size());
    Info.CurLine = T.Cursor.Line;
    Info.CurPos = T.Cursor.Pos;
    Info.CurTabPos = RealToTab(T.Lines[T.Cursor.Line].Text, T.Cursor.Pos, T.Settings.TabSize);
    Info.TopScreenLine = T.TopLine;
    Info.LeftPos = T.LeftPos;
    Info.Overtype = T.Overtype;
    Info.BlockType = BlockTypeOf(T.Block.Kind);
    Info.BlockStartLine = T.Block.Kind == BlockKind::None ? 0 : T.Block.Start.Line;
    Info.TableNum = -1; // the OEM code page, no table
    Info.Options = OptionsOf(T.Settings);
    Info.TabSize = T.Settings.TabSize;
    Info.BookMarkCount = BookmarkCount;
    Info.CurState = (T.Modified ? ECSTATE_MODIFIED : 0) |
                    (C.Editor.SavedSinceOpened ? ECSTATE_SAVED : 0) |
                    (T.Settings.Locked ? ECSTATE_LOCKED : 0);
    WriteRecord(C.Where.c_str(), "the EditorInfo", C.Param, Info);
    return 1;
}

int GetString(Call& C) {
    auto Get = ReadRecord<EditorGetString>(C.Where.c_str(), "the EditorGetString", C.Param);
    int Line = LineNumber(C.Text, Get.StringNumber);
    if (Line < 0)
        return 0;
    const EditorLine& L = C.Text.Lines[Line];
    LineSelection Part = SelectionOf(C.Text, Line);
    Get.StringNumber = Line;
    Get.StringText = L.Text.c_str();
    Get.StringEOL = L.End.c_str();
    Get.StringLength = static_cast<int>(L.Text.size());
    Get.SelStart = Part.Start;
    Get.SelEnd = Part.Start < 0 ? -1 : Part.End;
    WriteRecord(C.Where.c_str(), "the EditorGetString", C.Param, Get);
    return 1;
}

int SetString(Call& C) {
    auto Set = ReadRecord<EditorSetString>(C.Where.c_str(), "the EditorSetString", C.Param);
    int Line = LineNumber(C.Text, Set.StringNumber);
    if (Line < 0 || C.Text.Settings.Locked)
        return 0;
    CheckedCount(C.Where.c_str(), Set.StringLength, MaxLineBytes, "bytes", "takes for a line");
    std::string Text = ReadBytes(C.Where.c_str(), "the text", Set.StringText, Set.StringLength);
    std::string End = Set.StringEOL == nullptr
                          ? C.Text.Lines[Line].End
                          : ReadRawText(C.Where.c_str(), "the line end", Set.StringEOL, 2);
    SetLine(C.Text, Line, Text, End);
    Tell(C, "line " + std::to_string(Line + 1) + " becomes " + Shown(Text));
    return 1;
}

int InsertString(Call& C) {
    bool Indent =
        C.Param != nullptr && ReadRecord<int>(C.Where.c_str(), "the indent flag", C.Param) != 0;
    if (C.Text.Settings.Locked)
        return 0;
    EditorBlock Kept = C.Text.Block; // the plugin's edits leave the block alone
    C.Text.Block = {};
    BreakLine(C.Text, Indent);
    C.Text.Block = Kept;
    Tell(C, "a line break at line " + std::to_string(C.Text.Cursor.Line) +
                (Indent ? ", indented" : ""));
    return 1;
}

int DeleteString(Call& C) {
    if (C.Text.Settings.Locked)
        return 0;
    int Line = C.Text.Cursor.Line;
    DeleteLine(C.Text, Line);
    Tell(C, "line " + std::to_string(Line + 1) + " is deleted");
    return 1;
}

int DeleteChar(Call& C) {
    if (C.Text.Settings.Locked)
        return 0;
    EditorBlock Kept = C.Text.Block;
    C.Text.Block = {};
    DeleteAt(C.Text);
    C.Text.Block = Kept;
    Tell(C, "the character at line " + std::to_string(C.Text.Cursor.Line + 1) + ", position " +
                std::to_string(C.Text.Cursor.Pos + 1) + " is deleted");
    return 1;
}

int InsertTextAtCursor(Call& C) {
    std::string Text =
        ReadRawText(C.Where.c_str(), "the text", static_cast<const char*>(C.Param), MaxLineBytes);
    if (C.Text.Settings.Locked)
        return 0;
    InsertText(C.Text, Text);
    Tell(C, Shown(Text) + " is inserted");
    return 1;
}

int SetPosition(Call& C) {
    auto P = ReadRecord<EditorSetPosition>(C.Where.c_str(), "the EditorSetPosition", C.Param);
    EditorText& T = C.Text;
    int Line = P.CurLine >= 0 ? P.CurLine : T.Cursor.Line;
    int Pos = T.Cursor.Pos;
    if (P.CurPos >= 0)
        Pos = P.CurPos;
    else if (P.CurTabPos >= 0)
        Pos = TabToReal(T.Lines[std::min<int>(Line, T.Lines.size() - 1)].Text, P.CurTabPos,
                        T.Settings.TabSize);
    EditorBlock Kept = T.Block;
    PlaceCursor(T, Line, Pos);
    T.Block = Kept;
    if (P.TopScreenLine >= 0)
        T.TopLine = std::min<int>(P.TopScreenLine, T.Lines.size() - 1);
    if (P.LeftPos >= 0)
        T.LeftPos = P.LeftPos;
    if (P.Overtype >= 0)
        T.Overtype = P.Overtype != 0;
    Tell(C, "the cursor goes to line " + std::to_string(T.Cursor.Line + 1) + ", position " +
                std::to_string(T.Cursor.Pos + 1));
    return 1;
}

int Select(Call& C) {
    auto S = ReadRecord<EditorSelect>(C.Where.c_str(), "the EditorSelect", C.Param);
    if (KindOf(S.BlockType) == BlockKind::None || S.BlockStartPos == -1) {
        ClearBlock(C.Text);
        Tell(C, "no block");
        return 1;
    }
    int Line = LineNumber(C.Text, S.BlockStartLine);
    if (Line < 0)
        return 0;
    bool Fits;
    if (KindOf(S.BlockType) == BlockKind::Stream) {
        Fits = SelectStream(C.Text, Line, S.BlockStartPos, S.BlockWidth, S.BlockHeight);
    } else {
        // A column block starts at the screen column of its first line's position.
        int Column = RealToTab(C.Text.Lines[Line].Text, std::max(S.BlockStartPos, 0),
                               C.Text.Settings.TabSize);
        Fits = S.BlockStartPos >= 0 &&
               SelectColumns(C.Text, Line, Column, S.BlockWidth, S.BlockHeight);
    }
    std::string Block = std::string(S.BlockType == BTYPE_STREAM ? "a stream" : "a column") +
                        " block from line " + std::to_string(Line + 1) + ", position " +
                        std::to_string(S.BlockStartPos + 1) + ", width " +
                        std::to_string(S.BlockWidth) + ", height " + std::to_string(S.BlockHeight);
    Tell(C, Fits ? Block : Block + " does not fit the text; returns 0");
    return Fits;
}

int ConvertPosition(Call& C, bool ToReal) {
    auto P = ReadRecord<EditorConvertPos>(C.Where.c_str(), "the EditorConvertPos", C.Param);
    int Line = LineNumber(C.Text, P.StringNumber);
    if (Line < 0)
        return 0;
    const std::string& Text = C.Text.Lines[Line].Text;
    int Size = C.Text.Settings.TabSize;
    P.DestPos = ToReal ? TabToReal(Text, P.SrcPos, Size) : RealToTab(Text, P.SrcPos, Size);
    WriteRecord(C.Where.c_str(), "the EditorConvertPos", C.Param, P);
    return 1;
}

int ExpandTabs(Call& C) {
    int Line = LineNumber(C.Text, ReadRecord<int>(C.Where.c_str(), "the line number", C.Param));
    if (Line < 0)
        return 0;
    ExpandLineTabs(C.Text, Line);
    Tell(C, "the tabs of line " + std::to_string(Line + 1) + " become spaces");
    return 1;
}

int SetTitle(Call& C) {
    C.Editor.HasTitle = C.Param != nullptr;
    C.Editor.Title = C.Param == nullptr
                         ? ""
                         : ReadRawText(C.Where.c_str(), "the title",
                                       static_cast<const char*>(C.Param), MaxTextBytes);
    Tell(C, C.Editor.HasTitle ? "the title becomes " + Shown(C.Editor.Title)
                              : "the title is the file's name again");
    return 1;
}

int ReadInput(Call& C) {
    INPUT_RECORD Record;
    memset(&Record, 0, sizeof Record);
    if (!Hooks.ReadKey(Record))
        StopRun(ExitStopped, "%s: the plugin waits for a key, and the script has none",
                C.Where.c_str());
    WriteRecord(C.Where.c_str(), "the INPUT_RECORD", C.Param, Record);
    return 1;
}

// A key the plugin hands the editor to act on, as if typed.
int ProcessKey(Call& C, int Key) {
    WindowAction Action = EditorTakesKey(C.Editor, Key);
    char Code[16];
    snprintf(Code, sizeof Code, "0x%X", static_cast<unsigned>(Key));
    if (Action == WindowAction::Save)
        return SaveEditorFile(C.Editor);
    if (Action == WindowAction::Close)
        C.Editor.QuitAsked = true;
    Tell(C, std::string("the editor ") +
                (Action == WindowAction::Nothing ? "has no use for key " : "takes key ") + Code);
    return 1;
}

int AddColour(Call& C) {
    auto Colour = ReadRecord<EditorColor>(C.Where.c_str(), "the EditorColor", C.Param);
    int Line = LineNumber(C.Text, Colour.StringNumber);
    if (Line < 0)
        return 0;
    std::vector<EditorColour>& Colours = C.Editor.Colours;
    char Text[96];
    if (Colour.Color == 0) {
        // Colour 0 takes the line's colours away from StartPos on.
        std::erase_if(Colours, [&](const EditorColour& E) {
            return E.Line == Line && E.StartPos >= Colour.StartPos;
        });
        snprintf(Text, sizeof Text, "line %d loses its colours from position %d", Line + 1,
                 Colour.StartPos + 1);
    } else {
        Colours.push_back({Line, Colour.StartPos, Colour.EndPos, Colour.Color});
        snprintf(Text, sizeof Text, "line %d, positions %d to %d, colour 0x%X", Line + 1,
                 Colour.StartPos + 1, Colour.EndPos + 1, static_cast<unsigned>(Colour.Color));
    }
    Tell(C, Text);
    return 1;
}

int GetColour(Call& C) {
    auto Colour = ReadRecord<EditorColor>(C.Where.c_str(), "the EditorColor", C.Param);
    int Line = LineNumber(C.Text, Colour.StringNumber);
    if (Line < 0)
        return 0;
    int Index = 0;
    for (const EditorColour& E : C.Editor.Colours) {
        if (E.Line != Line || Index++ != Colour.ColorItem)
            continue;
        Colour.StartPos = E.StartPos;
        Colour.EndPos = E.EndPos;
        Colour.Color = E.Colour;
        WriteRecord(C.Where.c_str(), "the EditorColor", C.Param, Colour);
        return 1;
    }
    return 0;
}

int SaveFile(Call& C) {
    if (C.Param != nullptr) {
        auto Save = ReadRecord<EditorSaveFile>(C.Where.c_str(), "the EditorSaveFile", C.Param);
        std::string Name(Save.FileName, strnlen(Save.FileName, sizeof Save.FileName));
        if (!Name.empty() && strcasecmp(Name.c_str(), C.Editor.PluginPath.c_str()) != 0) {
            Tell(C, "saving under another name (" + Shown(Name) + ") is not modelled; returns 0");
            return 0;
        }
        if (Save.FileEOL != nullptr) {
            std::string End = ReadRawText(C.Where.c_str(), "the line end", Save.FileEOL, 2);
            for (EditorLine& Line : C.Text.Lines)
                if (!Line.End.empty())
                    Line.End = End;
        }
    }
    return SaveEditorFile(C.Editor);
}

int SetParameter(Call& C) {
    auto P = ReadRecord<EditorSetParameter>(C.Where.c_str(), "the EditorSetParameter", C.Param);
    EditorSettings& S = C.Text.Settings;
    int Value = P.Param.iParam;
    std::string Name =
        P.Type >= 0 && P.Type <= ESPT_GETWORDDIV ? ParameterNames[P.Type] : std::to_string(P.Type);
    bool Done = true;
    switch (P.Type) {
    case ESPT_TABSIZE:
        Done = SetTabSize(C.Text, Value);
        break;
    case ESPT_EXPANDTABS:
        Done = Value >= EXPAND_NOTABS && Value <= EXPAND_NEWTABS;
        if (Done)
            SetTabExpansion(C.Text, Value == EXPAND_ALLTABS   ? TabExpansion::All
                                    : Value == EXPAND_NEWTABS ? TabExpansion::New
                                                              : TabExpansion::None);
        break;
    case ESPT_AUTOINDENT:
        S.AutoIndent = Value != 0;
        break;
    case ESPT_CURSORBEYONDEOL:
        S.CursorBeyondEol = Value != 0;
        PlaceCursor(C.Text, C.Text.Cursor.Line, C.Text.Cursor.Pos);
        break;
    case ESPT_CHARCODEBASE:
    case ESPT_SAVEFILEPOSITION:
        break; // nothing qelhost shows depends on them
    case ESPT_CHARTABLE:
        Done = Value == 0 || Value == 1; // only the OEM code page there is
        break;
    case ESPT_LOCKMODE:
        S.Locked = Value != 0;
        break;
    case ESPT_SETWORDDIV:
        WordDiv = P.Param.cParam == nullptr ? DefaultWordDiv
                                            : ReadRawText(C.Where.c_str(), "the word delimiters",
                                                          P.Param.cParam, WordDivSize - 1);
        Tell(C, Name + " " + Shown(WordDiv));
        return 1;
    case ESPT_GETWORDDIV:
        if (!CopyToPlugin(P.Param.cParam, WordDiv.c_str(), WordDiv.size() + 1))
            PluginFault(C.Where.c_str(), "the word delimiters' buffer at " +
                                             AddressText(P.Param.cParam) + " cannot be written");
        return 1;
    default:
        Done = false;
    }
    Tell(C, Name + " " + std::to_string(Value) + (Done ? "" : ": not taken; returns 0"));
    return Done;
}

int GetBookmarks(Call& C) {
    auto Marks = ReadRecord<EditorBookMarks>(C.Where.c_str(), "the EditorBookMarks", C.Param);
    long Line[BookmarkCount], Cursor[BookmarkCount], Screen[BookmarkCount], Left[BookmarkCount];
    for (int I = 0; I < BookmarkCount; ++I) {
        const Bookmark& B = C.Text.Bookmarks[I];
        Line[I] = B.Set ? B.At.Line : -1;
        Cursor[I] = B.Set ? B.At.Pos : -1;
        Screen[I] = B.Set ? B.ScreenLine : -1;
        Left[I] = B.Set ? B.LeftPos : -1;
    }
    const std::pair<long*, const long*> Arrays[] = {{Marks.Line, Line},
                                                    {Marks.Cursor, Cursor},
                                                    {Marks.ScreenLine, Screen},
                                                    {Marks.LeftPos, Left}};
    for (const auto& [To, From] : Arrays)
        if (To != nullptr && !CopyToPlugin(To, From, sizeof Line))
            PluginFault(C.Where.c_str(), "a bookmark array at " + AddressText(To) +
                                             " cannot take " + std::to_string(BookmarkCount) +
                                             " numbers");
    return 1;
}

int DeleteSelection(Call& C) {
    if (C.Text.Block.Kind == BlockKind::None || C.Text.Settings.Locked)
        return 0;
    DeleteBlock(C.Text);
    Tell(C, "the block is deleted");
    return 1;
}

int Serve(Call& C, int Command) {
    switch (Command) {
    case ECTL_GETSTRING:
        return GetString(C);
    case ECTL_SETSTRING:
        return SetString(C);
    case ECTL_INSERTSTRING:
        return InsertString(C);
    case ECTL_DELETESTRING:
        return DeleteString(C);
    case ECTL_DELETECHAR:
        return DeleteChar(C);
    case ECTL_INSERTTEXT:
        return InsertTextAtCursor(C);
    case ECTL_GETINFO:
        return GetInfo(C);
    case ECTL_SETPOSITION:
        return SetPosition(C);
    case ECTL_SELECT:
        return Select(C);
    case ECTL_REDRAW:
        Tell(C, "the editor redraws");
        return 1;
    case ECTL_EDITORTOOEM:
    case ECTL_OEMTOEDITOR:
        return 1; // the editor's text is in the OEM code page already
    case ECTL_TABTOREAL:
        return ConvertPosition(C, true);
    case ECTL_REALTOTAB:
        return ConvertPosition(C, false);
    case ECTL_EXPANDTABS:
        return ExpandTabs(C);
    case ECTL_SETTITLE:
        return SetTitle(C);
    case ECTL_READINPUT:
        return ReadInput(C);
    case ECTL_PROCESSINPUT:
        return ProcessKey(C, KeyOfInputRecord(ReadRecord<INPUT_RECORD>(
                                 C.Where.c_str(), "the INPUT_RECORD", C.Param)));
    case ECTL_ADDCOLOR:
        return AddColour(C);
    case ECTL_GETCOLOR:
        return GetColour(C);
    case ECTL_SAVEFILE:
        return SaveFile(C);
    case ECTL_QUIT:
        C.Editor.QuitAsked = true;
        Tell(C, "the editor closes when the plugin returns");
        return 1;
    case ECTL_SETKEYBAR:
        TellKeyBar(C.Where, C.Param);
        C.Editor.CustomKeyBar = C.Param != nullptr;
        return 1;
    case ECTL_PROCESSKEY:
        return ProcessKey(C, static_cast<int>(reinterpret_cast<intptr_t>(C.Param)));
    case ECTL_SETPARAM:
        return SetParameter(C);
    case ECTL_GETBOOKMARKS:
        return GetBookmarks(C);
    case ECTL_TURNOFFMARKINGBLOCK:
        C.Text.MarkingNow = Marking::None;
        return 1;
    case ECTL_DELETEBLOCK:
        return DeleteSelection(C);
    }
    Tell(C, "no such command; returns 0");
    return 0;
}

} // namespace

void SetWindowHooks(WindowHooks Given) {
    Hooks = Given;
}

std::string EditorCommandName(int Command) {
    if (Command >= 0 && Command < static_cast<int>(std::size(CommandNames)))
        return CommandNames[Command];
    char Number[16];
    snprintf(Number, sizeof Number, "0x%X", static_cast<unsigned>(Command));
    return Number;
}

void TellKeyBar(const std::string& Where, const void* Param) {
    if (Param == nullptr) {
        printf("host: %s: the key bar is the window's own again\n", Where.c_str());
        return;
    }
    if (Param == reinterpret_cast<const void*>(-1)) {
        printf("host: %s: the key bar redraws\n", Where.c_str());
        return;
    }
    auto Bar = ReadRecord<KeyBarTitles>(Where.c_str(), "the KeyBarTitles", Param);
    std::string Labels;
    for (int I = 0; I < 12; ++I)
        if (Bar.Titles[I] != nullptr)
            Labels += " F" + std::to_string(I + 1) + " " +
                      Quoted(ReadText(Where.c_str(), "key bar title " + std::to_string(I + 1),
                                      Bar.Titles[I]));
    printf("host: %s: the key bar shows%s\n", Where.c_str(),
           Labels.empty() ? " no plain labels" : Labels.c_str());
}

bool SaveEditorFile(EditorWindow& Editor) {
    Hooks.EditorEvent(EE_SAVE, nullptr);
    std::string Why = SaveEditorText(Editor, Editor.Path);
    std::string Name = Escaped(TitleName(Editor.Name));
    if (!Why.empty()) {
        printf("host: the editor cannot save %s: %s\n", Name.c_str(), Why.c_str());
        return false;
    }
    size_t Lines = Editor.Text.Lines.size();
    printf("host: the editor saves %s: %zu line%s\n", Name.c_str(), Lines, Lines == 1 ? "" : "s");
    return true;
}

PLUGIN_STDCALL int EditorControl(int Command, void* Param) {
    std::string Where = "EditorControl(" + EditorCommandName(Command) + ")";
    EditorWindow* Editor = ActiveEditor();
    if (Editor == nullptr) {
        printf("host: %s with no editor open: returns 0\n", Where.c_str());
        return 0;
    }
    try {
        Call C{Where, *Editor, Editor->Text, Param};
        return Serve(C, Command);
    } catch (const std::exception& Error) { // nothing may unwind into the plugin's frames
        StopRun(ExitStopped, "%s: qelhost could not serve the call: %s", Where.c_str(),
                Error.what());
    }
}
