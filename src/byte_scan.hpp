#pragma once

// How the converter sees input bytes, and fast scans over runs of them.

inline constexpr unsigned char carriage_return = 0x0D;
inline constexpr unsigned char end_of_data = 0x1A; // Ctrl-Z

// Tab, line feed, vertical tab, form feed and space (blanks) separate words.

// Returns the first byte at or after p that is neither a blank nor a
// carriage return, or end.
const char* skip_blanks(const char* p, const char* end);

// Returns the first byte at or after p that is a blank, a carriage return or
// Ctrl-Z, or end: everything before it belongs to the current word.
const char* find_word_break(const char* p, const char* end);

// Returns the first byte at or after p that is not a carriage return, or end.
const char* skip_carriage_returns(const char* p, const char* end);
