#include "qelhost/services/message_box.hpp"
#include "host/host_interface.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/text_canvas.hpp"
#include "qelhost/services/text_format.hpp"

#include <stdio.h>

#include <algorithm>

namespace {

constexpr int Margin = 3; // frame and blanks on each side of the content
constexpr int MaxContent = ScreenWidth - 2 * Margin;

// Each text split at its line breaks, escaped and cut to the screen; as
// many lines as fit in Rows, the last telling how many more there were.
std::vector<std::u32string> BoxLines(const std::vector<std::u32string>& Texts, int Rows) {
    std::vector<std::u32string> Lines;
    size_t Count = 0;
    for (const std::u32string& Text : Texts)
        for (size_t Start = 0;; ++Count) {
            size_t Break = std::min(Text.find(U'\n', Start), Text.size());
            if (Count < static_cast<size_t>(Rows))
                Lines.push_back(CutToWidth(Escaped(Text.substr(Start, Break - Start)), MaxContent));
            if (Break == Text.size()) {
                ++Count;
                break;
            }
            Start = Break + 1;
        }
    if (Count > static_cast<size_t>(Rows)) {
        Lines.pop_back();
        Lines.push_back(FromUtf8("… " + std::to_string(Count - Rows + 1) + " more lines"));
    }
    return Lines;
}

void Draw(const MessageContent& Box, const std::vector<std::u32string>& Lines,
          const std::u32string& ButtonRow) {
    bool HasButtons = !Box.Buttons.empty();
    std::u32string Title = Escaped(Box.Title);
    int Content = static_cast<int>(std::max(Title.size() + 2, ButtonRow.size()));
    for (const std::u32string& Line : Lines)
        Content = std::max(Content, static_cast<int>(Line.size()));
    Content = std::min(Content, MaxContent);
    int Width = Content + 2 * Margin;
    int Height = static_cast<int>(Lines.size()) + (HasButtons ? 2 : 0) + 2;
    TextCanvas Canvas(Width, Height);
    Canvas.Frame(0, 0, Width - 1, Height - 1, true, Title);
    for (size_t I = 0; I < Lines.size(); ++I) {
        int Length = static_cast<int>(Lines[I].size());
        int Indent = Box.Flags & FMSG_LEFTALIGN ? 0 : CentredStart(Content, Length);
        Canvas.Write(Margin + Indent, 1 + static_cast<int>(I), Lines[I]);
    }
    if (HasButtons) {
        Canvas.Separator(0, Width - 1, Height - 3);
        int Length = static_cast<int>(ButtonRow.size());
        Canvas.Write(Margin + CentredStart(Content, Length), Height - 2, ButtonRow);
    }
    fputs(Canvas.Printed().c_str(), stdout);
}

} // namespace

int ShowHostMessage(const MessageContent& Box, AnswerSource Ask) {
    std::vector<std::u32string> Faces;
    std::vector<std::string> ShownFaces;
    for (const std::u32string& Label : Box.Buttons) {
        // Enter presses the first button: the host's default.
        Faces.push_back(ButtonFace(Escaped(Label), Faces.empty()));
        ShownFaces.push_back(ToUtf8(Faces.back()));
    }
    int Rows = ScreenHeight - 2 - (Faces.empty() ? 0 : 2);
    Draw(Box, BoxLines(Box.Texts, Rows), CutToWidth(Joined(Faces, U" "), MaxContent));
    if (Faces.empty()) {
        printf("host: a box without buttons waits for nothing\n");
        return PressedEsc;
    }
    std::string What = "the box " + Quoted(Box.Title);
    Answer Reply = Ask(What, ShownFaces, nullptr);
    int Pressed = ChosenButton(Reply, ShownFaces, 0);
    ReportClose(Reply, Pressed, ShownFaces);
    return Pressed;
}
