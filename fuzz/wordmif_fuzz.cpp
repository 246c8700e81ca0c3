// Fuzzes the converter against a small model of its own: the whole input in
// memory, cut and split the simple way, and written out by the tests' plain
// printf rendering of the file. The first bytes of each fuzz input
// choose how the data is cut into blocks and whether the output fails.
//
// Layout: flags, room (2 bytes), count, count block sizes, then the data.
// flags bit 0: pass each line on at once; bit 1: the output fails once
// room * 16 bytes have been written.

#include "capture_sink.hpp"
#include "cases.hpp"
#include "converter.hpp"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Expected {
    std::string bytes;
    bool too_many = false;
};

Expected model(std::string_view data) {
    data = data.substr(0, data.find('\x1a'));
    std::vector<std::string> words(1);
    for (char c : data) {
        if (c == '\r') {
            continue;
        }
        if (c == ' ' || (c >= '\t' && c <= '\f')) {
            if (!words.back().empty()) {
                words.emplace_back();
            }
        } else {
            words.back() += c;
        }
    }
    if (words.back().empty()) {
        words.pop_back();
    }
    // Past 256 words the file stops before the closing lines.
    if (words.size() > 256) {
        words.resize(256);
        auto whole = mif_file(words);
        return {whole.substr(0, whole.rfind("END;")), true};
    }
    return {mif_file(words), false};
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
    auto take = [&rest]() -> std::uint8_t {
        if (rest.empty()) {
            return 0;
        }
        auto b = static_cast<std::uint8_t>(rest[0]);
        rest.remove_prefix(1);
        return b;
    };
    std::uint8_t flags = take();
    std::size_t room = (take() | take() << 8) * std::size_t{16};
    std::vector<std::size_t> blocks;
    for (std::uint8_t count = take() % 16; count != 0; --count) {
        blocks.push_back(block_size(take()));
    }
    if (blocks.empty()) {
        blocks.push_back(rest.size() + 1);
    }
    const bool output_fails = (flags & 2) != 0;
    CaptureSink sink(output_fails ? room : SIZE_MAX);
    auto out = std::make_unique<MifWriter>(sink, (flags & 1) != 0);
    Converter converter(*out);

    auto status = converter.start();
    for (std::size_t at = 0, i = 0;
         status == Converter::Status::ok && !converter.ended() && at < rest.size(); ++i) {
        auto n = std::min(blocks[i % blocks.size()], rest.size() - at);
        status = converter.feed(rest.data() + at, n);
        at += n;
    }
    if (status == Converter::Status::ok) {
        status = converter.finish();
    }

    check(!sink.written_after_failure, "written after a failure");
    auto expected = model(rest);
    if (output_fails && expected.bytes.size() > room) {
        check(status == Converter::Status::write_failed, "status after a write failure");
        check(sink.bytes.size() <= room, "bytes past the failure");
        check(expected.bytes.compare(0, sink.bytes.size(), sink.bytes) == 0,
              "bytes before failure");
        return 0;
    }
    check(status == (expected.too_many ? Converter::Status::too_many_words : Converter::Status::ok),
          "status");
    check(sink.bytes == expected.bytes, "bytes");
    return 0;
}
