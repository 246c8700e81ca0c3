#pragma once

#include "mif_writer.hpp"

#include <cstddef>
#include <functional>

// Reads up to n bytes into buffer, waiting only until some are there.
// Returns how many (0 at the end of the input), or minus the errno value of
// a failure.
using ReadInput = std::function<std::ptrdiff_t(char* buffer, std::size_t n)>;

struct Outcome {
    enum Result { converted, too_many_words, read_failed, write_failed, out_of_memory };
    Result result;
    int error = 0;          // the errno value of the failure
    std::size_t unread = 0; // bytes read after the Ctrl-Z that ended the data
};

// Reads the whole input and writes the memory initialization file for it,
// or nothing at all if there is no memory for its blocks.
// Words are never held: each is written as its bytes arrive, so a word of
// any length goes through in constant memory. After a failure the closing
// lines are left out, so that no reader can take the file for a whole one,
// but everything converted before it has been written (unless writing is
// what failed).
Outcome convert(const ReadInput& read, const WriteOutput& write);
