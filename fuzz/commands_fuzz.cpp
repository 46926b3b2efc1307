// Drives the commands (OpenPlugin and ProcessKey) through a host whose
// message texts, box and dialog results and the user's edits all come from
// the fuzzer: texts of any length or none, edited fields with or without a
// terminator in their 512 bytes. Every box and dialog the plugin shows is
// checked against what the host handed it.
#include "fuzz/fuzz_check.hpp"
#include "host/host_calls.hpp"
#include "plugin/plugin.hpp"
#include "tests/startup_record.hpp"

#include <fuzzer/FuzzedDataProvider.h>
#include <algorithm>
#include <map>
#include <memory>
#include <string.h>
#include <string>
#include <vector>

namespace {

constexpr int MaxBoxLine = 100;
constexpr int MaxInputText = DialogTextSize - 1;

// The host's side of one input: where its answers come from, the texts it
// has handed out (valid until the input ends) and what it was shown.
struct FuzzHost {
    FuzzedDataProvider* Input = nullptr;
    INT_PTR ModuleNumber = 0;
    std::vector<std::unique_ptr<char[]>> Texts;
    std::map<int, std::string> TextOf; // the latest text per message; "" for null
    std::vector<std::string> Boxes;    // the text line of each box shown
    int Dialogs = 0;
    int DialogResult = 0;
    std::string EnteredText; // the edit field's text as the dialog closed
};

FuzzHost Host;

std::string Prefix(const char* Text, size_t Limit) {
    return std::string(Text, strnlen(Text, Limit));
}

const char* FARAPI FuzzGetMsg(INT_PTR PluginNumber, int MsgId) {
    Check(PluginNumber == Host.ModuleNumber, "GetMsg with another module number");
    Check(MsgId >= 0 && MsgId <= 11, "GetMsg of a message outside the language file");
    if (Host.Input->ConsumeIntegralInRange<int>(0, 15) == 0) {
        Host.TextOf[MsgId] = "";
        return nullptr; // a language file without the entry
    }
    std::string Text = Host.Input->ConsumeRandomLengthString(700);
    // An exact-size copy, so that any read past the terminator is caught.
    Host.Texts.emplace_back(new char[Text.size() + 1]);
    memcpy(Host.Texts.back().get(), Text.c_str(), Text.size() + 1);
    Host.TextOf[MsgId] = Text.c_str();
    return Host.Texts.back().get();
}

int FARAPI FuzzMessage(INT_PTR PluginNumber, DWORD Flags, const char* HelpTopic,
                       const char* const* Items, int ItemsNumber, int ButtonsNumber) {
    Check(PluginNumber == Host.ModuleNumber && Flags == 0 && HelpTopic == nullptr,
          "box with wrong arguments");
    Check(ItemsNumber == 3 && ButtonsNumber == 1, "box is not title, one line and one button");
    Check(strcmp(Items[0], "Information") == 0 && strcmp(Items[2], "Ok") == 0,
          "box with a wrong title or button");
    Check(strlen(Items[1]) <= MaxBoxLine, "box line longer than 100 characters");
    Host.Boxes.emplace_back(Items[1]);
    return Host.Input->ConsumeIntegral<int>();
}

int PickDialogResult() {
    switch (Host.Input->ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
        return 3; // the first button
    case 1:
        return 4; // the second button
    case 2:
        return -1; // Esc
    default:
        return Host.Input->ConsumeIntegral<int>();
    }
}

// The user's edit: some bytes written over the field, and perhaps the rest
// of its 512 bytes filled so that no terminator is left anywhere.
void EditField(char (&Data)[DialogTextSize]) {
    std::vector<char> Typed = Host.Input->ConsumeBytes<char>(
        Host.Input->ConsumeIntegralInRange<size_t>(0, DialogTextSize));
    std::copy(Typed.begin(), Typed.end(), Data);
    if (Host.Input->ConsumeBool())
        memset(Data + Typed.size(), 'x', DialogTextSize - Typed.size());
}

int FARAPI FuzzDialog(INT_PTR PluginNumber, int X1, int Y1, int X2, int Y2, const char* HelpTopic,
                      FarDialogItem* Items, int ItemsNumber) {
    Check(PluginNumber == Host.ModuleNumber && X1 == -1 && Y1 == -1 && X2 == 30 && Y2 == 5 &&
              HelpTopic == nullptr && ItemsNumber == 5,
          "dialog with wrong arguments");
    for (int I = 0; I < ItemsNumber; ++I)
        Check(memchr(Items[I].Data, 0, DialogTextSize) != nullptr, "item text not terminated");
    Check(strcmp(Items[2].History, "InputHistory") == 0, "wrong history list");
    Check(Items[2].Data == Prefix(Host.TextOf[9].c_str(), MaxInputText),
          "field does not start with message 9");
    // The host may write every item back; only the edit field may reach the
    // plugin's buffers.
    for (int I = 0; I < ItemsNumber; ++I) {
        if (Host.Input->ConsumeBool())
            EditField(Items[I].Data);
        Items[I].Selected = Host.Input->ConsumeIntegral<int>();
    }
    Host.EnteredText = Prefix(Items[2].Data, MaxInputText);
    Host.DialogResult = PickDialogResult();
    ++Host.Dialogs;
    return Host.DialogResult;
}

void StartPlugin() {
    Host.ModuleNumber = Host.Input->ConsumeIntegral<INT_PTR>();
    PluginStartupInfo Info = StartupRecord(Host.ModuleNumber, FuzzGetMsg, FuzzMessage, FuzzDialog);
    SetStartupInfo(&Info);
}

std::string BoxLineOf(int MsgId) {
    return Prefix(Host.TextOf[MsgId].c_str(), MaxBoxLine);
}

void Invoke() {
    static const int Origins[] = {1, 4, 5, 6};
    static const std::map<int, int> MessageOfOrigin = {{1, 6}, {4, 5}, {5, 3}, {6, 4}};
    int OpenFrom = Host.Input->ConsumeBool() ? Host.Input->PickValueInArray(Origins)
                                             : Host.Input->ConsumeIntegral<int>();
    Host.Boxes.clear();
    HANDLE Result = OpenPlugin(OpenFrom, Host.Input->ConsumeIntegral<INT_PTR>());
    Check(Result == INVALID_HANDLE_VALUE, "invocation opened a panel");
    auto Message = MessageOfOrigin.find(OpenFrom);
    if (Message == MessageOfOrigin.end())
        Check(Host.Boxes.empty(), "an unknown origin showed a box");
    else
        Check(Host.Boxes == std::vector<std::string>{BoxLineOf(Message->second)},
              "wrong box for the origin");
}

void PressKey() {
    bool BareF7 = Host.Input->ConsumeBool();
    int Key = BareF7 ? VK_F7 : Host.Input->ConsumeIntegral<int>();
    unsigned int ControlState = BareF7 ? 0 : Host.Input->ConsumeIntegral<unsigned int>();
    Host.Boxes.clear();
    Host.Dialogs = 0;
    int Result = ProcessKey(nullptr, Key, ControlState);
    if (Key != VK_F7 || ControlState != 0) {
        Check(Result == 0 && Host.Boxes.empty() && Host.Dialogs == 0, "a key not F7 was taken");
        return;
    }
    Check(Result == 1 && Host.Dialogs == 1, "F7 did not run the dialog once");
    std::vector<std::string> Expected;
    if (Host.DialogResult == 3)
        Expected = {BoxLineOf(10), Prefix(Host.EnteredText.c_str(), MaxBoxLine)};
    else
        Expected = {BoxLineOf(11)};
    Check(Host.Boxes == Expected, "wrong boxes after the dialog");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzedDataProvider Input(Data, Size);
    Host = FuzzHost{};
    Host.Input = &Input;
    StartPlugin();
    while (Input.remaining_bytes() > 0) {
        if (Input.ConsumeBool())
            PressKey();
        else
            Invoke();
    }
    Host = FuzzHost{}; // the texts live until the input is done
    return 0;
}
