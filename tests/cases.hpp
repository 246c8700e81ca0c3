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
