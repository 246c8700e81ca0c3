// For the tests under Wine: runs wordmif.exe, from this program's own
// folder, with its standard input (argument "in") or output ("out") a pipe
// in PIPE_NOWAIT mode that nobody writes or reads, and exits with its
// status.

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstring>

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    bool in = std::strcmp(argv[1], "in") == 0;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE read_end, write_end;
    DWORD mode = PIPE_READMODE_BYTE | PIPE_NOWAIT;
    if (!CreatePipe(&read_end, &write_end, &inherit, 0) ||
        !SetNamedPipeHandleState(in ? read_end : write_end, &mode, nullptr, nullptr)) {
        return 2;
    }
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = in ? read_end : GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = in ? GetStdHandle(STD_OUTPUT_HANDLE) : write_end;
    start.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    char command[] = "wordmif.exe"; // found first in this program's folder
    PROCESS_INFORMATION child;
    DWORD status = 2;
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start,
                        &child) ||
        WaitForSingleObject(child.hProcess, INFINITE) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(child.hProcess, &status)) {
        return 2;
    }
    return static_cast<int>(status);
}
