// Descriptions of the location buildings (power plants, civic buildings, landmarks) by building code.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace rw::city {

struct LocationName {
    int code = 0;      // building code
    int stringId = 0;  // string-table id of its description
};

// The 27 described codes in ascending order. Codes and string ids do not run in step: Police Station (210)
// takes string 140 and Fire Station (211) string 139.
inline constexpr std::array<LocationName, 27> kLocationNames{{
    {200, 128}, {201, 129}, {202, 130}, {203, 131}, {204, 133}, {205, 134}, {206, 135},
    {207, 136}, {208, 137}, {209, 138}, {210, 140}, {211, 139}, {212, 141}, {213, 142},
    {214, 143}, {215, 144}, {216, 145}, {217, 146}, {218, 147}, {243, 148}, {245, 149},
    {248, 150}, {251, 151}, {252, 152}, {253, 153}, {254, 154}, {255, 155},
}};

// The description of a location building, or nothing for a code without one. The text has static storage.
std::optional<std::string_view> LocationNameOf(int code);

}  // namespace rw::city
