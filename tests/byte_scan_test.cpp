// The word-at-a-time scans against a plain loop over the bytes: runs of every
// byte value, every byte value at every position of runs that end anywhere in
// a group of eight, and mixtures of the bytes that the scans look for.

#include "byte_scan.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

bool is_white_space(unsigned char c) {
    return c != 0 && std::strchr("\t\n\v\f\r ", c) != nullptr;
}

// Byte strings that mix the bytes the scans stop at or pass over (white
// space, CR, Ctrl-Z, NUL), the values one away from each, and the same with
// the high bit set, a few values to a string. Then the groups that a slip in
// the arithmetic of a scan's group test would take for a run of one byte: a
// run of 0x01 or 0x80 bytes combined with a byte by another operator.
std::vector<std::string> mixtures() {
    using namespace std::string_literals;
    const std::string lows = "\x00\x01\x08\t\n\v\f\r\x0e\x19\x1a\x1b\x1f \x21\x7f"s;
    std::mt19937 random(20261210);
    auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    std::vector<std::string> strings;
    for (int i = 0; i < 20000; ++i) {
        std::string palette;
        for (std::size_t n = 1 + pick(3); n > 0; --n) {
            char c = lows[pick(lows.size())];
            palette += pick(2) == 0 ? c : static_cast<char>(c | 0x80);
        }
        std::string s(1 + pick(24), ' ');
        for (char& c : s) {
            c = palette[pick(palette.size())];
        }
        strings.push_back(s);
    }
    for (std::uint64_t run : {0x0101010101010101u, 0x8080808080808080u}) {
        for (std::uint64_t b = 1; b < 256; ++b) {
            for (std::uint64_t group : {run / b, run + b, run - b, run ^ b, run * b}) {
                std::string s(sizeof group, ' ');
                std::memcpy(s.data(), &group, sizeof group);
                strings.push_back(s);
            }
        }
    }
    return strings;
}

TEST(ByteScan, AgreesWithAByteLoop) {
    using namespace std::string_literals;
    const struct {
        const char* name;
        const char* (*scan)(const char*, const char*);
        bool (*stops)(unsigned char);
        std::string fillers; // bytes the scan passes over
    } scans[] = {
        {"skip_white_space", skip_white_space, [](unsigned char c) { return !is_white_space(c); },
         "\t\n\v\f\r "},
        {"find_word_break", find_word_break,
         [](unsigned char c) { return is_white_space(c) || c == 0x1A; },
         "01\0\x08\x0e\x21\x7f\x80\xff"s},
        {"skip_carriage_returns", skip_carriage_returns, [](unsigned char c) { return c != '\r'; },
         "\r"},
    };
    const auto mixed = mixtures();
    for (const auto& s : scans) {
        // Runs of one byte value, so that a whole group of it is tested at once.
        for (int byte = 0; byte < 256; ++byte) {
            for (std::size_t length = 0; length <= 24; ++length) {
                std::string run(length, static_cast<char>(byte));
                const char* begin = run.data();
                const char* end = begin + length;
                auto stop = s.stops(static_cast<unsigned char>(byte)) ? 0 : length;
                ASSERT_EQ(s.scan(begin, end) - begin, long(stop))
                    << s.name << " a run of byte " << byte << " of " << length;
            }
        }
        for (char filler : s.fillers) {
            for (std::size_t length = 0; length <= 24; ++length) {
                std::string run(length, filler);
                auto stops = [&](char c) { return s.stops(static_cast<unsigned char>(c)); };
                for (std::size_t at = 0; at < length; ++at) {
                    for (int byte = 0; byte < 256; ++byte) {
                        run[at] = static_cast<char>(byte);
                        const char* begin = run.data();
                        const char* end = begin + length;
                        ASSERT_EQ(s.scan(begin, end) - begin,
                                  std::find_if(begin, end, stops) - begin)
                            << s.name << " filler " << int(filler) << " byte " << byte << " at "
                            << at << " of " << length;
                    }
                    run[at] = filler;
                }
                ASSERT_EQ(s.scan(run.data(), run.data() + length) - run.data(), long(length));
            }
        }
        // Each from every start, so at every position of a group and every
        // distance from the end, in a buffer of exactly its length: a read
        // past the end is an error under AddressSanitizer.
        auto stops = [&](char c) { return s.stops(static_cast<unsigned char>(c)); };
        for (const auto& mixture : mixed) {
            const std::vector<char> buffer(mixture.begin(), mixture.end());
            const char* end = buffer.data() + buffer.size();
            for (const char* begin = buffer.data(); begin <= end; ++begin) {
                ASSERT_EQ(s.scan(begin, end) - begin, std::find_if(begin, end, stops) - begin)
                    << s.name << " " << testing::PrintToString(mixture) << " from "
                    << begin - buffer.data();
            }
        }
    }
}

} // namespace
