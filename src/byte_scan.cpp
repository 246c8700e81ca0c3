#include "byte_scan.hpp"

#include <cstdint>
#include <cstring>

namespace {

// Whether any of the eight bytes of x is below 0x21. Every byte that can end
// a word (blanks, CR, Ctrl-Z) is, so a group without one is all word bytes.
constexpr bool has_control_or_space(std::uint64_t x) {
    constexpr std::uint64_t ones = 0x0101010101010101;
    constexpr std::uint64_t highs = 0x8080808080808080;
    return ((x - ones * 0x21) & ~x & highs) != 0;
}

std::uint64_t load_group(const char* p) {
    std::uint64_t group;
    std::memcpy(&group, p, sizeof group);
    return group;
}

constexpr bool is_skipped(unsigned char c) {
    return is_blank(c) || c == carriage_return;
}

} // namespace

const char* skip_blanks(const char* p, const char* end) {
    while (p != end && is_skipped(static_cast<unsigned char>(*p))) {
        ++p;
    }
    return p;
}

const char* find_word_break(const char* p, const char* end) {
    for (;;) {
        while (end - p >= 8 && !has_control_or_space(load_group(p))) {
            p += 8;
        }
        // A group with a low byte may still be all word bytes (NUL, 0x1C):
        // look at it byte by byte, then go back to whole groups.
        const char* group_end = end - p >= 8 ? p + 8 : end;
        for (; p != group_end; ++p) {
            auto c = static_cast<unsigned char>(*p);
            if (is_skipped(c) || c == end_of_data) {
                return p;
            }
        }
        if (p == end) {
            return p;
        }
    }
}
