// Argument validators: bounded decimal integers, tile coordinates and "X,Y" tile pairs.
#include "cli/ArgumentChecks.h"

#include <charconv>
#include <string>

namespace rw::cli {

namespace {

constexpr int kLastTile = 127;

bool IsDecimal(std::string_view text, bool allowMinus) {
    if (allowMinus && !text.empty() && text.front() == '-') {
        text.remove_prefix(1);
    }
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

template <typename T>
std::optional<T> ParseDecimal(std::string_view text) {
    if (!IsDecimal(text, std::is_signed_v<T>)) {
        return std::nullopt;
    }
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::string Range(std::int64_t min, std::int64_t max) {
    return std::to_string(min) + ".." + std::to_string(max);
}

}  // namespace

CLI::Validator IntegerInRange(std::int64_t min, std::int64_t max) {
    return CLI::Validator(
        [min, max](std::string& text) -> std::string {
            const auto value = ParseDecimal<std::int64_t>(text);
            if (!value || *value < min || *value > max) {
                return "'" + text + "' is not an integer in " + Range(min, max);
            }
            text = std::to_string(*value);
            return {};
        },
        "INT in " + Range(min, max), "INTEGER_IN_RANGE");
}

CLI::Validator UnsignedInteger() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            const auto value = ParseDecimal<std::uint64_t>(text);
            if (!value) {
                return "'" + text + "' is not a non-negative integer of at most 64 bits";
            }
            text = std::to_string(*value);
            return {};
        },
        "UINT", "UNSIGNED_INTEGER");
}

CLI::Validator TileCoordinate() {
    return IntegerInRange(0, kLastTile);
}

CLI::Validator TilePair() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            const auto tile = ParseTilePair(text);
            if (!tile) {
                return "'" + text + "' is not a tile X,Y with X and Y in 0..127";
            }
            text = std::to_string(tile->x) + "," + std::to_string(tile->y);
            return {};
        },
        "X,Y", "TILE_PAIR");
}

std::optional<scenario::TilePos> ParseTilePair(std::string_view text) {
    const auto comma = text.find(',');
    if (comma == std::string_view::npos) {
        return std::nullopt;
    }
    const auto x = ParseDecimal<int>(text.substr(0, comma));
    const auto y = ParseDecimal<int>(text.substr(comma + 1));
    if (!x || !y || *x < 0 || *x > kLastTile || *y < 0 || *y > kLastTile) {
        return std::nullopt;
    }
    return scenario::TilePos{static_cast<std::uint16_t>(*x), static_cast<std::uint16_t>(*y)};
}

}  // namespace rw::cli
