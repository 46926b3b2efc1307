#include "qelhost/services/message_box.hpp"
#include "host/native_interface.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/text_canvas.hpp"
#include "qelhost/services/text_format.hpp"

#include <stdio.h>

#include <algorithm>

namespace {

constexpr int Margin = 3; // frame and blanks on each side of the content
constexpr int MaxContent = ScreenWidth - 2 * Margin;

// A line of the box: text, or a separator across it with the text (if
// any) centred on it.
struct BoxLine {
    std::u32string Text;
    int Separator = 0; // 1 single, 2 double
};

// An item starting with \x01 or \x02 is a single or double separator line.
BoxLine ReadLine(const std::u32string& Line) {
    if (!Line.empty() && (Line[0] == U'\x01' || Line[0] == U'\x02'))
        return {CutToWidth(Escaped(Line.substr(1)), MaxContent - 2), Line[0] == U'\x01' ? 1 : 2};
    return {CutToWidth(Escaped(Line), MaxContent), 0};
}

int ShownWidth(const BoxLine& Line) {
    return static_cast<int>(Line.Text.size()) + (Line.Separator && !Line.Text.empty() ? 2 : 0);
}

// Each text split at its line breaks, escaped and cut to the screen; as
// many lines as fit in Rows, the last telling how many more there were.
std::vector<BoxLine> BoxLines(const std::vector<std::u32string>& Texts, int Rows) {
    std::vector<BoxLine> Lines;
    size_t Count = 0;
    for (const std::u32string& Text : Texts)
        for (size_t Start = 0;; ++Count) {
            size_t Break = std::min(Text.find(U'\n', Start), Text.size());
            if (Count < static_cast<size_t>(Rows))
                Lines.push_back(ReadLine(Text.substr(Start, Break - Start)));
            if (Break == Text.size()) {
                ++Count;
                break;
            }
            Start = Break + 1;
        }
    if (Count > static_cast<size_t>(Rows)) {
        Lines.pop_back();
        Lines.push_back({FromUtf8("… " + std::to_string(Count - Rows + 1) + " more lines"), 0});
    }
    return Lines;
}

void Draw(const MessageContent& Box, const std::vector<BoxLine>& Lines,
          const std::u32string& ButtonRow) {
    bool HasButtons = !Box.Buttons.empty();
    // The buttons' separator, unless the plugin ended its lines with one.
    bool OwnSeparator = HasButtons && !(!Lines.empty() && Lines.back().Separator);
    std::u32string Title = Escaped(Box.Title);
    int Content = static_cast<int>(std::max(Title.size() + 2, ButtonRow.size()));
    for (const BoxLine& Line : Lines)
        Content = std::max(Content, ShownWidth(Line));
    Content = std::min(Content, MaxContent);
    int Width = Content + 2 * Margin;
    int Height = static_cast<int>(Lines.size()) + (HasButtons ? 1 : 0) + (OwnSeparator ? 1 : 0) + 2;
    TextCanvas Canvas(Width, Height);
    Canvas.Frame(0, 0, Width - 1, Height - 1, true, Title);
    for (size_t I = 0; I < Lines.size(); ++I) {
        int Row = 1 + static_cast<int>(I);
        int Length = ShownWidth(Lines[I]);
        if (Lines[I].Separator) {
            Canvas.Separator(0, Width - 1, Row, Lines[I].Separator == 2);
            if (Length > 0)
                Canvas.Write(Margin + CentredStart(Content, Length), Row,
                             U" " + Lines[I].Text + U" ");
            continue;
        }
        int Indent = Box.Flags & FMSG_LEFTALIGN ? 0 : CentredStart(Content, Length);
        Canvas.Write(Margin + Indent, Row, Lines[I].Text);
    }
    if (HasButtons) {
        if (OwnSeparator)
            Canvas.Separator(0, Width - 1, Height - 3, false);
        int Length = static_cast<int>(ButtonRow.size());
        Canvas.Write(Margin + CentredStart(Content, Length), Height - 2, ButtonRow);
    }
    fputs(Canvas.Printed().c_str(), stdout);
}

} // namespace

int ShowHostMessage(const MessageContent& Box, AnswerSource Ask) {
    // What the picture cannot show: the warning colours, the screen left
    // behind, the box's place, the error line's origin.
    DWORD Told = Box.Flags & (FMSG_WARNING | FMSG_ERRORTYPE | FMSG_KEEPBACKGROUND | FMSG_DOWN);
    if (Told != 0)
        printf("host: Message with %s\n",
               FlagNames(Told, {{FMSG_WARNING, "FMSG_WARNING"},
                                {FMSG_ERRORTYPE, "FMSG_ERRORTYPE"},
                                {FMSG_KEEPBACKGROUND, "FMSG_KEEPBACKGROUND"},
                                {FMSG_DOWN, "FMSG_DOWN"}})
                   .c_str());
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
    Answer Reply = Ask(What, ShownFaces, nullptr, nullptr);
    int Pressed = ChosenButton(Reply, ShownFaces, 0);
    ReportClose(Reply, Pressed, ShownFaces);
    return Pressed;
}
