// Run-length decoding and encoding of chunk data.
#include "city/RunLength.h"

#include <algorithm>
#include <cstddef>

namespace rw::city {

bool DecodeRunLength(std::span<const std::uint8_t> data, std::span<std::uint8_t> destination) {
    const std::size_t length = data.size();
    const std::size_t capacity = destination.size();
    std::size_t in = 0;
    std::size_t out = 0;
    while (in < length) {
        if (out >= capacity) {
            return false;  // data left over
        }
        const std::uint8_t control = data[in++];
        if (control >= 128) {
            const std::size_t count = control - 127u;
            if (in >= length || count > capacity - out) {
                return false;
            }
            std::fill_n(destination.begin() + static_cast<std::ptrdiff_t>(out), count, data[in]);
            in += 1;
            out += count;
        } else if (control > 0) {
            const std::size_t count = control;
            if (count > length - in || count > capacity - out) {
                return false;
            }
            std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(in), count,
                        destination.begin() + static_cast<std::ptrdiff_t>(out));
            in += count;
            out += count;
        }
    }
    return true;
}

std::vector<std::uint8_t> EncodeRunLength(std::span<const std::uint8_t> bytes) {
    constexpr std::size_t kLongestRun = 128;
    constexpr std::size_t kLongestLiteral = 127;
    constexpr std::size_t kShortestRun = 3;  // shorter repeats cost no more as part of a literal
    std::vector<std::uint8_t> out;
    std::size_t literalStart = 0;
    std::size_t i = 0;
    const auto flushLiteral = [&](std::size_t end) {
        while (literalStart < end) {
            const std::size_t count = std::min(end - literalStart, kLongestLiteral);
            out.push_back(static_cast<std::uint8_t>(count));
            out.insert(out.end(), bytes.begin() + static_cast<std::ptrdiff_t>(literalStart),
                       bytes.begin() + static_cast<std::ptrdiff_t>(literalStart + count));
            literalStart += count;
        }
    };
    while (i < bytes.size()) {
        std::size_t run = 1;
        while (i + run < bytes.size() && run < kLongestRun && bytes[i + run] == bytes[i]) {
            ++run;
        }
        if (run >= kShortestRun) {
            flushLiteral(i);
            out.push_back(static_cast<std::uint8_t>(127 + run));
            out.push_back(bytes[i]);
            i += run;
            literalStart = i;
        } else {
            i += run;
        }
    }
    flushLiteral(bytes.size());
    return out;
}

}  // namespace rw::city
