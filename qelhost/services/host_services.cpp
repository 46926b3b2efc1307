#include "qelhost/services/host_services.hpp"
#include "qelhost/calling_convention.hpp"
#include "qelhost/services/dialog.hpp"
#include "qelhost/services/from_plugin.hpp"
#include "qelhost/services/language_file.hpp"
#include "qelhost/services/message_box.hpp"
#include "qelhost/services/window_control.hpp"
#include "qelhost/services/panel_services.hpp"
#include "qelhost/services/service_call.hpp"
#include "qelhost/stop_run.hpp"

#include <string.h>

#include <utility>

namespace {

LanguageFile Language;
std::string LanguageProblem = "no language file was looked for";
std::string LanguageFolder;
AnswerSource UserAnswers = nullptr;

void CheckModuleNumber(INT_PTR PluginNumber, const char* Service) {
    if (PluginNumber != QelhostModuleNumber)
        StopRun(ExitStopped, "%s: called with plugin number %d, not the plugin's %d", Service,
                PluginNumber, QelhostModuleNumber);
}

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

MessageContent ReadMessage(DWORD Flags, const char* const* Items, int ItemsNumber,
                           int ButtonsNumber) {
    const char Service[] = "Message";
    int Count = CheckedCount(Service, ItemsNumber, MaxMessageItems, "items", "draws");
    if (ButtonsNumber < 0 || (ButtonsNumber > 0 && ButtonsNumber >= Count))
        PluginFault(Service, std::to_string(ButtonsNumber) + " buttons among " +
                                 std::to_string(Count) + " items (the first is the title)");
    std::vector<const char*> Texts = ReadList(Service, "the item list", Items, Count);
    MessageContent Box;
    Box.Flags = Flags;
    for (int I = 0; I < Count; ++I) {
        std::u32string Text = ReadText(Service, "item " + std::to_string(I + 1), Texts[I]);
        if (I == 0)
            Box.Title = Text;
        else if (I < Count - ButtonsNumber)
            Box.Texts.push_back(Text);
        else
            Box.Buttons.push_back(Text);
    }
    return Box;
}

PLUGIN_STDCALL int Message(INT_PTR PluginNumber, DWORD Flags, const char*, const char* const* Items,
                           int ItemsNumber, int ButtonsNumber) {
    CheckModuleNumber(PluginNumber, "Message");
    return Serve("Message", [&] {
        return ShowHostMessage(ReadMessage(Flags, Items, ItemsNumber, ButtonsNumber), UserAnswers);
    });
}

PLUGIN_STDCALL int Dialog(INT_PTR PluginNumber, int X1, int Y1, int X2, int Y2, const char*,
                          FarDialogItem* Item, int ItemsNumber) {
    CheckModuleNumber(PluginNumber, "Dialog");
    return Serve("Dialog", [&] {
        std::vector<DialogItem> Items = ReadDialogItems(Item, ItemsNumber);
        int Edited = -1;
        int Result = RunHostDialog(X1, Y1, X2, Y2, Items, Edited, UserAnswers);
        if (Edited >= 0)
            WriteDialogText(Item, Edited, Items[Edited]);
        for (size_t I = 0; I < Items.size(); ++I)
            if (Items[I].Type == DI_CHECKBOX || Items[I].Type == DI_RADIOBUTTON)
                WriteDialogState(Item, static_cast<int>(I), Items[I]);
        return Result;
    });
}

// A service the host does not provide: the plugin's call stops the run,
// naming the service.
template <size_t Slot> PLUGIN_STDCALL void MissingService() {
    StopRun(ExitStopped, "the plugin called %s, which qelhost does not provide",
            StartupServiceSlots[Slot].Name);
}

// Sets every service slot that lies within Info to stop the run by name.
template <size_t... Slot>
void FillMissingServices(PluginStartupInfo& Info, std::index_sequence<Slot...>) {
    const FARAPISERVICE Services[] = {MissingService<Slot>...};
    for (size_t I = 0; I < sizeof...(Slot); ++I)
        if (StartupServiceSlots[I].Offset + sizeof Services[I] <= sizeof Info)
            memcpy(reinterpret_cast<char*>(&Info) + StartupServiceSlots[I].Offset, &Services[I],
                   sizeof Services[I]);
}

} // namespace

std::string LoadLanguage(const std::string& PluginFolder, const std::string& Name,
                         LanguageFile& File) {
    LanguageFolder = PluginFolder;
    LanguageProblem = FindLanguageFile(PluginFolder, Name, Language);
    File = Language;
    return LanguageProblem;
}

void FillStartupInfo(PluginStartupInfo& Info, const std::string& ModuleName, AnswerSource Ask) {
    UserAnswers = Ask;
    memset(&Info, 0, sizeof Info);
    Info.StructSize = sizeof Info;
    strncpy(Info.ModuleName, ModuleName.c_str(), sizeof Info.ModuleName - 1);
    Info.ModuleNumber = QelhostModuleNumber;
    Info.RootKey = NativeRootKey;
    FillMissingServices(Info, std::make_index_sequence<std::size(StartupServiceSlots)>());
    Info.Dialog = Dialog;
    Info.Message = Message;
    Info.GetMsg = GetMsg;
    // The panel and editor services, at their places in the record.
    const std::pair<size_t, const void*> Services[] = {
        {offsetof(Native::PluginStartupInfo, Control), reinterpret_cast<const void*>(Control)},
        {offsetof(Native::PluginStartupInfo, GetDirList),
         reinterpret_cast<const void*>(GetDirList)},
        {offsetof(Native::PluginStartupInfo, GetPluginDirList),
         reinterpret_cast<const void*>(GetPluginDirList)},
        {offsetof(Native::PluginStartupInfo, FreeDirList),
         reinterpret_cast<const void*>(FreeDirList)},
        {offsetof(Native::PluginStartupInfo, EditorControl),
         reinterpret_cast<const void*>(EditorControl)}};
    for (const auto& [Offset, Function] : Services)
        memcpy(reinterpret_cast<char*>(&Info) + Offset, &Function, sizeof Function);
}
