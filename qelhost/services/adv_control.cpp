#include "qelhost/services/adv_control.hpp"
#include "qelhost/calling_convention.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/from_plugin.hpp"
#include "qelhost/services/key_names.hpp"
#include "qelhost/services/service_calls.hpp"
#include "qelhost/services/text_format.hpp"

#include <stdio.h>
#include <string.h>

namespace {

const char Service[] = "AdvControl";

// The keys a sequence may post, at most.
constexpr int MaxSequenceKeys = 4096;

template <typename Record> Record ReadParam(const void* Param, const char* What) {
    return ReadList(Service, What, static_cast<const Record*>(Param), 1)[0];
}

template <typename Record> void WriteParam(void* Param, const Record& Value, const char* What) {
    if (!CopyToPlugin(Param, &Value, sizeof Value))
        PluginFault(Service,
                    std::string(What) + " at " + AddressText(Param) + " cannot be written");
}

int FarVersion(void* Param) {
    if (Param != nullptr)
        WriteParam(Param, NativeFarVersion, "the version's place");
    return static_cast<int>(NativeFarVersion);
}

int PluginMaxReadData(void*) {
    return NativePluginMaxReadData;
}

int Commit(void*) {
    return 1;
}

// qelhost's only window is the panels (the editor and viewer come with
// their sessions): position 0, current.
int WindowCount(void*) {
    return 1;
}

// Pos -1 asks for the current window.
bool DescribeWindow(void* Param, bool WithNames) {
    WindowInfo Info = ReadParam<WindowInfo>(Param, "the window record");
    if (Info.Pos != -1 && Info.Pos != 0)
        return false;
    Info.Pos = 0;
    Info.Type = WTYPE_PANELS;
    Info.Modified = 0;
    Info.Current = 1;
    if (WithNames) {
        memset(Info.TypeName, 0, sizeof Info.TypeName);
        memset(Info.Name, 0, sizeof Info.Name);
        strcpy(Info.TypeName, "Panels");
    }
    // The short record is the long one's first 16 bytes.
    if (!CopyToPlugin(Param, &Info, WithNames ? sizeof Info : offsetof(WindowInfo, TypeName)))
        PluginFault(Service, "the window record at " + AddressText(Param) + " cannot be written");
    return true;
}

int WindowDescription(void* Param) {
    return DescribeWindow(Param, true);
}

int ShortWindowDescription(void* Param) {
    return DescribeWindow(Param, false);
}

int KeyMacro(void* Param) {
    ActlKeyMacro Macro = ReadParam<ActlKeyMacro>(Param, "the macro record");
    switch (Macro.Command) {
    case MCMD_LOADALL:
        printf("host: the plugin has the host load its key macros again\n");
        return 1;
    case MCMD_SAVEALL:
        printf("host: the plugin has the host save its key macros\n");
        return 1;
    case MCMD_POSTMACROSTRING:
        printf("host: the plugin posts the key macro %s (flags 0x%X)\n",
               Quoted(ReadText(Service, "the macro's text", Macro.Param.PlainText.SequenceText))
                   .c_str(),
               Macro.Param.PlainText.Flags);
        return 1;
    }
    PluginFault(Service, "ACTL_KEYMACRO with the command " + std::to_string(Macro.Command) +
                             ", which the host does not know");
}

int PostKeySequence(void* Param) {
    KeySequence Sequence = ReadParam<KeySequence>(Param, "the key sequence");
    int Count = CheckedCount(Service, Sequence.Count, MaxSequenceKeys, "keys", "posts");
    std::vector<DWORD> Keys = ReadList(Service, "the keys", Sequence.Sequence, Count);
    std::vector<std::string> Names;
    for (DWORD Key : Keys) {
        std::string Name = KeyName(static_cast<int>(Key));
        char Code[16];
        snprintf(Code, sizeof Code, "0x%X", Key);
        Names.push_back(Name.empty() ? Code : Escaped(Name));
    }
    printf("host: the plugin posts the keys %s (flags %s)\n", Joined(Names, " ").c_str(),
           FlagNames(Sequence.Flags, {{KSFLAGS_DISABLEOUTPUT, "KSFLAGS_DISABLEOUTPUT"},
                                      {KSFLAGS_NOSENDKEYSTOPLUGINS, "KSFLAGS_NOSENDKEYSTOPLUGINS"}})
               .c_str());
    return 1;
}

struct Command {
    int Value;
    const char* Name;
    int (*Answer)(void* Param); // null: not modelled
};

// Every command of the host, those qelhost does not model with no answer;
// the settings queries are answered from NativeSettingsAnswers before this.
const Command Commands[] = {
    {ACTL_GETFARVERSION, "ACTL_GETFARVERSION", FarVersion},
    {ACTL_CONSOLEMODE, "ACTL_CONSOLEMODE", nullptr},
    {ACTL_GETSYSWORDDIV, "ACTL_GETSYSWORDDIV", nullptr},
    {ACTL_WAITKEY, "ACTL_WAITKEY", nullptr},
    {ACTL_GETCOLOR, "ACTL_GETCOLOR", nullptr},
    {ACTL_GETARRAYCOLOR, "ACTL_GETARRAYCOLOR", nullptr},
    {ACTL_EJECTMEDIA, "ACTL_EJECTMEDIA", nullptr},
    {ACTL_KEYMACRO, "ACTL_KEYMACRO", KeyMacro},
    {ACTL_POSTKEYSEQUENCE, "ACTL_POSTKEYSEQUENCE", PostKeySequence},
    {ACTL_GETWINDOWINFO, "ACTL_GETWINDOWINFO", WindowDescription},
    {ACTL_GETWINDOWCOUNT, "ACTL_GETWINDOWCOUNT", WindowCount},
    {ACTL_SETCURRENTWINDOW, "ACTL_SETCURRENTWINDOW", nullptr},
    {ACTL_COMMIT, "ACTL_COMMIT", Commit},
    {ACTL_GETFARHWND, "ACTL_GETFARHWND", nullptr},
    {ACTL_GETSYSTEMSETTINGS, "ACTL_GETSYSTEMSETTINGS", nullptr},
    {ACTL_GETPANELSETTINGS, "ACTL_GETPANELSETTINGS", nullptr},
    {ACTL_GETINTERFACESETTINGS, "ACTL_GETINTERFACESETTINGS", nullptr},
    {ACTL_GETCONFIRMATIONS, "ACTL_GETCONFIRMATIONS", nullptr},
    {ACTL_GETDESCSETTINGS, "ACTL_GETDESCSETTINGS", nullptr},
    {ACTL_SETARRAYCOLOR, "ACTL_SETARRAYCOLOR", nullptr},
    {ACTL_GETWCHARMODE, "ACTL_GETWCHARMODE", nullptr},
    {ACTL_GETPLUGINMAXREADDATA, "ACTL_GETPLUGINMAXREADDATA", PluginMaxReadData},
    {ACTL_GETDIALOGSETTINGS, "ACTL_GETDIALOGSETTINGS", nullptr},
    {ACTL_GETSHORTWINDOWINFO, "ACTL_GETSHORTWINDOWINFO", ShortWindowDescription},
};

PLUGIN_STDCALL int AdvControlService(int ModuleNumber, int Command, void* Param) {
    CheckModuleNumber(ModuleNumber, Service);
    return Serve(Service, [&] {
        for (const SettingsAnswer& Setting : NativeSettingsAnswers)
            if (Setting.Command == Command)
                return static_cast<int>(Setting.Answer);
        for (const struct Command& Known : Commands)
            if (Known.Value == Command) {
                if (Known.Answer == nullptr)
                    StopRun(ExitStopped,
                            "the plugin called AdvControl(%s), which qelhost does not provide",
                            Known.Name);
                return Known.Answer(Param);
            }
        StopRun(ExitStopped,
                "the plugin called AdvControl with the command %d, which the host "
                "does not know",
                Command);
    });
}

} // namespace

const FARAPIADVCONTROL ServeAdvControl = AdvControlService;
