// Map picking: points to tiles and tiles to their status text.
#include "city/MapPicking.h"

#include <cstdio>

#include "city/CityMap.h"
#include "city/LocationNames.h"
#include "city/TileCodes.h"
#include "res/StringTable.h"

namespace rw::city {

namespace {

constexpr int kRoadHereId = 127;
constexpr int kNoRoadHereId = 132;

}  // namespace

std::optional<MapTile> TileFromPoint(int px, int py) {
    // C++ division truncates toward zero, which is what lets -1 land on tile 0.
    const int x = px / 2;
    const int y = py / 2;
    if (x < 0 || x > 127 || y < 0 || y > 127) {
        return std::nullopt;
    }
    return MapTile{x, y};
}

std::string_view TileDescription(int buildingCode) {
    if (IsRoadTile(buildingCode)) {
        return res::String(kRoadHereId);
    }
    if (const auto name = LocationNameOf(buildingCode)) {
        return *name;
    }
    return res::String(kNoRoadHereId);
}

std::string TileStatusText(const CityMap& city, int px, int py) {
    std::string text;
    WriteTileStatusText(text, city, px, py);
    return text;
}

void WriteTileStatusText(std::string& text, const CityMap& city, int px, int py) {
    const auto tile = TileFromPoint(px, py);
    if (!tile) {
        text.clear();
        return;
    }
    char prefix[32];
    const int length = std::snprintf(prefix, sizeof prefix, "%d,%d - ", tile->x, tile->y);
    text.assign(prefix, static_cast<std::size_t>(length))
        .append(TileDescription(city.Building(tile->x, tile->y)));
}

}  // namespace rw::city
