// The listing handed to the host: its bytes, its ownership and the report
// when the heap cannot supply it.
#include "plugin/module_state.hpp"
#include "plugin/plugin.hpp"
#include "tests/heap_hooks.hpp"
#include "tests/host_layout.hpp"

#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include <vector>

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

// The host reads the listing as raw bytes: three items back to back, each
// with its name and size and every other byte zero (pointers null).
TEST_F(PanelListing, ListsThreeFilesInOrderByteForByte) {
    Listing L = Find();
    ASSERT_EQ(L.Result, 1);
    ASSERT_EQ(L.Count, 3);
    std::vector<unsigned char> Expected(3 * Layout.PanelItemSize);
    for (int I = 0; I < 3; ++I) {
        unsigned char* Item = Expected.data() + Layout.PanelItemSize * I;
        memcpy(Item + Layout.FileNameAt, ("file." + std::to_string(I + 1)).c_str(), 6);
        Item[Layout.FileSizeAt] = static_cast<unsigned char>(10 * I + 10);
    }
    const auto* Actual = reinterpret_cast<const unsigned char*>(L.Items);
    for (size_t Offset = 0; Offset < Expected.size(); ++Offset)
        ASSERT_EQ(Actual[Offset], Expected[Offset]) << "byte " << Offset;
    EXPECT_STREQ(L.Items[1].FindData.cFileName, "file.2");
    FreeFindData(nullptr, L.Items, L.Count);
}

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
