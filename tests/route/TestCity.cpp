// Drawing helpers for route test cities.
#include "TestCity.h"

#include <array>

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

void GeneratedCity(city::CityMap& city, std::uint64_t seed) {
    city::CityGeneratorOptions options;
    options.seed = seed;
    std::array<std::uint32_t, 16> graphMax{};
    graphMax.fill(1);
    city.Replace(city::GenerateCity(options), graphMax);
}

}  // namespace rw::route::test
