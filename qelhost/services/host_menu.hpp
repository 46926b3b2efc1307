// The host's menu (the Menu service): drawn as qelhost draws its boxes,
// answered like one (an item by its number or label, Enter for the
// selected item, Esc), or closed by one of the plugin's break keys.
#pragma once

#include "qelhost/services/user_answer.hpp"

#include <string>
#include <vector>

struct MenuEntry {
    std::u32string Text;
    bool Selected = false, Checked = false, Separator = false, Disabled = false;
};

struct MenuContent {
    std::u32string Title, Bottom;
    bool ShowAmpersand = false; // else '&' marks a hotkey and is not shown
    std::vector<MenuEntry> Items;
    std::vector<int> BreakKeys; // the host's key codes, in the plugin's order
};

struct MenuChoice {
    int Item = -1;      // 0-based; -1 for Esc
    int BreakCode = -1; // the position of the break key pressed, or -1
};

// Draws the menu, asks which item closes it and tells the user's choice.
MenuChoice RunHostMenu(const MenuContent& Menu, AnswerSource Ask);
