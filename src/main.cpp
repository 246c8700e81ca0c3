// wordmif: reads 16-bit words as binary digit strings from standard input
// and writes a memory initialization file for a 256 x 16 memory.

#include "converter.hpp"
#include "std_streams.hpp"

namespace {

int conclude(Converter::Status status, const MifWriter& out) {
    switch (status) {
    case Converter::Status::ok:
        return 0;
    case Converter::Status::too_many_words:
        std_streams::complain("input holds more than 256 words");
        return 1;
    case Converter::Status::write_failed:
        std_streams::complain("cannot write output", out.error());
        return 1;
    }
    return 1;
}

} // namespace

int main() {
    std_streams::use_binary_mode();
    static std_streams::Output sink;
    static MifWriter out(sink, std_streams::output_is_terminal());
    static char block[128 * 1024];
    Converter converter(out);

    auto status = converter.start();
    while (status == Converter::Status::ok && !converter.ended()) {
        auto input = std_streams::read_input(block, sizeof block);
        if (input.error != 0) {
            // What was converted stays; without the closing lines the file
            // cannot pass for a whole one.
            std_streams::complain("cannot read input", input.error);
            out.flush();
            return out.error() != 0 ? conclude(Converter::Status::write_failed, out) : 1;
        }
        if (input.size == 0) {
            break;
        }
        status = converter.feed(block, input.size);
    }
    if (status == Converter::Status::ok) {
        status = converter.finish();
    }
    return conclude(status, out);
}
