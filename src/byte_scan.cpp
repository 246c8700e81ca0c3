#include "byte_scan.hpp"

#include <cstdint>
#include <cstring>

// Both scans look at eight bytes at a time with plain integer arithmetic
// (no byte's sum carries into the next), and only go byte by byte in the
// group where the run ends.

namespace {

using Group = std::uint64_t;
constexpr Group ones = 0x0101010101010101;
constexpr Group highs = ones * 0x80;

Group load_group(const char* p) {
    Group group;
    std::memcpy(&group, p, sizeof group);
    return group;
}

// Whether any byte is below 0x21. Every byte that can end a word (blanks,
// CR, Ctrl-Z) is, so a group without one is all word bytes.
constexpr bool has_control_or_space(Group x) {
    return ((x - ones * 0x21) & ~x & highs) != 0;
}

// Whether every byte is a blank or a CR: 0x09 to 0x0D, or 0x20.
constexpr bool all_skipped(Group x) {
    Group low7 = x & ~highs; // each byte now at most 0x7F, so sums stay in it
    Group at_least_tab = low7 + ones * (0x80 - 0x09);
    Group above_cr = low7 + ones * (0x7F - 0x0D);
    Group not_space = (low7 ^ ones * 0x20) + ones * 0x7F;
    Group skipped = ((at_least_tab & ~above_cr) | ~not_space) & ~x & highs;
    return skipped == highs;
}

constexpr bool is_skipped(unsigned char c) {
    return is_blank(c) || c == carriage_return;
}

constexpr bool is_word_break(unsigned char c) {
    return is_skipped(c) || c == end_of_data;
}

template <bool (*whole_group)(Group), bool (*stops)(unsigned char)>
const char* scan(const char* p, const char* end) {
    for (;;) {
        while (end - p >= 8 && whole_group(load_group(p))) {
            p += 8;
        }
        // The group may still hold no stop (a NUL in a word, say): look at it
        // byte by byte, then go back to whole groups.
        const char* group_end = end - p >= 8 ? p + 8 : end;
        for (; p != group_end; ++p) {
            if (stops(static_cast<unsigned char>(*p))) {
                return p;
            }
        }
        if (p == end) {
            return p;
        }
    }
}

constexpr bool no_word_break(Group x) {
    return !has_control_or_space(x);
}

constexpr bool is_not_skipped(unsigned char c) {
    return !is_skipped(c);
}

} // namespace

const char* skip_blanks(const char* p, const char* end) {
    return scan<all_skipped, is_not_skipped>(p, end);
}

const char* find_word_break(const char* p, const char* end) {
    return scan<no_word_break, is_word_break>(p, end);
}
