// Plausible values for the chunks of a generated city that describe statistics rather than the map.
#pragma once

#include "city/CityData.h"
#include "city/SeededRandom.h"

namespace rw::city {

// Fills MISC (check value 290, tile counts from the building layer, zone counts from the zone layer),
// XGRP, XMIC and the coarse overlay layers (traffic, pollution, land value, crime, police, fire,
// population, growth) from the map layers already in city. Deterministic for the random source's state.
void FillStatistics(CityData& city, SeededRandom& random);

}  // namespace rw::city
