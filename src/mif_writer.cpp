#include "mif_writer.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>
#include <utility>

namespace {

// The 256 here and the last address, ff, in the zero fill are memory_words
// and memory_words - 1, written out as the text they are.
static_assert(memory_words == 0x100);
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
    put_address(address);
    put(": ", 2);
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
        put("[", 1);
        put_address(first_free);
        put(rest.data(), rest.size());
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

// In lower-case hexadecimal, without leading zeros.
void MifWriter::put_address(unsigned address) {
    char text[8];
    put(text,
        static_cast<std::size_t>(std::to_chars(text, text + sizeof text, address, 16).ptr - text));
}

// Every caller passes less than a buffer's worth of bytes.
void MifWriter::put(const char* data, std::size_t n) {
    if (used_ + n > buffer_.size()) {
        flush();
    }
    std::memcpy(buffer_.data() + used_, data, n);
    used_ += n;
}
