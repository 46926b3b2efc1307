// The pseudo-folder panel: a file whose name part is exactly "far.ads" opens
// the plugin's single panel; the host asks for its description and closes it.
#include "host/bounded_text.hpp"
#include "host/file_name_part.hpp"
#include "plugin/module_state.hpp"
#include "plugin/panel.hpp"
#include "plugin/plugin.hpp"

#include <string.h>

static const char RecognisedNamePart[] = "far.ads";

static bool IsRecognisedName(const char* Name) {
    char NamePart[PathBufferSize];
    FileNamePart(Name, NamePart);
    return strcmp(NamePart, RecognisedNamePart) == 0;
}

HANDLE FARAPI OpenFilePlugin(const char* Name, const unsigned char*, int) {
    if (Name == nullptr || PanelIsOpen)
        return INVALID_HANDLE_VALUE;
    // The buffers are written before the name is judged; the host reads them
    // only while a panel exists, and the next accepted call rewrites them.
    CopyBoundedText(HostFileBuffer, sizeof HostFileBuffer, Name);
    CurDirBuffer[0] = '\0';
    if (!IsRecognisedName(Name))
        return INVALID_HANDLE_VALUE;
    PanelIsOpen = true;
    return PluginPanelHandle;
}

void FARAPI GetOpenPluginInfo(HANDLE, OpenPluginInfo* Info) {
    Info->StructSize = OpenPluginInfoSize;
    Info->Flags = OPIF_USESORTGROUPS | OPIF_USEHIGHLIGHTING | OPIF_ADDDOTS;
    Info->HostFile = HostFileBuffer;
    Info->CurDir = CurDirBuffer;
    memcpy(PanelTitleBuffer, HostFileBuffer, sizeof PanelTitleBuffer);
    Info->PanelTitle = PanelTitleBuffer;
    Info->StartSortMode = SM_UNSORTED;
}

void FARAPI ClosePlugin(HANDLE) {
    PanelIsOpen = false;
}
