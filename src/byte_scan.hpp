#pragma once

// How the converter sees input bytes, and fast scans over runs of them.

inline constexpr unsigned char carriage_return = 0x0D;
inline constexpr unsigned char end_of_data = 0x1A; // Ctrl-Z

// White space is C's: tab, line feed, vertical tab, form feed, carriage
// return and space. All of it but the carriage return, which is dropped
// wherever it stands, separates words.

// Returns the first byte at or after p that is not white space, or end.
const char* skip_white_space(const char* p, const char* end);

// Returns the first byte at or after p that is white space or Ctrl-Z, or
// end: everything before it belongs to the current word.
const char* find_word_break(const char* p, const char* end);

// Returns the first byte at or after p that is not a carriage return, or end.
const char* skip_carriage_returns(const char* p, const char* end);
