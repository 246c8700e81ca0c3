#pragma once

#include <cstddef>
#include <functional>
#include <span>

// The memory that every file describes: 256 words of 16 bits.
inline constexpr unsigned memory_words = 256;

// Writes all n bytes, or returns the errno value of the failure; 0 means
// everything was written.
using WriteOutput = std::function<int(const char* data, std::size_t n)>;

// Writes the lines of the memory initialization file, each ended by CR LF,
// through the caller's buffer. The first write error is kept and everything
// after it is dropped, so callers may check once per batch of lines.
class MifWriter {
public:
    // The buffer must hold at least a few hundred bytes.
    MifWriter(WriteOutput write, std::span<char> buffer);

    void header();
    void begin_word(unsigned address);
    void word_bytes(const char* data, std::size_t n);
    void end_word();
    // The zero fill from first_free to the last address, if any is left,
    // then the end of the file.
    void zero_fill_and_end(unsigned first_free);
    // Writes out what is buffered; returns the errno value of the first
    // failed write, or 0.
    int flush();

private:
    void put(const char* data, std::size_t n);
    void put_address(unsigned address);

    // A run of word bytes at least this long is written straight from where
    // it lies, without a copy: a huge word then costs what copying a file
    // does.
    static constexpr std::size_t unbuffered_run = 32 * 1024;

    WriteOutput write_;
    std::span<char> buffer_;
    std::size_t used_ = 0;
    int error_ = 0;
};
