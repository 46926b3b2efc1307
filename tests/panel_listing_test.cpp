// The listing handed to the host: its bytes, its ownership and the report
// when the heap cannot supply it.
#include "plugin/module_state.hpp"
#include "plugin/plugin.hpp"
#include "tests/heap_hooks.hpp"

#include <gtest/gtest.h>
#include <string.h>
#include <string>

namespace {

struct Listing {
    PluginPanelItem* Items = nullptr;
    int Count = -1;
    int Result = -1;
};

Listing Find(int OpMode = 0, HANDLE Handle = (HANDLE)(intptr_t)1) {
    Listing L;
    L.Result = GetFindData(Handle, &L.Items, &L.Count, OpMode);
    return L;
}

class PanelListing : public testing::Test {
  protected:
    void SetUp() override {
        ResetHeapHooks();
    }
};

TEST_F(PanelListing, ListsThreeFilesWithTheirSizesInOrder) {
    Listing L = Find();
    ASSERT_EQ(L.Result, 1);
    ASSERT_EQ(L.Count, 3);
    const char* Names[] = {"file.1", "file.2", "file.3"};
    for (int I = 0; I < 3; ++I) {
        const WIN32_FIND_DATA& Data = L.Items[I].FindData;
        EXPECT_STREQ(Data.cFileName, Names[I]);
        EXPECT_EQ(DWORD{Data.nFileSizeLow}, DWORD(10 * I + 10));
        EXPECT_EQ(DWORD{Data.nFileSizeHigh}, 0u);
        EXPECT_EQ(DWORD{Data.dwFileAttributes}, 0u);
        // Copies, since the packed pointer fields may be misaligned off 32-bit.
        const void *Description = L.Items[I].Description, *Owner = L.Items[I].Owner,
                   *CustomColumnData = L.Items[I].CustomColumnData;
        EXPECT_EQ(Description, nullptr);
        EXPECT_EQ(Owner, nullptr);
        EXPECT_EQ(CustomColumnData, nullptr);
    }
    FreeFindData(nullptr, L.Items, L.Count);
}

#if QELFAR_32BIT
// The host reads the listing as 1098 raw bytes; every byte but the names and
// sizes must be zero.
TEST_F(PanelListing, EveryByteOfTheListingIsAsTheHostExpects) {
    Listing L = Find();
    unsigned char Expected[1098] = {};
    for (int I = 0; I < 3; ++I) {
        unsigned char* Item = Expected + 366 * I;
        memcpy(Item + 44, ("file." + std::to_string(I + 1)).c_str(), 6);
        Item[32] = static_cast<unsigned char>(10 * I + 10);
    }
    const auto* Actual = reinterpret_cast<const unsigned char*>(L.Items);
    for (int Offset = 0; Offset < 1098; ++Offset)
        ASSERT_EQ(Actual[Offset], Expected[Offset]) << "byte " << Offset;
    EXPECT_EQ(memcmp(Actual + 410, "file.2", 7), 0);
    FreeFindData(nullptr, L.Items, L.Count);
}
#endif

TEST_F(PanelListing, IsTheSameForEveryModeHandleAndPanelState) {
    Listing First = Find(0, (HANDLE)(intptr_t)1);
    ASSERT_FALSE(PanelIsOpen);
    for (int Mode : {0, 1, 0x10, -1}) {
        Listing Other = Find(Mode, (HANDLE)(intptr_t)(Mode * 31));
        ASSERT_EQ(Other.Count, 3);
        EXPECT_EQ(memcmp(First.Items, Other.Items, 3 * sizeof(PluginPanelItem)), 0);
        FreeFindData(nullptr, Other.Items, Other.Count);
    }
    FreeFindData(nullptr, First.Items, First.Count);
}

TEST_F(PanelListing, EachCallMakesItsOwnListingFreedWhole) {
    Listing A = Find();
    Listing B = Find();
    EXPECT_NE(A.Items, B.Items);
    EXPECT_EQ(LiveAllocations(), 2);
    FreeFindData(nullptr, B.Items, 0);
    FreeFindData(nullptr, A.Items, 12345);
    EXPECT_EQ(LiveAllocations(), 0);
}

TEST_F(PanelListing, FreeingNullDoesNothing) {
    for (int Count : {0, 3, -1})
        FreeFindData(nullptr, nullptr, Count);
    EXPECT_EQ(TheHeapHooks.Releases, 0);
}

TEST_F(PanelListing, ThousandsOfPairsLeaveNoAllocationBehind) {
    for (int I = 0; I < 20000; ++I) {
        Listing L = Find(I);
        FreeFindData(nullptr, L.Items, L.Count);
    }
    EXPECT_EQ(TheHeapHooks.Allocations, 20000);
    EXPECT_EQ(LiveAllocations(), 0);
}

// A listing leaked per call would cost the host a megabyte every thousand
// panel refreshes; a million pairs must end where they started.
TEST_F(PanelListing, AMillionPairsLeaveNoAllocationBehind) {
    for (long I = 0; I < 1000000; ++I) {
        PluginPanelItem* Items = nullptr;
        int Count = 0;
        GetFindData(nullptr, &Items, &Count, 0);
        FreeFindData(nullptr, Items, Count);
    }
    EXPECT_EQ(TheHeapHooks.Allocations, 1000000);
    EXPECT_EQ(TheHeapHooks.Releases, 1000000);
    EXPECT_EQ(LiveAllocations(), 0);
}

// The out-parameters as the dying process leaves them, told from an exit
// handler, since the forked child's memory is not the test's.
int CountLeft = -7;
PluginPanelItem* ItemsLeft = nullptr;

void TellWhatWasHandedOut() {
    fprintf(stderr, "handed out: count %d, items %s\n", CountLeft,
            ItemsLeft == nullptr ? "none" : "some");
}

TEST_F(PanelListing, ExhaustedHeapIsReportedAndEndsTheProcessHandingOutNothing) {
    EXPECT_EXIT(
        {
            atexit(TellWhatWasHandedOut);
            TheHeapHooks.FailAfter = 0;
            GetFindData(nullptr, &ItemsLeft, &CountLeft, 0);
            fputs("GetFindData returned\n", stderr);
            exit(0);
        },
        testing::ExitedWithCode(1),
        "^\nraised STORAGE_ERROR : heap exhausted\nhanded out: count -7, items none\n$");
}

} // namespace
