// Drawing helpers for route test cities.
#include "TestCity.h"

#include <array>
#include <random>

#include "city/CityGenerator.h"

namespace rw::route::test {

namespace {

constexpr std::uint16_t Field(int value) {
    return static_cast<std::uint16_t>(value << 10);
}

}  // namespace

void Draw(city::CityMap& city, int originX, int originY, std::initializer_list<std::string_view> rows) {
    int y = originY;
    for (const std::string_view row : rows) {
        int x = originX;
        for (const char c : row) {
            switch (c) {
                case '#':
                    city.SetBuilding(x, y, kRoad);
                    break;
                case 'B':
                    city.SetBuilding(x, y, kUndrivableRoad);
                    break;
                case 'P':
                    city.SetAltitude(x, y, Field(1));
                    break;
                case 'p':
                    city.SetAltitude(x, y, Field(1));
                    city.SetBuilding(x, y, kRoad);
                    break;
                case 'T':
                    city.SetAltitude(x, y, Field(2));
                    break;
                case 't':
                    city.SetAltitude(x, y, Field(2));
                    city.SetBuilding(x, y, kRoad);
                    break;
                case 'U':
                    city.SetAltitude(x, y, Field(31));
                    break;
                default:
                    break;
            }
            ++x;
        }
        ++y;
    }
}

void RandomCity(city::CityMap& city, std::uint32_t seed) {
    std::mt19937 rng(seed);
    const auto chance = [&](int percent) { return static_cast<int>(rng() % 100) < percent; };
    for (int x = 0; x < 128; ++x) {
        for (int y = 0; y < 128; ++y) {
            const bool street = x % 6 == 0 || y % 5 == 0;
            std::uint8_t code = 0;
            if (street && !chance(3)) {
                code = chance(2) ? kUndrivableRoad : static_cast<std::uint8_t>(29 + rng() % 15);
            } else if (chance(3)) {
                code = 81;
            }
            city.SetBuilding(x, y, code);
            city.SetAltitude(x, y, static_cast<std::uint16_t>(rng() % 8));
        }
    }
    // Tunnels: a portal at each end of a straight run of inner tiles, some under buildings and roads.
    for (int n = 0; n < 8; ++n) {
        const bool across = chance(50);
        const int length = 3 + static_cast<int>(rng() % 20);
        const auto span = static_cast<std::uint32_t>(128 - length);
        const int x0 = static_cast<int>(rng() % (across ? span : 128u));
        const int y0 = static_cast<int>(rng() % (across ? 128u : span));
        for (int i = 0; i < length; ++i) {
            const int x = across ? x0 + i : x0;
            const int y = across ? y0 : y0 + i;
            const bool end = i == 0 || i == length - 1;
            city.SetAltitude(x, y, Field(end ? 1 : 2 + static_cast<int>(rng() % 30)));
        }
    }
}

void GeneratedCity(city::CityMap& city, std::uint64_t seed) {
    city::CityGeneratorOptions options;
    options.seed = seed;
    std::array<std::uint32_t, 16> graphMax{};
    graphMax.fill(1);
    city.Replace(city::GenerateCity(options), graphMax);
}

}  // namespace rw::route::test
