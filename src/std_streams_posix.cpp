#include "std_streams.hpp"

#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace std_streams {

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

} // namespace

std::ptrdiff_t write_some(Stream stream, const char* data, std::size_t n) {
    return when_ready(stream, POLLOUT, [&] { return write(stream, data, n); });
}

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

} // namespace std_streams
