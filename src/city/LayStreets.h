// Laying the street grids, the tunnel and the rail lines of a generated city's plan.
#pragma once

#include "city/CityPlan.h"
#include "city/SeededRandom.h"

namespace rw::city {

// Lays a street grid on each bank and the tunnel between them on the main row, then takes out a few
// street segments where the network stays connected. Sets plan.mainRow.
void LayStreets(CityPlan& plan, SeededRandom& random, const StreetGrid& grid);

// Short rail lines inside a few blocks: white transport tiles that are not roads.
void LayRails(CityPlan& plan, SeededRandom& random, const StreetGrid& grid);

}  // namespace rw::city
