#include "qelhost/services/host_services.hpp"
#include "qelhost/calling_convention.hpp"
#include "qelhost/services/adv_control.hpp"
#include "qelhost/services/box_services.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/screen_services.hpp"
#include "qelhost/services/slot_table.hpp"
#include "qelhost/services/standard_functions.hpp"
#include "qelhost/services/dialog.hpp"
#include "qelhost/services/from_plugin.hpp"
#include "qelhost/services/language_file.hpp"
#include "qelhost/services/message_box.hpp"
#include "qelhost/services/dialog_services.hpp"
#include "qelhost/services/window_control.hpp"
#include "qelhost/services/panel_services.hpp"
#include "qelhost/services/plugin_environment.hpp"
#include "qelhost/stop_run.hpp"

#include <string.h>

#include <iterator>

namespace {

LanguageFile Language;
std::string LanguageProblem = "no language file was looked for";
std::string LanguageFolder;

PLUGIN_STDCALL const char* GetMsg(INT_PTR PluginNumber, int MsgId) {
    CheckModuleNumber(PluginNumber, "GetMsg");
    if (!LanguageProblem.empty())
        StopRun(ExitStopped, "GetMsg: %s (the plugin's folder: %s)", LanguageProblem.c_str(),
                LanguageFolder.c_str());
    if (MsgId < 0 || MsgId >= static_cast<int>(Language.Messages.size()))
        StopRun(ExitStopped, "GetMsg: message %d not found in %s (it has %zu, from 0)", MsgId,
                Language.Path.c_str(), Language.Messages.size());
    return Language.Messages[MsgId].c_str();
}

// The host's own buttons of the FMSG_MB_* sets, by the set's number.
const std::vector<std::u32string> ButtonSets[] = {
    {},
    {U"Ok"},
    {U"Ok", U"Cancel"},
    {U"Abort", U"Retry", U"Ignore"},
    {U"Yes", U"No"},
    {U"Yes", U"No", U"Cancel"},
    {U"Retry", U"Cancel"},
};
constexpr DWORD ButtonSetMask = 0x70000;
static_assert(FMSG_MB_OK >> 16 == 1 && FMSG_MB_RETRYCANCEL >> 16 == 6);

// The box's title and lines: Items, or with FMSG_ALLINONE one text whose
// lines (split at '\n') are the items, ItemsNumber then not counting.
std::vector<std::u32string> MessageItems(DWORD Flags, const char* const* Items, int ItemsNumber) {
    const char Service[] = "Message";
    if (Flags & FMSG_ALLINONE) {
        std::u32string All = ReadText(Service, "the text", reinterpret_cast<const char*>(Items));
        std::vector<std::u32string> Lines;
        for (size_t Start = 0;;) {
            size_t Break = All.find(U'\n', Start);
            Lines.push_back(All.substr(Start, Break - Start));
            if (Break == std::u32string::npos)
                break;
            Start = Break + 1;
        }
        CheckedCount(Service, static_cast<int>(Lines.size()), MaxMessageItems, "lines", "draws");
        return Lines;
    }
    int Count = CheckedCount(Service, ItemsNumber, MaxMessageItems, "items", "draws");
    std::vector<const char*> Texts = ReadList(Service, "the item list", Items, Count);
    std::vector<std::u32string> Read;
    for (int I = 0; I < Count; ++I)
        Read.push_back(ReadText(Service, "item " + std::to_string(I + 1), Texts[I]));
    return Read;
}

MessageContent ReadMessage(DWORD Flags, const char* const* Items, int ItemsNumber,
                           int ButtonsNumber, uint32_t Error) {
    const char Service[] = "Message";
    std::vector<std::u32string> Read = MessageItems(Flags, Items, ItemsNumber);
    int Count = static_cast<int>(Read.size());
    DWORD Set = (Flags & ButtonSetMask) >> 16;
    if (Set != 0)
        ButtonsNumber = 0; // the host's buttons, after every item
    if (ButtonsNumber < 0 || (ButtonsNumber > 0 && ButtonsNumber >= Count))
        PluginFault(Service, std::to_string(ButtonsNumber) + " buttons among " +
                                 std::to_string(Count) + " items (the first is the title)");
    MessageContent Box;
    Box.Flags = Flags;
    for (int I = 0; I < Count; ++I)
        if (I == 0)
            Box.Title = Read[I];
        else if (I < Count - ButtonsNumber)
            Box.Texts.push_back(Read[I]);
        else
            Box.Buttons.push_back(Read[I]);
    if (Set < std::size(ButtonSets))
        for (const std::u32string& Label : ButtonSets[Set])
            Box.Buttons.push_back(Label);
    if (Flags & FMSG_ERRORTYPE)
        Box.Texts.insert(Box.Texts.begin(), FromUtf8(ErrorText(Error)));
    return Box;
}

PLUGIN_STDCALL int Message(INT_PTR PluginNumber, DWORD Flags, const char*, const char* const* Items,
                           int ItemsNumber, int ButtonsNumber) {
    uint32_t Error = LastError(); // before anything of qelhost's own touches it
    CheckModuleNumber(PluginNumber, "Message");
    return Serve("Message", [&] {
        return ShowHostMessage(ReadMessage(Flags, Items, ItemsNumber, ButtonsNumber, Error),
                               Answers());
    });
}

PLUGIN_STDCALL int Dialog(INT_PTR PluginNumber, int X1, int Y1, int X2, int Y2, const char*,
                          FarDialogItem* Item, int ItemsNumber) {
    CheckModuleNumber(PluginNumber, "Dialog");
    return Serve("Dialog", [&] {
        std::vector<DialogItem> Items = ReadDialogItems(Item, ItemsNumber);
        int Edited = -1;
        int Result = RunHostDialog(X1, Y1, X2, Y2, Items, Edited, Answers());
        WriteDialogBack(Item, Items);
        return Result;
    });
}

// A service the host does not provide: the plugin's call stops the run,
// naming the service.
template <size_t Slot> struct MissingService {
    static PLUGIN_STDCALL void Call() {
        StopRun(ExitStopped, "the plugin called %s, which qelhost does not provide",
                StartupServiceSlots[Slot].Name);
    }
};

// The services qelhost provides, by their slots' names; every other slot
// stops the run. A service added later is one more row here.
const ProvidedSlot Provided[] = {
    {"Menu", Address(ServeMenu)},
    {"Dialog", Address(Dialog)},
    {"Message", Address(Message)},
    {"GetMsg", Address(GetMsg)},
    {"Control", Address(Control)},
    {"SaveScreen", Address(ServeSaveScreen)},
    {"RestoreScreen", Address(ServeRestoreScreen)},
    {"GetDirList", Address(GetDirList)},
    {"GetPluginDirList", Address(GetPluginDirList)},
    {"FreeDirList", Address(FreeDirList)},
    {"CmpName", Address(ServeCmpName)},
    {"CharTable", Address(ServeCharTable)},
    {"Text", Address(ServeText)},
    {"EditorControl", Address(EditorControl)},
    {"ViewerControl", Address(ViewerControl)},
    {"ShowHelp", Address(ServeShowHelp)},
    {"AdvControl", Address(ServeAdvControl)},
    {"InputBox", Address(ServeInputBox)},
    {"DialogEx", Address(DialogEx)},
    {"SendDlgMessage", Address(SendDlgMessage)},
    {"DefDlgProc", Address(DefDlgProc)},
};

} // namespace

std::string LoadLanguage(const std::string& PluginFolder, const std::string& Name,
                         LanguageFile& File) {
    LanguageFolder = PluginFolder;
    LanguageProblem = FindLanguageFile(PluginFolder, Name, Language);
    File = Language;
    return LanguageProblem;
}

void FillStartupInfo(Native::PluginStartupInfo& Info, const std::string& ModuleName,
                     AnswerSource Ask) {
    UseAnswers(Ask);
    UseDialogAnswers(Ask);
    memset(&Info, 0, sizeof Info);
    Info.StructSize = sizeof Info;
    strncpy(Info.ModuleName, ModuleName.c_str(), sizeof Info.ModuleName - 1);
    Info.ModuleNumber = QelhostModuleNumber;
    Info.RootKey = NativeRootKey;
    FillSlots(&Info, StartupServiceSlots, Provided,
              MissingSlotStubs<MissingService, std::size(StartupServiceSlots)>());
    Info.FSF = StandardFunctions();
}
