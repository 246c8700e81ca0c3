#pragma once

#include <cstddef>

// The process's standard streams as raw byte streams, the same on every
// platform: no C library text mode and no stdio buffering in between.
namespace std_streams {

// Puts standard input and output into binary mode where the platform has a
// text mode (Windows); elsewhere there is nothing to do.
void use_binary_mode();

// Reads from standard input as the converter's ReadInput does.
std::ptrdiff_t read_input(char* buffer, std::size_t n);

// Writes to standard output as the converter's WriteOutput does.
int write_output(const char* data, std::size_t n);

// Writes "wordmif: what" (and ": " with the system's text for error, if
// not 0) as one line on standard error.
void complain(const char* what, int error = 0);

} // namespace std_streams
