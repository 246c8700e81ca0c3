#include "std_streams.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace std_streams {

namespace {

constexpr int input_fd = 0;
constexpr int output_fd = 1;
constexpr int error_fd = 2;

// Windows counts in unsigned int; keep every call well inside it.
constexpr std::size_t max_io = 1 << 30;

#ifdef _WIN32
int read_fd(int fd, char* buffer, std::size_t n) {
    return _read(fd, buffer, static_cast<unsigned>(n));
}
int write_fd(int fd, const char* data, std::size_t n) {
    return _write(fd, data, static_cast<unsigned>(n));
}
#else
ssize_t read_fd(int fd, char* buffer, std::size_t n) {
    return read(fd, buffer, n);
}
ssize_t write_fd(int fd, const char* data, std::size_t n) {
    return write(fd, data, n);
}
#endif

} // namespace

void use_binary_mode() {
#ifdef _WIN32
    _setmode(input_fd, _O_BINARY);
    _setmode(output_fd, _O_BINARY);
#endif
}

std::ptrdiff_t read_input(char* buffer, std::size_t n) {
    for (;;) {
        auto got = read_fd(input_fd, buffer, std::min(n, max_io));
        if (got >= 0) {
            return got;
        }
        if (errno != EINTR) {
            return -errno;
        }
    }
}

int write_output(const char* data, std::size_t n) {
    while (n != 0) {
        auto put = write_fd(output_fd, data, std::min(n, max_io));
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
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
    // process's output on the same terminal.
    char line[512];
    int n = std::snprintf(line, sizeof line, "wordmif: %s%s%s\n", what, error != 0 ? ": " : "",
                          error != 0 ? std::strerror(error) : "");
    if (n < 0) {
        return;
    }
    if (static_cast<std::size_t>(n) >= sizeof line) {
        n = sizeof line - 1;
        line[n - 1] = '\n';
    }
    // Nothing is left to tell if standard error itself fails.
    (void)write_fd(error_fd, line, static_cast<std::size_t>(n));
}

} // namespace std_streams
