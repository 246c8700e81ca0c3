#pragma once

#include <string>
#include <vector>

// Inputs and the exact files they must give, shared by the converter's own
// tests and the tests of the built program.
struct Case {
    std::string name;
    std::string input;
    std::string output;
};

const std::vector<Case>& conversion_cases();

inline const std::string one = "0000000000000001", two = "0000000000000010";

// A word longer than the program's blocks and than a pipe holds, whose
// bytes repeat every 79: a period prime to the page size and longer than the
// word's 76 pages, so that no two of its pages are alike.
inline const std::string long_word = [] {
    std::string word(300 * 1024 + 7, ' ');
    for (std::size_t i = 0; i < word.size(); ++i) {
        word[i] = static_cast<char>('0' + i % 79);
    }
    return word;
}();

// The five header lines that every file begins with.
std::string mif_header();

// The header and one content line per word: the file as it stands when the
// input fails after these words.
std::string mif_lines(const std::vector<std::string>& words);

// The file for these words: a plain printf rendering of the format, kept
// apart from the program's own writer.
std::string mif_file(const std::vector<std::string>& words);

// Words numbered 0 to n-1, each a distinct 16-digit binary string.
std::vector<std::string> numbered_words(unsigned n);

// One input line per word, each ended by LF.
std::string lines_of(const std::vector<std::string>& words);
