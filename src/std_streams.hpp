#pragma once

#include "output_sink.hpp"

#include <cstddef>

// The process's standard streams as raw byte streams, the same on every
// platform: no C library text mode and no stdio buffering in between.
namespace std_streams {

// Puts standard input and output into binary mode where the platform has a
// text mode (Windows); elsewhere there is nothing to do.
void use_binary_mode();

bool output_is_terminal();

struct ReadResult {
    std::size_t size; // 0 at the end of the input
    int error;        // errno value, or 0
};

// Reads what is available, up to n bytes, waiting only until some arrives,
// so that a console line is converted as soon as it is entered.
ReadResult read_input(char* buffer, std::size_t n);

class Output : public OutputSink {
public:
    int write_all(const char* data, std::size_t n) override;
};

// Writes "wordmif: what" (and ": " with the system's text for error, if
// not 0) as one line on standard error.
void complain(const char* what, int error = 0);

} // namespace std_streams
