#include "qelhost/session/answers.hpp"
#include "qelhost/services/history.hpp"
#include "qelhost/services/key_names.hpp"
#include "qelhost/services/text_format.hpp"
#include "qelhost/session/answer_prompt.hpp"
#include "qelhost/session/terminal.hpp"
#include "qelhost/stop_run.hpp"

#include <string.h>

#include <deque>

namespace {

int CommandLine = 0;

std::deque<Answer> Prepared;
Answer Pending; // edits waiting for their closing step
bool PendingUsed = false;
// Boxes closed by Esc since the input ended: a plugin that keeps asking
// would otherwise never let the session end.
int ClosedAfterEnd = 0;
constexpr int MaxClosedAfterEnd = 100;

// The faces that can be chosen, for a mistake's message.
std::string ChoosableFaces(const std::vector<std::string>& Buttons) {
    std::vector<std::string> Shown;
    for (const std::string& Face : Buttons)
        if (!Face.empty())
            Shown.push_back(Face);
    return Joined(Shown, " ");
}

// Why a key does not close the box or menu, or "".
std::string UnfitKey(const std::string& Name, const std::vector<std::string>* BreakKeys) {
    if (BreakKeys == nullptr || BreakKeys->empty())
        return "the key " + Name + " closes only a menu with break keys, and this is none";
    int Key = KeyFromName(Name);
    for (const std::string& BreakKey : *BreakKeys)
        if (Key >= 0 && KeyFromName(BreakKey) == Key)
            return "";
    return "the menu has no break key " + Name + "; its break keys are " + Joined(*BreakKeys, " ");
}

// Why Reply does not fit the box, or "".
std::string Unfit(const Answer& Reply, const std::vector<std::string>& Buttons,
                  const FieldView* Field, const std::vector<std::string>* BreakKeys) {
    for (const EditStep& Step : Reply.Edits) {
        struct Choice {
            EditStep::Kind What;
            int Count;
            const char* Things;
        };
        const Choice Choices[] = {
            {EditStep::Check, Field ? Field->CheckBoxes : 0, "check boxes"},
            {EditStep::Radio, Field ? Field->RadioButtons : 0, "radio buttons"},
            {EditStep::ListItem, Field ? Field->ListItems : 0, "list items"}};
        for (const Choice& C : Choices)
            if (Step.What == C.What && Step.Entry > C.Count)
                return "there is no " + std::string(C.Things).substr(0, strlen(C.Things) - 1) +
                       " " + std::to_string(Step.Entry) + " here (it has " +
                       std::to_string(C.Count) + " " + C.Things + ")";
        if (Step.What == EditStep::ListItem && Field != nullptr)
            if (std::string Barred = BarredListItem(*Field, Step.Entry); !Barred.empty())
                return Barred;
        if (!EditsText(Step))
            continue;
        if (Field == nullptr || !Field->HasField)
            return "there is no field to type into";
        size_t Entries = History(Field->HistoryName).size();
        if (Step.What == EditStep::FromHistory && static_cast<size_t>(Step.Entry) > Entries)
            return "the history \"" + Field->HistoryName + "\" has no entry " +
                   std::to_string(Step.Entry) + " (it has " + std::to_string(Entries) + ")";
    }
    if (Reply.Close == Answer::PressKey)
        return UnfitKey(Reply.ButtonName, BreakKeys);
    const char* Choice = BreakKeys != nullptr ? "item" : "button";
    if (Reply.Close == Answer::PressButton && FindButton(Reply.ButtonName, Buttons) < 0)
        return "no " + std::string(Choice) + " \"" + Reply.ButtonName + "\" here; the " + Choice +
               "s are " + ChoosableFaces(Buttons);
    return "";
}

Answer EscAfterEnd() {
    if (++ClosedAfterEnd > MaxClosedAfterEnd)
        StopRun(ExitStopped, "the plugin showed %d boxes after the input ended; it does not stop",
                MaxClosedAfterEnd);
    Answer Esc;
    Esc.Close = Answer::PressEsc;
    return Esc;
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

void DropPreparedAnswers() {
    Prepared.clear();
    Pending = Answer{};
    PendingUsed = false;
}

Answer NextAnswer(const std::string& What, const std::vector<std::string>& Buttons,
                  const FieldView* Field, const std::vector<std::string>* BreakKeys) {
    if (!Prepared.empty()) {
        Answer Next = Prepared.front();
        Prepared.pop_front();
        std::string Why = Unfit(Next, Buttons, Field, BreakKeys);
        if (Why.empty())
            return Next;
        if (!OnTerminal())
            StopRun(ExitStopped, "line %d: %s", Next.Line, Escaped(Why).c_str());
        TellMistake("line " + std::to_string(Next.Line) + ": " + Why + "; asking instead");
    } else if (PendingUsed) {
        std::string Why = "the answer for " + What + " lacks its closing button, enter or esc";
        if (!OnTerminal())
            StopRun(ExitStopped, "line %d: %s", Pending.Line, Escaped(Why).c_str());
        TellMistake("line " + std::to_string(Pending.Line) + ": " + Why + "; asking instead");
        DropPreparedAnswers();
    } else if (!OnTerminal()) {
        StopRun(ExitStopped,
                "line %d: no answer prepared for %s (answers go before the command that shows it)",
                CommandLine, Escaped(What).c_str());
    }
    if (InputEnded())
        return EscAfterEnd();
    Answer Reply = AskUser(Buttons, Field, BreakKeys);
    return InputEnded() ? EscAfterEnd() : Reply;
}

void NoteCommandLine(int Line) {
    CommandLine = Line;
}
