#include "qelhost/session/answer_prompt.hpp"
#include "qelhost/counts.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/history.hpp"
#include "qelhost/services/text_format.hpp"
#include "qelhost/session/terminal.hpp"

#include <stdio.h>
#include <strings.h>

#include <algorithm>

namespace {

// A number from 1 to Last written plainly, or 0.
int NumberUpTo(const std::string& Text, size_t Last) {
    long Number = 0;
    if (ReadCount(Text, Number) != CountRead::Whole)
        return 0;
    return Number >= 1 && static_cast<size_t>(Number) <= Last ? static_cast<int>(Number) : 0;
}

// One edit typed at the field's prompt, or false when it is a mistake.
bool FieldEdit(const std::string& Line, const FieldView& Field, Answer& Result) {
    const std::vector<std::string>& Entries = History(Field.HistoryName);
    if (Line[0] == '!' && !Entries.empty()) {
        int Entry = NumberUpTo(Line.substr(1), Entries.size());
        if (Entry == 0) {
            TellMistake("the history has entries 1 to " + std::to_string(Entries.size()) +
                        ", not \"" + Line.substr(1) + "\"");
            return false;
        }
        Result.Edits.push_back({EditStep::FromHistory, "", Entry});
        return true;
    }
    std::string Why = WhyNotOem(Line);
    if (!Why.empty()) {
        TellMistake(Why + "; the plugin cannot take it");
        return false;
    }
    Result.Edits.push_back({EditStep::Clear, "", 0});
    Result.Edits.push_back({EditStep::Type, Line, 0});
    return true;
}

void AskForEdits(Answer& Result, const FieldView& Field) {
    const std::vector<std::string>& Entries = History(Field.HistoryName);
    for (size_t I = 0; I < Entries.size(); ++I)
        printf("  history %s %zu: \"%s\"\n", Escaped(Field.HistoryName).c_str(), I + 1,
               Escaped(Entries[I]).c_str());
    printf("  The field reads \"%s\".\n", Escaped(Field.Text).c_str());
    const char* Prompt = Entries.empty()
                             ? "  New text (Enter keeps it): "
                             : "  New text (Enter keeps it, !N takes history entry N from 1): ";
    std::string Line;
    while (AskLine(Prompt, Line))
        if (Line.empty() || FieldEdit(Line, Field, Result))
            return;
}

// What the buttons' prompt takes before the button, as a script's answer
// check N, radio N or item N does.
struct ControlWord {
    const char* Word;
    EditStep::Kind What;
    int FieldView::*Count;
    const char* Things;
};
const ControlWord ControlWords[] = {
    {"check", EditStep::Check, &FieldView::CheckBoxes, "check boxes"},
    {"radio", EditStep::Radio, &FieldView::RadioButtons, "radio buttons"},
    {"item", EditStep::ListItem, &FieldView::ListItems, "list items"},
};

// "; not 4, 5": the list items the cursor never stops on, or "".
std::string BarredItems(const FieldView& Field) {
    std::vector<std::string> Numbers;
    for (int Entry = 1; Entry <= Field.ListItems; ++Entry)
        if (!BarredListItem(Field, Entry).empty())
            Numbers.push_back(std::to_string(Entry));
    return Numbers.empty() ? "" : "; not " + Joined(Numbers, ", ");
}

// "Before the button: check N (check boxes 1 to 3), …, item N (list items
// 1 to 5; not 4, 5)", or "" when the dialog has none of them.
std::string ControlHint(const FieldView* Field) {
    std::vector<std::string> Hints;
    for (const ControlWord& Control : ControlWords)
        if (Field != nullptr && Field->*Control.Count > 0)
            Hints.push_back(std::string(Control.Word) + " N (" + Control.Things + " 1 to " +
                            std::to_string(Field->*Control.Count) +
                            (Control.What == EditStep::ListItem ? BarredItems(*Field) : "") + ")");
    return Hints.empty() ? "" : "  Before the button: " + Joined(Hints, ", ") + ".\n";
}

// Whether Line chooses a check box, radio button or list item: then it is
// added to the answer's edits, or told as a mistake.
bool ControlChoice(const std::string& Line, const FieldView* Field, Answer& Result) {
    size_t Blank = Line.find(' ');
    std::string Word = Line.substr(0, Blank);
    for (const ControlWord& Control : ControlWords) {
        if (strcasecmp(Word.c_str(), Control.Word) != 0)
            continue;
        int Count = Field != nullptr ? Field->*Control.Count : 0;
        std::string Given = Blank == std::string::npos ? "" : Line.substr(Blank + 1);
        int Number = NumberUpTo(Given, Count);
        std::string Barred =
            Control.What == EditStep::ListItem && Number > 0 ? BarredListItem(*Field, Number) : "";
        if (Count == 0)
            TellMistake(std::string("this dialog has no ") + Control.Things);
        else if (Number == 0)
            TellMistake(std::string("the ") + Control.Things + " are 1 to " +
                        std::to_string(Count) + ", not \"" + Given + "\"");
        else if (!Barred.empty())
            TellMistake(Barred);
        else
            Result.Edits.push_back({Control.What, "", Number});
        return true;
    }
    return false;
}

} // namespace

Answer AskUser(const std::vector<std::string>& Buttons, const FieldView* Field,
               const std::vector<std::string>* BreakKeys) {
    Answer Result;
    if (Field != nullptr && Field->HasField)
        AskForEdits(Result, *Field);
    std::vector<std::string> Choices;
    for (size_t I = 0; I < Buttons.size(); ++I)
        if (!Buttons[I].empty())
            Choices.push_back(std::to_string(I + 1) + " " + Buttons[I]);
    Choices.push_back("Esc");
    std::vector<std::string> Keys = BreakKeys != nullptr ? *BreakKeys : std::vector<std::string>{};
    if (!Keys.empty())
        Choices.push_back("the key " + Joined(Keys, ", "));
    std::string Prompt = "  Press which? " + Joined(Choices, ", ") + " (Enter for the default): ";
    printf("%s", ControlHint(Field).c_str());
    std::string Line;
    while (AskLine(Prompt, Line)) {
        if (ControlChoice(Line, Field, Result)) {
            continue;
        } else if (Line.empty()) {
            Result.Close = Answer::PressEnter;
        } else if (strcasecmp(Line.c_str(), "esc") == 0) {
            Result.Close = Answer::PressEsc;
        } else if (std::find_if(Keys.begin(), Keys.end(), [&](const std::string& Key) {
                       return strcasecmp(Key.c_str(), Line.c_str()) == 0;
                   }) != Keys.end()) {
            Result.Close = Answer::PressKey;
            Result.ButtonName = Line;
        } else if (FindButton(Line, Buttons) >= 0) {
            Result.Close = Answer::PressButton;
            Result.ButtonName = Line;
        } else {
            TellMistake("there is no button \"" + Line + "\"");
            continue;
        }
        return Result;
    }
    printf("user: ends the input (Ctrl-D): Esc closes what is open, and the session ends\n");
    Result.Edits.clear();
    Result.Close = Answer::PressEsc;
    return Result;
}
