#include "cases.hpp"

#include <cstdio>

std::string mif_header() {
    return "DEPTH = 256;\r\nWIDTH = 16;\r\nDATA_RADIX = BIN;\r\nCONTENT\r\nBEGIN\r\n";
}

std::string mif_lines(const std::vector<std::string>& words) {
    std::string file = mif_header();
    char text[64];
    for (std::size_t i = 0; i < words.size(); ++i) {
        std::snprintf(text, sizeof text, "%zx: ", i);
        file += text;
        file += words[i];
        file += ";\r\n";
    }
    return file;
}

std::string mif_file(const std::vector<std::string>& words) {
    std::string file = mif_lines(words);
    if (words.size() < 256) {
        char text[64];
        std::snprintf(text, sizeof text, "[%zx..ff]: 0000000000000000;\r\n", words.size());
        file += text;
    }
    return file + "END;\r\n";
}

std::vector<std::string> numbered_words(unsigned n) {
    std::vector<std::string> words;
    for (unsigned i = 0; i < n; ++i) {
        unsigned value = (i * 0x9E37u) ^ 0x5A5Au; // every bit position varies
        std::string word;
        for (int bit = 15; bit >= 0; --bit) {
            word += (value >> bit & 1) != 0 ? '1' : '0';
        }
        words.push_back(word);
    }
    return words;
}

std::string lines_of(const std::vector<std::string>& words) {
    std::string text;
    for (const auto& word : words) {
        text += word + "\n";
    }
    return text;
}

namespace {

// Every byte but white space, CR and Ctrl-Z, in order.
std::string word_bytes() {
    std::string bytes;
    for (int c = 0; c < 256; ++c) {
        if (c != ' ' && (c < '\t' || c > '\r') && c != 0x1A) {
            bytes += static_cast<char>(c);
        }
    }
    return bytes;
}

} // namespace

const std::vector<Case>& conversion_cases() {
    const std::string zeros(40000, '0'), ones(40000, '1');
    const std::string bytes = word_bytes(), reversed(bytes.rbegin(), bytes.rend());
    const std::string quarter = long_word.substr(0, 32 * 1024 - 1);
    std::vector<std::string> wide_words; // 510 digits each, all 256 in one block
    for (const auto& word : numbered_words(256)) {
        std::string wide;
        while (wide.size() < 510) {
            wide += word;
        }
        wide_words.push_back(wide.substr(0, 510));
    }
    static const std::vector<Case> cases = {
        {"empty", "", mif_file({})},
        {"blanks_only", " \t\n\v\f\r\n\r", mif_file({})},
        {"two_lines", one + "\n" + two + "\n",
         mif_header() + "0: 0000000000000001;\r\n1: 0000000000000010;\r\n"
                        "[2..ff]: 0000000000000000;\r\nEND;\r\n"},
        {"no_final_line_feed", one + "\n" + two, mif_file({one, two})},
        {"crlf_line_ends", one + "\r\n" + two + "\r\n", mif_file({one, two})},
        {"one_line_tabs_blank_lines", "\t" + one + " \t " + two + "\n\n\v\f", mif_file({one, two})},
        {"lone_cr_joins", "\r00000000\r00000001\r\n\r", mif_file({one})},
        {"cr_runs_in_words",
         "0" + std::string(20, '\r') + "1" + std::string(9, '\r') + " 1" + std::string(8, '\r') +
             "0\r",
         mif_file({"01", "10"})},
        {"ctrl_z_ends_data",
         one + "\n" + two +
             "\x1a"
             "0000000000000011\n",
         mif_file({one, two})},
        {"ctrl_z_ends_word", one + "\x1a\n" + two, mif_file({one})},
        {"ctrl_z_first", "\x1a" + one, mif_file({})},
        {"ctrl_z_after_blanks", std::string(12, ' ') + "\x1a   1", mif_file({})},
        {"seventeen_words", lines_of(numbered_words(17)), mif_file(numbered_words(17))},
        {"255_words", lines_of(numbered_words(255)), mif_file(numbered_words(255))},
        {"256_words_fill_memory", lines_of(numbered_words(256)), mif_file(numbered_words(256))},
        {"256_words_then_blanks_and_ctrl_z",
         lines_of(numbered_words(256)) + " \r\n\t\x1a"
                                         "more words",
         mif_file(numbered_words(256))},
        {"unchecked_words", "12ab 01234567890123456789",
         mif_file({"12ab", "01234567890123456789"})},
        {"every_other_byte_is_a_word_byte", bytes + "\n" + reversed, mif_file({bytes, reversed})},
        {"one_byte_then_seven_blanks", "~       ", mif_file({"~"})},
        {"eight_0xff_bytes", "\xff\xff\xff\xff\xff\xff\xff\xff",
         mif_file({"\xff\xff\xff\xff\xff\xff\xff\xff"})},
        {"long_word", long_word + "\r\n" + one, mif_file({long_word, one})},
        // Each of them fits the output block, but no two do.
        {"four_words_that_fill_the_input_block",
         quarter + " " + quarter + " " + quarter + " " + quarter + " ",
         mif_file({quarter, quarter, quarter, quarter})},
        {"lone_cr_between_long_runs", zeros + "\r" + ones, mif_file({zeros + ones})},
        // One block of input whose file outgrows the output block.
        {"wide_words_fill_more_than_an_output_block", lines_of(wide_words), mif_file(wide_words)},
    };
    return cases;
}
