// Fuzzes the converter against a small model of its own: the whole input in
// memory, split the simple way, byte by byte, and written out by the tests'
// plain printf rendering of the file. The first bytes of each fuzz input
// choose how the data is cut into blocks and whether a read or a write
// fails.
//
// Layout: flags, write room (2 bytes), read point (2 bytes), count, count
// block sizes, then the data. flags bit 0: writing fails once room * 16
// bytes have been written; bit 1: reading fails once the read point is
// reached.

#include "cases.hpp"
#include "memory_streams.hpp"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Expected {
    std::string out;
    Outcome::Result result;
};

// The output for data of which only the first read_fails_at bytes can be
// read.
Expected model(std::string_view data, std::size_t read_fails_at) {
    std::vector<std::string> words;
    bool in_word = false;
    for (std::size_t i = 0; i < std::min(data.size(), read_fails_at); ++i) {
        char c = data[i];
        if (c == '\x1a') {
            return {mif_file(words), Outcome::converted};
        }
        if (c == '\r') {
            continue;
        }
        if (c == ' ' || (c >= '\t' && c <= '\f')) {
            in_word = false;
            continue;
        }
        if (!in_word) {
            if (words.size() == 256) {
                return {mif_lines(words), Outcome::too_many_words};
            }
            words.emplace_back();
            in_word = true;
        }
        words.back() += c;
    }
    if (read_fails_at > data.size()) {
        return {mif_file(words), Outcome::converted};
    }
    auto out = mif_lines(words);
    if (in_word) {
        out.resize(out.size() - 3); // the word's line is cut short: no ";\r\n"
    }
    return {out, Outcome::read_failed};
}

std::size_t block_size(std::uint8_t b) {
    // Mostly small blocks, sometimes ones around the program's buffer sizes.
    return b < 0xF0 ? b + 1u : std::size_t{1} << (b - 0xF0 + 4);
}

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "mismatch: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(input), size);
    auto take = [&rest]() -> std::size_t {
        if (rest.empty()) {
            return 0;
        }
        auto b = static_cast<std::uint8_t>(rest[0]);
        rest.remove_prefix(1);
        return b;
    };
    std::size_t flags = take();
    std::size_t room = take();
    room = (room | take() << 8) * 16;
    std::size_t read_point = take();
    read_point |= take() << 8;
    MemoryStreams streams;
    streams.blocks.clear();
    for (std::size_t count = take() % 16; count != 0; --count) {
        streams.blocks.push_back(block_size(static_cast<std::uint8_t>(take())));
    }
    if (streams.blocks.empty()) {
        streams.blocks.push_back(rest.size() + 1);
    }
    if ((flags & 1) != 0) {
        streams.write_room = room;
    }
    if ((flags & 2) != 0) {
        streams.read_fails_at = read_point;
    }

    auto run = convert_in_memory(rest, streams);
    auto expected = model(rest, streams.read_fails_at);
    check(!run.written_after_failure, "written after a failure");
    if (expected.out.size() > streams.write_room) {
        check(run.outcome.result == Outcome::write_failed, "result after a write failure");
        check(run.outcome.error == ENOSPC, "error after a write failure");
        check(run.out.size() <= room, "bytes past the failure");
        check(expected.out.compare(0, run.out.size(), run.out) == 0, "bytes before the failure");
        return 0;
    }
    check(run.outcome.result == expected.result, "result");
    check(run.outcome.error == (expected.result == Outcome::read_failed ? EIO : 0), "error");
    check(run.out == expected.out, "bytes");
    return 0;
}
