// Checks of command-line arguments that CLI11 does not provide ready-made.
#pragma once

#include <optional>
#include <string_view>

#include <CLI/CLI.hpp>

#include "scenario/Scenario.h"

namespace rw::cli {

// Optional minus sign and decimal digits only. Without it CLI11 reads numbers with base prefixes, so
// "010" would be 8 and "0x10" 16.
CLI::Validator DecimalInteger();

// A tile coordinate: a decimal integer 0..127.
CLI::Validator TileCoordinate();

// "X,Y" with both coordinates decimal integers 0..127.
CLI::Validator TilePair();

// The tile of a "X,Y" argument that TilePair accepted; nothing otherwise.
std::optional<scenario::TilePos> ParseTilePair(std::string_view text);

}  // namespace rw::cli
