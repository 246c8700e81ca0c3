// The converter core fed in blocks of many sizes: a word, a CR or a Ctrl-Z
// that straddles a block boundary must make no difference.

#include "capture_sink.hpp"
#include "cases.hpp"
#include "converter.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Outcome {
    Converter::Status status;
    std::string bytes;
};

Outcome convert(const std::string& input, std::size_t chunk, bool each_line = false,
                std::size_t fail_after = std::string::npos) {
    CaptureSink sink(fail_after);
    auto out = std::make_unique<MifWriter>(sink, each_line);
    Converter converter(*out);
    auto status = converter.start();
    for (std::size_t at = 0;
         status == Converter::Status::ok && at < input.size() && !converter.ended(); at += chunk) {
        status = converter.feed(input.data() + at, std::min(chunk, input.size() - at));
    }
    if (status == Converter::Status::ok) {
        status = converter.finish();
    }
    EXPECT_FALSE(sink.written_after_failure);
    return {status, sink.bytes};
}

const std::size_t chunk_sizes[] = {1, 2, 3, 5, 7, 8, 9, 16, 17, 511, 512, 513, 1 << 20};

TEST(Converter, SameFileForEveryChunking) {
    for (const auto& c : conversion_cases()) {
        for (auto chunk : chunk_sizes) {
            for (bool each_line : {false, true}) {
                auto got = convert(c.input, chunk, each_line);
                ASSERT_EQ(got.status, Converter::Status::ok) << c.name << " chunk " << chunk;
                ASSERT_EQ(got.bytes, c.output) << c.name << " chunk " << chunk;
            }
        }
    }
}

TEST(Converter, Word257StopsBeforeClosingLines) {
    auto words = numbered_words(257);
    auto whole = mif_file(numbered_words(256));
    auto written = whole.substr(0, whole.find("END;"));
    for (auto chunk : chunk_sizes) {
        auto got = convert(lines_of(words), chunk);
        EXPECT_EQ(got.status, Converter::Status::too_many_words) << chunk;
        EXPECT_EQ(got.bytes, written) << chunk;
    }
}

TEST(Converter, WriteFailureStopsAllOutput) {
    const auto& c = conversion_cases().back(); // a word longer than the buffer
    for (std::size_t room : {0, 10, 100, 200 * 1024}) {
        for (bool each_line : {false, true}) {
            auto got = convert(c.input, 4096, each_line, room);
            EXPECT_EQ(got.status, Converter::Status::write_failed) << room;
            EXPECT_EQ(got.bytes, c.output.substr(0, got.bytes.size())) << room;
        }
    }
}

} // namespace
