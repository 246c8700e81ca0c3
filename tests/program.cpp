#include "program.hpp"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace program {

std::vector<std::string> command;

namespace {

void check(bool ok, const char* what) {
    if (!ok) {
        throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
    }
}

} // namespace

pid_t start(int in_fd, int out_fd, int err_fd, bool default_sigpipe) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in_fd, 0);
    posix_spawn_file_actions_adddup2(&actions, out_fd, 1);
    posix_spawn_file_actions_adddup2(&actions, err_fd, 2);
    std::vector<char*> argv;
    for (auto& word : command) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    if (default_sigpipe) {
        sigset_t pipe_signal;
        sigemptyset(&pipe_signal);
        sigaddset(&pipe_signal, SIGPIPE);
        posix_spawnattr_setsigdefault(&attributes, &pipe_signal);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    }
    pid_t pid;
    int spawned = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    errno = spawned;
    check(spawned == 0, "posix_spawn");
    return pid;
}

namespace {

// Starts the command, reads what it writes until its output and error pipes
// close, then waits for it. An out_fd of -1 means capture the output through
// a pipe. Every descriptor here is close-on-exec, so the child holds no stray
// pipe end that would keep its input open.
Result spawn(int in_fd, int out_fd,
             const std::function<void(std::string_view)>* on_output = nullptr,
             bool default_sigpipe = false) {
    int out_pipe[2] = {-1, -1}, err_pipe[2];
    if (out_fd < 0) {
        check(pipe2(out_pipe, O_CLOEXEC) == 0, "pipe");
        out_fd = out_pipe[1];
    }
    check(pipe2(err_pipe, O_CLOEXEC) == 0, "pipe");
    pid_t pid = start(in_fd, out_fd, err_pipe[1], default_sigpipe);
    close(err_pipe[1]);
    if (out_pipe[1] >= 0) {
        close(out_pipe[1]);
    }

    Result result;
    pollfd fds[2] = {{out_pipe[0], POLLIN, 0}, {err_pipe[0], POLLIN, 0}};
    static char block[1 << 16];
    while (fds[0].fd >= 0 || fds[1].fd >= 0) {
        check(poll(fds, 2, -1) >= 0 || errno == EINTR, "poll");
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) {
                continue;
            }
            auto got = read(fds[i].fd, block, sizeof block);
            if (got <= 0) {
                close(fds[i].fd);
                fds[i].fd = -1;
            } else if (i == 1) {
                result.err.append(block, static_cast<std::size_t>(got));
            } else if (on_output != nullptr) {
                (*on_output)(std::string_view(block, static_cast<std::size_t>(got)));
            } else {
                result.out.append(block, static_cast<std::size_t>(got));
            }
        }
    }
    int status;
    rusage usage;
    check(wait4(pid, &status, 0, &usage) == pid, "wait4");
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    result.peak_kib = usage.ru_maxrss;
    return result;
}

// Writes the input into a pipe from a thread of its own, so that the
// program's output can be read meanwhile.
template <class Writer>
Result spawn_piped(Writer write_input,
                   const std::function<void(std::string_view)>* on_output = nullptr) {
    int in_pipe[2];
    check(pipe2(in_pipe, O_CLOEXEC) == 0, "pipe");
    std::thread writer([&] {
        write_input(in_pipe[1]);
        close(in_pipe[1]);
    });
    Result result;
    try {
        result = spawn(in_pipe[0], -1, on_output);
    } catch (...) {
        close(in_pipe[0]);
        writer.join();
        throw;
    }
    close(in_pipe[0]);
    writer.join();
    return result;
}

// Ignores EPIPE: a program that stops reading early is the case under test.
void write_fully(int fd, const char* data, std::size_t n) {
    while (n != 0) {
        auto put = write(fd, data, n);
        if (put <= 0) {
            return;
        }
        data += put;
        n -= static_cast<std::size_t>(put);
    }
}

} // namespace

Result run(const std::string& input, Feed feed) {
    if (feed == Feed::pipe) {
        return spawn_piped([&](int fd) { write_fully(fd, input.data(), input.size()); });
    }
    char path[] = "/tmp/wordmif-input-XXXXXX";
    int fd = mkostemp(path, O_CLOEXEC);
    check(fd >= 0, "mkstemp");
    unlink(path);
    write_fully(fd, input.data(), input.size());
    lseek(fd, 0, SEEK_SET);
    auto result = spawn(fd, -1);
    close(fd);
    return result;
}

Result run_on(const std::string& input_path, const std::string& output_path) {
    int in_fd = open(input_path.c_str(), O_RDONLY | O_CLOEXEC);
    check(in_fd >= 0, "open input");
    int out_fd = output_path.empty() ? -1 : open(output_path.c_str(), O_WRONLY | O_CLOEXEC);
    check(output_path.empty() || out_fd >= 0, "open output");
    auto result = spawn(in_fd, out_fd);
    close(in_fd);
    if (out_fd >= 0) {
        close(out_fd);
    }
    return result;
}

Result run_fds(int in_fd, int out_fd, bool default_sigpipe) {
    return spawn(in_fd, out_fd, nullptr, default_sigpipe);
}

Result run_streamed(const std::string& prefix, char fill, std::size_t size,
                    const std::function<void(std::string_view)>& on_output) {
    return spawn_piped(
        [&](int fd) {
            write_fully(fd, prefix.data(), prefix.size());
            std::string block(1 << 16, fill);
            for (std::size_t left = size; left != 0;) {
                auto n = std::min(left, block.size());
                write_fully(fd, block.data(), n);
                left -= n;
            }
        },
        &on_output);
}

} // namespace program
