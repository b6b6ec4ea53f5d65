// Run-length decoding and encoding of chunk data.
#include "city/RunLength.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace rw::city {

namespace {

// Runs and literals are short (at most 128 bytes), too short for the library's setup cost to pay off: these
// write whole words, the last one overlapping the one before, and never touch a byte beyond count.
void FillShort(std::uint8_t* out, std::uint8_t value, std::size_t count) {
    if (count >= 8) {
        const std::uint64_t pattern = value * std::uint64_t{0x0101010101010101};
        for (std::size_t i = 0; i + 8 < count; i += 8) {
            std::memcpy(out + i, &pattern, 8);
        }
        std::memcpy(out + count - 8, &pattern, 8);
    } else if (count >= 4) {
        const std::uint32_t pattern = value * std::uint32_t{0x01010101};
        std::memcpy(out, &pattern, 4);
        std::memcpy(out + count - 4, &pattern, 4);
    } else {
        out[0] = value;
        out[count / 2] = value;
        out[count - 1] = value;
    }
}

void CopyShort(std::uint8_t* out, const std::uint8_t* in, std::size_t count) {
    if (count >= 8) {
        std::uint64_t word = 0;
        for (std::size_t i = 0; i + 8 < count; i += 8) {
            std::memcpy(&word, in + i, 8);
            std::memcpy(out + i, &word, 8);
        }
        std::memcpy(&word, in + count - 8, 8);
        std::memcpy(out + count - 8, &word, 8);
    } else if (count >= 4) {
        std::uint32_t head = 0;
        std::uint32_t tail = 0;
        std::memcpy(&head, in, 4);
        std::memcpy(&tail, in + count - 4, 4);
        std::memcpy(out, &head, 4);
        std::memcpy(out + count - 4, &tail, 4);
    } else {
        const std::uint8_t first = in[0];
        const std::uint8_t middle = in[count / 2];
        const std::uint8_t last = in[count - 1];
        out[0] = first;
        out[count / 2] = middle;
        out[count - 1] = last;
    }
}

struct DecodePosition {
    std::size_t in = 0;   // next data byte
    std::size_t out = 0;  // next destination byte
};

// The exact decode from a position onwards: every bound checked, nothing written beyond the decoded bytes.
std::optional<std::size_t> DecodeExactly(std::span<const std::uint8_t> data,
                                         std::span<std::uint8_t> destination, DecodePosition at) {
    const std::size_t length = data.size();
    const std::size_t capacity = destination.size();
    const std::uint8_t* in = data.data();
    std::uint8_t* out = destination.data();
    while (at.in < length) {
        if (at.out >= capacity) {
            return std::nullopt;  // data left over
        }
        const std::uint8_t control = in[at.in++];
        if (control >= 128) {
            const std::size_t count = control - 127u;
            if (at.in >= length || count > capacity - at.out) {
                return std::nullopt;
            }
            FillShort(out + at.out, in[at.in], count);
            at.in += 1;
            at.out += count;
        } else if (control > 0) {
            const std::size_t count = control;
            if (count > length - at.in || count > capacity - at.out) {
                return std::nullopt;
            }
            CopyShort(out + at.out, in + at.in, count);
            at.in += count;
            at.out += count;
        }
    }
    return at.out;
}

// Decodes while each step's whole 16-byte pieces lie inside both the data and the destination, writing
// runs and literals alike as whole pieces; a piece may reach up to 15 bytes beyond the step's end. Far
// from either end no step is looked at first; nearer, each step's reach is checked. Stops at the first
// step that does not fit so, where the exact decode takes over.
DecodePosition DecodeInPieces(std::span<const std::uint8_t> data, std::span<std::uint8_t> destination) {
    constexpr std::size_t kPiece = 16;
    constexpr std::size_t kLongestReach = 128 + 2 * kPiece;  // the longest step rounded up, its control byte
    const std::size_t length = data.size();
    const std::size_t capacity = destination.size();
    const std::uint8_t* in = data.data();
    std::uint8_t* out = destination.data();
    DecodePosition at;
    const auto step = [&](std::size_t control, bool run, std::size_t count) {
        const std::uint64_t fill = in[at.in + 1] * std::uint64_t{0x0101010101010101};
        std::uint64_t low = 0;
        std::uint64_t high = 0;
        std::memcpy(&low, in + at.in + 1, 8);
        std::memcpy(&high, in + at.in + 9, 8);
        low = run ? fill : low;
        high = run ? fill : high;
        std::memcpy(out + at.out, &low, 8);
        std::memcpy(out + at.out + 8, &high, 8);
        if (count > kPiece) {
            for (std::size_t done = kPiece; done < count; done += kPiece) {
                if (!run) {
                    std::memcpy(&low, in + at.in + 1 + done, 8);
                    std::memcpy(&high, in + at.in + 9 + done, 8);
                }
                std::memcpy(out + at.out + done, &low, 8);
                std::memcpy(out + at.out + done + 8, &high, 8);
            }
        }
        at.in += run ? 2 : 1 + control;
        at.out += count;
    };
    while (at.in + kLongestReach <= length && at.out + kLongestReach <= capacity) {
        const std::size_t control = in[at.in];
        const bool run = control >= 128;
        step(control, run, run ? control - 127 : control);
    }
    while (at.in + 1 + kPiece <= length) {
        const std::size_t control = in[at.in];
        const bool run = control >= 128;
        const std::size_t count = run ? control - 127 : control;
        const std::size_t reach = (std::max(count, kPiece) + kPiece - 1) / kPiece * kPiece;
        if (reach > capacity - at.out || (!run && reach > length - at.in - 1)) {
            break;
        }
        step(control, run, count);
    }
    return at;
}

}  // namespace

bool DecodeRunLength(std::span<const std::uint8_t> data, std::span<std::uint8_t> destination) {
    return DecodeExactly(data, destination, {}).has_value();
}

std::optional<std::size_t> DecodeRunLengthPrefix(std::span<const std::uint8_t> data,
                                                 std::span<std::uint8_t> destination) {
    return DecodeExactly(data, destination, DecodeInPieces(data, destination));
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
