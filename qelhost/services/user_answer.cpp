#include "qelhost/services/user_answer.hpp"
#include "qelhost/counts.hpp"

#include <stdio.h>
#include <strings.h>

namespace {

// Button faces are "[ Label ]" or "{ Label }".
std::string Label(const std::string& Face) {
    return Face.size() >= 4 ? Face.substr(2, Face.size() - 4) : Face;
}

} // namespace

std::string BarredListItem(const FieldView& Field, int Entry) {
    if (Entry < 1 || static_cast<size_t>(Entry) > Field.ListItemsBarred.size() ||
        Field.ListItemsBarred[Entry - 1].empty())
        return "";
    return "list item " + std::to_string(Entry) + " is " + Field.ListItemsBarred[Entry - 1];
}

int FindButton(const std::string& Name, const std::vector<std::string>& Buttons) {
    for (size_t I = 0; I < Buttons.size(); ++I)
        if (!Buttons[I].empty() && strcasecmp(Label(Buttons[I]).c_str(), Name.c_str()) == 0)
            return static_cast<int>(I);
    long Number = 0;
    if (ReadCount(Name, Number) == CountRead::Whole && Number >= 1 &&
        static_cast<size_t>(Number) <= Buttons.size() && !Buttons[Number - 1].empty())
        return static_cast<int>(Number) - 1;
    return -1;
}

int ChosenButton(const Answer& Reply, const std::vector<std::string>& Buttons, int DefaultButton) {
    if (Reply.Close == Answer::PressEsc)
        return PressedEsc;
    if (Reply.Close == Answer::PressEnter)
        return DefaultButton == NoDefaultButton ? PressedEnterWithoutDefault : DefaultButton;
    return FindButton(Reply.ButtonName, Buttons);
}

void ReportClose(const Answer& Reply, int Pressed, const std::vector<std::string>& Buttons) {
    if (Pressed == PressedEsc)
        printf("user: presses Esc\n");
    else if (Pressed == PressedEnterWithoutDefault)
        printf("user: presses Enter\n");
    else if (Reply.Close == Answer::PressEnter)
        printf("user: presses Enter on %s\n", Buttons[Pressed].c_str());
    else
        printf("user: presses %s\n", Buttons[Pressed].c_str());
}
