// The bare-name rule for city files named by scenarios.
#include "city/CityFileName.h"

namespace rw::city {

bool IsBareCityFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\\:\0", 4)) == std::string_view::npos;
}

}  // namespace rw::city
