// wordmif: reads 16-bit words as binary digit strings from standard input
// and writes a memory initialization file for a 256 x 16 memory.

#include "converter.hpp"
#include "std_streams.hpp"

#include <cstring>

int main() {
    if (std_streams::input_is_output()) {
        std_streams::complain("input file is output file");
        return 1;
    }
    Outcome outcome = convert(std_streams::read_input, std_streams::write_output);
    if (outcome.unread != 0) {
        std_streams::give_back_input(outcome.unread);
    }
    // Some file systems report a lost write only when the file is closed.
    // After a failure there is no need, and on Windows standard output may
    // be the very handle the diagnostic goes to.
    if (outcome.result == Outcome::converted) {
        if (int error = std_streams::close_output(); error != 0) {
            outcome = {Outcome::write_failed, error};
        }
    }
    switch (outcome.result) {
    case Outcome::converted:
        return 0;
    case Outcome::too_many_words:
        static_assert(memory_words == 256);
        std_streams::complain("input holds more than 256 words");
        break;
    case Outcome::read_failed:
        std_streams::complain("cannot read input", outcome.error);
        break;
    case Outcome::write_failed:
        std_streams::complain("cannot write output", outcome.error);
        break;
    case Outcome::out_of_memory:
        std_streams::complain(std::strerror(outcome.error));
        break;
    }
    return 1;
}
