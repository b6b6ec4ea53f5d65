// Looks up location descriptions in the string table.
#include "city/LocationNames.h"

#include <algorithm>

#include "res/StringTable.h"

namespace rw::city {

std::optional<std::string_view> LocationNameOf(int code) {
    const auto it = std::lower_bound(kLocationNames.begin(), kLocationNames.end(), code,
                                     [](const LocationName& entry, int c) { return entry.code < c; });
    if (it == kLocationNames.end() || it->code != code) {
        return std::nullopt;
    }
    return res::String(it->stringId);
}

}  // namespace rw::city
