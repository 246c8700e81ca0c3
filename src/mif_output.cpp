#include "mif_output.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>
#include <utility>

namespace {

constexpr std::string_view header_text = "DEPTH = 256;\r\n"
                                         "WIDTH = 16;\r\n"
                                         "DATA_RADIX = BIN;\r\n"
                                         "CONTENT\r\n"
                                         "BEGIN\r\n";

} // namespace

MifWriter::MifWriter(WriteOutput write, std::span<char> buffer)
    : write_(std::move(write)), buffer_(buffer) {}

void MifWriter::header() {
    put(header_text.data(), header_text.size());
}

void MifWriter::begin_word(unsigned address) {
    char text[16];
    char* end = std::to_chars(text, text + sizeof text, address, 16).ptr;
    *end++ = ':';
    *end++ = ' ';
    put(text, static_cast<std::size_t>(end - text));
}

void MifWriter::word_bytes(const char* data, std::size_t n) {
    if (n < std::min(unbuffered_run, buffer_.size())) {
        put(data, n);
        return;
    }
    if (flush() == 0) {
        error_ = write_(data, n);
    }
}

void MifWriter::end_word() {
    put(";\r\n", 3);
}

void MifWriter::zero_fill_and_end(unsigned first_free) {
    if (first_free < memory_words) {
        constexpr std::string_view rest = "..ff]: 0000000000000000;\r\n";
        char text[48] = "[";
        char* end = std::to_chars(text + 1, text + sizeof text, first_free, 16).ptr;
        std::memcpy(end, rest.data(), rest.size());
        put(text, static_cast<std::size_t>(end - text) + rest.size());
    }
    put("END;\r\n", 6);
}

int MifWriter::flush() {
    if (used_ != 0 && error_ == 0) {
        error_ = write_(buffer_.data(), used_);
    }
    used_ = 0;
    return error_;
}

// Every caller passes less than a buffer's worth of bytes.
void MifWriter::put(const char* data, std::size_t n) {
    if (used_ + n > buffer_.size()) {
        flush();
    }
    std::memcpy(buffer_.data() + used_, data, n);
    used_ += n;
}
