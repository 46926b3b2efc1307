#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Fork without re-exec: the threadsafe style re-runs the program, which is
    // slow under a user-mode emulator and gains nothing here.
    GTEST_FLAG_SET(death_test_style, "fast");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
