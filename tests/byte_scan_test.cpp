// The word-at-a-time scans against a plain loop over the bytes: runs of every
// byte value, and every byte value at every position of runs that end
// anywhere in a group of eight.

#include "byte_scan.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

bool is_white_space(unsigned char c) {
    return c != 0 && std::strchr("\t\n\v\f\r ", c) != nullptr;
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
    }
}

} // namespace
