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
    std::string Line;
    while (AskLine(Prompt, Line)) {
        if (Line.empty()) {
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
