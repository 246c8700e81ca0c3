// Test binaries that run the program take its command after GoogleTest's
// own flags: an emulator and its arguments may come first.

#include "program.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <iostream>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    program::command.assign(argv + 1, argv + argc);
    if (program::command.empty() && !GTEST_FLAG_GET(list_tests)) {
        std::cerr << "usage: " << argv[0] << " [gtest flags] COMMAND...\n";
        return 2;
    }
    // A program that stops reading its input early must not end the tests.
    std::signal(SIGPIPE, SIG_IGN);
    return RUN_ALL_TESTS();
}
