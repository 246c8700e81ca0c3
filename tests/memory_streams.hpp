#pragma once

#include "converter.hpp"

#include <string>
#include <string_view>
#include <vector>

// The converter run on input and output held in memory, the way the program
// runs it on its standard streams, with a read or a write made to fail.
struct MemoryStreams {
    std::vector<std::size_t> blocks = {std::string::npos}; // read sizes, taken in turn
    std::size_t read_fails_at = std::string::npos;         // EIO once this many bytes are read
    std::size_t write_room = std::string::npos;            // ENOSPC past this many bytes
};

struct MemoryRun {
    Outcome outcome;
    std::string out;
    std::size_t read = 0; // bytes handed to the converter
    std::size_t writes = 0;
    bool written_after_failure = false;
};

MemoryRun convert_in_memory(std::string_view input, const MemoryStreams& streams = {});
