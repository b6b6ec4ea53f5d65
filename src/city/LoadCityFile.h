// Reading a city file ("FORM" of type "MTDH", big-endian, run-length coded chunks) into a CityMap.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "city/CityMap.h"

namespace rw::city {

// Reads the city file at path into map. True when the whole form was read. On false the map is unchanged:
// the chunks are decoded into the map's staging blocks, which replace the live ones only after the last
// chunk. Chunks decoding to fewer bytes than their destination keep the current city's values beyond them.
// The city name comes from the CNAM chunk, else from the file's base name, cut to 32 characters.
bool LoadCityFile(CityMap& map, const std::string& path);

// The same for a file already in memory; baseName stands in for the file name when there is no CNAM.
bool LoadCityBytes(CityMap& map, std::span<const std::uint8_t> file, std::string_view baseName);

// The file name of path without its folders (either separator) and extension.
std::string CityBaseName(std::string_view path);

}  // namespace rw::city
