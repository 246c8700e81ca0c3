#pragma once

#include "mif_output.hpp"

#include <cstddef>

// Turns the input, fed in blocks of any size, into the lines of the file.
// Words are never held: each is written as its bytes arrive, so a word of
// any length goes through in constant memory.
class Converter {
public:
    enum class Status { ok, too_many_words, write_failed };

    explicit Converter(MifWriter& out) : out_(out) {}

    Status start();
    // After a status other than ok the caller stops: the file is left as is.
    Status feed(const char* data, std::size_t n);
    // True once a Ctrl-Z has ended the data: the rest of the input is ignored.
    bool ended() const { return ended_; }
    Status finish();

private:
    void end_word();
    Status status() const;

    MifWriter& out_;
    unsigned linec_ = 0; // content lines begun so far
    bool in_word_ = false;
    bool ended_ = false;
};
