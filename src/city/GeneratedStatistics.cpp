// Statistics and overlay layers derived from a generated city's map layers.
#include "city/GeneratedStatistics.h"

#include <algorithm>
#include <cstdlib>

namespace rw::city {

namespace {

std::uint8_t Clamp255(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

// Sums over the square of side `scale` tiles that one element of a coarse overlay covers.
template <typename Count>
int SumOver(int cx, int cy, int scale, Count count) {
    int sum = 0;
    for (int x = cx * scale; x < (cx + 1) * scale; ++x) {
        for (int y = cy * scale; y < (cy + 1) * scale; ++y) {
            sum += count(TileIndex(x, y)) ? 1 : 0;
        }
    }
    return sum;
}

void FillOverlays(CityData& city, SeededRandom& random) {
    const auto isRoad = [&](std::size_t i) { return city.buildings[i] >= 29 && city.buildings[i] <= 96; };
    const auto isIndustry = [&](std::size_t i) { return (city.zones[i] & 15) >= 7; };
    const auto isShop = [&](std::size_t i) { return (city.zones[i] & 15) >= 4 && (city.zones[i] & 15) <= 6; };
    const auto isHome = [&](std::size_t i) { return city.buildings[i] >= 1 && city.buildings[i] <= 5; };
    const auto isWater = [&](std::size_t i) { return (city.bits[i] & 4) != 0; };
    for (int cx = 0; cx < 64; ++cx) {
        for (int cy = 0; cy < 64; ++cy) {
            const std::size_t i = TileIndex(cx, cy, 64);
            city.traffic[i] = Clamp255(SumOver(cx, cy, 2, isRoad) * 50 + random.Below(20));
            city.pollution[i] =
                Clamp255(SumOver(cx, cy, 2, isIndustry) * 55 + SumOver(cx, cy, 2, isRoad) * 8);
            const int distance = std::abs(cx - 32) + std::abs(cy - 32);
            city.landValue[i] = SumOver(cx, cy, 2, isWater) == 4 ? 0 : Clamp255(220 - distance * 3);
            city.crime[i] = Clamp255(SumOver(cx, cy, 2, isShop) * 30 + random.Below(40));
        }
    }
    for (int cx = 0; cx < 32; ++cx) {
        for (int cy = 0; cy < 32; ++cy) {
            const std::size_t i = TileIndex(cx, cy, 32);
            city.population[i] = Clamp255(SumOver(cx, cy, 4, isHome) * 16);
            city.police[i] = Clamp255(120 + random.Below(100) - std::abs(cx - 16) * 4);
            city.fire[i] = Clamp255(110 + random.Below(100) - std::abs(cy - 16) * 4);
            city.growth[i] = Clamp255(128 + random.Between(-40, 40));
        }
    }
}

void FillMisc(CityData& city, SeededRandom& random) {
    std::array<std::uint32_t, 256> codeCounts{};
    std::array<std::uint32_t, 16> zoneCounts{};
    for (std::size_t i = 0; i < kTileCount; ++i) {
        ++codeCounts[city.buildings[i]];
        ++zoneCounts[city.zones[i] & 15u];
    }
    auto& m = city.misc;
    m.fill(0);
    m[0] = kMiscCheckValue;
    for (std::size_t w = 1; w <= 30; ++w) {
        m[w] = static_cast<std::uint32_t>(random.Below(100000));
    }
    for (std::size_t w = 31; w <= 123; ++w) {
        m[w] = static_cast<std::uint32_t>(random.Below(200));
    }
    for (std::size_t code = 0; code < 256; ++code) {
        m[124 + code] = codeCounts[code];
    }
    for (std::size_t z = 0; z < 8; ++z) {
        m[380 + z] = zoneCounts[z + 1] * 12;
    }
    const std::array<std::uint32_t, 4> neighborIds{0, 3, 5, 7};
    for (std::size_t n = 0; n < 4; ++n) {
        m[438 + n * 4] = neighborIds[n];
        m[439 + n * 4] = static_cast<std::uint32_t>(random.Below(500000));
        m[440 + n * 4] = static_cast<std::uint32_t>(random.Below(100000));
        m[441 + n * 4] = static_cast<std::uint32_t>(random.Below(100));
    }
    for (std::size_t w = 479; w <= 910; ++w) {
        m[w] = static_cast<std::uint32_t>(random.Below(20000));
    }
    for (std::size_t w = 916; w <= 999; ++w) {
        m[w] = static_cast<std::uint32_t>(random.Below(256));
    }
    for (std::size_t w = 1018; w <= 1070; ++w) {
        m[w] = static_cast<std::uint32_t>(random.Below(1000));
    }
}

}  // namespace

void FillStatistics(CityData& city, SeededRandom& random) {
    FillOverlays(city, random);
    FillMisc(city, random);
    for (std::size_t g = 0; g < 16; ++g) {
        int value = random.Between(50, 500);
        for (std::size_t i = 0; i < 52; ++i) {
            value = std::max(0, value + random.Between(-30, 40));
            city.graphs[g * 52 + i] = static_cast<std::uint32_t>(value);
        }
    }
    for (std::size_t r = 0; r < 12; ++r) {
        MicroRecord& record = city.micro[r];
        record.byte0 = static_cast<std::uint8_t>(random.Between(1, 20));
        record.byte1 = static_cast<std::uint8_t>(random.Below(128));
        for (auto& word : record.words) {
            word = static_cast<std::uint16_t>(random.Below(65536));
        }
    }
}

}  // namespace rw::city
