// The Menu and InputBox services: the plugin's records and texts read and
// checked, the host's menu or input box shown, the answer written back.
#include "qelhost/services/box_services.hpp"
#include "qelhost/calling_convention.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/from_plugin.hpp"
#include "qelhost/services/history.hpp"
#include "qelhost/services/host_menu.hpp"
#include "qelhost/services/input_box.hpp"
#include "qelhost/services/plugin_environment.hpp"
#include "qelhost/gate/system.hpp"
#include "qelhost/services/service_calls.hpp"
#include "qelhost/services/standard_text.hpp"
#include "qelhost/services/text_format.hpp"

#include <stdlib.h>
#include <string.h>

namespace {

// The break keys at most a menu takes, before the zero that ends them.
constexpr int MaxBreakKeys = 256;

std::u32string TextInPlace(const char* Data, size_t Size) {
    return OemToUnicode(std::string(Data, strnlen(Data, Size)));
}

std::vector<MenuEntry> ReadPlainItems(const FarMenuItem* Items, int Count) {
    std::vector<MenuEntry> Entries;
    for (const FarMenuItem& Item : ReadList("Menu", "the item list", Items, Count)) {
        MenuEntry Entry;
        Entry.Text = TextInPlace(Item.Text, sizeof Item.Text);
        Entry.Selected = Item.Selected != 0;
        Entry.Checked = Item.Checked != 0;
        Entry.Separator = Item.Separator != 0;
        Entries.push_back(Entry);
    }
    return Entries;
}

std::vector<MenuEntry> ReadExtendedItems(const FarMenuItemEx* Items, int Count) {
    std::vector<MenuEntry> Entries;
    int Position = 0;
    for (const FarMenuItemEx& Item : ReadList("Menu", "the item list", Items, Count)) {
        ++Position;
        MenuEntry Entry;
        if (Item.Flags & MIF_USETEXTPTR)
            Entry.Text =
                ReadText("Menu", "the text of item " + std::to_string(Position), Item.Text.TextPtr);
        else
            Entry.Text = TextInPlace(Item.Text.TextData, sizeof Item.Text.TextData);
        Entry.Selected = Item.Flags & MIF_SELECTED;
        Entry.Checked = Item.Flags & MIF_CHECKED;
        Entry.Separator = Item.Flags & MIF_SEPARATOR;
        Entry.Disabled = Item.Flags & MIF_DISABLE;
        Entries.push_back(Entry);
    }
    return Entries;
}

// The virtual-key codes that become the host's key codes by adding 0x100.
bool MovesIntoKeyCodes(int Code) {
    return Code == 0x03 || (Code >= 0x21 && Code <= 0x28) || Code == 0x2D || Code == 0x2E ||
           (Code >= 0x5B && Code <= 0x6F) || (Code >= 0x70 && Code <= 0x7B);
}

// A break key as the host's key code. Plugins of this host write a break
// key as a virtual-key code in the low word and PKF_* modifiers in the
// high word (VK_F4 | PKF_SHIFT << 16); one that already carries KEY_*
// modifiers or a KEY_* base code is taken as it is.
int BreakKeyCode(int Value) {
    if ((Value & KeyModifierMask) != 0 || (Value & 0xFFFF) >= 0x100)
        return Value;
    int Code = Value & 0xFFFF;
    int State = (Value >> 16) & 0xFFFF;
    int Key = MovesIntoKeyCodes(Code) ? 0x100 + Code : Code;
    return Key | (State & PKF_CONTROL ? KEY_CTRL : 0) | (State & PKF_ALT ? KEY_ALT : 0) |
           (State & PKF_SHIFT ? KEY_SHIFT : 0);
}

std::vector<int> ReadBreakKeys(const int* Keys) {
    std::vector<int> Found;
    if (Keys == nullptr)
        return Found;
    for (int I = 0;; ++I) {
        if (I == MaxBreakKeys)
            PluginFault("Menu", "the break keys at " + AddressText(Keys) +
                                    " hold no ending 0 within " + std::to_string(MaxBreakKeys) +
                                    " keys");
        int Key = ReadList("Menu", "the break keys", Keys + I, 1)[0];
        if (Key == 0)
            return Found;
        Found.push_back(BreakKeyCode(Key));
    }
}

PLUGIN_STDCALL int MenuService(int PluginNumber, int, int, int, DWORD Flags, const char* Title,
                               const char* Bottom, const char*, const int* BreakKeys,
                               int* BreakCode, const FarMenuItem* Item, int ItemsNumber) {
    const char Service[] = "Menu";
    CheckModuleNumber(PluginNumber, Service);
    return Serve(Service, [&] {
        int Count = CheckedCount(Service, ItemsNumber, MaxMenuStrings, "items", "shows");
        MenuContent Menu;
        Menu.Title = ReadText(Service, "the title", Title);
        Menu.Bottom = ReadText(Service, "the bottom line", Bottom);
        Menu.ShowAmpersand = Flags & FMENU_SHOWAMPERSAND;
        Menu.Items = Flags & FMENU_USEEXT
                         ? ReadExtendedItems(reinterpret_cast<const FarMenuItemEx*>(Item), Count)
                         : ReadPlainItems(Item, Count);
        Menu.BreakKeys = ReadBreakKeys(BreakKeys);
        MenuChoice Choice = RunHostMenu(Menu, Answers());
        if (BreakCode != nullptr && !CopyToPlugin(BreakCode, &Choice.BreakCode, sizeof(int)))
            PluginFault(Service,
                        "the break code at " + AddressText(BreakCode) + " cannot be written");
        return Choice.Item;
    });
}

PLUGIN_STDCALL int InputBoxService(const char* Title, const char* SubTitle, const char* HistoryName,
                                   const char* SrcText, char* DestText, int DestLength, const char*,
                                   DWORD Flags) {
    const char Service[] = "InputBox";
    return Serve(Service, [&] {
        InputBoxContent Box;
        Box.Title = ReadText(Service, "the title", Title);
        Box.SubTitle = ReadText(Service, "the subtitle", SubTitle);
        Box.Text = ReadText(Service, "the text", SrcText);
        Box.HistoryName = ToUtf8(ReadText(Service, "the history name", HistoryName));
        Box.Password = Flags & FIB_PASSWORD;
        Box.Buttons = Flags & FIB_BUTTONS;
        // Without FIB_NOUSELASTHISTORY an empty field opens with the
        // history's latest entry, as the host's DIF_USELASTHISTORY does.
        if (!(Flags & FIB_NOUSELASTHISTORY) && Box.Text.empty() && !Box.HistoryName.empty() &&
            !History(Box.HistoryName).empty())
            Box.Text = FromUtf8(History(Box.HistoryName).front());
        if (!RunInputBox(Box, Answers()))
            return 0;
        std::string Result = UnicodeToOem(Box.Text);
        if (Flags & FIB_EXPANDENV)
            Result = ExpandEnvironment(Result);
        if (Result.empty() && !(Flags & FIB_ENABLEEMPTY)) {
            printf("host: InputBox returns 0: the field is empty, without FIB_ENABLEEMPTY\n");
            return 0;
        }
        if (DestLength <= 0)
            PluginFault(Service, "a buffer of " + std::to_string(DestLength) + " bytes");
        WriteOemText(Service, "the buffer", DestText,
                     Result.substr(0, static_cast<size_t>(DestLength) - 1));
        return 1;
    });
}

} // namespace

const FARAPIMENU ServeMenu = MenuService;
const FARAPIINPUTBOX ServeInputBox = InputBoxService;
