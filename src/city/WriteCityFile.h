// Writing a city file from CityData: the inverse of the reader.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "city/CityData.h"
#include "res/FileResult.h"

namespace rw::city {

// One chunk as it is stored in a file: its four-character tag and its data bytes.
struct CityFileChunk {
    std::array<char, 4> tag{};
    std::vector<std::uint8_t> data;
};

// Every chunk of the city in table order: MISC, ALTM (raw, big-endian words), the run-length coded layers
// and tables, XGRP, and CNAM (length byte and up to 239 characters) when the name is not empty.
std::vector<CityFileChunk> EncodeCityChunks(const CityData& city);

// "FORM", the form size, "MTDH" and the chunks back to back (no pad bytes), all numbers big-endian.
std::vector<std::uint8_t> AssembleCityFile(std::span<const CityFileChunk> chunks);

std::vector<std::uint8_t> EncodeCityFile(const CityData& city);

// Writes EncodeCityFile(city) to path atomically, as the scenario writer saves (res::AtomicFile): a failed
// write leaves any earlier file at path as it was and no temporary file, and the result says why.
res::FileResult WriteCityFileResult(const CityData& city, const std::string& path);

// WriteCityFileResult for callers that need only whether it worked.
inline bool WriteCityFile(const CityData& city, const std::string& path) {
    return WriteCityFileResult(city, path).Ok();
}

}  // namespace rw::city
