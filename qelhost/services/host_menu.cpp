#include "qelhost/services/host_menu.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/key_names.hpp"
#include "qelhost/services/text_canvas.hpp"
#include "qelhost/services/text_format.hpp"

#include <stdio.h>

#include <algorithm>

namespace {

constexpr int Margin = 2; // the frame and a blank on each side of the rows
constexpr int MaxRowWidth = ScreenWidth - 2 * Margin;

std::u32string Label(const MenuContent& Menu, const MenuEntry& Item) {
    return Escaped(Menu.ShowAmpersand ? Item.Text : WithoutHotkey(Item.Text));
}

bool Selectable(const MenuEntry& Item) {
    return !Item.Separator && !Item.Disabled;
}

// An item's row: "√" before a checked one, "{ }" around the selected one
// (Enter takes it, as Enter takes a box's default button), "(disabled)"
// after one that cannot be chosen.
std::u32string Row(const MenuContent& Menu, const MenuEntry& Item, bool Current) {
    std::u32string Text = Label(Menu, Item) + (Item.Disabled ? U" (disabled)" : U"");
    Text = Current ? U"{ " + Text + U" }" : U"  " + Text;
    return CutToWidth((Item.Checked ? U"√ " : U"  ") + Text, MaxRowWidth);
}

// The item Enter takes: the first selected one that can be chosen, else
// the first that can.
int CurrentItem(const std::vector<MenuEntry>& Items) {
    for (size_t I = 0; I < Items.size(); ++I)
        if (Items[I].Selected && Selectable(Items[I]))
            return static_cast<int>(I);
    for (size_t I = 0; I < Items.size(); ++I)
        if (Selectable(Items[I]))
            return static_cast<int>(I);
    return -1;
}

void Draw(const MenuContent& Menu, int Current) {
    std::vector<std::u32string> Rows;
    int Rest = std::max(static_cast<int>(Menu.Items.size()) - (ScreenHeight - 2), 0);
    size_t Shown = Menu.Items.size() - static_cast<size_t>(Rest);
    int Content =
        static_cast<int>(std::max(Escaped(Menu.Title).size(), Escaped(Menu.Bottom).size()) + 2);
    for (size_t I = 0; I < Shown; ++I) {
        Rows.push_back(Menu.Items[I].Separator
                           ? U""
                           : Row(Menu, Menu.Items[I], static_cast<int>(I) == Current));
        Content = std::max(Content, static_cast<int>(Rows.back().size()));
    }
    if (Rest > 0)
        Rows.back() = FromUtf8("  … " + std::to_string(Rest + 1) + " more items");
    Content = std::min(Content, MaxRowWidth);
    int Width = Content + 2 * Margin, Height = static_cast<int>(Rows.size()) + 2;
    TextCanvas Canvas(Width, Height);
    Canvas.Frame(0, 0, Width - 1, Height - 1, true, Escaped(Menu.Title));
    if (!Menu.Bottom.empty()) {
        std::u32string Bottom = U" " + CutToWidth(Escaped(Menu.Bottom), Width - 4) + U" ";
        Canvas.Write(1 + CentredStart(Width - 2, static_cast<int>(Bottom.size())), Height - 1,
                     Bottom);
    }
    for (size_t I = 0; I < Rows.size(); ++I)
        if (I < Shown && Menu.Items[I].Separator)
            Canvas.Separator(0, Width - 1, 1 + static_cast<int>(I), false);
        else
            Canvas.Write(Margin, 1 + static_cast<int>(I), Rows[I]);
    fputs(Canvas.Printed().c_str(), stdout);
}

} // namespace

MenuChoice RunHostMenu(const MenuContent& Menu, AnswerSource Ask) {
    int Current = CurrentItem(Menu.Items);
    Draw(Menu, Current);
    // Items the user may name: "[ Label ]" by label or number; the others
    // get no face, so that neither their label nor their number chooses them.
    std::vector<std::string> Faces;
    for (const MenuEntry& Item : Menu.Items)
        Faces.push_back(Selectable(Item) ? "[ " + ToUtf8(Label(Menu, Item)) + " ]" : "");
    std::vector<std::string> Keys;
    for (int Key : Menu.BreakKeys)
        Keys.push_back(KeyName(Key));
    std::string What = "the menu " + Quoted(Menu.Title);
    Answer Reply = Ask(What, Faces, nullptr, &Keys);
    MenuChoice Choice;
    if (Reply.Close == Answer::PressKey) {
        int Key = KeyFromName(Reply.ButtonName);
        for (size_t I = 0; I < Menu.BreakKeys.size() && Choice.BreakCode < 0; ++I)
            if (Menu.BreakKeys[I] == Key)
                Choice.BreakCode = static_cast<int>(I);
        Choice.Item = Current;
        printf("user: presses %s, break key %d of the menu\n", KeyName(Key).c_str(),
               Choice.BreakCode);
        return Choice;
    }
    int Pressed = ChosenButton(Reply, Faces, Current < 0 ? NoDefaultButton : Current);
    if (Pressed == PressedEsc || Pressed == PressedEnterWithoutDefault) {
        printf("user: presses Esc\n");
        return Choice;
    }
    Choice.Item = Pressed;
    printf("user: %s item %d, \"%s\"\n",
           Reply.Close == Answer::PressEnter ? "presses Enter on" : "chooses", Pressed + 1,
           Faces[Pressed].substr(2, Faces[Pressed].size() - 4).c_str());
    return Choice;
}
