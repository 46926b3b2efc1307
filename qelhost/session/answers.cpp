#include "qelhost/session/answers.hpp"
#include "qelhost/stop_run.hpp"

#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <strings.h>

#include <algorithm>
#include <deque>
#include <iostream>
#include <map>

namespace {

std::deque<Answer> Prepared;
Answer Pending; // edits waiting for their closing step
bool PendingUsed = false;
bool Asking = false;
std::map<std::string, std::vector<std::string>> Histories;

// Button faces are "[ Label ]" or "{ Label }".
std::string Label(const std::string& Face) {
    return Face.size() >= 4 ? Face.substr(2, Face.size() - 4) : Face;
}

std::string ReadTerminalLine(const char* Prompt) {
    printf("%s", Prompt);
    fflush(stdout);
    std::string Line;
    if (!std::getline(std::cin, Line))
        StopRun(ExitStopped, "the terminal closed while a box was waiting for an answer");
    return Line;
}

// The 0-based position of the button named by its label or 1-based
// number, or -1 when there is none.
int FindButton(const std::string& Name, const std::vector<std::string>& Buttons) {
    for (size_t I = 0; I < Buttons.size(); ++I)
        if (strcasecmp(Label(Buttons[I]).c_str(), Name.c_str()) == 0)
            return static_cast<int>(I);
    int Number = atoi(Name.c_str());
    if (std::to_string(Number) == Name && Number >= 1 && Number <= static_cast<int>(Buttons.size()))
        return Number - 1;
    return -1;
}

void AskForEdits(Answer& Result, const FieldView& Field) {
    const std::vector<std::string>& Entries = History(Field.HistoryName);
    for (size_t I = 0; I < Entries.size(); ++I)
        printf("  history %s %zu: \"%s\"\n", Field.HistoryName.c_str(), I + 1, Entries[I].c_str());
    printf("  The field reads \"%s\".\n", Field.Text.c_str());
    std::string Line = ReadTerminalLine(
        Entries.empty() ? "  New text (Enter keeps it): "
                        : "  New text (Enter keeps it, !N takes history entry N): ");
    if (Line.empty())
        return;
    if (Line[0] == '!' && Line.size() > 1 && isdigit(static_cast<unsigned char>(Line[1]))) {
        Result.Edits.push_back({EditStep::FromHistory, "", atoi(Line.c_str() + 1)});
        return;
    }
    Result.Edits.push_back({EditStep::Clear, "", 0});
    Result.Edits.push_back({EditStep::Type, Line, 0});
}

Answer AskUser(const std::vector<std::string>& Buttons, const FieldView* Field) {
    Answer Result;
    if (Field != nullptr)
        AskForEdits(Result, *Field);
    std::string Choices;
    for (size_t I = 0; I < Buttons.size(); ++I)
        Choices += std::to_string(I + 1) + " " + Buttons[I] + ", ";
    std::string Prompt = "  Press which? " + Choices + "Esc (Enter for the default): ";
    for (;;) {
        std::string Line = ReadTerminalLine(Prompt.c_str());
        if (Line.empty()) {
            Result.Close = Answer::PressEnter;
        } else if (strcasecmp(Line.c_str(), "esc") == 0) {
            Result.Close = Answer::PressEsc;
        } else if (FindButton(Line, Buttons) >= 0) {
            Result.Close = Answer::PressButton;
            Result.ButtonName = Line;
        } else {
            printf("  There is no button \"%s\".\n", Line.c_str());
            continue;
        }
        return Result;
    }
}

} // namespace

void PrepareEdit(const EditStep& Step, int Line) {
    if (!PendingUsed)
        Pending.Line = Line;
    PendingUsed = true;
    Pending.Edits.push_back(Step);
}

void PrepareClose(Answer::Kind Close, const std::string& Button, int Line) {
    if (!PendingUsed)
        Pending.Line = Line;
    Pending.Close = Close;
    Pending.ButtonName = Button;
    Prepared.push_back(Pending);
    Pending = Answer{};
    PendingUsed = false;
}

int FirstUnusedAnswerLine() {
    if (!Prepared.empty())
        return Prepared.front().Line;
    return PendingUsed ? Pending.Line : 0;
}

void AskOnTerminal(bool Ask) {
    Asking = Ask;
}

Answer NextAnswer(const std::string& What, const std::vector<std::string>& Buttons,
                  const FieldView* Field) {
    bool HasField = Field != nullptr;
    if (!Prepared.empty()) {
        Answer Next = Prepared.front();
        Prepared.pop_front();
        if (!Next.Edits.empty() && !HasField)
            StopRun(ExitStopped, "line %d: %s has no field to type into", Next.Line, What.c_str());
        return Next;
    }
    if (PendingUsed)
        StopRun(ExitStopped, "line %d: the answer for %s lacks its closing button, enter or esc",
                Pending.Line, What.c_str());
    if (!Asking)
        StopRun(ExitStopped,
                "no answer prepared for %s (answers go before the command that shows it)",
                What.c_str());
    return AskUser(Buttons, Field);
}

int ChosenButton(const Answer& A, const std::vector<std::string>& Buttons, int DefaultButton) {
    if (A.Close == Answer::PressEsc)
        return -1;
    if (A.Close == Answer::PressEnter)
        return DefaultButton;
    int Found = FindButton(A.ButtonName, Buttons);
    if (Found >= 0)
        return Found;
    std::string Shown;
    for (const std::string& Face : Buttons)
        Shown += " " + Face;
    StopRun(ExitStopped, "line %d: no button \"%s\" here; the buttons are%s", A.Line,
            A.ButtonName.c_str(), Shown.c_str());
}

void ReportClose(const Answer& A, int Pressed, const std::vector<std::string>& Buttons) {
    if (Pressed == -1)
        printf("user: presses Esc\n");
    else if (Pressed < 0)
        printf("user: presses Enter\n");
    else if (A.Close == Answer::PressEnter)
        printf("user: presses Enter on %s\n", Buttons[Pressed].c_str());
    else
        printf("user: presses %s\n", Buttons[Pressed].c_str());
}

const std::vector<std::string>& History(const std::string& Name) {
    return Histories[Name];
}

void AddToHistory(const std::string& Name, const std::string& Text) {
    std::vector<std::string>& Entries = Histories[Name];
    Entries.erase(std::remove(Entries.begin(), Entries.end(), Text), Entries.end());
    Entries.insert(Entries.begin(), Text);
}
