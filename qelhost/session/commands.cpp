#include "qelhost/session/commands.hpp"
#include "qelhost/counts.hpp"
#include "host/native_services.hpp"
#include "qelhost/gate/registry_file.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/key_names.hpp"
#include "qelhost/services/text_format.hpp"
#include "qelhost/session/answers.hpp"
#include "qelhost/session/keys.hpp"
#include "qelhost/session/panel_commands.hpp"
#include "qelhost/session/terminal.hpp"
#include "qelhost/session/window_commands.hpp"
#include "qelhost/stop_run.hpp"

#include <stdio.h>

#include <sstream>

const char HelpText[] =
    "commands (menu items, buttons and history entries are numbered from 1):\n"
    "  menu panels|editor|viewer [N]   choose the plugin's menu item N (1 if not given)\n"
    "  command TEXT                    type TEXT on the command line and press Enter\n"
    "  open PATH                       press Enter on the file PATH\n"
    "  key NAME [shift|ctrl|alt]...    press a key on the plugin's panel, or in the\n"
    "                                  open editor or viewer\n"
    "  close                           leave the plugin's panel, or close the editor\n"
    "                                  (asking about unsaved changes) or viewer\n"
    "  edit FILE [LINE [COL]]          open the editor on FILE (LINE, COL from 1)\n"
    "  view FILE                       open the viewer on FILE\n"
    "  type TEXT                       type TEXT in the editor\n"
    "  show                            print the editor's or viewer's window\n"
    "  save                            save the editor's file\n"
    "  configure [N]                   choose the plugin's configuration item N (1 if not given)\n"
    "  panel [left|right] DIR          show the folder DIR in a file panel (the active one)\n"
    "  cursor NAME                     put the active panel's cursor on NAME\n"
    "  select NAME...                  select those items of the active panel\n"
    "  tab                             make the other panel active\n"
    "  find MASK                       find files in the active panel's folder and below,\n"
    "                                  and send the results to the plugin's panel\n"
    "  idle                            wait: the plugin's panels hear FE_IDLE\n"
    "  answer button LABEL|N | enter | esc      how the next box, dialog or menu closes\n"
    "  answer key NAME                 a break key (ShiftF4, CtrlA) closes the next menu\n"
    "  answer type TEXT | append TEXT | clear | history N\n"
    "                                  edits in the next dialog's field (type replaces\n"
    "                                  the text, selected when the dialog opens)\n"
    "  answer check N | radio N | item N\n"
    "                                  toggle check box N, choose radio button N or\n"
    "                                  list item N in the next dialog\n"
    "  registry                        print the plugin's keys under RootKey\n"
    "  note TEXT                       print a heading\n"
    "  help                            this list\n"
    "  quit, exit (or Ctrl-D)          close the plugin's panels and end the session\n";

namespace {

struct Words {
    std::string First;
    std::string Rest; // after the first word and the blanks that follow it
};

Words Split(const std::string& Line) {
    size_t End = Line.find_first_of(" \t");
    if (End == std::string::npos)
        return {Line, ""};
    size_t Next = Line.find_first_not_of(" \t", End);
    return {Line.substr(0, End), Next == std::string::npos ? "" : Line.substr(Next)};
}

std::string Unquoted(const std::string& Text) {
    if (Text.size() >= 2 && Text.front() == '"' && Text.back() == '"')
        return Text.substr(1, Text.size() - 2);
    return Text;
}

// Text typed into the field: in code page 866, or the command cannot be run.
std::string FieldText(const char* Command, const std::string& Rest) {
    std::string Text = Unquoted(Rest);
    std::string Why = WhyNotOem(Text);
    if (!Why.empty())
        throw BadCommand{std::string(Command) + ": " + Why + "; the plugin could not take it"};
    return Text;
}

int EntryNumber(const std::string& What, const std::string& Text) {
    std::string Mistake = CountMistake("the entry", Text);
    if (!Mistake.empty())
        throw BadCommand{"answer " + What + ": " + Mistake};
    long Entry = 0;
    ReadCount(Text, Entry);
    return static_cast<int>(Entry);
}

void PrepareAnswer(const Session& S, const std::string& What, const std::string& Rest) {
    if (What == "esc" && Rest.empty()) {
        PrepareClose(Answer::PressEsc, "", S.Line);
    } else if (What == "enter" && Rest.empty()) {
        PrepareClose(Answer::PressEnter, "", S.Line);
    } else if (What == "button" && !Rest.empty()) {
        PrepareClose(Answer::PressButton, Unquoted(Rest), S.Line);
    } else if (What == "key" && !Rest.empty()) {
        if (KeyFromName(Rest) < 0)
            throw BadCommand{"answer key: no key is called \"" + Rest +
                             "\" (the host's names: F4, ShiftF4, CtrlA, Enter, …)"};
        PrepareClose(Answer::PressKey, Rest, S.Line);
    } else if (What == "type") {
        PrepareEdit({EditStep::Type, FieldText("answer type", Rest), 0}, S.Line);
    } else if (What == "append") {
        PrepareEdit({EditStep::Append, FieldText("answer append", Rest), 0}, S.Line);
    } else if (What == "clear" && Rest.empty()) {
        PrepareEdit({EditStep::Clear, "", 0}, S.Line);
    } else if (What == "history" && !Rest.empty()) {
        PrepareEdit({EditStep::FromHistory, "", EntryNumber(What, Rest)}, S.Line);
    } else if (What == "check" && !Rest.empty()) {
        PrepareEdit({EditStep::Check, "", EntryNumber(What, Rest)}, S.Line);
    } else if (What == "radio" && !Rest.empty()) {
        PrepareEdit({EditStep::Radio, "", EntryNumber(What, Rest)}, S.Line);
    } else if (What == "item" && !Rest.empty()) {
        PrepareEdit({EditStep::ListItem, "", EntryNumber(What, Rest)}, S.Line);
    } else {
        throw BadCommand{"answer: say button LABEL|N, enter, esc, key NAME, type TEXT, append "
                         "TEXT, clear, history N, check N, radio N or item N (N from 1)"};
    }
}

void Menu(Session& S, const std::string& Rest) {
    std::vector<std::string> Arguments = AllWords(Rest);
    if (Arguments.empty() || Arguments.size() > 2)
        throw BadCommand{"menu: say panels, editor or viewer, and the item's number if not 1"};
    std::string Item = Arguments.size() == 2 ? Arguments[1] : "";
    if (!MenuFromWindow(S, Arguments[0], Item))
        ChooseFromMenu(S, Arguments[0], Item);
}

void Configure(Session& S, const std::string& Rest) {
    std::vector<std::string> Arguments = AllWords(Rest);
    if (Arguments.size() > 1)
        throw BadCommand{"configure: say the item's number if not 1"};
    ConfigurePlugin(S, Arguments.empty() ? "" : Arguments[0]);
}

// The plugin's settings as REGEDIT4 lines, their texts read in the host's
// code page (866) as everything the plugin shows.
void ShowRegistry() {
    std::string Root = std::string("HKEY_CURRENT_USER\\") + NativeRootKey;
    std::string Text = RegistryText(Root);
    if (Text.empty()) {
        printf("host: the registry holds nothing under %s\n", Root.c_str());
        return;
    }
    printf("host: the registry under %s:\n", Root.c_str());
    std::istringstream Lines(Text);
    for (std::string Line; std::getline(Lines, Line);)
        if (!Line.empty())
            printf("  %s\n", Printable(OemToUnicode(Line)).c_str());
}

// An answer the command did not use: the script stops; at the prompt it
// is dropped.
void CheckAnswersUsed(const Session& S, const std::string& Line) {
    int Unused = FirstUnusedAnswerLine();
    if (Unused == 0)
        return;
    std::string Why = "line " + std::to_string(Unused) + ": the answer there was not used by \"" +
                      Line + "\" on line " + std::to_string(S.Line);
    if (!OnTerminal())
        StopRun(ExitStopped, "%s", Escaped(Why).c_str());
    TellMistake(Why + "; it is dropped");
    DropPreparedAnswers();
}

} // namespace

std::vector<std::string> AllWords(const std::string& Text) {
    std::istringstream Stream(Text);
    std::vector<std::string> Result;
    for (std::string Word; Stream >> Word;)
        Result.push_back(Word);
    return Result;
}

bool RunCommand(Session& S, const std::string& Line) {
    auto [Command, Rest] = Split(Line);
    if (Command == "answer") {
        auto [What, Tail] = Split(Rest);
        PrepareAnswer(S, What, Tail);
        return true;
    }
    if (Command == "quit" || Command == "exit")
        return false;
    if (Command == "help")
        printf("%sthe keys: %s\n", HelpText, KeyNames().c_str());
    else if (Command == "registry" && Rest.empty())
        ShowRegistry();
    else if (Command == "note")
        printf("\n== %s ==\n", Escaped(Rest).c_str());
    else if (Command == "menu")
        Menu(S, Rest);
    else if (Command == "command")
        TypeCommandLine(S, Rest);
    else if (Command == "open")
        PressEnterOnFile(S, Rest);
    else if (Command == "key") {
        if (!KeyToWindow(S, AllWords(Rest)))
            PressKey(S, AllWords(Rest));
    } else if (Command == "close") {
        if (!CloseWindow())
            CloseActivePanel(S);
    } else if (Command == "edit")
        EditFile(AllWords(Rest));
    else if (Command == "view")
        ViewFile(Unquoted(Rest));
    else if (Command == "type")
        TypeIntoEditor(S, Unquoted(Rest));
    else if (Command == "show" && Rest.empty())
        ShowWindow();
    else if (Command == "save" && Rest.empty())
        SaveEditedFile();
    else if (Command == "configure")
        Configure(S, Rest);
    else if (Command == "panel")
        PanelCommand(S, AllWords(Rest));
    else if (Command == "cursor" && !Rest.empty())
        CursorCommand(S, Rest);
    else if (Command == "select")
        SelectCommand(S, AllWords(Rest));
    else if (Command == "tab" && Rest.empty())
        TabCommand(S);
    else if (Command == "find")
        FindCommand(S, Rest);
    else if (Command == "idle" && Rest.empty())
        IdleCommand(S);
    else
        throw BadCommand{"unknown command \"" + Command + "\" (help lists the commands)"};
    FinishPanels(S);
    CheckAnswersUsed(S, Line);
    return true;
}
