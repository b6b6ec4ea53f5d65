// The city drawn as a 256 x 256 palette-indexed picture, two pixels per tile, and the colour rules.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace rw::city {

class CityMap;

// 256 x 256 palette indices (see res/MapPalette.h), stored bottom-up like the blank map picture: the byte
// of column c (0 = left) and row r (0 = top) lies at (255 - r) * 256 + c.
using MapPixels = std::array<std::uint8_t, 256 * 256>;

constexpr std::size_t PixelIndex(int column, int row) {
    return static_cast<std::size_t>((255 - row) * 256 + column);
}

// Palette indices the map colour rules write.
inline constexpr std::uint8_t kRouteColour = 253;
inline constexpr std::uint8_t kTunnelColour = 60;
inline constexpr std::uint8_t kWaterColour = 36;
inline constexpr std::uint8_t kTransportColour = 63;
inline constexpr std::uint8_t kSmallBuildingColour = 28;  // codes 1-5
inline constexpr std::uint8_t kTreesColour = 86;          // codes 6-12
inline constexpr std::array<std::uint8_t, 9> kZoneColours{230, 87, 47, 39, 126,
                                                          122, 16, 16, 16};  // types 1-9
inline constexpr std::uint8_t kGroundColour = 211;                           // + terrain height, cut to 9

// One tile's palette index by the first rule that applies: route, tunnel field (altitude bits 10-14)
// non-zero, then by building code (0: flag bit 2 gives water, else ground; transport; 1-5; 6-12; else
// ground). Ground is the zone colour of zone types 1-9 (zone byte AND 15), otherwise 211 + min(altitude AND
// 31, 9).
std::uint8_t TileColour(bool onRoute, std::uint16_t altitude, std::uint8_t building, std::uint8_t zone,
                        std::uint8_t bits);

// Recolours every pixel of image from the city's layers and the route: routeMap holds one byte per tile,
// indexed x * 128 + y, non-zero for a tile on the route. Each tile (x, y) fills columns 2x, 2x + 1 and rows
// 2y, 2y + 1.
void RedrawMap(const CityMap& city, std::span<const std::uint8_t, 128 * 128> routeMap, MapPixels& image);

// Copies the blank map picture's pixels into image.
void ShowBlankMapPicture(MapPixels& image);

}  // namespace rw::city
