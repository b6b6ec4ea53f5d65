// Argument validators: decimal integers, tile coordinates and "X,Y" tile pairs.
#include "cli/ArgumentChecks.h"

#include <charconv>
#include <string>

namespace rw::cli {

namespace {

constexpr int kLastTile = 127;

bool IsDecimal(std::string_view text) {
    if (!text.empty() && text.front() == '-') {
        text.remove_prefix(1);
    }
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::optional<int> ParseTile(std::string_view text) {
    if (!IsDecimal(text)) {
        return std::nullopt;
    }
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 0 || value > kLastTile) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

CLI::Validator DecimalInteger() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            return IsDecimal(text) ? std::string() : "'" + text + "' is not a decimal integer";
        },
        "", "DECIMAL");
}

CLI::Validator TileCoordinate() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            return ParseTile(text) ? std::string() : "'" + text + "' is not a tile coordinate 0..127";
        },
        "INT in [0 - 127]", "TILE");
}

CLI::Validator TilePair() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            return ParseTilePair(text) ? std::string()
                                       : "'" + text + "' is not a tile X,Y with X and Y in 0..127";
        },
        "X,Y", "TILE_PAIR");
}

std::optional<scenario::TilePos> ParseTilePair(std::string_view text) {
    const auto comma = text.find(',');
    if (comma == std::string_view::npos) {
        return std::nullopt;
    }
    const auto x = ParseTile(text.substr(0, comma));
    const auto y = ParseTile(text.substr(comma + 1));
    if (!x || !y) {
        return std::nullopt;
    }
    return scenario::TilePos{static_cast<std::uint16_t>(*x), static_cast<std::uint16_t>(*y)};
}

}  // namespace rw::cli
