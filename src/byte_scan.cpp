#include "byte_scan.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>

// The scans step over eight bytes at a time while a test on the whole group,
// in plain integer arithmetic, says that none of them can stop the scan;
// otherwise they look at that group byte by byte.

namespace {

using Group = std::uint64_t;
constexpr Group ones = 0x0101010101010101;
constexpr Group highs = ones * 0x80;

Group load_group(const char* p) {
    Group group;
    std::memcpy(&group, p, sizeof group);
    return group;
}

constexpr bool is_white_space(unsigned char c) {
    return c == 0x20 || (c >= 0x09 && c <= 0x0D);
}

// Whether every byte is white space: 0x09 to 0x0D, or 0x20.
// With the high bits cleared no sum below reaches the next byte, so each
// byte's flag, its high bit, is exact. For a byte c with low seven bits c7:
//   at_least_tab  c7 + 0x77 has it set when c7 >= 0x09,
//   above_cr      c7 + 0x72 has it set when c7 >= 0x0E,
//   not_space     (c7 ^ 0x20) + 0x7F has it set unless c7 == 0x20,
// and ~x clears it for a c of 0x80 or above. So 0x0B gives 0x82 and 0x7D,
// at least a tab and not above CR: white space; 0x8B gives the same sums,
// but ~x clears the flag; 0x41 gives 0xB8 and 0xB3, above CR, and is not a
// space: not white space.
constexpr bool all_white_space(Group x) {
    Group low7 = x & ~highs;
    Group at_least_tab = low7 + ones * (0x80 - 0x09);
    Group above_cr = low7 + ones * (0x7F - 0x0D);
    Group not_space = (low7 ^ ones * 0x20) + ones * 0x7F;
    Group white = ((at_least_tab & ~above_cr) | ~not_space) & ~x & highs;
    return white == highs;
}

// Whether every byte is 0x21 or above, so that none is white space or
// Ctrl-Z. This is the "has a byte less than n" trick: a byte below
// 0x21 borrows from the next, which may then be flagged too (00 21 flags
// both), so only the answer for the whole group is exact.
constexpr bool none_below_0x21(Group x) {
    return ((x - ones * 0x21) & ~x & highs) == 0;
}

template <class GroupPasses, class ByteStops>
const char* scan(const char* p, const char* end, GroupPasses group_passes, ByteStops byte_stops) {
    auto stops = [byte_stops](char c) { return byte_stops(static_cast<unsigned char>(c)); };
    for (; end - p >= 8; p += 8) {
        if (!group_passes(load_group(p))) {
            // The group may still hold no stop (a NUL in a word, say).
            if (const char* q = std::find_if(p, p + 8, stops); q != p + 8) {
                return q;
            }
        }
    }
    return std::find_if(p, end, stops);
}

} // namespace

const char* skip_white_space(const char* p, const char* end) {
    return scan(p, end, all_white_space, [](unsigned char c) { return !is_white_space(c); });
}

const char* find_word_break(const char* p, const char* end) {
    return scan(p, end, none_below_0x21,
                [](unsigned char c) { return is_white_space(c) || c == end_of_data; });
}

const char* skip_carriage_returns(const char* p, const char* end) {
    return scan(
        p, end, [](Group x) { return x == ones * carriage_return; },
        [](unsigned char c) { return c != carriage_return; });
}
