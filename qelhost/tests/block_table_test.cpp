// The table of the plugin's heap blocks: free and realloc trust it to tell
// the plugin's blocks from any other pointer, through growth and churn.
#include "qelhost/gate/block_table.hpp"

#include <gtest/gtest.h>

#include <stdint.h>

namespace {

void* Address(uintptr_t Number) {
    return reinterpret_cast<void*>(0x10000 + Number * 16);
}

TEST(BlockTable, TellsBlocksApartThroughGrowthAndChurn) {
    constexpr uintptr_t Many = 5000;
    for (uintptr_t I = 0; I < Many; ++I)
        ASSERT_TRUE(RememberBlock(Address(I)));
    for (uintptr_t I = 0; I < Many; I += 2)
        ASSERT_TRUE(ForgetBlock(Address(I)));
    struct {
        const char* What;
        uintptr_t Block;
        bool Held;
    } const Cases[] = {
        {"a block kept", 1, true},
        {"the last block kept", Many - 1, true},
        {"a block freed", 0, false},
        {"another block freed", Many - 2, false},
        {"a block never made", Many + 7, false},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(IsPluginBlock(Address(Case.Block)), Case.Held) << Case.What;
    EXPECT_FALSE(IsPluginBlock(nullptr));
    EXPECT_FALSE(ForgetBlock(Address(0))) << "freed twice";

    // Blocks made and freed over and over, as a plugin's heap is used: the
    // tombstones they leave must not fill the table (a look-up would never
    // end) nor lose the blocks still held.
    for (uintptr_t Round = 0; Round < 200000; ++Round) {
        ASSERT_TRUE(RememberBlock(Address(Many + Round)));
        ASSERT_TRUE(ForgetBlock(Address(Many + Round)));
    }
    for (uintptr_t I = 1; I < Many; I += 2)
        ASSERT_TRUE(IsPluginBlock(Address(I))) << I;
    for (uintptr_t I = 1; I < Many; I += 2)
        ASSERT_TRUE(ForgetBlock(Address(I)));
    EXPECT_FALSE(IsPluginBlock(Address(1)));
}

} // namespace
