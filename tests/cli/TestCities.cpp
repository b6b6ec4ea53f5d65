// The hand-made test city.
#include "TestCities.h"

#include <memory>
#include <stdexcept>

#include "city/CityData.h"
#include "city/WriteCityFile.h"

namespace rw::cli::test {

void WriteLCity(const std::string& path) {
    using city::TileIndex;
    auto c = std::make_unique<city::CityData>();
    c->name = "Test City";
    c->altitude.fill(kGroundHeight);
    for (int x = 10; x <= 30; ++x) {
        c->buildings[TileIndex(x, 10)] = 81;
    }
    for (int y = 11; y <= 30; ++y) {
        c->buildings[TileIndex(30, y)] = 29;
    }
    for (int x = 60; x <= 62; ++x) {
        c->buildings[TileIndex(x, 60)] = 81;
    }
    c->buildings[TileIndex(12, 50)] = 73;
    c->buildings[TileIndex(14, 50)] = 92;
    c->buildings[TileIndex(16, 50)] = 210;
    c->bits[TileIndex(18, 50)] = 4;
    c->buildings[TileIndex(20, 50)] = 81;
    c->altitude[TileIndex(20, 50)] = static_cast<std::uint16_t>((3 << 10) | kGroundHeight);
    c->zones[TileIndex(22, 50)] = 0x12;
    c->buildings[TileIndex(50, 12)] = 5;
    c->graphs[0 * 52 + 3] = 500;
    c->graphs[5 * 52 + 51] = 777;
    if (!city::WriteCityFile(*c, path)) {
        throw std::runtime_error("cannot write " + path);
    }
}

}  // namespace rw::cli::test
