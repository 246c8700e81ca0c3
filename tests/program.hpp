#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Runs the built program as a separate process, the way shells do.
namespace program {

// The command that runs wordmif (an emulator may come first); set from the
// test binary's command line.
extern std::vector<std::string> command;

struct Result {
    int status = -1; // exit status, or -1 if it did not exit normally
    int signal = 0;  // the signal that ended it, if one did
    std::string out;
    std::string err;
    long peak_kib = 0; // peak resident memory of the process
};

enum class Feed { file, pipe };

// Starts the command on these descriptors and returns its process id.
pid_t start(int in_fd, int out_fd, int err_fd, bool default_sigpipe = false);

// The input through a regular file or a pipe; output captured from pipes.
Result run(const std::string& input, Feed feed);

// With standard input opened from a path, and standard output from another
// path or, if that is "", captured.
Result run_on(const std::string& input_path, const std::string& output_path);

// On descriptors of the caller's; SIGPIPE is ignored in the child unless
// default_sigpipe. An out_fd of -1 means captured output.
Result run_fds(int in_fd, int out_fd, bool default_sigpipe = false);

// With size bytes of `fill` piped in after prefix, and the output handed to
// on_output as it comes instead of kept, for inputs too large to hold.
Result run_streamed(const std::string& prefix, char fill, std::size_t size,
                    const std::function<void(std::string_view)>& on_output);

} // namespace program
