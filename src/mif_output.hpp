#pragma once

#include "output_sink.hpp"

#include <cstddef>

// The memory that every file describes: 256 words of 16 bits.
inline constexpr unsigned memory_words = 256;

// Writes the lines of the memory initialization file, each ended by CR LF,
// through a block buffer. The first write error is kept and everything
// after it is dropped, so callers may check once per batch of lines.
class MifWriter {
public:
    // With flush_each_line, every finished line is passed on at once (a
    // console watching the output); otherwise output goes in whole blocks.
    MifWriter(OutputSink& sink, bool flush_each_line);

    void header();
    void begin_word(unsigned address);
    void word_bytes(const char* data, std::size_t n);
    void end_word();
    // The zero fill from first_free to the last address, if any is left,
    // then the end of the file.
    void closing(unsigned first_free);
    void flush();

    // The errno value of the first failed write, or 0.
    int error() const { return error_; }

private:
    void put(const char* data, std::size_t n);
    void line_done();

    static constexpr std::size_t capacity = 128 * 1024;
    static constexpr std::size_t direct_write = 32 * 1024;

    OutputSink& sink_;
    bool flush_each_line_;
    int error_ = 0;
    std::size_t used_ = 0;
    char buffer_[capacity];
};
