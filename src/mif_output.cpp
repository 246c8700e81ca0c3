#include "mif_output.hpp"

#include <cstring>
#include <string_view>

namespace {

constexpr std::string_view header_text = "DEPTH = 256;\r\n"
                                         "WIDTH = 16;\r\n"
                                         "DATA_RADIX = BIN;\r\n"
                                         "CONTENT\r\n"
                                         "BEGIN\r\n";

// Lower-case hexadecimal without leading zeros; returns the digit count.
std::size_t format_hex(unsigned value, char* out) {
    char digits[sizeof value * 2];
    std::size_t n = 0;
    do {
        digits[n++] = "0123456789abcdef"[value % 16];
        value /= 16;
    } while (value != 0);
    for (std::size_t i = 0; i < n; ++i) {
        out[i] = digits[n - 1 - i];
    }
    return n;
}

} // namespace

MifWriter::MifWriter(OutputSink& sink, bool flush_each_line)
    : sink_(sink), flush_each_line_(flush_each_line) {}

void MifWriter::header() {
    put(header_text.data(), header_text.size());
    line_done();
}

void MifWriter::begin_word(unsigned address) {
    char text[16];
    std::size_t n = format_hex(address, text);
    text[n++] = ':';
    text[n++] = ' ';
    put(text, n);
}

void MifWriter::word_bytes(const char* data, std::size_t n) {
    if (n < direct_write) {
        put(data, n);
        return;
    }
    // A long run goes straight out, without a copy: a huge word then costs
    // what copying a file does.
    flush();
    if (error_ == 0) {
        error_ = sink_.write_all(data, n);
    }
}

void MifWriter::end_word() {
    put(";\r\n", 3);
    line_done();
}

void MifWriter::closing(unsigned first_free) {
    if (first_free < memory_words) {
        char text[48];
        std::size_t n = 0;
        text[n++] = '[';
        n += format_hex(first_free, text + n);
        constexpr std::string_view rest = "..ff]: 0000000000000000;\r\n";
        std::memcpy(text + n, rest.data(), rest.size());
        put(text, n + rest.size());
    }
    put("END;\r\n", 6);
    line_done();
}

void MifWriter::flush() {
    if (used_ != 0 && error_ == 0) {
        error_ = sink_.write_all(buffer_, used_);
    }
    used_ = 0;
}

// Every caller passes less than a block's worth of bytes.
void MifWriter::put(const char* data, std::size_t n) {
    if (used_ + n > capacity) {
        flush();
    }
    std::memcpy(buffer_ + used_, data, n);
    used_ += n;
}

void MifWriter::line_done() {
    if (flush_each_line_) {
        flush();
    }
}
