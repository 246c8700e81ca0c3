#include "std_streams.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <initializer_list>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#define read _read
#define write _write
using io_size = unsigned int;
#else
#include <unistd.h>
using io_size = std::size_t;
#endif

namespace std_streams {

namespace {

constexpr int input_fd = 0;
constexpr int output_fd = 1;
constexpr int error_fd = 2;

// Windows takes counts as unsigned int; keep every call well inside it.
constexpr std::size_t max_io = 1 << 30;

} // namespace

void use_binary_mode() {
#ifdef _WIN32
    _setmode(input_fd, _O_BINARY);
    _setmode(output_fd, _O_BINARY);
#endif
}

bool output_is_terminal() {
#ifdef _WIN32
    // _isatty is also true for the NUL device; only a console has a mode.
    DWORD mode;
    return GetConsoleMode(reinterpret_cast<HANDLE>(_get_osfhandle(output_fd)), &mode) != 0;
#else
    return isatty(output_fd) != 0;
#endif
}

ReadResult read_input(char* buffer, std::size_t n) {
    for (;;) {
        auto got = read(input_fd, buffer, static_cast<io_size>(std::min(n, max_io)));
        if (got >= 0) {
            return {static_cast<std::size_t>(got), 0};
        }
        if (errno != EINTR) {
            return {0, errno};
        }
    }
}

int Output::write_all(const char* data, std::size_t n) {
    while (n != 0) {
        auto put = write(output_fd, data, static_cast<io_size>(std::min(n, max_io)));
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
    // Built in one buffer and written at once, so that the line is never
    // split by another process's output on the same terminal.
    char line[512];
    std::size_t n = 0;
    for (const char* part :
         {"wordmif: ", what, error != 0 ? ": " : "", error != 0 ? std::strerror(error) : ""}) {
        std::size_t size = std::min(std::strlen(part), sizeof line - 1 - n);
        std::memcpy(line + n, part, size);
        n += size;
    }
    line[n++] = '\n';
    // Nothing is left to tell if standard error itself fails.
    (void)write(error_fd, line, static_cast<io_size>(n));
}

} // namespace std_streams
