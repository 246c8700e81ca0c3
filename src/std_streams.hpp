#pragma once

#include <cstddef>

// The process's standard streams as raw byte streams, the same on every
// platform: the system's own calls, with no C library text mode and no
// stdio buffering in between.
namespace std_streams {

// Reads from standard input as the converter's ReadInput does.
std::ptrdiff_t read_input(char* buffer, std::size_t n);

// Writes to standard output as a WriteOutput (mif_writer.hpp) does.
int write_output(const char* data, std::size_t n);

// Moves a seekable standard input back by n bytes, so that the next reader
// of a shared file starts at the first byte not used; a pipe or a terminal
// is left as it is.
void give_back_input(std::size_t n);

// Whether standard input and standard output are the same regular file,
// which the conversion would read its own output from.
bool input_is_output();

// Closes standard output; returns the errno value of a failure, or 0.
int close_output();

// Writes "wordmif: what" (and ": " with the system's text for error, if
// not 0) as one line on standard error.
void complain(const char* what, int error = 0);

// Beneath write_output and complain, the platform's own write: returns the
// count of bytes written, or, where write(2) returns -1 and sets errno, minus
// that errno value.
enum Stream { output = 1, error_output = 2 }; // the POSIX descriptors
std::ptrdiff_t write_some(Stream stream, const char* data, std::size_t n);

} // namespace std_streams
