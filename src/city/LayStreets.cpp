// Street grids, the tunnel, street thinning with a connectivity check, and rail lines.
#include "city/LayStreets.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <vector>

namespace rw::city {

namespace {

constexpr int kN = kCitySize;

bool RoadAt(const CityPlan& w, int u, int v) {
    return u >= 0 && u < kN && v >= 0 && v < kN && IsRoadLike(w.use[w.At(u, v)]);
}

// True when every road tile can be reached from the west portal over roads and the tunnel.
bool RoadsConnected(const CityPlan& w) {
    std::vector<bool> seen(kTileCount, false);
    std::deque<std::pair<int, int>> queue{{kWestPortal, w.mainRow}};
    seen[w.At(kWestPortal, w.mainRow)] = true;
    const auto total = std::count_if(w.use.begin(), w.use.end(), IsRoadLike);
    std::ptrdiff_t reached = 0;
    while (!queue.empty()) {
        const auto [u, v] = queue.front();
        queue.pop_front();
        reached += IsRoadLike(w.use[w.At(u, v)]) ? 1 : 0;
        const std::array<std::pair<int, int>, 4> next{{{u - 1, v}, {u + 1, v}, {u, v - 1}, {u, v + 1}}};
        for (const auto& [nu, nv] : next) {
            if (nu < 0 || nu >= kN || nv < 0 || nv >= kN || seen[w.At(nu, nv)]) {
                continue;
            }
            const Use use = w.use[w.At(nu, nv)];
            if (IsRoadLike(use) || use == Use::Tunnel) {
                seen[w.At(nu, nv)] = true;
                queue.emplace_back(nu, nv);
            }
        }
    }
    return reached == total;
}

// Takes out whole street segments between crossings where the network stays connected without them.
void ThinStreets(CityPlan& w, SeededRandom& random, int attempts, int mainRow) {
    for (int attempt = 0; attempt < attempts; ++attempt) {
        std::vector<std::pair<int, int>> roads;
        for (int u = 0; u < kN; ++u) {
            for (int v = 0; v < kN; ++v) {
                if (w.use[w.At(u, v)] == Use::Road && v != mainRow) {
                    roads.emplace_back(u, v);
                }
            }
        }
        if (roads.empty()) {
            return;
        }
        const auto [u0, v0] = roads[static_cast<std::size_t>(random.Below(static_cast<int>(roads.size())))];
        const bool alongU = RoadAt(w, u0 - 1, v0) || RoadAt(w, u0 + 1, v0);
        const auto crossing = [&](int u, int v) {
            return alongU ? RoadAt(w, u, v - 1) || RoadAt(w, u, v + 1)
                          : RoadAt(w, u - 1, v) || RoadAt(w, u + 1, v);
        };
        if (crossing(u0, v0)) {
            continue;
        }
        std::vector<std::size_t> segment{w.At(u0, v0)};
        for (int dir : {-1, 1}) {
            int u = u0 + (alongU ? dir : 0), v = v0 + (alongU ? 0 : dir);
            while (RoadAt(w, u, v) && w.use[w.At(u, v)] == Use::Road && !crossing(u, v)) {
                segment.push_back(w.At(u, v));
                u += alongU ? dir : 0;
                v += alongU ? 0 : dir;
            }
        }
        for (std::size_t i : segment) {
            w.use[i] = Use::Land;
        }
        if (!RoadsConnected(w)) {
            for (std::size_t i : segment) {
                w.use[i] = Use::Road;
            }
        }
    }
}

}  // namespace

void LayStreets(CityPlan& w, SeededRandom& random, const StreetGrid& grid) {
    std::vector<int> rows;
    for (int v = grid.lo; v <= grid.hi; v += grid.spacing) {
        rows.push_back(v);
    }
    std::vector<int> westColumns, eastColumns;
    for (int u = kWestEdge; u >= grid.lo + 1; u -= grid.spacing) {
        westColumns.push_back(u);
    }
    for (int u = kEastEdge; u <= grid.hi; u += grid.spacing) {
        eastColumns.push_back(u);
    }
    const int westStart = westColumns.back(), eastEnd = eastColumns.back();
    const int vFirst = rows.front(), vLast = rows.back();
    for (int v : rows) {
        for (int u = westStart; u <= kWestEdge; ++u) {
            w.use[w.At(u, v)] = Use::Road;
        }
        for (int u = kEastEdge; u <= eastEnd; ++u) {
            w.use[w.At(u, v)] = Use::Road;
        }
    }
    for (const auto* columns : {&westColumns, &eastColumns}) {
        for (int u : *columns) {
            for (int v = vFirst; v <= vLast; ++v) {
                w.use[w.At(u, v)] = Use::Road;
            }
        }
    }
    const int mainRow = *std::min_element(rows.begin(), rows.end(),
                                          [](int a, int b) { return std::abs(a - 64) < std::abs(b - 64); });
    w.mainRow = mainRow;
    for (int u = westStart; u <= eastEnd; ++u) {
        w.arterial[w.At(u, mainRow)] = true;
    }
    w.use[w.At(kWestPortal, mainRow)] = Use::Portal;
    w.use[w.At(kEastPortal, mainRow)] = Use::Portal;
    for (int u = kWestPortal + 1; u < kEastPortal; ++u) {
        w.use[w.At(u, mainRow)] = Use::Tunnel;
    }
    ThinStreets(w, random, grid.removals, mainRow);
}

void LayRails(CityPlan& w, SeededRandom& random, const StreetGrid& grid) {
    for (int line = 0; line < 3; ++line) {
        const bool west = random.Chance(50);
        const int blocks = (kWestEdge - grid.lo) / grid.spacing;
        const int column = west ? kWestEdge - grid.spacing * random.Between(1, std::max(1, blocks))
                                : kEastEdge + grid.spacing * random.Below(std::max(1, blocks - 1));
        const int row = grid.lo +
                        grid.spacing * random.Below(std::max(1, (grid.hi - grid.lo) / grid.spacing)) +
                        grid.spacing / 2;
        for (int u = column + 1; u < column + grid.spacing && u < kN; ++u) {
            if (row < kN && w.use[w.At(u, row)] == Use::Land) {
                w.use[w.At(u, row)] = Use::Rail;
            }
        }
    }
}

StreetGrid StreetGridFor(RoadDensity density) {
    switch (density) {
        case RoadDensity::Sparse:
            return {16, 16, 111, 3};
        case RoadDensity::Dense:
            return {4, 1, 126, 4};
        case RoadDensity::Normal:
            break;
    }
    return {8, 6, 121, 10};
}

}  // namespace rw::city
