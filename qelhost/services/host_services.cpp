#include "qelhost/services/host_services.hpp"
#include "qelhost/services/dialog.hpp"
#include "qelhost/services/language_file.hpp"
#include "qelhost/services/message_box.hpp"
#include "qelhost/calling_convention.hpp"
#include "qelhost/stop_run.hpp"

#include <string.h>

#include <utility>

namespace {

std::string LanguageFolder;
std::string LanguageName = "English";
LanguageFile Language;
bool LanguageRead = false;

void CheckModuleNumber(INT_PTR PluginNumber, const char* Service) {
    if (PluginNumber != QelhostModuleNumber)
        StopRun(ExitStopped, "%s called with plugin number %d, not the plugin's %d", Service,
                PluginNumber, QelhostModuleNumber);
}

// The host reads the language file when the plugin first asks for a text.
PLUGIN_STDCALL const char* GetMsg(INT_PTR PluginNumber, int MsgId) {
    CheckModuleNumber(PluginNumber, "GetMsg");
    if (!LanguageRead) {
        std::string Error = FindLanguageFile(LanguageFolder, LanguageName, Language);
        if (!Error.empty())
            StopRun(ExitStopped, "%s", Error.c_str());
        LanguageRead = true;
    }
    if (MsgId < 0 || MsgId >= static_cast<int>(Language.Messages.size()))
        StopRun(ExitStopped, "Message %d not found in %s", MsgId, Language.Path.c_str());
    return Language.Messages[MsgId].c_str();
}

PLUGIN_STDCALL int Message(INT_PTR PluginNumber, DWORD Flags, const char*, const char* const* Items,
                           int ItemsNumber, int ButtonsNumber) {
    CheckModuleNumber(PluginNumber, "Message");
    return ShowHostMessage(Flags, Items, ItemsNumber, ButtonsNumber);
}

PLUGIN_STDCALL int Dialog(INT_PTR PluginNumber, int X1, int Y1, int X2, int Y2, const char*,
                          FarDialogItem* Item, int ItemsNumber) {
    CheckModuleNumber(PluginNumber, "Dialog");
    return RunHostDialog(X1, Y1, X2, Y2, Item, ItemsNumber);
}

// A service the host does not provide: the plugin's call stops the run,
// named by the slot's offset in PluginStartupInfo.
template <size_t Offset> PLUGIN_STDCALL void MissingService() {
    StopRun(ExitStopped,
            "the plugin called the host service at offset %zu of PluginStartupInfo, "
            "which qelhost does not provide",
            Offset);
}

template <size_t... Slot>
void FillMissingServices(PluginStartupInfo& Info, std::index_sequence<Slot...>) {
    constexpr size_t First = offsetof(PluginStartupInfo, OtherServices);
    FARAPISERVICE Services[] = {MissingService<First + Slot * sizeof(FARAPISERVICE)>...};
    memcpy(Info.OtherServices, Services, sizeof Services);
}

const char RegistryRoot[] = "Software\\Far\\Plugins";

} // namespace

void ChooseLanguage(const std::string& PluginFolder, const std::string& Name) {
    LanguageFolder = PluginFolder;
    LanguageName = Name;
    LanguageRead = false;
}

void FillStartupInfo(PluginStartupInfo& Info, const std::string& ModuleName) {
    memset(&Info, 0, sizeof Info);
    Info.StructSize = sizeof Info;
    strncpy(Info.ModuleName, ModuleName.c_str(), sizeof Info.ModuleName - 1);
    Info.ModuleNumber = QelhostModuleNumber;
    Info.RootKey = RegistryRoot;
    Info.Menu = MissingService<offsetof(PluginStartupInfo, Menu)>;
    Info.Dialog = Dialog;
    Info.Message = Message;
    Info.GetMsg = GetMsg;
    FillMissingServices(Info,
                        std::make_index_sequence<std::size(PluginStartupInfo{}.OtherServices)>());
}
