// The pseudo-folder panel: a file whose name part is exactly "far.ads" opens
// the plugin's single panel; the host asks for its description and closes it.
#include "host/bounded_text.hpp"
#include "host/file_name_part.hpp"
#include "plugin/module_state.hpp"
#include "plugin/panel.hpp"
#include "plugin/plugin.hpp"

#include <string.h>

static const char RecognisedNamePart[] = "far.ads";

// A name part cut to MaxPathChars characters can never equal "far.ads". A
// longer name is held cut where the host allows it (Windows); elsewhere it
// is refused, as the panel's host file would be another path.
static bool IsRecognisedName(const char* Name, size_t Length) {
    if (!HostFileMayBeCut && Length > MaxPathChars)
        return false;
    char NamePart[PathBufferSize];
    FileNamePart(Name, Length, NamePart);
    return strcmp(NamePart, RecognisedNamePart) == 0;
}

// Recognition is by name alone: the data, its size and (on far2l) the
// operation mode are not read.
HANDLE FARAPI OpenFilePlugin(const char* Name, const unsigned char*,
                             int FAR_OPENFILEPLUGIN_OPMODE) {
    if (Name == nullptr || PanelIsOpen)
        return INVALID_HANDLE_VALUE;
    // The buffers are written before the name is judged; the host reads them
    // only while a panel exists, and the next accepted call rewrites them.
    // One scan for the length serves both the copy and the name part.
    size_t Length = strlen(Name);
    CopyBoundedText(HostFileBuffer, sizeof HostFileBuffer, Name, Length);
    CurDirBuffer[0] = '\0';
    if (!IsRecognisedName(Name, Length))
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
