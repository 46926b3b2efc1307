// A rectangle of characters that boxes, dialogs and panels are drawn into,
// printed as UTF-8 text the way the host's screen would show it.
#pragma once

#include <string>
#include <vector>

// The largest screen qelhost draws on; a dialog's items beyond it are cut off.
constexpr int ScreenWidth = 200, ScreenHeight = 100;

class TextCanvas {
  public:
    TextCanvas(int Width, int Height); // clipped to the screen

    // Characters outside the canvas are dropped, control characters drawn
    // as blanks (texts come escaped; this keeps the picture whole anyway).
    void Write(int X, int Y, const std::u32string& Text);
    // A frame with Title centred in its top edge, cut to fit; inverted
    // corners draw as a frame without inside.
    void Frame(int X1, int Y1, int X2, int Y2, bool Double, const std::u32string& Title);
    // A single or double line across a double frame, joined to its sides.
    void Separator(int X1, int X2, int Y, bool Double);
    // The rows as UTF-8 lines, trailing spaces removed.
    std::string Printed() const;

  private:
    int Width, Height;
    std::vector<std::u32string> Rows;
};

// Where Length characters start when centred in Space columns.
int CentredStart(int Space, int Length);

// A label without its hotkey markers ("&Ok" shows as "Ok"; "&&" as "&").
std::u32string WithoutHotkey(const std::u32string& Label);

// How the host shows a button: "[ Ok ]", or "{ Ok }" for the default one.
std::u32string ButtonFace(const std::u32string& Label, bool Default);
// The same for a label already shown as it reads (its hotkey markers dealt
// with).
std::u32string Bracketed(const std::u32string& Shown, bool Default);
