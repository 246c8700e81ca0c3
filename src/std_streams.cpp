#include "std_streams.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace std_streams {

namespace {

enum Stream { output = 1, error_output = 2 }; // the POSIX descriptors

} // namespace

#ifdef _WIN32

namespace {

// Win32 errors as the errno values that the Linux build reports for the
// same events. (The C library's _write, which this replaces, reported a
// pipe whose reader had gone, and a disk that filled in the middle of a
// write, with errno values that meant nothing of the kind.)
int errno_value(DWORD error) {
    switch (error) {
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA:
    case ERROR_PIPE_NOT_CONNECTED:
        return EPIPE;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_INVALID_HANDLE:
        return EBADF;
    case ERROR_ACCESS_DENIED:
        return EACCES;
    default:
        return EIO;
    }
}

// Counts are DWORDs; keep every call well inside them.
constexpr std::size_t max_io = 1 << 30;

HANDLE handle(Stream stream) {
    return GetStdHandle(stream == output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

// A pipe in PIPE_NOWAIT mode has nothing to wait on it with but a busy loop:
// where it would block, it fails.
bool no_wait_pipe(HANDLE h) {
    DWORD state;
    return GetNamedPipeHandleState(h, &state, nullptr, nullptr, nullptr, nullptr, 0) &&
           (state & PIPE_NOWAIT) != 0;
}

// Returns the byte count or minus the errno value, as write(2) would.
std::ptrdiff_t write_some(Stream stream, const char* data, std::size_t n) {
    HANDLE h = handle(stream);
    DWORD put;
    if (!WriteFile(h, data, static_cast<DWORD>(std::min(n, max_io)), &put, nullptr)) {
        return -errno_value(GetLastError());
    }
    // A full PIPE_NOWAIT pipe takes nothing, and says so only by the count.
    return put == 0 && n != 0 && no_wait_pipe(h) ? -EAGAIN : put;
}

} // namespace

std::ptrdiff_t read_input(char* buffer, std::size_t n) {
    DWORD got;
    if (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, static_cast<DWORD>(std::min(n, max_io)),
                 &got, nullptr)) {
        return got;
    }
    switch (DWORD error = GetLastError()) {
    case ERROR_BROKEN_PIPE: // the writer closed the pipe
        return 0;
    case ERROR_NO_DATA: // a PIPE_NOWAIT pipe, empty for now
        return -EAGAIN;
    default:
        return -errno_value(error);
    }
}

void give_back_input(std::size_t n) {
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    if (GetFileType(in) == FILE_TYPE_DISK) {
        LARGE_INTEGER distance;
        distance.QuadPart = -static_cast<LONGLONG>(n);
        SetFilePointerEx(in, distance, nullptr, FILE_CURRENT);
    }
}

bool input_is_output() {
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    FILE_ID_INFO a, b;
    return GetFileType(in) == FILE_TYPE_DISK &&
           GetFileInformationByHandleEx(in, FileIdInfo, &a, sizeof a) &&
           GetFileInformationByHandleEx(handle(output), FileIdInfo, &b, sizeof b) &&
           a.VolumeSerialNumber == b.VolumeSerialNumber &&
           std::memcmp(&a.FileId, &b.FileId, sizeof a.FileId) == 0;
}

int close_output() {
    return CloseHandle(handle(output)) ? 0 : errno_value(GetLastError());
}

#else

namespace {

// A 32-bit off_t or ino_t would make fstat fail on a file of 2 GiB or more,
// or with a large inode number, and so hide that input is output.
static_assert(sizeof(off_t) >= 8 && sizeof(ino_t) >= 8, "build with _FILE_OFFSET_BITS=64");

// Whether poll can wait on fd until it is ready: a descriptor in
// non-blocking mode that is not a regular file or a block device, which
// always poll ready.
bool can_wait(int fd) {
    int flags = fcntl(fd, F_GETFL);
    struct stat st;
    return flags != -1 && (flags & O_NONBLOCK) != 0 && fstat(fd, &st) == 0 &&
           !S_ISREG(st.st_mode) && !S_ISBLK(st.st_mode);
}

// A parent may hand over a descriptor in non-blocking mode; then wait until
// it is ready, as a blocking one would. Anywhere else EAGAIN (from a FUSE
// file system, a socket with a receive timeout) is a failure like any
// other, since waiting would never end. Returns what call() returns, or
// minus the errno value of its failure.
template <class Call> std::ptrdiff_t when_ready(int fd, short events, Call call) {
    for (;;) {
        auto done = call();
        if (done >= 0) {
            return done;
        }
        int error = errno;
        if (error == EINTR) {
            continue;
        }
        if ((error != EAGAIN && error != EWOULDBLOCK) || !can_wait(fd)) {
            return -error;
        }
        pollfd ready = {fd, events, 0};
        while (poll(&ready, 1, -1) < 0) {
            if (errno != EINTR) {
                return -errno;
            }
        }
    }
}

std::ptrdiff_t write_some(Stream stream, const char* data, std::size_t n) {
    return when_ready(stream, POLLOUT, [&] { return write(stream, data, n); });
}

} // namespace

std::ptrdiff_t read_input(char* buffer, std::size_t n) {
    return when_ready(STDIN_FILENO, POLLIN, [&] { return read(STDIN_FILENO, buffer, n); });
}

void give_back_input(std::size_t n) {
    // Fails with ESPIPE on a pipe or a terminal, which are left as they are.
    (void)lseek(STDIN_FILENO, -static_cast<off_t>(n), SEEK_CUR);
}

bool input_is_output() {
    struct stat in, out;
    return fstat(STDIN_FILENO, &in) == 0 && fstat(STDOUT_FILENO, &out) == 0 &&
           S_ISREG(in.st_mode) && in.st_dev == out.st_dev && in.st_ino == out.st_ino;
}

int close_output() {
    // An interrupted close may not have written everything back (on a
    // network file system, say), and it is not retried: on Linux the
    // descriptor is gone even then.
    return close(STDOUT_FILENO) == 0 ? 0 : errno;
}

#endif

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
