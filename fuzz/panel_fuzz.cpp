// Drives the panel entry points with names of any bytes in any call order,
// and checks every answer against a plain model of the panel's rules.
#include "fuzz/fuzz_check.hpp"
#include "plugin/module_state.hpp"
#include "plugin/plugin.hpp"
#include "tests/host_layout.hpp"

#include <fuzzer/FuzzedDataProvider.h>
#include <stddef.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

namespace {

const HANDLE Panel = (HANDLE)(intptr_t)1;
constexpr size_t MaxLiveListings = 8;
constexpr unsigned char Marker = 0xA5;

enum class Call { Open, OpenNull, Info, Find, Free, FreeNull, Close, Count };

// What the panel must look like, kept independently of the plugin.
struct Model {
    bool PanelOpen = false;
    std::string HostFile;
    std::vector<PluginPanelItem*> Listings;
};

std::string NamePartOf(const std::string& Path) {
    size_t Separator = Path.find_last_of("\\/");
    return Separator == std::string::npos ? Path : Path.substr(Separator + 1);
}

// Any bytes, often followed by "far.ads" so that the panel opens now and then.
std::string MakeName(FuzzedDataProvider& Input) {
    std::string Name = Input.ConsumeRandomLengthString(600);
    static const char* const Endings[] = {"", "\\far.ads", "/far.ads", "far.ads"};
    Name += Endings[Input.ConsumeIntegralInRange<int>(0, 3)];
    return Name.substr(0, strlen(Name.c_str())); // the plugin sees up to the first NUL
}

void Open(Model& Expected, FuzzedDataProvider& Input) {
    std::string Name = MakeName(Input);
    // An exact-size copy, so that any read past the terminator is caught.
    char* Exact = static_cast<char*>(malloc(Name.size() + 1));
    memcpy(Exact, Name.c_str(), Name.size() + 1);
    HANDLE Result = OpenFile(Exact, nullptr, Input.ConsumeIntegral<int>());
    free(Exact);
    std::string Call = "OpenFilePlugin(" + Shown(Name) + ")";
    if (Expected.PanelOpen) {
        CheckEqual(Result, INVALID_HANDLE_VALUE, Call + " with a panel open");
        return;
    }
    Expected.HostFile = Name.substr(0, MaxPathChars);
    bool Taken =
        NamePartOf(Name) == "far.ads" && (HostFileMayBeCut || Name.size() <= size_t(MaxPathChars));
    CheckEqual(Result, Taken ? Panel : INVALID_HANDLE_VALUE, Call);
    Expected.PanelOpen = Taken;
}

void OpenNull(const Model& Expected) {
    std::string Before(HostFileBuffer, PathBufferSize);
    CheckEqual(OpenFile(nullptr), INVALID_HANDLE_VALUE, "OpenFilePlugin(nullptr)");
    CheckEqual(PanelIsOpen, Expected.PanelOpen, "PanelIsOpen after OpenFilePlugin(nullptr)");
    CheckEqual(std::string(HostFileBuffer, PathBufferSize), Before,
               "HostFileBuffer after OpenFilePlugin(nullptr)");
}

bool OnlyMarkerOutside(const unsigned char* Record, size_t From, size_t To) {
    for (size_t Offset = From; Offset < To; ++Offset)
        if (Record[Offset] != Marker)
            return false;
    return true;
}

void Info(const Model& Expected, FuzzedDataProvider& Input) {
    OpenPluginInfo Record;
    memset(&Record, Marker, sizeof Record);
    GetOpenPluginInfo(reinterpret_cast<HANDLE>(Input.ConsumeIntegral<intptr_t>()), &Record);
    CheckEqual(Record.StructSize, OpenPluginInfoSize, "OpenPluginInfo.StructSize");
    CheckEqual(Record.Flags, DWORD{14}, "OpenPluginInfo.Flags");
    CheckEqual(Record.StartSortMode, SM_UNSORTED, "OpenPluginInfo.StartSortMode");
    Check(Record.HostFile == HostFileBuffer && Record.CurDir == CurDirBuffer &&
              Record.PanelTitle == PanelTitleBuffer,
          "HostFile, CurDir and PanelTitle point to the module's buffers");
    Check(memchr(Record.HostFile, 0, PathBufferSize) != nullptr, "HostFile ends within its buffer");
    CheckEqual(std::string(Record.HostFile), Expected.HostFile, "OpenPluginInfo.HostFile");
    CheckEqual(std::string(Record.PanelTitle), Expected.HostFile, "OpenPluginInfo.PanelTitle");
    CheckEqual(std::string(Record.CurDir), std::string(), "OpenPluginInfo.CurDir");
    const auto* Bytes = reinterpret_cast<const unsigned char*>(&Record);
    Check(OnlyMarkerOutside(Bytes, offsetof(OpenPluginInfo, Format),
                            offsetof(OpenPluginInfo, PanelTitle)) &&
              OnlyMarkerOutside(Bytes, offsetof(OpenPluginInfo, InfoLines),
                                offsetof(OpenPluginInfo, StartSortMode)) &&
              OnlyMarkerOutside(Bytes, offsetof(OpenPluginInfo, StartSortOrder), sizeof Record),
          "the fields the plugin does not own are left as they were");
}

// A listing as a report shows it: GetFindData's result, the count and each
// item's name and size.
std::vector<std::string> Listing(int Result, const PluginPanelItem* Items, int Count) {
    std::vector<std::string> Lines = {"result " + std::to_string(Result),
                                      std::to_string(Count) + " items"};
    for (int I = 0; Items != nullptr && I < Count && I < 16; ++I)
        Lines.push_back(
            std::string(Items[I].FindData.cFileName,
                        strnlen(Items[I].FindData.cFileName, sizeof Items[I].FindData.cFileName)) +
            ", " + std::to_string(FieldAt(&Items[I], Layout.FileSizeAt)) + " bytes");
    return Lines;
}

void Find(Model& Expected, FuzzedDataProvider& Input) {
    PluginPanelItem* Items = nullptr;
    int Count = -1;
    int Result = GetFindData(Panel, &Items, &Count, Input.ConsumeIntegral<int>());
    CheckEqual(Listing(Result, Items, Count),
               {"result 1", "3 items", "file.1, 10 bytes", "file.2, 20 bytes", "file.3, 30 bytes"},
               "GetFindData's listing");
    Expected.Listings.push_back(Items);
    if (Expected.Listings.size() > MaxLiveListings) {
        FreeFindData(Panel, Expected.Listings.front(), 3);
        Expected.Listings.erase(Expected.Listings.begin());
    }
}

void Free(Model& Expected, FuzzedDataProvider& Input) {
    if (Expected.Listings.empty())
        return;
    size_t Which = Input.ConsumeIntegralInRange<size_t>(0, Expected.Listings.size() - 1);
    FreeFindData(Panel, Expected.Listings[Which], Input.ConsumeIntegral<int>());
    Expected.Listings.erase(Expected.Listings.begin() + Which);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzedDataProvider Input(Data, Size);
    Model Expected;
    Expected.PanelOpen = PanelIsOpen;
    Expected.HostFile = HostFileBuffer; // the module keeps it from earlier inputs
    while (Input.remaining_bytes() > 0) {
        switch (static_cast<Call>(Input.ConsumeIntegralInRange<int>(0, int(Call::Count) - 1))) {
        case Call::Open:
            Open(Expected, Input);
            break;
        case Call::OpenNull:
            OpenNull(Expected);
            break;
        case Call::Info:
            Info(Expected, Input);
            break;
        case Call::Find:
            Find(Expected, Input);
            break;
        case Call::Free:
            Free(Expected, Input);
            break;
        case Call::FreeNull:
            FreeFindData(Panel, nullptr, Input.ConsumeIntegral<int>());
            break;
        case Call::Close:
            ClosePlugin(Panel);
            Expected.PanelOpen = false;
            break;
        case Call::Count:
            break;
        }
        CheckEqual(PanelIsOpen, Expected.PanelOpen, "PanelIsOpen after a call");
    }
    // Leave the module as the next input expects to find it: no listing
    // outstanding (the leak check would see it) and no panel.
    for (PluginPanelItem* Items : Expected.Listings)
        FreeFindData(Panel, Items, 3);
    ClosePlugin(Panel);
    return 0;
}
