#include "qelhost/services/text_canvas.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/text_format.hpp"

#include <algorithm>

// Never larger than the screen, whatever a caller computed.
TextCanvas::TextCanvas(int Width, int Height)
    : Width(std::clamp(Width, 0, ScreenWidth)), Height(std::clamp(Height, 0, ScreenHeight)),
      Rows(this->Height, std::u32string(this->Width, U' ')) {}

void TextCanvas::Write(int X, int Y, const std::u32string& Text) {
    if (Y < 0 || Y >= Height)
        return;
    for (size_t I = 0; I < Text.size(); ++I) {
        int Column = X + static_cast<int>(I);
        if (Column >= 0 && Column < Width)
            Rows[Y][Column] = Text[I] < U' ' ? U' ' : Text[I];
    }
}

void TextCanvas::Frame(int X1, int Y1, int X2, int Y2, bool Double, const std::u32string& Title) {
    const char32_t* Pieces = Double ? U"╔╗╚╝═║" : U"┌┐└┘─│";
    int Inner = std::max(X2 - X1 - 1, 0);
    Write(X1, Y1, Pieces[0] + std::u32string(Inner, Pieces[4]) + Pieces[1]);
    Write(X1, Y2, Pieces[2] + std::u32string(Inner, Pieces[4]) + Pieces[3]);
    for (int Y = std::max(Y1 + 1, 0); Y < std::min(Y2, Height); ++Y) {
        Write(X1, Y, std::u32string(1, Pieces[5]));
        Write(X2, Y, std::u32string(1, Pieces[5]));
    }
    if (!Title.empty()) {
        std::u32string Caption = U" " + CutToWidth(Title, Inner - 2) + U" ";
        if (static_cast<int>(Caption.size()) > Inner)
            Caption.resize(Inner);
        Write(X1 + 1 + CentredStart(Inner, static_cast<int>(Caption.size())), Y1, Caption);
    }
}

void TextCanvas::Separator(int X1, int X2, int Y, bool Double) {
    int Inner = std::max(X2 - X1 - 1, 0);
    Write(X1, Y,
          Double ? U"╠" + std::u32string(Inner, U'═') + U"╣"
                 : U"╟" + std::u32string(Inner, U'─') + U"╢");
}

std::string TextCanvas::Printed() const {
    std::string Text;
    for (std::u32string Row : Rows) {
        Row.erase(Row.find_last_not_of(U' ') + 1);
        Text += ToUtf8(Row) + "\n";
    }
    return Text;
}

int CentredStart(int Space, int Length) {
    return Length >= Space ? 0 : (Space - Length) / 2;
}

std::u32string WithoutHotkey(const std::u32string& Label) {
    std::u32string Text;
    for (size_t I = 0; I < Label.size(); ++I) {
        if (Label[I] == U'&' && I + 1 < Label.size())
            ++I;
        Text += Label[I];
    }
    return Text;
}

std::u32string ButtonFace(const std::u32string& Label, bool Default) {
    return Bracketed(WithoutHotkey(Label), Default);
}

std::u32string Bracketed(const std::u32string& Shown, bool Default) {
    return (Default ? U"{ " : U"[ ") + Shown + (Default ? U" }" : U" ]");
}
