// The converter core on input and output in memory: cut into blocks of many
// sizes (a word, a CR or a Ctrl-Z that straddles a block boundary must make
// no difference), and with a read or a write failing.

#include "cases.hpp"
#include "memory_streams.hpp"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

const std::size_t block_sizes[] = {1, 2, 3, 5, 7, 8, 9, 16, 17, 511, 512, 513, 1 << 20};

// Reading stops at a Ctrl-Z, and what was read after it is given back.
TEST(Converter, SameFileForEveryBlockSize) {
    for (const auto& c : conversion_cases()) {
        auto ctrl_z = c.input.find('\x1a');
        auto used = ctrl_z == std::string::npos ? c.input.size() : ctrl_z + 1;
        for (auto size : block_sizes) {
            auto run = convert_in_memory(c.input, {{size}});
            ASSERT_EQ(run.outcome.result, Outcome::converted) << c.name << " blocks of " << size;
            ASSERT_EQ(run.out, c.output) << c.name << " blocks of " << size;
            ASSERT_EQ(run.read - run.outcome.unread, used) << c.name << " blocks of " << size;
        }
    }
}

// Output waits for a read, or the end, to go out in one piece: the header
// before the first read, all 256 lines before the next, then the end.
TEST(Converter, WritesOncePerRead) {
    auto run = convert_in_memory(lines_of(numbered_words(256)));
    EXPECT_EQ(run.writes, 3u);
}

TEST(Converter, Word257StopsBeforeClosingLines) {
    auto input = lines_of(numbered_words(257));
    for (auto size : block_sizes) {
        auto run = convert_in_memory(input, {{size}});
        EXPECT_EQ(run.outcome.result, Outcome::too_many_words) << size;
        EXPECT_EQ(run.out, mif_lines(numbered_words(256))) << size;
    }
}

// What was converted before a failed read is written, a word cut short
// included, and the closing lines are not.
TEST(Converter, ReadFailureKeepsWhatWasConverted) {
    const struct {
        std::string input;
        std::size_t fails_at;
        std::string out;
    } failures[] = {
        {one + "\n" + two, 0, mif_header()},
        {one + "\n" + two, 3, mif_header() + "0: 000"},
        {one + "\n" + two, 16, mif_header() + "0: " + one},
        {one + "\r\n" + two, 17, mif_header() + "0: " + one},
        {one + "\n" + two, 17, mif_lines({one})},
        {one + "\n" + two, 33, mif_header() + "0: " + one + ";\r\n1: " + two},
    };
    for (const auto& f : failures) {
        for (auto size : block_sizes) {
            auto run = convert_in_memory(f.input, {{size}, f.fails_at});
            EXPECT_EQ(run.outcome.result, Outcome::read_failed) << f.fails_at << " " << size;
            EXPECT_EQ(run.outcome.error, EIO);
            EXPECT_EQ(run.out, f.out) << f.fails_at << " " << size;
        }
    }
}

TEST(Converter, WriteFailureStopsAllOutput) {
    for (const auto& c : conversion_cases()) {
        for (std::size_t room : {0, 10, 100, 200 * 1024}) {
            if (room >= c.output.size()) {
                continue;
            }
            auto run = convert_in_memory(c.input, {{4096}, std::string::npos, room});
            EXPECT_EQ(run.outcome.result, Outcome::write_failed) << c.name << " " << room;
            EXPECT_EQ(run.outcome.error, ENOSPC);
            EXPECT_EQ(run.out, c.output.substr(0, run.out.size())) << c.name << " " << room;
            EXPECT_FALSE(run.written_after_failure) << c.name << " " << room;
        }
    }
}

} // namespace
