// The built program, end to end. Each case is a bash command line, run with
// pipefail in a scratch folder that holds the case's input as the file `in`,
// after the helpers in tests/helpers.sh; `wordmif` there runs the program
// under test: $WORDMIF, after the emulator in $WORDMIF_EMULATOR if one is
// set. A case may hold only for the Linux build (posix) or only for the
// Windows one, a .exe. What a table needs of the machine (strace, a FIFO,
// ...) is checked once, before its cases, and a table that cannot run here
// is reported as skipped, with the reason and its cases; so each test holds
// the cases of one need. A single case may also exit with 77, saying why on
// standard output, if it is the only one of its test.

#include "cases.hpp"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

enum class Where { anywhere, posix, windows };

struct Command {
    std::string name;
    std::string command;
    std::string input;
    int status;
    std::string out;
    std::string err;
    Where where = Where::anywhere;
};

std::string read_file(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void write_file(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Scratch folders are named for their test and the process that made them,
// so that runs side by side never share one; one whose process is gone was
// left by a run that was killed.
const std::string scratch_prefix = "scratch.";

void remove_stale_scratch_folders(const std::filesystem::path& home) {
    std::error_code ignored; // another run may be removing the same folder
    for (const auto& entry : std::filesystem::directory_iterator(home, ignored)) {
        const auto name = entry.path().filename().string();
        const auto dot = name.rfind('.');
        if (!name.starts_with(scratch_prefix) || dot < scratch_prefix.size()) {
            continue;
        }
        const auto pid = std::atol(name.c_str() + dot + 1);
        if (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            std::filesystem::remove_all(entry.path(), ignored);
        }
    }
}

// Runs the bash command line in dir, emptied first, with the input as the
// file `in`; returns its exit status, or -1 for a signal.
int run_in(const std::filesystem::path& dir, const std::string& command, const std::string& input) {
    std::filesystem::remove_all(dir);
    std::filesystem::create_directory(dir);
    write_file(dir / "in", input);
    write_file(dir / "run", ". \"$WORDMIF_TEST_HELPERS\"\n" + command + "\n");
    const auto home = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    int status = std::system("bash -o pipefail run >out 2>err");
    std::filesystem::current_path(home);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs each case for this build. needs, if given, is a command line of the
// helpers' checks (can_trace, ...), run once before the cases: where it exits
// with 77, the whole table is skipped with its reason.
void expect_runs(const std::vector<Command>& runs, const std::string& needs = "") {
    // The shell cannot give the program a default SIGPIPE if it was started
    // with the signal ignored.
    std::signal(SIGPIPE, SIG_DFL);
    // The tools around the program in a locale that every machine has, so
    // that none of them warns of a missing one.
    setenv("LC_ALL", "C", 1);
    const char* program = std::getenv("WORDMIF");
    bool windows = program != nullptr && std::string_view(program).ends_with(".exe");
    // A folder of the test's own in the current one (under ctest, the build
    // tree). No path is ever put into shell text: the shell starts in the
    // folder, and finds the helpers in the environment.
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    const auto home = std::filesystem::current_path();
    remove_stale_scratch_folders(home);
    const auto dir = home / (scratch_prefix + test->test_suite_name() + "." + test->name() + "." +
                             std::to_string(getpid()));
    std::vector<const Command*> here;
    for (const auto& run : runs) {
        if (run.where != (windows ? Where::posix : Where::windows)) {
            here.push_back(&run);
        }
    }
    if (here.empty()) {
        GTEST_SKIP() << "every case is for another build";
    }
    if (!needs.empty()) {
        int status = run_in(dir, needs, "");
        auto why = read_file(dir / "out");
        auto err = read_file(dir / "err");
        std::filesystem::remove_all(dir);
        if (status == 77) {
            for (const auto* run : here) {
                why += "  skipped: " + run->name + "\n";
            }
            GTEST_SKIP() << why;
        }
        ASSERT_EQ(status, 0) << needs << ": " << why << err;
    }
    std::string skipped;
    for (const auto* run : here) {
        int status = run_in(dir, run->command, run->input);
        if (status == 77) {
            skipped += run->name + ": " + read_file(dir / "out");
        } else {
            EXPECT_EQ(status, run->status) << run->name;
            EXPECT_EQ(read_file(dir / "out"), run->out) << run->name;
            EXPECT_EQ(read_file(dir / "err"), run->err) << run->name;
        }
    }
    std::filesystem::remove_all(dir);
    if (!skipped.empty()) {
        // Skipping a whole table would hide the rows that did run.
        ASSERT_EQ(runs.size(), 1u) << "a case that may be skipped needs a test of its own";
        GTEST_SKIP() << skipped;
    }
}

// The cross builds run this test and SharesAFile, under qemu-user
// (tests/CMakeLists.txt).
TEST(Program, ConvertsFromFileAndPipe) {
    std::vector<Command> runs;
    for (const auto& c : conversion_cases()) {
        runs.push_back({c.name + " (file)", "wordmif < in", c.input, 0, c.output, ""});
        runs.push_back({c.name + " (pipe)", "cat in | wordmif", c.input, 0, c.output, ""});
    }
    expect_runs(runs);
}

const std::string no_space = "wordmif: cannot write output: No space left on device\n";
const std::string same_file = "wordmif: input file is output file\n";
const std::string too_many = "wordmif: input holds more than 256 words\n";
const std::string io_error = "wordmif: cannot write output: Input/output error\n";
const std::string broken_pipe = "wordmif: cannot write output: Broken pipe\n";
const std::string no_input = "wordmif: cannot read input: Resource temporarily unavailable\n";
const std::string no_output = "wordmif: cannot write output: Resource temporarily unavailable\n";

// The file as it stands after the 256th of 257 words, and the file of two
// words.
std::string unclosed() {
    return mif_lines(numbered_words(256));
}
std::string two_words() {
    return mif_file({one, two});
}

// One open file that several runs read in turn, and a file that is input and
// output at once. The cross builds run this test too.
TEST(Program, SharesAFile) {
    expect_runs({
        {"a Ctrl-Z leaves a shared file at the byte after it",
         "{ wordmif > a.mif; wordmif > b.mif; wordmif > c.mif; } < in; cat a.mif b.mif c.mif",
         one + "\x1a" + two + "\x1a" + "1", 0, mif_file({one}) + mif_file({two}) + mif_file({"1"}),
         ""},
        {"a 257th word leaves a shared file where reading stopped",
         "{ wordmif > a.mif; wordmif; } < in", lines_of(numbered_words(257)) + "1", 0, mif_file({}),
         "wordmif: input holds more than 256 words\n"},
        {"input file is output file",
         R"(for to in '>>' '1<>' '>'; do eval "wordmif < in $to in"; echo $?; cat in; done)", one,
         0, "1\n" + one + "1\n" + one + "1\n", same_file + same_file + same_file},
    });
}

// A file past 2 GiB, made without taking the room. The cross builds run this
// test too.
TEST(Program, SharesAFilePast2GiB) {
    expect_runs(
        {{"input file is output file, past 2 GiB",
          "truncate -s 2200000000 f; timeout 20 bash -c 'wordmif < f >> f'; echo $?; wc -c < f", "",
          0, "1\n2200000000\n", same_file}},
        "can_make_sparse_file");
}

// Every failure leaves the file without its closing lines and says why, once.
TEST(Program, FailsWithOneDiagnostic) {
    const auto words = lines_of(numbered_words(257));
    expect_runs({
        {"257th word", "cat in | wordmif", words, 1, unclosed(), too_many},
        {"257th word before Ctrl-Z", "wordmif < in", words + "\x1a", 1, unclosed(), too_many},
        {"input is a directory", "wordmif < /", "", 1, mif_header(),
         "wordmif: cannot read input: Is a directory\n", Where::posix},
        {"input is a directory", "wordmif < /", "", 1, mif_header(),
         "wordmif: cannot read input: Input/output error\n", Where::windows},
        {"input closed", "wordmif <&-", "", 1, mif_header(),
         "wordmif: cannot read input: Bad file descriptor\n", Where::posix},
        {"output device full", "wordmif < in > /dev/full", words, 1, "", no_space},
        {"input a directory, output full", "wordmif < / > /dev/full", "", 1, "", no_space,
         Where::posix},
        {"output closed", "wordmif < in >&-", "", 1, "",
         "wordmif: cannot write output: Bad file descriptor\n"},
        {"output sealed against writes", "into_sealed_file < in", one, 1, "",
         "wordmif: cannot write output: Permission denied\n", Where::windows},
        {"a non-blocking input pipe is not waited on",
         R"("$WORDMIF_EMULATOR" "${WORDMIF%/*}/windows_pipe.exe" nowait-in)", "", 1, mif_header(),
         no_input, Where::windows},
        {"a non-blocking output pipe takes the whole file",
         R"("$WORDMIF_EMULATOR" "${WORDMIF%/*}/windows_pipe.exe" nowait-out < in)", "", 0, "", "",
         Where::windows},
        {"a non-blocking output pipe is not waited on",
         R"("$WORDMIF_EMULATOR" "${WORDMIF%/*}/windows_pipe.exe" nowait-out < in)", long_word, 1,
         "", no_output, Where::windows},
        {"broken pipe", "into_closed_pipe < /dev/null", "", 128 + SIGPIPE, "", "", Where::posix},
        {"broken pipe", "into_closed_pipe < /dev/null", "", 1, "", broken_pipe, Where::windows},
    });
}

TEST(Program, FailsOnABrokenPipeWithSIGPIPEIgnored) {
    expect_runs({{"broken pipe, SIGPIPE ignored", "trap '' PIPE; into_closed_pipe < /dev/null", "",
                  1, "", broken_pipe, Where::posix}},
                "keeps_sigpipe_ignored");
}

// System calls made to fail under strace.
TEST(Program, FailsWhenACallFails) {
    const std::string direct_word(40 * 1024, '1'); // written straight from the input block
    expect_runs(
        {
            {"non-blocking input is a directory",
             "{ non_blocking STDIN; traced -o /dev/null; } < /", "", 1, mif_header(),
             "wordmif: cannot read input: Is a directory\n", Where::posix},
            {"a blocking input says EAGAIN",
             "traced -o /dev/null -e inject=read:error=EAGAIN:when=$(first read 0)+ < in", one, 1,
             mif_header(), no_input, Where::posix},
            {"a blocking input pipe says EAGAIN",
             "cat in | traced -o /dev/null -e inject=read:error=EAGAIN:when=$(first read 0)+", one,
             1, mif_header(), no_input, Where::posix},
            {"a blocking input whose mode cannot be read says EAGAIN",
             "cat in | traced -o /dev/null -e inject=read:error=EAGAIN:when=$(first read 0)+ "
             "-e inject=fcntl:error=EBADF",
             one, 1, mif_header(), no_input, Where::posix},
            {"a non-blocking file says EAGAIN",
             "{ non_blocking STDIN; traced -o /dev/null -e "
             "inject=read:error=EAGAIN:when=$(first read 0)+; } < in",
             one, 1, mif_header(), no_input, Where::posix},
            {"a non-blocking output file says EAGAIN",
             "{ non_blocking STDOUT; traced -o /dev/null -e "
             "inject=write:error=EAGAIN:when=$(first write 1); } < in > out.mif",
             one, 1, "", no_output, Where::posix},
            {"a write makes no progress",
             "traced -o /dev/null -e inject=write:retval=0:when=$(first write 1) < in", one, 1, "",
             io_error, Where::posix},
            {"the direct write of a long word fails",
             "traced -o /dev/null -e inject=write:error=EIO:when=$(($(first write 1) + 2)) < in",
             direct_word + "\n" + one, 1, mif_header() + "0: ", io_error, Where::posix},
            {"closing the output is interrupted",
             "traced -o /dev/null -e inject=close:error=EINTR:when=$(first close 1) < in",
             long_word, 1, mif_file({long_word}),
             "wordmif: cannot write output: Interrupted system call\n", Where::posix},
            {"an interrupted read is made again",
             "traced -o /dev/null -e inject=read:error=EINTR:when=$(first read 0) < in",
             one + " " + two, 0, two_words(), "", Where::posix},
            {"a write of one byte goes on from the next",
             "traced -o /dev/null -e inject=write:retval=1:when=$(first write 1) < in",
             one + " " + two, 0, two_words().substr(1), "", Where::posix},
        },
        "can_trace");
}

// Non-blocking streams, waited on only while they have nothing to give or
// no room to take, seen under strace.
TEST(Program, WaitsOnANonBlockingStream) {
    expect_runs(
        {
            {"waiting for a non-blocking input fails",
             "hold_fifo f; { non_blocking STDIN; "
             "traced -o /dev/null -e inject=poll,ppoll:error=ENOMEM:when=1; } < f",
             one, 1, mif_header(), "wordmif: cannot read input: Cannot allocate memory\n",
             Where::posix},
            {"an interrupted wait is made again", R"(hold_fifo f
{ non_blocking STDIN; traced -o calls -e trace=poll,ppoll -e inject=poll,ppoll:error=EINTR:when=1
} < f 3>&- &
seen_waiting calls; cat in >&3; exec 3>&-; wait $!)",
             one + " " + two, 0, two_words(), "", Where::posix},
            {"non-blocking input, empty at first, waited on without spinning", R"(hold_fifo f
{ non_blocking STDIN; traced -o polls -e trace=poll,ppoll; } < f 3>&- &
seen_waiting polls; cat in >&3; exec 3>&-; wait $!
n=$(grep -c poll polls); [ $n -lt 10 ] || echo "$n waits" >&2)",
             one + " " + two, 0, two_words(), "", Where::posix},
            // The program holds the FIFO open for reading too, so that it
            // never has no reader.
            {"non-blocking output into a full pipe", R"(mkfifo f
{ non_blocking STDOUT; traced -o polls -e trace=poll,ppoll < in; } 3<> f > f &
exec 4< f; seen_waiting polls; cat <&4; wait $!)",
             long_word, 0, mif_file({long_word}), "", Where::posix},
        },
        "can_trace; can_make_fifo");
}

// A 64 KiB disk of its own, in a mount namespace of its own, and for all but
// root a user one; a chroot has neither.
TEST(Program, FailsWhenTheDiskFillsMidWrite) {
    expect_runs(
        {{"disk full in the middle of a write", R"sh(ns="unshare -m$([ $(id -u) = 0 ] || echo r)"
$ns true 2>/dev/null || { echo 'no mount namespace'; exit 77; }
mkdir small; $ns bash -c 'mount -t tmpfs -o size=64k tmpfs small && wordmif < in > small/out')sh",
          long_word, 1, "", no_space}});
}

// In an address space or a data segment too small for the program's
// blocks: the program says so, or the C library, the dynamic loader or an
// emulator refuses to start it (a line of its own, or a signal, as in
// Debian 12's static start-up) before it writes anything. Never the C++
// runtime's abort. prlimit execs the program at once, so that no code of
// the test's own runs in the limit. The sanitizers reserve terabytes of
// address space.
TEST(Program, FailsInLittleMemory) {
    expect_runs({{"too little memory", R"sh(
[ -n "$ADDRESS_SPACE" ] || { echo 'the address space cannot be bounded here'; exit 77; }
can_bound_memory
wordmif < in > whole.mif
limited() {
    prlimit "$1" "$WORDMIF" < in > out.mif 2> err.txt
    local status=$? err
    err=$(cat err.txt)
    case $status:$(wc -c < out.mif):$err in
    0:*:) cmp -s whole.mif out.mif || echo "$1: a different file" ;;
    "1:0:wordmif: Cannot allocate memory") ;;
    0:* | *:0:wordmif:* | *:0:*"terminate called"*) echo "$1: status $status, $err" ;;
    *:0:?* | 1[3-9]?:0: | 2??:0:) ;;
    *) echo "$1: status $status, $err" ;;
    esac
}
{
    for ((kib = 1000; kib <= 2000; kib += 50)); do limited --as=$((kib * 1024)); done
    for ((kib = 150; kib <= 600; kib += 10)); do limited --data=$((kib * 1024)); done
} 2> /dev/null # bash's word of a signal)sh",
                  one, 0, "", "", Where::posix}});
}

// As people use it: typed at a console or fed by a slow pipe, on a word
// larger than memory could hold, from a pipe its writer closes, and read
// back by an independent reader.
TEST(Program, AsUsed) {
    auto words = numbered_words(256);
    std::string image; // srec_cat puts each 16-bit word low byte first
    for (const auto& word : words) {
        auto value = std::stoul(word, nullptr, 2);
        image += static_cast<char>(value & 0xFF);
        image += static_cast<char>(value >> 8);
    }
    expect_runs({
        {"a Windows pipe closed by its writer ends the input",
         R"("$WORDMIF_EMULATOR" "${WORDMIF%/*}/windows_pipe.exe" in < in)", one + " " + two, 0,
         two_words(), "", Where::windows},
        {"srec_cat reads the words back",
         "wordmif < in > rom.mif && srec_cat rom.mif -Memory_Initialization_File -o - -binary",
         lines_of(words), 0, image, ""},
    });
}

TEST(Program, AsTyped) {
    expect_runs(
        {
            {"each line as its word ends, in a pipe", "typed wordmif ''", "", 0, two_words(), ""},
            {"each line as its word ends, on a terminal",
             R"(typed "SHELL=/bin/bash script -qfec 'stty -echo -opost; wordmif' /dev/null" '\004')",
             "", 0, two_words(), "", Where::posix},
        },
        "can_make_fifo");
}

// The file up to the huge word is the input; the address space is bounded
// where no sanitizer reserves terabytes of it.
TEST(Program, ConvertsAHugeWordInBoundedMemory) {
    expect_runs({{"a 256 MiB word in bounded memory",
                  R"(huge() { head -c 268435456 /dev/zero | tr '\0' 1; }
{ printf '0000000000000001\r\n'; huge; } | prlimit --as=${ADDRESS_SPACE:-unlimited} "$WORDMIF" |
    cmp - <(cat in; huge; printf ';\r\n[2..ff]: 0000000000000000;\r\nEND;\r\n'))",
                  mif_header() + "0: " + one + ";\r\n1: ", 0, "", "", Where::posix}},
                "can_bound_memory");
}

} // namespace
