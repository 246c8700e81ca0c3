#include "converter.hpp"

#include "byte_scan.hpp"

Converter::Status Converter::start() {
    out_.header();
    return status();
}

Converter::Status Converter::feed(const char* p, std::size_t n) {
    const char* end = p + n;
    while (p != end && !ended_) {
        if (!in_word_) {
            p = skip_blanks(p, end);
            if (p == end) {
                break;
            }
            if (static_cast<unsigned char>(*p) == end_of_data) {
                ended_ = true;
                break;
            }
            if (linec_ == memory_words) {
                // The words so far stay as written, but without the closing
                // lines, so no reader can take the file for a whole one.
                out_.flush();
                return out_.error() != 0 ? Status::write_failed : Status::too_many_words;
            }
            out_.begin_word(linec_++);
            in_word_ = true;
        }
        const char* run_end = find_word_break(p, end);
        out_.word_bytes(p, static_cast<std::size_t>(run_end - p));
        p = run_end;
        if (p == end) {
            break;
        }
        auto c = static_cast<unsigned char>(*p++);
        if (c == carriage_return) {
            continue; // dropped: the word goes on after it
        }
        end_word();
        ended_ = c == end_of_data;
    }
    return status();
}

Converter::Status Converter::finish() {
    if (in_word_) {
        end_word();
    }
    out_.closing(linec_);
    out_.flush();
    return status();
}

void Converter::end_word() {
    out_.end_word();
    in_word_ = false;
}

Converter::Status Converter::status() const {
    return out_.error() != 0 ? Status::write_failed : Status::ok;
}
