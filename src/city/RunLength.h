// The run-length code of city file chunks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace rw::city {

// Decodes data into destination. Control byte b: 128..255 repeats the next byte b - 127 times, 1..127
// copies the next b bytes, 0 does nothing. Decoding stops when the destination is full or the data ends.
// True exactly when the data was used up, neither more nor less. False, without writing outside the
// destination or reading outside the data, for a run or literal that would lie beyond either end (a
// missing run value byte included) and for data left over once the destination is full. On false the
// destination may be partly overwritten; bytes beyond the decoded ones always keep what they held.
bool DecodeRunLength(std::span<const std::uint8_t> data, std::span<std::uint8_t> destination);
// The same, giving the number of destination bytes decoded (the first ones), nothing where DecodeRunLength
// gives false; faster, because the bytes beyond the decoded ones are left undefined (up to 15 of them may be
// overwritten). Neither reads outside the data nor writes outside the destination.
std::optional<std::size_t> DecodeRunLengthPrefix(std::span<const std::uint8_t> data,
                                                 std::span<std::uint8_t> destination);

// Encodes bytes so that DecodeRunLength into a destination of at least bytes.size() gives them back.
std::vector<std::uint8_t> EncodeRunLength(std::span<const std::uint8_t> bytes);

}  // namespace rw::city
