// Drives the commands (OpenPlugin and ProcessKey) through a host whose
// message texts, box and dialog results and the user's edits all come from
// the fuzzer: texts of any length or none, edited fields with or without a
// terminator in their 512 bytes. Every box and dialog the plugin shows is
// checked against what the host handed it.
#include "fuzz/fuzz_check.hpp"
#include "host/host_calls.hpp"
#include "plugin/plugin.hpp"
#include "tests/startup_record.hpp"
#include "tests/utf8_text.hpp"

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
    std::string EnteredText; // the edit field's bytes up to a terminator as the dialog closed
};

FuzzHost Host;

std::string Prefix(const char* Text, size_t Limit) {
    return std::string(Text, strnlen(Text, Limit));
}

// The longest prefix of at most Limit bytes that holds whole UTF-8
// characters of Text, itself UTF-8.
std::string WholeCharacters(const std::string& Text, size_t Limit) {
    size_t End = 0;
    for (size_t Next = 0; Next <= Limit && Next <= Text.size();) {
        End = Next;
        unsigned char Lead = Text[Next];
        Next += Lead < 0x80 ? 1 : Lead < 0xE0 ? 2 : Lead < 0xF0 ? 3 : 4;
    }
    return Text.substr(0, End);
}

// Checks that Kept is what a buffer of Limit bytes may hold of Text: all of
// a shorter text; of a longer one the first Limit bytes where characters
// are bytes (Windows), whole characters where the host reads UTF-8 (far2l),
// and for a text that is not UTF-8 there at least its first Limit - 3 bytes.
void CheckCut(const std::string& Kept, const std::string& Text, size_t Limit,
              const std::string& What) {
    if (Text.size() < Limit || !TextIsUtf8)
        return CheckEqual(Kept, Text.substr(0, Limit), What);
    if (IsUtf8(Text))
        return CheckEqual(Kept, WholeCharacters(Text, Limit), What);
    if (Kept.size() + 3 < Limit || Kept.size() > Limit || Text.compare(0, Kept.size(), Kept) != 0)
        Fail(What,
             "a prefix of " + std::to_string(Limit - 3) + " to " + std::to_string(Limit) +
                 " bytes of " + Shown(Text),
             Shown(Kept));
}

// A box's line as the host should get it: Text, cut to the line's limit.
struct BoxLine {
    std::string Text;
};

void CheckBoxes(const std::vector<BoxLine>& Expected, const std::string& What) {
    std::vector<std::string> Texts;
    for (const BoxLine& Line : Expected)
        Texts.push_back(Line.Text);
    if (Host.Boxes.size() != Expected.size())
        Fail(What, "lines cut from " + Shown(Texts), Shown(Host.Boxes));
    for (size_t I = 0; I < Expected.size(); ++I)
        CheckCut(Host.Boxes[I], Expected[I].Text, MaxBoxLine,
                 What + ", box " + std::to_string(I + 1));
}

const char* FARAPI FuzzGetMsg(INT_PTR PluginNumber, int MsgId) {
    CheckEqual(PluginNumber, Host.ModuleNumber, "GetMsg's module number");
    Check(MsgId >= 0 && MsgId <= 11,
          "GetMsg of message " + std::to_string(MsgId) + " is one of the language file's 0 to 11");
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
    CheckEqual(PluginNumber, Host.ModuleNumber, "Message's module number");
    CheckEqual(Flags, DWORD{0}, "Message's flags");
    Check(HelpTopic == nullptr, "Message without a help topic");
    CheckEqual(ItemsNumber, 3, "Message's lines: title, text, button");
    CheckEqual(ButtonsNumber, 1, "Message's buttons");
    CheckEqual(std::string(Items[0]), std::string("Information"), "Message's title");
    CheckEqual(std::string(Items[2]), std::string("Ok"), "Message's button");
    Check(strlen(Items[1]) <= MaxBoxLine,
          "a box line of " + std::to_string(strlen(Items[1])) + " bytes is at most 100");
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
    CheckEqual(PluginNumber, Host.ModuleNumber, "Dialog's module number");
    CheckEqual(std::vector<std::string>{std::to_string(X1), std::to_string(Y1), std::to_string(X2),
                                        std::to_string(Y2), std::to_string(ItemsNumber)},
               {"-1", "-1", "30", "5", "5"}, "Dialog's X1, Y1, X2, Y2 and item count");
    Check(HelpTopic == nullptr, "Dialog without a help topic");
    for (int I = 0; I < ItemsNumber; ++I)
        Check(memchr(Items[I].Data, 0, DialogTextSize) != nullptr,
              "item " + std::to_string(I) + "'s text ends within its 512 bytes");
    CheckEqual(std::string(Items[2].History), std::string("InputHistory"), "the field's history");
    CheckCut(Items[2].Data, Host.TextOf[9], MaxInputText, "the field's text, from message 9");
    // The host may write every item back; only the edit field may reach the
    // plugin's buffers.
    for (int I = 0; I < ItemsNumber; ++I) {
        if (Host.Input->ConsumeBool())
            EditField(Items[I].Data);
        Items[I].Selected = Host.Input->ConsumeIntegral<int>();
    }
    Host.EnteredText = Prefix(Items[2].Data, DialogTextSize);
    Host.DialogResult = PickDialogResult();
    ++Host.Dialogs;
    return Host.DialogResult;
}

void StartPlugin() {
    Host.ModuleNumber = Host.Input->ConsumeIntegral<INT_PTR>();
    PluginStartupInfo Info = StartupRecord(Host.ModuleNumber, FuzzGetMsg, FuzzMessage, FuzzDialog);
    SetStartupInfo(&Info);
}

void Invoke() {
    static const int Origins[] = {1, 4, 5, 6};
    static const std::map<int, int> MessageOfOrigin = {{1, 6}, {4, 5}, {5, 3}, {6, 4}};
    int OpenFrom = Host.Input->ConsumeBool() ? Host.Input->PickValueInArray(Origins)
                                             : Host.Input->ConsumeIntegral<int>();
    Host.Boxes.clear();
    HANDLE Result = OpenPlugin(OpenFrom, Host.Input->ConsumeIntegral<INT_PTR>());
    std::string Call = "OpenPlugin(" + std::to_string(OpenFrom) + ")";
    CheckEqual(Result, INVALID_HANDLE_VALUE, Call);
    auto Message = MessageOfOrigin.find(OpenFrom);
    if (Message == MessageOfOrigin.end())
        CheckBoxes({}, Call + "'s boxes");
    else
        CheckBoxes({{Host.TextOf[Message->second]}}, Call + "'s boxes");
}

void PressKey() {
    bool BareF7 = Host.Input->ConsumeBool();
    int Key = BareF7 ? VK_F7 : Host.Input->ConsumeIntegral<int>();
    unsigned int ControlState = BareF7 ? 0 : Host.Input->ConsumeIntegral<unsigned int>();
    Host.Boxes.clear();
    Host.Dialogs = 0;
    int Result = ProcessKey(nullptr, Key, ControlState);
    std::string Call =
        "ProcessKey(" + std::to_string(Key) + ", " + std::to_string(ControlState) + ")";
    if (Key != VK_F7 || ControlState != 0) {
        CheckEqual(Result, 0, Call);
        CheckEqual(Host.Dialogs, 0, Call + "'s dialogs");
        CheckBoxes({}, Call + "'s boxes");
        return;
    }
    CheckEqual(Result, 1, Call);
    CheckEqual(Host.Dialogs, 1, Call + "'s dialogs");
    std::string Outcome = ", the dialog closed with " + std::to_string(Host.DialogResult);
    if (Host.DialogResult == 3)
        CheckBoxes({{Host.TextOf[10]}, {Host.EnteredText}}, Call + Outcome);
    else
        CheckBoxes({{Host.TextOf[11]}}, Call + Outcome);
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
