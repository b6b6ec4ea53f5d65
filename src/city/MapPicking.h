// Turning a point on the map into a tile, and the status line that describes the tile under the pointer.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rw::city {

class CityMap;

struct MapTile {
    int x = 0;
    int y = 0;
    bool operator==(const MapTile&) const = default;
};

// The tile under map pixel (px, py), measured from the map area's top-left pixel: halves both with
// truncation toward zero, so -1 still gives tile 0. Nothing when the tile lies outside 0..127.
std::optional<MapTile> TileFromPoint(int px, int py);

// What stands on a tile: "Road Here" for a road (IsRoadTile), the location's name for a described building,
// otherwise "No Road Here". Static storage.
std::string_view TileDescription(int buildingCode);

// The status text "x,y - description" for map pixel (px, py), or an empty text outside the map.
std::string TileStatusText(const CityMap& city, int px, int py);
// The same text written over text, whose storage is reused.
void WriteTileStatusText(std::string& text, const CityMap& city, int px, int py);

}  // namespace rw::city
