// The built program, end to end: through files and pipes, on failures, on a
// terminal, and read back by an independent MIF reader.

#include "cases.hpp"
#include "program.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

using program::Feed;

TEST(Program, ConvertsFromFileAndPipe) {
    for (const auto& c : conversion_cases()) {
        for (auto feed : {Feed::file, Feed::pipe}) {
            auto got = program::run(c.input, feed);
            const char* how = feed == Feed::file ? " (file)" : " (pipe)";
            EXPECT_EQ(got.status, 0) << c.name << how;
            EXPECT_EQ(got.err, "") << c.name << how;
            EXPECT_EQ(got.out, c.output) << c.name << how;
        }
    }
}

// A pipe whose reader has gone.
int broken_pipe() {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        return -1;
    }
    close(ends[0]);
    return ends[1];
}

program::Result run_into_broken_pipe(bool default_sigpipe) {
    int in = open("/dev/null", O_RDONLY | O_CLOEXEC), out = broken_pipe();
    auto got = program::run_fds(in, out, default_sigpipe);
    close(in);
    close(out);
    return got;
}

// Every failure leaves the file without its closing lines and says why.
TEST(ProgramFailure, StatusDiagnosticAndNoClosingLines) {
    const auto words = numbered_words(257);
    const auto whole = mif_file(numbered_words(256));
    const auto unclosed = whole.substr(0, whole.find("END;"));
    struct Failure {
        const char* name;
        program::Result got;
        std::string err;
        std::string out;
    } failures[] = {
        {"257th word", program::run(lines_of(words), Feed::pipe),
         "wordmif: input holds more than 256 words\n", unclosed},
        {"257th word before Ctrl-Z", program::run(lines_of(words) + "\x1a", Feed::file),
         "wordmif: input holds more than 256 words\n", unclosed},
        {"input is a directory", program::run_on("/", ""),
         "wordmif: cannot read input: Is a directory\n", mif_header()},
        {"output device full", program::run_on("/dev/null", "/dev/full"),
         "wordmif: cannot write output: No space left on device\n", ""},
        {"broken pipe, SIGPIPE ignored", run_into_broken_pipe(false),
         "wordmif: cannot write output: Broken pipe\n", ""},
    };
    for (const auto& f : failures) {
        EXPECT_EQ(f.got.status, 1) << f.name;
        EXPECT_EQ(f.got.err, f.err) << f.name;
        EXPECT_EQ(f.got.out, f.out) << f.name;
    }
    auto quiet = run_into_broken_pipe(true);
    EXPECT_EQ(quiet.signal, SIGPIPE);
    EXPECT_EQ(quiet.err, "");
}

// A word far larger than any buffer goes through whole, and the program's
// memory stays what it is for two short words. (Linux counts the test
// process's own few MiB into a child's peak at exec, so both peaks start
// from that floor; a program that held the word would be 256 MiB above it.)
TEST(ProgramMemory, HugeWordInConstantMemory) {
    constexpr std::size_t huge = std::size_t{256} << 20;
    const std::string first = "0000000000000001";
    auto small = program::run(first + "\n0000000000000010\n", Feed::pipe);
    ASSERT_EQ(small.status, 0);

    const std::string head = mif_header() + "0: " + first + ";\r\n1: ";
    const std::string tail = ";\r\n[2..ff]: 0000000000000000;\r\nEND;\r\n";
    std::size_t at = 0, mismatches = 0;
    auto got = program::run_streamed(first + "\r\n", '1', huge, [&](std::string_view bytes) {
        for (char c : bytes) {
            char expected = at < head.size()                        ? head[at]
                            : at < head.size() + huge               ? '1'
                            : at < head.size() + huge + tail.size() ? tail[at - head.size() - huge]
                                                                    : '\0';
            mismatches += c != expected || at >= head.size() + huge + tail.size();
            ++at;
        }
    });
    EXPECT_EQ(got.status, 0);
    EXPECT_EQ(got.err, "");
    EXPECT_EQ(at, head.size() + huge + tail.size());
    EXPECT_EQ(mismatches, 0u);
    EXPECT_LE(got.peak_kib, small.peak_kib + 4096) << "two words: " << small.peak_kib << " KiB";
}

// Reads from fd until what has come ends with expected, or time runs out.
std::string read_until(int fd, const std::string& expected) {
    std::string got;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!got.ends_with(expected) && std::chrono::steady_clock::now() < deadline) {
        pollfd ready = {fd, POLLIN, 0};
        char block[4096];
        if (poll(&ready, 1, 100) == 1) {
            auto n = read(fd, block, sizeof block);
            if (n <= 0) {
                break;
            }
            got.append(block, static_cast<std::size_t>(n));
        }
    }
    return got;
}

// A person at a console sees each word's line as soon as the word is typed.
TEST(ProgramOnTerminal, EachLineAppearsAsTyped) {
    int master, terminal;
    ASSERT_EQ(openpty(&master, &terminal, nullptr, nullptr, nullptr), 0);
    termios mode;
    tcgetattr(terminal, &mode);
    mode.c_oflag &= ~OPOST; // the program's own bytes, no CR added
    mode.c_lflag &= ~ECHO;  // only the program's output to read back
    tcsetattr(terminal, TCSANOW, &mode);
    fcntl(master, F_SETFD, FD_CLOEXEC);
    fcntl(terminal, F_SETFD, FD_CLOEXEC);

    pid_t pid = program::start(terminal, terminal, terminal);
    close(terminal);

    EXPECT_EQ(read_until(master, mif_header()), mif_header());
    const std::pair<std::string, std::string> typed[] = {
        {"0000000000000001\n", "0: 0000000000000001;\r\n"},
        {"\t0000000000000010 \r\n", "1: 0000000000000010;\r\n"},
        {"\x04", "[2..ff]: 0000000000000000;\r\nEND;\r\n"}, // end of input
    };
    for (const auto& [line, expected] : typed) {
        ASSERT_EQ(write(master, line.data(), line.size()), static_cast<ssize_t>(line.size()));
        EXPECT_EQ(read_until(master, expected), expected) << line;
    }
    int status;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    close(master);
}

// An independent reader takes the file for the words that went in. Its MIF
// reader takes no range line wider than the file, so the memory is full.
TEST(ProgramReadBack, SrecCatReadsTheWords) {
    if (std::system("command -v srec_cat >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "srec_cat (package srecord) is not installed";
    }
    auto words = numbered_words(256);
    auto got = program::run(lines_of(words), Feed::pipe);
    ASSERT_EQ(got.status, 0);
    char path[] = "/tmp/wordmif-XXXXXX.mif";
    int fd = mkstemps(path, 4);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, got.out.data(), got.out.size()), static_cast<ssize_t>(got.out.size()));
    close(fd);

    std::string image,
        command = std::string("srec_cat ") + path + " -Memory_Initialization_File -o - -binary";
    FILE* reader = popen(command.c_str(), "r");
    ASSERT_NE(reader, nullptr);
    char block[4096];
    for (std::size_t n; (n = std::fread(block, 1, sizeof block, reader)) != 0;) {
        image.append(block, n);
    }
    EXPECT_EQ(pclose(reader), 0);
    unlink(path);

    std::string expected; // srec_cat puts each 16-bit word low byte first
    for (const auto& word : words) {
        auto value = std::stoul(word, nullptr, 2);
        expected += static_cast<char>(value & 0xFF);
        expected += static_cast<char>(value >> 8);
    }
    EXPECT_EQ(image, expected);
}

} // namespace
