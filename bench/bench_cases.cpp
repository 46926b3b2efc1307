#include "bench/bench_cases.hpp"

#include "host/host_calls.hpp"
#include "plugin/plugin.hpp"
#include "tests/host_layout.hpp"
#include "tests/startup_record.hpp"

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <string.h>
#include <string>

namespace {

// Listing: the plugin's whole job is one cleared allocation and its release.
void ListingPair() {
    PluginPanelItem* Items;
    int Count;
    GetFindData(nullptr, &Items, &Count, 0);
    benchmark::DoNotOptimize(Items);
    FreeFindData(nullptr, Items, Count);
}

[[gnu::noinline]] void BareClearedAllocation() {
    void* Block = calloc(1, ListingBytes);
    benchmark::DoNotOptimize(Block);
    free(Block);
}

// Name check: the least a name-part test can do is find the path's end and
// scan back from it to the last separator.
const char ShortPath[] = "D:\\work\\far.ads";

std::string MakeLongPath() {
    std::string Path = "C:";
    while (Path.size() < 260 - 8)
        Path += "\\folder";
    Path.resize(260 - 8);
    return Path + "\\far.ads";
}
const std::string LongPath = MakeLongPath(); // 260 characters

void OpenAndClose(const char* Path) {
    HANDLE Panel = OpenFile(Path);
    benchmark::DoNotOptimize(Panel);
    ClosePlugin(Panel);
}

[[gnu::noinline]] void LengthAndBackwardScan(const char* Path) {
    size_t Start = strlen(Path);
    while (Start > 0 && Path[Start - 1] != '\\' && Path[Start - 1] != '/')
        --Start;
    benchmark::DoNotOptimize(Start);
}

void OpenAndCloseShort() {
    OpenAndClose(ShortPath);
}
void ScanShort() {
    LengthAndBackwardScan(ShortPath);
}
void OpenAndCloseLong() {
    OpenAndClose(LongPath.c_str());
}
void ScanLong() {
    LengthAndBackwardScan(LongPath.c_str());
}

// F7: a host that answers at once, the dialog closed with the first button so
// that both boxes follow. The baseline makes the same host calls, with the
// dialog's five host records cleared on the stack, and nothing else.
const char EmptyText[] = "";

const char* FARAPI IdleGetMsg(INT_PTR, int) {
    return EmptyText;
}
int FARAPI IdleMessage(INT_PTR, DWORD, const char*, const char* const*, int, int) {
    return 0;
}
int FARAPI IdleDialog(INT_PTR, int, int, int, int, const char*, FarDialogItem*, int) {
    return 3;
}

void StartWithIdleHost() {
    PluginStartupInfo Info = StartupRecord(0, IdleGetMsg, IdleMessage, IdleDialog);
    SetStartupInfo(&Info);
}

void F7Run() {
    int Handled = ProcessKey(nullptr, VK_F7, 0);
    benchmark::DoNotOptimize(Handled);
}

[[gnu::noinline]] void HostCallsAlone() {
    const PluginStartupInfo& Host = StartupInfoCopy;
    const int Ids[6] = {7, 8, 0, 1, 9, 10};
    const char* Texts[6];
    for (int I = 0; I < 6; ++I)
        Texts[I] = Host.GetMsg(Host.ModuleNumber, Ids[I]);
    FarDialogItem Items[5];
    memset(Items, 0, sizeof Items);
    benchmark::DoNotOptimize(Items);
    Host.Dialog(Host.ModuleNumber, -1, -1, 30, 5, nullptr, Items, 5);
    const char* Box[3] = {"Information", Texts[5], "Ok"};
    for (int I = 0; I < 2; ++I)
        Host.Message(Host.ModuleNumber, 0, nullptr, Box, 3, 1);
}

} // namespace

// The listing's size as the plugin makes it, so that the baseline follows a
// change of its files.
size_t ListingSize() {
    PluginPanelItem* Items;
    int Count;
    GetFindData(nullptr, &Items, &Count, 0);
    FreeFindData(nullptr, Items, Count);
    return static_cast<size_t>(Count) * sizeof(PluginPanelItem);
}

const size_t ListingBytes = ListingSize();

const std::vector<BenchCase>& BenchCases() {
    static const std::vector<BenchCase> Cases = {
        {"listing_pair", "calloc+free of the listing's items", nullptr, ListingPair,
         BareClearedAllocation, 1.3},
        {"name_check_short", "strlen+backward scan, 15 chars", nullptr, OpenAndCloseShort,
         ScanShort, 2.0},
        {"name_check_260", "strlen+backward scan, 260 chars", nullptr, OpenAndCloseLong, ScanLong,
         2.0},
        {"f7_run", "the same host calls alone", StartWithIdleHost, F7Run, HostCallsAlone, 0},
    };
    return Cases;
}
