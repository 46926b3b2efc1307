#include "bench/bench_cases.hpp"

#include "plugin/plugin.hpp"

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <string.h>
#include <string>

namespace {

constexpr size_t ListingBytes = 1098; // three 366-byte host items

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
    HANDLE Panel = OpenFilePlugin(Path, nullptr, 0);
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

} // namespace

const std::vector<BenchCase>& BenchCases() {
    static const std::vector<BenchCase> Cases = {
        {"listing_pair", "calloc+free of 1098 bytes", nullptr, ListingPair, BareClearedAllocation,
         1.3},
        {"name_check_short", "strlen+backward scan, 15 chars", nullptr, OpenAndCloseShort,
         ScanShort, 2.0},
        {"name_check_260", "strlen+backward scan, 260 chars", nullptr, OpenAndCloseLong, ScanLong,
         2.0},
    };
    return Cases;
}
