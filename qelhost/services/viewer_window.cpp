#include "qelhost/services/viewer_window.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/editor_window.hpp"
#include "qelhost/services/text_format.hpp"

#include <stdio.h>

#include <algorithm>
#include <memory>

namespace {

std::unique_ptr<ViewerWindow> Open;
int LastId = 0;
constexpr int HexRow = 16;

// The offset where the line after the one starting at Offset starts.
int64_t NextLine(const ViewerWindow& Viewer, int64_t Offset) {
    size_t End = Viewer.Bytes.find('\n', static_cast<size_t>(Offset));
    return End == std::string::npos ? FileSize(Viewer) : static_cast<int64_t>(End) + 1;
}

// The offset where the line holding the byte before Offset starts.
int64_t PreviousLine(const ViewerWindow& Viewer, int64_t Offset) {
    if (Offset < 2)
        return 0;
    size_t Before = Viewer.Bytes.rfind('\n', static_cast<size_t>(Offset - 2));
    return Before == std::string::npos ? 0 : static_cast<int64_t>(Before) + 1;
}

// A byte as the screen shows it: control characters as their pictures.
std::string Shown(const std::string& Bytes) {
    std::u32string Text = OemToUnicode(Bytes);
    for (char32_t& C : Text)
        if (C < 0x20)
            C = 0x2400 + C;
        else if (C == 0x7F)
            C = 0x2421;
    return ToUtf8(Text);
}

bool Selected(const ViewerWindow& Viewer, int64_t Offset) {
    return Viewer.HasSelection && Offset >= Viewer.SelectionStart &&
           Offset < Viewer.SelectionStart + Viewer.SelectionLength;
}

// The marks under a row of the bytes From to To shown at columns Column(I).
template <typename Column>
std::string SelectionMarks(const ViewerWindow& Viewer, int64_t From, int64_t To, Column At) {
    std::string Row;
    for (int64_t Offset = From; Offset < To; ++Offset) {
        if (!Selected(Viewer, Offset))
            continue;
        int Place = At(Offset);
        if (Place < 0)
            continue;
        if (static_cast<int>(Row.size()) <= Place)
            Row.resize(Place + 1, ' ');
        Row[Place] = '~';
    }
    return Row;
}

std::string HexLines(const ViewerWindow& Viewer) {
    std::string Picture;
    int64_t Size = FileSize(Viewer);
    int64_t Offset = Viewer.FilePos;
    for (int Row = 0; Row < Viewer.WindowHeight && Offset < Size; ++Row, Offset += HexRow) {
        int64_t End = std::min(Size, Offset + HexRow);
        char Address[16];
        snprintf(Address, sizeof Address, "%08llX: ", static_cast<unsigned long long>(Offset));
        std::string Line = Address;
        for (int64_t I = Offset; I < Offset + HexRow; ++I) {
            char Byte[4] = "   ";
            if (I < End)
                snprintf(Byte, sizeof Byte, "%02X ", static_cast<unsigned char>(Viewer.Bytes[I]));
            Line += Byte;
        }
        Line += Shown(Viewer.Bytes.substr(static_cast<size_t>(Offset), End - Offset));
        Picture += Line + "\n";
        std::string Marks = SelectionMarks(Viewer, Offset, End, [&](int64_t At) {
            return 10 + static_cast<int>(At - Offset) * 3;
        });
        if (!Marks.empty())
            Picture += Marks + "\n";
    }
    return Picture;
}

std::string TextLines(const ViewerWindow& Viewer) {
    std::string Picture;
    int64_t Size = FileSize(Viewer);
    int64_t Offset = Viewer.FilePos;
    for (int Row = 0; Row < Viewer.WindowHeight && Offset < Size;) {
        int64_t Next = NextLine(Viewer, Offset);
        std::string Line = Viewer.Bytes.substr(static_cast<size_t>(Offset), Next - Offset);
        while (!Line.empty() && (Line.back() == '\n' || Line.back() == '\r'))
            Line.pop_back();
        // Wrapped, a long line takes as many rows as it needs.
        int Width = Viewer.WindowWidth;
        int64_t Start = Viewer.Wrap ? 0 : Viewer.LeftPos;
        do {
            std::string Part = Start < static_cast<int64_t>(Line.size())
                                   ? Line.substr(static_cast<size_t>(Start), Width)
                                   : "";
            Picture += Shown(ExpandedTabs(Part, Viewer.TabSize)) + "\n";
            int64_t First = Offset + Start;
            std::string Marks =
                SelectionMarks(Viewer, First, First + static_cast<int64_t>(Part.size()),
                               [&](int64_t At) { return static_cast<int>(At - First); });
            if (!Marks.empty())
                Picture += Marks + "\n";
            Start += Width;
            ++Row;
        } while (Viewer.Wrap && Start < static_cast<int64_t>(Line.size()) &&
                 Row < Viewer.WindowHeight);
        Offset = Next;
    }
    return Picture;
}

} // namespace

ViewerWindow* ActiveViewer() {
    return Open.get();
}

std::string OpenViewerWindow(const std::string& Name) {
    auto Viewer = std::make_unique<ViewerWindow>();
    WindowFile File;
    std::string Why = FindWindowFile(Name, File);
    if (Why.empty())
        Why = ReadWholeFile(File.Path, Viewer->Bytes);
    if (!Why.empty())
        return Why;
    Viewer->Id = LastId++;
    Viewer->Name = Name;
    Viewer->Path = File.Path;
    Viewer->PluginPath = File.PluginPath;
    Open = std::move(Viewer);
    return "";
}

void CloseViewerWindow() {
    Open.reset();
}

int64_t FileSize(const ViewerWindow& Viewer) {
    return static_cast<int64_t>(Viewer.Bytes.size());
}

void ScrollViewer(ViewerWindow& Viewer, int Lines) {
    int64_t Size = FileSize(Viewer);
    for (; Lines > 0 && Viewer.FilePos < Size; --Lines) {
        int64_t Next = Viewer.Hex ? Viewer.FilePos + HexRow : NextLine(Viewer, Viewer.FilePos);
        if (Next >= Size)
            break;
        Viewer.FilePos = Next;
    }
    for (; Lines < 0 && Viewer.FilePos > 0; ++Lines)
        Viewer.FilePos = Viewer.Hex ? std::max<int64_t>(0, Viewer.FilePos - HexRow)
                                    : PreviousLine(Viewer, Viewer.FilePos);
}

void MoveViewerTo(ViewerWindow& Viewer, int64_t Offset) {
    Viewer.FilePos = std::clamp<int64_t>(Offset, 0, FileSize(Viewer));
}

void ViewerToStart(ViewerWindow& Viewer) {
    Viewer.FilePos = 0;
    Viewer.LeftPos = 0;
}

void ViewerToEnd(ViewerWindow& Viewer) {
    Viewer.FilePos = FileSize(Viewer);
    ScrollViewer(Viewer, -Viewer.WindowHeight);
}

std::string ViewerPicture(const ViewerWindow& Viewer) {
    int64_t Size = FileSize(Viewer);
    int Percent = Size == 0 ? 100 : static_cast<int>(Viewer.FilePos * 100 / Size);
    std::string Status = "viewer: " + Escaped(TitleName(Viewer.Name)) + " │ " +
                         std::to_string(Viewer.FilePos) + "/" + std::to_string(Size) + " │ " +
                         std::to_string(Percent) + "%" + (Viewer.Hex ? " │ hex" : "") +
                         (Viewer.Wrap ? " │ wrap" : "") + "\n";
    return Status + (Viewer.Hex ? HexLines(Viewer) : TextLines(Viewer));
}
