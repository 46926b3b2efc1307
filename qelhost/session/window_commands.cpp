#include "qelhost/session/window_commands.hpp"
#include "qelhost/counts.hpp"
#include "qelhost/regular_file.hpp"
#include "host/native_viewer.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/editor_keys.hpp"
#include "qelhost/services/key_names.hpp"
#include "qelhost/services/editor_view.hpp"
#include "qelhost/services/message_box.hpp"
#include "qelhost/services/text_format.hpp"
#include "qelhost/services/viewer_window.hpp"
#include "qelhost/services/window_control.hpp"
#include "qelhost/session/answers.hpp"
#include "qelhost/session/commands.hpp"
#include "qelhost/session/keys.hpp"
#include "qelhost/session/session.hpp"
#include "qelhost/stop_run.hpp"

#include <stdio.h>

namespace {

Session* Current; // for the services' hooks, which have no session to hand

// What the plugin could see change: text, cursor, block, title.
std::string Fingerprint(const EditorWindow& Editor) {
    const EditorText& T = Editor.Text;
    return JoinLines(T.Lines) + '\0' + std::to_string(T.Cursor.Line) + ':' +
           std::to_string(T.Cursor.Pos) + ':' + std::to_string(static_cast<int>(T.Block.Kind)) +
           ':' + std::to_string(T.Block.Start.Line) + ':' + std::to_string(T.Block.Start.Pos) +
           ':' + std::to_string(T.Block.End.Line) + ':' + std::to_string(T.Block.End.Pos) + ':' +
           Editor.Title;
}

void EditorEvent(int Event, void* Param) {
    static const char* const Names[] = {"EE_READ", "EE_SAVE", "EE_REDRAW", "EE_CLOSE"};
    if (!Current->Plugin.Has(PluginEntries::ProcessEditorEvent))
        return;
    std::string Detail = Event == EE_REDRAW  ? ", EEREDRAW_ALL"
                         : Event == EE_CLOSE ? ", editor " + std::to_string(ActiveEditor()->Id)
                                             : "";
    printf("host: ProcessEditorEvent(%s%s)\n", Names[Event], Detail.c_str());
    Current->Plugin.ProcessEditorEventCall(Event, Param);
}

void ViewerEvent(int Event, void* Param) {
    if (!Current->Plugin.Has(PluginEntries::ProcessViewerEvent))
        return;
    printf("host: ProcessViewerEvent(%s)\n",
           Event == VE_READ ? "VE_READ"
                            : ("VE_CLOSE, viewer " + std::to_string(ActiveViewer()->Id)).c_str());
    Current->Plugin.ProcessViewerEventCall(Event, Param);
}

// ECTL_READINPUT: the script's next line must press a key.
bool ReadKey(INPUT_RECORD& Record) {
    std::string Line;
    if (!NextScriptCommand(*Current, Line))
        return false;
    std::vector<std::string> Words = AllWords(Line);
    if (Words.empty() || Words[0] != "key")
        StopRun(ExitStopped,
                "line %d: the plugin reads a key (ECTL_READINPUT); say key NAME, not \"%s\"",
                Current->Line, Escaped(Line).c_str());
    Words.erase(Words.begin());
    try {
        NamedKey Key = ReadKeyWords(Words);
        Record = KeyEventOf(Key.VirtualKey, Key.State);
        printf("host: ECTL_READINPUT gives the plugin %s\n", Key.Title.c_str());
    } catch (const BadCommand& Error) {
        StopRun(ExitStopped, "line %d: %s", Current->Line, Escaped(Error.Why).c_str());
    }
    return true;
}

std::string RecordText(const INPUT_RECORD& Record) {
    const KEY_EVENT_RECORD& Key = Record.Event.KeyEvent;
    char Text[96];
    snprintf(Text, sizeof Text, "VK 0x%02X, character 0x%02X, control state 0x%X",
             Key.wVirtualKeyCode, static_cast<unsigned char>(Key.uChar.AsciiChar),
             static_cast<unsigned>(Key.dwControlKeyState));
    return Text;
}

EditorWindow& OpenEditor(const char* Command) {
    EditorWindow* Editor = ActiveEditor();
    if (Editor == nullptr)
        throw BadCommand{std::string(Command) + ": no editor is open (edit FILE opens one)"};
    return *Editor;
}

void CheckNoWindow(const char* Command) {
    if (ActiveEditor() != nullptr || ActiveViewer() != nullptr)
        throw BadCommand{std::string(Command) +
                         ": close the open editor or viewer first (qelhost shows one at a time)"};
}

int Number(const char* Command, const char* What, const std::string& Text) {
    std::string Mistake = CountMistake(What, Text);
    if (!Mistake.empty())
        throw BadCommand{std::string(Command) + ": " + Mistake};
    long Value = 0;
    ReadCount(Text, Value);
    if (Value < 1)
        throw BadCommand{std::string(Command) + ": " + What + " counts from 1"};
    return static_cast<int>(Value);
}

void CloseEditor(const char* How) {
    EditorWindow* Editor = ActiveEditor();
    int Id = Editor->Id;
    EditorEvent(EE_CLOSE, &Id);
    printf("host: the editor closes%s\n", How);
    CloseEditorWindow();
}

void CloseViewer() {
    int Id = ActiveViewer()->Id;
    ViewerEvent(VE_CLOSE, &Id);
    printf("host: the viewer closes\n");
    CloseViewerWindow();
}

// The box the host shows when a modified file's editor closes: true when
// the editor may close.
bool ConfirmClose(EditorWindow& Editor) {
    MessageContent Box;
    Box.Title = U"Editor";
    Box.Texts = {U"File has been modified",
                 U"Save " + FromUtf8(Escaped(TitleName(Editor.Name))) + U"?"};
    Box.Buttons = {U"&Save", U"Do&n't save", U"&Continue editing"};
    int Pressed = ShowHostMessage(Box, NextAnswer);
    if (Pressed == 0)
        return SaveEditorFile(Editor);
    return Pressed == 1;
}

// After a key, typing or the plugin's menu: the editor closes if the plugin
// asked, or redraws (EE_REDRAW) when what the plugin sees has changed.
void AfterEditorCommand(const std::string& Before) {
    EditorWindow* Editor = ActiveEditor();
    if (Editor == nullptr)
        return;
    if (Editor->QuitAsked) {
        CloseEditor(" as the plugin asked");
        return;
    }
    if (Fingerprint(*Editor) != Before)
        EditorEvent(EE_REDRAW, reinterpret_cast<void*>(static_cast<intptr_t>(EEREDRAW_ALL)));
}

// The editor's own handling of a key the plugin left to it.
void EditorActs(EditorWindow& Editor, int Key, const std::string& Title) {
    switch (EditorTakesKey(Editor, Key)) {
    case WindowAction::Nothing:
        printf("host: the editor has no use for %s\n", Title.c_str());
        break;
    case WindowAction::Done:
        printf("host: the editor takes %s\n", Title.c_str());
        break;
    case WindowAction::Save:
        SaveEditorFile(Editor);
        break;
    case WindowAction::Close:
        CloseWindow();
        break;
    }
}

// Offers the plugin the key first; true when it took it.
bool PluginTakesKey(Session& S, const INPUT_RECORD& Record, const std::string& Title) {
    if (!S.Plugin.Has(PluginEntries::ProcessEditorInput))
        return false;
    printf("host: ProcessEditorInput(%s: %s)\n", Title.c_str(), RecordText(Record).c_str());
    int Taken = S.Plugin.ProcessEditorInputCall(&Record);
    if (Taken != 0)
        printf("host: ProcessEditorInput returns %d: the plugin took %s\n", Taken, Title.c_str());
    return Taken != 0;
}

void KeyToEditor(Session& S, EditorWindow& Editor, const NamedKey& Key) {
    std::string Before = Fingerprint(Editor);
    INPUT_RECORD Record = KeyEventOf(Key.VirtualKey, Key.State);
    if (!PluginTakesKey(S, Record, Key.Title) && ActiveEditor() == &Editor)
        EditorActs(Editor, KeyOfInputRecord(Record), Key.Title);
    AfterEditorCommand(Before);
}

void KeyToViewer(ViewerWindow& Viewer, const NamedKey& Key) {
    INPUT_RECORD Record = KeyEventOf(Key.VirtualKey, Key.State);
    switch (ViewerTakesKey(Viewer, KeyOfInputRecord(Record))) {
    case WindowAction::Nothing:
    case WindowAction::Save:
        printf("host: the viewer has no use for %s\n", Key.Title.c_str());
        break;
    case WindowAction::Done:
        printf("host: the viewer takes %s\n", Key.Title.c_str());
        break;
    case WindowAction::Close:
        CloseViewer();
        break;
    }
}

} // namespace

void ConnectWindows(Session& S) {
    Current = &S;
    SetWindowHooks({EditorEvent, ReadKey});
}

void EditFile(const std::vector<std::string>& Words) {
    if (Words.empty() || Words.size() > 3)
        throw BadCommand{"edit: say FILE, and LINE and COL (from 1) if not the start"};
    CheckNoWindow("edit");
    int Line = Words.size() > 1 ? Number("edit", "the line", Words[1]) - 1 : 0;
    int Column = Words.size() > 2 ? Number("edit", "the column", Words[2]) - 1 : 0;
    const std::string& Path = Words[0];
    std::string Why = OpenEditorWindow(Path, Line, Column);
    if (!Why.empty())
        throw BadCommand{"edit: cannot edit " + Path + ": " + Why};
    EditorWindow& Editor = *ActiveEditor();
    size_t Lines = Editor.Text.Lines.size();
    printf("host: the editor opens %s as %s: %zu line%s\n", Escaped(Path).c_str(),
           Printable(OemToUnicode(Editor.PluginPath)).c_str(), Lines, Lines == 1 ? "" : "s");
    EditorEvent(EE_READ, nullptr);
    AfterEditorCommand("");
}

void ViewFile(const std::string& Path) {
    if (Path.empty())
        throw BadCommand{"view: name the file"};
    CheckNoWindow("view");
    std::string Why = OpenViewerWindow(Path);
    if (!Why.empty())
        throw BadCommand{"view: cannot view " + Path + ": " + Why};
    ViewerWindow& Viewer = *ActiveViewer();
    long long Size = FileSize(Viewer);
    printf("host: the viewer opens %s as %s: %lld byte%s\n", Escaped(Path).c_str(),
           Printable(OemToUnicode(Viewer.PluginPath)).c_str(), Size, Size == 1 ? "" : "s");
    ViewerEvent(VE_READ, nullptr);
}

void ShowWindow() {
    if (EditorWindow* Editor = ActiveEditor())
        fputs(EditorPicture(*Editor).c_str(), stdout);
    else if (ViewerWindow* Viewer = ActiveViewer())
        fputs(ViewerPicture(*Viewer).c_str(), stdout);
    else
        throw BadCommand{"show: no editor or viewer is open"};
}

void SaveEditedFile() {
    SaveEditorFile(OpenEditor("save"));
}

void TypeIntoEditor(Session& S, const std::string& Utf8) {
    EditorWindow& Editor = OpenEditor("type");
    std::u32string Missing = MissingFromOem(FromUtf8(Utf8));
    if (!Missing.empty())
        throw BadCommand{"type: code page 866 has no " + ToUtf8(Missing) +
                         "; the plugin could not take it"};
    std::string Text = UnicodeToOem(FromUtf8(Utf8));
    for (char Character : Text)
        if (static_cast<unsigned char>(Character) < 0x20 && Character != '\t')
            throw BadCommand{
                "type: " + Escaped(std::string(1, Character)) +
                " is no character to type (key presses Enter, BackSpace and the like)"};
    std::string Before = Fingerprint(Editor);
    if (!S.Plugin.Has(PluginEntries::ProcessEditorInput))
        printf("host: the editor types %s\n", Quoted(OemToUnicode(Text)).c_str());
    for (char Character : Text) {
        if (ActiveEditor() != &Editor)
            break; // the plugin closed it
        INPUT_RECORD Record = CharacterEventOf(Character);
        std::string Title = Quoted(OemToUnicode(std::string(1, Character)));
        if (!PluginTakesKey(S, Record, Title))
            EditorTakesKey(Editor, static_cast<unsigned char>(Character));
    }
    AfterEditorCommand(Before);
}

bool KeyToWindow(Session& S, const std::vector<std::string>& Words) {
    EditorWindow* Editor = ActiveEditor();
    ViewerWindow* Viewer = ActiveViewer();
    if (Editor == nullptr && Viewer == nullptr)
        return false;
    NamedKey Key = ReadKeyWords(Words);
    if (Editor != nullptr)
        KeyToEditor(S, *Editor, Key);
    else
        KeyToViewer(*Viewer, Key);
    return true;
}

bool CloseWindow() {
    if (ActiveViewer() != nullptr) {
        CloseViewer();
        return true;
    }
    EditorWindow* Editor = ActiveEditor();
    if (Editor == nullptr)
        return false;
    if (Editor->Text.Modified && !ConfirmClose(*Editor)) {
        printf("host: the editor stays open\n");
        return true;
    }
    CloseEditor("");
    return true;
}

bool MenuFromWindow(Session& S, const std::string& Where, const std::string& Item) {
    if (Where == "editor" && ActiveEditor() != nullptr) {
        std::string Before = Fingerprint(*ActiveEditor());
        ChooseFromMenu(S, Where, Item);
        AfterEditorCommand(Before);
        return true;
    }
    if (Where == "viewer" && ActiveViewer() != nullptr) {
        ChooseFromMenu(S, Where, Item);
        if (ActiveViewer() != nullptr && ActiveViewer()->QuitAsked) {
            CloseViewer();
        }
        return true;
    }
    return false;
}

void CloseWindowsAtEnd() {
    if (ActiveViewer() != nullptr)
        CloseViewer();
    if (EditorWindow* Editor = ActiveEditor())
        CloseEditor(Editor->Text.Modified ? " without saving" : "");
}
