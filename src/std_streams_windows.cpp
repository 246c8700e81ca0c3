#include "std_streams.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace std_streams {

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

} // namespace

std::ptrdiff_t write_some(Stream stream, const char* data, std::size_t n) {
    HANDLE h = handle(stream);
    DWORD put;
    if (!WriteFile(h, data, static_cast<DWORD>(std::min(n, max_io)), &put, nullptr)) {
        return -errno_value(GetLastError());
    }
    // A full PIPE_NOWAIT pipe takes nothing, and says so only by the count.
    return put == 0 && n != 0 && no_wait_pipe(h) ? -EAGAIN : static_cast<std::ptrdiff_t>(put);
}

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

} // namespace std_streams
