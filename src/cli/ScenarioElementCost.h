// The memory one element of a scenario's JSON lists takes once `scenario build` has converted it.
#pragma once

#include <cstddef>
#include <string_view>

namespace rw::cli {

// Bytes one element of the list `key` of the scenario JSON form costs once converted and written
// (ReadJsonFile's ElementCost for `scenario build`); 0 for any other key.
std::size_t ScenarioElementCost(std::string_view key);

}  // namespace rw::cli
