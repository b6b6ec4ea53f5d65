// The map colour rules and the whole-map redraw.
#include "city/MapImage.h"

#include <algorithm>

#include "city/CityMap.h"
#include "city/TileCodes.h"
#include "res/BlankMap.h"

namespace rw::city {

namespace {

std::uint8_t GroundColour(std::uint16_t altitude, std::uint8_t zone) {
    const int type = zone & 15;
    if (type >= 1 && type <= 9) {
        return kZoneColours[static_cast<std::size_t>(type - 1)];
    }
    const int height = std::min(altitude & 31, 9);
    return static_cast<std::uint8_t>(kGroundColour + height);
}

// The colour a building code decides on its own; kNoColour where the tile takes the ground (or water) colour.
constexpr std::uint8_t kNoColour = 0;
static_assert(kRouteColour != kNoColour && kTunnelColour != kNoColour && kWaterColour != kNoColour);

constexpr std::array<std::uint8_t, 256> MakeBuildingColours() {
    std::array<std::uint8_t, 256> table{};
    for (int code = 1; code < 256; ++code) {
        const auto building = static_cast<std::uint8_t>(code);
        table[building] = IsTransportTile(building) ? kTransportColour
                          : code <= 5               ? kSmallBuildingColour
                          : code <= 12              ? kTreesColour
                                                    : kNoColour;
    }
    return table;
}

constexpr std::array<std::uint8_t, 256> kBuildingColours = MakeBuildingColours();

}  // namespace

std::uint8_t TileColour(bool onRoute, std::uint16_t altitude, std::uint8_t building, std::uint8_t zone,
                        std::uint8_t bits) {
    if (onRoute) {
        return kRouteColour;
    }
    if ((altitude & 0x7C00) != 0) {
        return kTunnelColour;
    }
    if (building == 0) {
        return (bits & 4) != 0 ? kWaterColour : GroundColour(altitude, zone);
    }
    if (IsTransportTile(building)) {
        return kTransportColour;
    }
    if (building <= 5) {
        return kSmallBuildingColour;
    }
    if (building <= 12) {
        return kTreesColour;
    }
    return GroundColour(altitude, zone);
}

void RedrawMap(const CityMap& city, std::span<const std::uint8_t, 128 * 128> routeMap, MapPixels& image) {
    // The colours go to a tile-ordered scratch first, so that the pixels can then be written row by row.
    std::array<std::uint8_t, 128 * 128> colours;
    const auto altitudes = city.AltitudeLayer();
    const auto buildings = city.BuildingLayer();
    const auto zones = city.ZoneLayer();
    const auto bits = city.BitsLayer();
    for (std::size_t tile = 0; tile < colours.size(); ++tile) {
        const std::uint8_t building = buildings[tile];
        std::uint8_t colour = kBuildingColours[building];
        if (colour == kNoColour) {
            colour = building == 0 && (bits[tile] & 4) != 0 ? kWaterColour
                                                            : GroundColour(altitudes[tile], zones[tile]);
        }
        if ((altitudes[tile] & 0x7C00) != 0) {
            colour = kTunnelColour;
        }
        colours[tile] = routeMap[tile] != 0 ? kRouteColour : colour;
    }
    for (std::size_t y = 0; y < 128; ++y) {
        std::uint8_t* const top = &image[PixelIndex(0, static_cast<int>(2 * y))];
        for (std::size_t x = 0; x < 128; ++x) {
            const std::uint8_t colour = colours[x * 128 + y];
            top[2 * x] = colour;
            top[2 * x + 1] = colour;
        }
        std::copy_n(top, 256, &image[PixelIndex(0, static_cast<int>(2 * y + 1))]);
    }
}

void ShowBlankMapPicture(MapPixels& image) {
    const auto pixels = res::BlankMapPixels();
    std::copy(pixels.begin(), pixels.end(), image.begin());
}

}  // namespace rw::city
