#include "qelhost/services/screen_services.hpp"
#include "qelhost/calling_convention.hpp"
#include "qelhost/services/from_plugin.hpp"
#include "qelhost/services/name_masks.hpp"
#include "qelhost/services/service_calls.hpp"
#include "qelhost/services/text_format.hpp"

#include <stdio.h>

namespace {

// Saved screens are numbered from 1 in the session; the handle is the number.
int ScreensSaved = 0;

PLUGIN_STDCALL BOOL ShowHelpService(const char* ModuleName, const char* Topic, DWORD Flags) {
    const char Service[] = "ShowHelp";
    return Serve(Service, [&] {
        std::u32string Shown = ReadText(Service, "the topic", Topic);
        std::u32string Module = ReadText(Service, "the module name", ModuleName);
        printf("host: ShowHelp(%s, %s, flags 0x%X): the help window is not drawn\n",
               Quoted(Module).c_str(), Quoted(Shown).c_str(), Flags);
        return 1;
    });
}

PLUGIN_STDCALL HANDLE SaveScreenService(int X1, int Y1, int X2, int Y2) {
    ++ScreensSaved;
    printf("host: SaveScreen(%d, %d, %d, %d) gives screen %d\n", X1, Y1, X2, Y2, ScreensSaved);
    return reinterpret_cast<HANDLE>(static_cast<intptr_t>(ScreensSaved));
}

PLUGIN_STDCALL void RestoreScreenService(HANDLE Screen) {
    intptr_t Number = reinterpret_cast<intptr_t>(Screen);
    if (Number == 0)
        printf("host: RestoreScreen(NULL): the whole screen is redrawn\n");
    else
        printf("host: RestoreScreen(%s)\n", HandleText(Screen).c_str());
}

PLUGIN_STDCALL void TextService(int X, int Y, int Color, const char* Str) {
    const char Service[] = "Text";
    Serve(Service, [&] {
        if (Str == nullptr)
            printf("host: Text(NULL): the screen is brought up to date\n");
        else
            printf("host: Text(%d, %d, colour 0x%02X, %s)\n", X, Y, Color,
                   Quoted(ReadText(Service, "the text", Str)).c_str());
        return 0;
    });
}

// A host without code pages beyond the OEM and ANSI ones has no tables.
PLUGIN_STDCALL int CharTableService(int, char*, int) {
    return -1;
}

PLUGIN_STDCALL int CmpNameService(const char* Pattern, const char* String, int SkipPath) {
    const char Service[] = "CmpName";
    return Serve(Service, [&] {
        std::string Mask = ReadOemText(Service, "the mask", Pattern);
        std::string Name = ReadOemText(Service, "the name", String);
        return MatchesMask(Mask, SkipPath ? NamePart(Name) : std::string_view(Name)) ? 1 : 0;
    });
}

} // namespace

const FARAPISHOWHELP ServeShowHelp = ShowHelpService;
const FARAPISAVESCREEN ServeSaveScreen = SaveScreenService;
const FARAPIRESTORESCREEN ServeRestoreScreen = RestoreScreenService;
const FARAPITEXT ServeText = TextService;
const FARAPICHARTABLE ServeCharTable = CharTableService;
const FARAPICMPNAME ServeCmpName = CmpNameService;
