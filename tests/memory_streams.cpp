#include "memory_streams.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>

MemoryRun convert_in_memory(std::string_view input, const MemoryStreams& streams) {
    MemoryRun run;
    std::size_t at = 0, turn = 0;
    bool failed = false;
    auto read = [&](char* buffer, std::size_t n) -> std::ptrdiff_t {
        if (at >= streams.read_fails_at) {
            return -EIO;
        }
        n = std::min({n, streams.blocks[turn++ % streams.blocks.size()], input.size() - at,
                      streams.read_fails_at - at});
        std::memcpy(buffer, input.data() + at, n);
        at += n;
        return static_cast<std::ptrdiff_t>(n);
    };
    auto write = [&](const char* data, std::size_t n) {
        ++run.writes;
        run.written_after_failure |= failed;
        if (n > streams.write_room - run.out.size()) {
            failed = true;
            return ENOSPC;
        }
        run.out.append(data, n);
        return 0;
    };
    run.outcome = convert(read, write);
    run.read = at;
    return run;
}
