// What the platforms share; std_streams_posix.cpp and
// std_streams_windows.cpp hold the rest.

#include "std_streams.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace std_streams {

int write_output(const char* data, std::size_t n) {
    while (n != 0) {
        auto put = write_some(output, data, n);
        if (put < 0) {
            return static_cast<int>(-put);
        }
        if (put == 0) {
            return EIO; // no progress and no reason given
        }
        data += put;
        n -= static_cast<std::size_t>(put);
    }
    return 0;
}

void complain(const char* what, int error) {
    // One buffer written at once, so that the line is never split by another
    // process's output on the same terminal. Every line is far shorter than
    // the buffer; the min only keeps the write inside it.
    char line[256];
    int n = std::snprintf(line, sizeof line, "wordmif: %s%s%s\n", what, error != 0 ? ": " : "",
                          error != 0 ? std::strerror(error) : "");
    if (n > 0) {
        // Nothing is left to tell if standard error itself fails.
        (void)write_some(error_output, line,
                         std::min(static_cast<std::size_t>(n), sizeof line - 1));
    }
}

} // namespace std_streams
