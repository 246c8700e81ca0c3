#include "converter.hpp"

#include "byte_scan.hpp"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

// The input block and the output buffer share one allocation. The input
// block starts on a page boundary: the kernel copies a file into a block
// that starts 16 bytes past one 7 times as slowly on some machines (AMD
// EPYC). The output buffer ends where the allocation does, so that a write
// past it is a write past the allocation, which AddressSanitizer sees. The
// memory comes from malloc, aligned by hand, since a lack of memory must be
// a null pointer: the aligned operator new reports it by an exception,
// which in little memory cannot be made either, and then the runtime aborts.
constexpr std::size_t block_size = 128 * 1024;
constexpr std::size_t page_size = 4096;
constexpr std::size_t memory_size = block_size + page_size + block_size;

struct Free {
    void operator()(char* p) const { std::free(p); }
};

// Where the conversion stands between two blocks of input.
struct Progress {
    unsigned words = 0; // content lines begun so far: the next word's address
    bool in_word = false;
    enum { reading, ended, too_many_words } state = reading;
};

// Converts the block from p to end, until it runs out or the data ends;
// returns the end of what it used.
const char* convert_block(const char* p, const char* end, Progress& at, MifWriter& out) {
    while (p != end) {
        if (!at.in_word) {
            p = skip_white_space(p, end);
            if (p == end) {
                break;
            }
            if (static_cast<unsigned char>(*p) == end_of_data) {
                at.state = Progress::ended;
                return p + 1;
            }
            if (at.words == memory_words) {
                at.state = Progress::too_many_words;
                return p;
            }
            out.begin_word(at.words++);
            at.in_word = true;
        }
        const char* run_end = find_word_break(p, end);
        out.word_bytes(p, static_cast<std::size_t>(run_end - p));
        if (run_end == end) {
            break;
        }
        auto c = static_cast<unsigned char>(*run_end);
        p = run_end + 1;
        if (c == carriage_return) {
            // Dropped, however many: the word goes on after them.
            p = skip_carriage_returns(p, end);
            continue;
        }
        out.end_word();
        at.in_word = false;
        if (c == end_of_data) {
            at.state = Progress::ended;
            return p;
        }
    }
    return end;
}

} // namespace

Outcome convert(const ReadInput& read, const WriteOutput& write) {
    // Left uninitialized: every byte is written before it is read.
    std::unique_ptr<char, Free> memory(static_cast<char*>(std::malloc(memory_size)));
    if (!memory) {
        return {Outcome::out_of_memory, ENOMEM};
    }
    auto past_page = reinterpret_cast<std::uintptr_t>(memory.get()) % page_size;
    char* input = memory.get() + (page_size - past_page) % page_size;
    MifWriter out(write, {memory.get() + memory_size - block_size, block_size});
    Progress at;
    std::size_t unread = 0;
    out.header();
    while (at.state == Progress::reading) {
        // All that is converted goes out before the wait for more input, so
        // that a console or a pipe sees each line as soon as its word ends.
        if (int error = out.flush(); error != 0) {
            return {Outcome::write_failed, error};
        }
        auto got = read(input, block_size);
        if (got < 0) {
            return {Outcome::read_failed, static_cast<int>(-got)};
        }
        if (got == 0) {
            break;
        }
        const char* end = input + got;
        unread = static_cast<std::size_t>(end - convert_block(input, end, at, out));
    }
    if (at.state != Progress::too_many_words) {
        if (at.in_word) {
            out.end_word();
        }
        out.zero_fill_and_end(at.words);
    }
    if (int error = out.flush(); error != 0) {
        return {Outcome::write_failed, error};
    }
    if (at.state == Progress::too_many_words) {
        return {Outcome::too_many_words};
    }
    return {Outcome::converted, 0, unread};
}
