#pragma once

#include "output_sink.hpp"

#include <cerrno>
#include <string>

// Keeps what is written in memory, and fails with ENOSPC once more than
// `room` bytes would have been written.
class CaptureSink : public OutputSink {
public:
    explicit CaptureSink(std::size_t room = std::string::npos) : room_(room) {}

    int write_all(const char* data, std::size_t n) override {
        written_after_failure |= failed_;
        if (n > room_) {
            failed_ = true;
            return ENOSPC;
        }
        room_ -= n;
        bytes.append(data, n);
        return 0;
    }

    std::string bytes;
    bool written_after_failure = false;

private:
    std::size_t room_;
    bool failed_ = false;
};
