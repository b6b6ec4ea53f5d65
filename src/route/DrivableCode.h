// The building codes a car can drive over.
#pragma once

namespace rw::route {

// Drivable: 29-43, 63-70, 73-91 and 93-107. Not the checkpoint set (which admits 92 and refuses 73, 74,
// 77-80 and 97-105) nor the map's transport colour set.
constexpr bool IsDrivableCode(int code) {
    return (code >= 29 && code <= 43) || (code >= 63 && code <= 70) || (code >= 73 && code <= 91) ||
           (code >= 93 && code <= 107);
}

}  // namespace rw::route
