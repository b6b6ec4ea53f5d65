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
    const auto altitudes = city.AltitudeLayer();
    const auto buildings = city.BuildingLayer();
    const auto zones = city.ZoneLayer();
    const auto bits = city.BitsLayer();
    for (int x = 0; x < 128; ++x) {
        for (int y = 0; y < 128; ++y) {
            const auto tile = static_cast<std::size_t>(x * 128 + y);
            const std::uint8_t colour =
                TileColour(routeMap[tile] != 0, altitudes[tile], buildings[tile], zones[tile], bits[tile]);
            const std::size_t top = PixelIndex(2 * x, 2 * y);
            const std::size_t bottom = PixelIndex(2 * x, 2 * y + 1);
            image[top] = colour;
            image[top + 1] = colour;
            image[bottom] = colour;
            image[bottom + 1] = colour;
        }
    }
}

void ShowBlankMapPicture(MapPixels& image) {
    const auto pixels = res::BlankMapPixels();
    std::copy(pixels.begin(), pixels.end(), image.begin());
}

}  // namespace rw::city
