// For the tests under Wine, which cannot make a Windows pipe themselves:
// runs wordmif.exe, from this program's own folder, with one of its
// standard streams a pipe made here, and exits with its status. The mode:
//   nowait-in   standard input a PIPE_NOWAIT pipe that nobody writes;
//   nowait-out  standard output a PIPE_NOWAIT pipe that nobody reads;
//   in          standard input a pipe that this program fills with its own
//               standard input and then closes.
// A wordmif.exe that has not ended after a minute is ended, with status 3.

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string_view>

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    std::string_view mode = argv[1];
    if (mode != "nowait-in" && mode != "nowait-out" && mode != "in") {
        return 2;
    }
    bool in = mode != "nowait-out";
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE read_end, write_end;
    if (!CreatePipe(&read_end, &write_end, &inherit, 0)) {
        return 2;
    }
    DWORD nowait = PIPE_READMODE_BYTE | PIPE_NOWAIT;
    if (mode == "in"
            ? !SetHandleInformation(write_end, HANDLE_FLAG_INHERIT, 0)
            : !SetNamedPipeHandleState(in ? read_end : write_end, &nowait, nullptr, nullptr)) {
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
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start,
                        &child)) {
        return 2;
    }
    if (mode == "in") {
        // The pipe breaks when its last write end is closed: the child holds
        // none, and this program's goes once the data is in.
        CloseHandle(read_end);
        char data[4096];
        DWORD got, put;
        while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), data, sizeof data, &got, nullptr) &&
               got != 0) {
            if (!WriteFile(write_end, data, got, &put, nullptr) || put != got) {
                return 2;
            }
        }
        CloseHandle(write_end);
    }
    DWORD status = 2;
    switch (WaitForSingleObject(child.hProcess, 60 * 1000)) {
    case WAIT_OBJECT_0:
        GetExitCodeProcess(child.hProcess, &status);
        break;
    case WAIT_TIMEOUT:
        TerminateProcess(child.hProcess, 3);
        status = 3;
        break;
    }
    return static_cast<int>(status);
}
