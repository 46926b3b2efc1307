// The plugin's memory is read and written through the kernel: a wrong
// pointer gives an answer, never a fault.
#include "qelhost/gate/plugin_memory.hpp"

#include <gtest/gtest.h>

#include <string.h>
#include <sys/mman.h>

namespace {

// Two pages: the first readable and writable (or read-only), the second
// inaccessible, so that text can run into it.
class PluginPages : public ::testing::Test {
  protected:
    void SetUp() override {
        Pages = static_cast<char*>(
            mmap(nullptr, 2 * Page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
        ASSERT_NE(Pages, MAP_FAILED);
        mprotect(Pages + Page, Page, PROT_NONE);
    }
    void TearDown() override {
        munmap(Pages, 2 * Page);
    }
    // Text that ends just before the inaccessible page, with or without its zero.
    const char* AtPageEnd(const std::string& Text, bool Terminated) {
        char* Start = Pages + Page - Text.size() - (Terminated ? 1 : 0);
        memcpy(Start, Text.c_str(), Text.size() + (Terminated ? 1 : 0));
        return Start;
    }
    static constexpr size_t Page = 4096;
    char* Pages = nullptr;
};

TEST_F(PluginPages, BadAddressesCannotBeCopied) {
    char Buffer[16];
    const void* Bad[] = {nullptr, reinterpret_cast<void*>(0x10), Pages + Page,
                         Pages + Page - 8 /* half readable */,
                         reinterpret_cast<void*>(~uintptr_t{0} - 4) /* wraps */};
    for (const void* Address : Bad) {
        EXPECT_FALSE(CopyFromPlugin(Buffer, Address, sizeof Buffer)) << Address;
        EXPECT_FALSE(CopyToPlugin(const_cast<void*>(Address), Buffer, sizeof Buffer)) << Address;
    }
    EXPECT_TRUE(CopyFromPlugin(Buffer, nullptr, 0));
}

TEST_F(PluginPages, CopiesCrossPagesBothWays) {
    std::string Big(3 * 4096 + 5, 'q');
    std::string Copy(Big.size(), ' ');
    EXPECT_TRUE(CopyFromPlugin(Copy.data(), Big.data(), Big.size()));
    EXPECT_EQ(Copy, Big);
    memset(Pages, 'x', Page);
    EXPECT_TRUE(CopyToPlugin(Pages + 10, "written", 7));
    EXPECT_EQ(std::string(Pages + 8, 11), "xxwrittenxx");
    mprotect(Pages, Page, PROT_READ);
    EXPECT_FALSE(CopyToPlugin(Pages + 10, "again", 5));
    EXPECT_TRUE(CopyFromPlugin(Copy.data(), Pages + 10, 7));
}

TEST_F(PluginPages, TextIsReadUpToItsZeroWithinTheLimit) {
    struct Case {
        std::string Text;
        bool Terminated;
        size_t Limit;
        TextRead Expected;
    };
    const Case Cases[] = {
        {"", true, 10, TextRead::Whole},
        {"hello", true, 5, TextRead::Whole},
        {"hello", true, 4, TextRead::TooLong},
        {"runs into a page it cannot read", false, 100, TextRead::Unreadable},
        {std::string(5000, 'a'), true, 5000, TextRead::Whole}, // begins on the page before
    };
    std::string Far(6000, 'b');
    for (const Case& C : Cases) {
        const char* Text = C.Text.size() < Page ? AtPageEnd(C.Text, C.Terminated) : C.Text.c_str();
        std::string Read;
        EXPECT_EQ(ReadPluginText(Text, C.Limit, Read), C.Expected) << C.Text.size();
        if (C.Expected == TextRead::Whole) {
            EXPECT_EQ(Read, C.Text);
        }
    }
    std::string Read;
    EXPECT_EQ(ReadPluginText(reinterpret_cast<const char*>(0x10), 10, Read), TextRead::Unreadable);
    EXPECT_EQ(ReadPluginText(Far.c_str(), 5999, Read), TextRead::TooLong);
}

} // namespace
