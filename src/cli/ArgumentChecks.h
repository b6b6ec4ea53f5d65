// Checks of numeric and tile arguments, stricter than CLI11's own conversions.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include <CLI/CLI.hpp>

#include "scenario/Scenario.h"

namespace rw::cli {

// Use these with Option::transform: besides checking, they rewrite the argument in canonical decimal
// form. CLI11 converts numbers with base prefixes, so without that "010" would become 8 and "0x10" 16.

// An optional minus sign and decimal digits, with a value in min..max.
CLI::Validator IntegerInRange(std::int64_t min, std::int64_t max);

// Decimal digits only, with a value that fits 64 unsigned bits.
CLI::Validator UnsignedInteger();

// A tile coordinate: a decimal integer 0..127.
CLI::Validator TileCoordinate();

// "X,Y" with both coordinates decimal integers 0..127.
CLI::Validator TilePair();

// The tile of an "X,Y" argument; nothing unless both are decimal integers 0..127.
std::optional<scenario::TilePos> ParseTilePair(std::string_view text);

}  // namespace rw::cli
