#pragma once

#include <cstddef>

// Where the finished bytes of the file go. Kept abstract so that the
// converter can be driven in memory by the tests and the fuzzer exactly as
// the program drives it against standard output.
class OutputSink {
public:
    virtual ~OutputSink() = default;

    // Writes all n bytes, or returns the errno value of the failure; 0 means
    // everything was written.
    virtual int write_all(const char* data, std::size_t n) = 0;
};
