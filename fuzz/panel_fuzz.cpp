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
    if (Expected.PanelOpen) {
        Check(Result == INVALID_HANDLE_VALUE, "a second panel was opened");
        return;
    }
    Expected.HostFile = Name.substr(0, MaxPathChars);
    bool Taken = NamePartOf(Name) == "far.ads";
    Check(Result == (Taken ? Panel : INVALID_HANDLE_VALUE), "wrong answer to a name");
    Expected.PanelOpen = Taken;
}

void OpenNull(const Model& Expected) {
    std::string Before(HostFileBuffer, PathBufferSize);
    Check(OpenFile(nullptr) == INVALID_HANDLE_VALUE, "null name taken");
    Check(PanelIsOpen == Expected.PanelOpen, "null name changed the panel state");
    Check(Before == std::string(HostFileBuffer, PathBufferSize), "null name changed the buffer");
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
    Check(Record.StructSize == OpenPluginInfoSize && Record.Flags == 14 &&
              Record.StartSortMode == SM_UNSORTED,
          "wrong panel description");
    Check(Record.HostFile == HostFileBuffer && Record.CurDir == CurDirBuffer &&
              Record.PanelTitle == PanelTitleBuffer,
          "description points outside module storage");
    Check(memchr(Record.HostFile, 0, PathBufferSize) != nullptr, "host file not terminated");
    Check(Record.HostFile == Expected.HostFile, "wrong host file");
    Check(strcmp(Record.PanelTitle, Record.HostFile) == 0 && Record.CurDir[0] == '\0',
          "wrong title or directory");
    const auto* Bytes = reinterpret_cast<const unsigned char*>(&Record);
    Check(OnlyMarkerOutside(Bytes, offsetof(OpenPluginInfo, Format),
                            offsetof(OpenPluginInfo, PanelTitle)) &&
              OnlyMarkerOutside(Bytes, offsetof(OpenPluginInfo, InfoLines),
                                offsetof(OpenPluginInfo, StartSortMode)) &&
              OnlyMarkerOutside(Bytes, offsetof(OpenPluginInfo, StartSortOrder), sizeof Record),
          "a field the plugin does not own was written");
}

void Find(Model& Expected, FuzzedDataProvider& Input) {
    PluginPanelItem* Items = nullptr;
    int Count = -1;
    Check(GetFindData(Panel, &Items, &Count, Input.ConsumeIntegral<int>()) == 1 && Count == 3,
          "listing refused");
    static const char* const Names[] = {"file.1", "file.2", "file.3"};
    for (int I = 0; I < 3; ++I)
        Check(strcmp(Items[I].FindData.cFileName, Names[I]) == 0 &&
                  FieldAt(&Items[I], Layout.FileSizeAt) == 10 * I + 10,
              "wrong listing");
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
        Check(PanelIsOpen == Expected.PanelOpen, "panel state differs from the model");
    }
    // Leave the module as the next input expects to find it: no listing
    // outstanding (the leak check would see it) and no panel.
    for (PluginPanelItem* Items : Expected.Listings)
        FreeFindData(Panel, Items, 3);
    ClosePlugin(Panel);
    return 0;
}
