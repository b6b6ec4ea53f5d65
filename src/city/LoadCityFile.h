// Reading a city file ("FORM" of type "MTDH", big-endian, run-length coded chunks) into a CityMap.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "city/CityMap.h"
#include "res/FileResult.h"

namespace rw::city {

// Reads the city file at path into map. Succeeds when the whole form was read. On failure the map is
// unchanged: the chunks are decoded into the map's staging blocks, which replace the live ones only after
// the last chunk. Chunks decoding to fewer bytes than their destination keep the current city's values
// beyond them. The city name comes from the CNAM chunk, else from the file's base name, cut to 32 characters.
//
// Only a regular file is read, and of it only the 12-byte header until that says "FORM" ... "MTDH", then no
// more than the form size says (or the first chunk, which is always read) and the file holds: memory follows
// the file's size. The result names what was refused and where ("chunk XBLD at byte 1234 decodes past its
// block"); running out of memory is a failure like the others (OutOfMemory), never an exception.
res::FileResult LoadCityFileResult(CityMap& map, const std::string& path);

// LoadCityFileResult for callers that need only whether it worked.
inline bool LoadCityFile(CityMap& map, const std::string& path) {
    return LoadCityFileResult(map, path).Ok();
}

// The same for a file already in memory; baseName stands in for the file name when there is no CNAM.
res::FileResult LoadCityBytes(CityMap& map, std::span<const std::uint8_t> file, std::string_view baseName);

// The file name of path without its folders (either separator) and extension.
std::string CityBaseName(std::string_view path);

}  // namespace rw::city
