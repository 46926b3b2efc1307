#include "qelhost/services/message_box.hpp"
#include "host/host_interface.hpp"
#include "qelhost/session/answers.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/text_canvas.hpp"

#include <stdio.h>

#include <algorithm>

namespace {

// A text line may hold line breaks; each part is a line of the box.
void AddLines(const std::u32string& Text, std::vector<std::u32string>& Lines) {
    size_t Start = 0;
    for (size_t Break; (Break = Text.find(U'\n', Start)) != std::u32string::npos; Start = Break + 1)
        Lines.push_back(Text.substr(Start, Break - Start));
    Lines.push_back(Text.substr(Start));
}

} // namespace

int ShowHostMessage(uint32_t Flags, const char* const* Items, int ItemsNumber, int ButtonsNumber) {
    ItemsNumber = std::max(ItemsNumber, 0);
    ButtonsNumber = std::clamp(ButtonsNumber, 0, std::max(ItemsNumber - 1, 0));
    std::u32string Title = ItemsNumber > 0 ? Shown(Items[0]) : U"";
    std::vector<std::u32string> Lines;
    for (int I = 1; I < ItemsNumber - ButtonsNumber; ++I)
        AddLines(Shown(Items[I]), Lines);
    std::vector<std::string> Faces;
    std::u32string ButtonRow;
    for (int I = ItemsNumber - ButtonsNumber; I < ItemsNumber; ++I) {
        // Enter presses the first button: the host's default.
        std::u32string Face = ButtonFace(Shown(Items[I]), Faces.empty());
        ButtonRow += (ButtonRow.empty() ? U"" : U" ") + Face;
        Faces.push_back(ToUtf8(Face));
    }

    int Content = static_cast<int>(std::max(Title.size() + 2, ButtonRow.size()));
    for (const std::u32string& Line : Lines)
        Content = std::max(Content, static_cast<int>(Line.size()));
    int Width = Content + 6;
    bool HasButtons = !Faces.empty();
    int Height = static_cast<int>(Lines.size()) + (HasButtons ? 2 : 0) + 2;
    TextCanvas Canvas(Width, Height);
    Canvas.Frame(0, 0, Width - 1, Height - 1, true, Title);
    for (size_t I = 0; I < Lines.size(); ++I) {
        int Indent =
            Flags & FMSG_LEFTALIGN ? 0 : CentredStart(Content, static_cast<int>(Lines[I].size()));
        Canvas.Write(3 + Indent, 1 + static_cast<int>(I), Lines[I]);
    }
    if (HasButtons) {
        Canvas.Separator(0, Width - 1, Height - 3);
        Canvas.Write(3 + CentredStart(Content, static_cast<int>(ButtonRow.size())), Height - 2,
                     ButtonRow);
    }
    fputs(Canvas.Printed().c_str(), stdout);

    if (!HasButtons) {
        printf("host: a box without buttons waits for nothing\n");
        return -1;
    }
    std::string What = "the box \"" + ToUtf8(Title) + "\"";
    Answer Reply = NextAnswer(What, Faces, nullptr);
    int Pressed = ChosenButton(Reply, Faces, 0);
    ReportClose(Reply, Pressed, Faces);
    return Pressed;
}
